#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestMain.h"
#include "app/About.h"
#include "app/Application.h"
#include "app/LoginDialog.h"
#include "app/Main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <optional>

namespace {

// Runs steps on the modal dialog that is up next, once it has the keyboard.
template<class Dialog> void OnDialog(std::function<void(Dialog *)> steps)
{
    QTimer::singleShot(10, [steps] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isActiveWindow()) {
            OnDialog<Dialog>(steps);
            return;
        }
        steps(dialog);
    });
}

} // namespace

class TestMainDialogs : public QObject
{
    Q_OBJECT

private slots:
    // The program is known by its title, and no display name is appended to window captions
    // ("Ошибка", "Выход", "Database Login" and the frame's caption stay exactly as they are).
    void applicationTitle()
    {
        InitApplication();
        const QString title = QCoreApplication::applicationName();
        QCOMPARE(title, QStringLiteral("ТАЛМЕР-АСУ-ТС-512"));
        // A display name of its own would stay when the name changes.
        QCoreApplication::setApplicationName(QStringLiteral("renamed"));
        const QString displayed = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(title);
        QCOMPARE(displayed, QStringLiteral("renamed"));
    }

    // Qt's standard buttons speak Russian: the exit question offers "Да" and "Нет".
    void exitQuestionInRussian()
    {
        InitApplication();
        std::optional<RecordingFeedback> quiet(std::in_place); // the start-up box is not wanted
        FrameUnderTest frame(NoServerHost);
        quiet.reset();
        frame->show();
        QString caption;
        QStringList buttons;
        OnDialog<QMessageBox>([&](QMessageBox *box) {
            caption = box->windowTitle();
            for (const QAbstractButton *button : box->buttons())
                buttons << button->text().remove(QLatin1Char('&'));
            QTest::keyClick(box, Qt::Key_Return); // the default button, "Нет"
        });
        frame->ActionExit->trigger();
        buttons.sort();
        QCOMPARE(buttons, QStringList({QStringLiteral("Да"), QStringLiteral("Нет")}));
        QCOMPARE(caption, QStringLiteral("Выход"));
        QVERIFY(frame->isVisible());
    }

    void loginPrompt_data()
    {
        QTest::addColumn<QString>("typedUser");
        QTest::addColumn<QString>("typedPassword");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        const QString longText = QString(40, QLatin1Char('a'));
        QTest::newRow("password only") << ""
                                       << "secret" << int(Qt::Key_Return) << "operator"
                                       << "secret" << true;
        QTest::newRow("other user") << "x"
                                    << "pw" << int(Qt::Key_Return) << "operatorx"
                                    << "pw" << true;
        QTest::newRow("31 characters at most")
            << "" << longText << int(Qt::Key_Return) << "operator" << QString(31, QLatin1Char('a'))
            << true;
        QTest::newRow("cancel") << "x"
                                << "pw" << int(Qt::Key_Escape) << "operator"
                                << "kept" << false;
    }
    void loginPrompt()
    {
        QFETCH(QString, typedUser);
        QFETCH(QString, typedPassword);
        QFETCH(int, key);
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QString title;
        OnDialog<TLoginDialog>([&](TLoginDialog *dialog) {
            title = dialog->windowTitle();
            // The password line has the focus; the user name is reached with Shift+Tab.
            QTest::keyClicks(QApplication::focusWidget(), typedPassword);
            if (!typedUser.isEmpty()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
                QTest::keyClicks(QApplication::focusWidget(), typedUser);
            }
            QTest::keyClick(dialog, Qt::Key(key));
        });
        QString enteredLogin = QStringLiteral("operator");
        QString enteredPassword = QStringLiteral("kept");
        QCOMPARE(DatabaseLoginPrompt(enteredLogin, enteredPassword), accepted);
        QCOMPARE(title, QStringLiteral("Database Login"));
        QCOMPARE(enteredLogin, login);
        QCOMPARE(enteredPassword, password);
    }

    void aboutBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void aboutBox()
    {
        QFETCH(int, key);
        TFormAbout about;
        QString texts;
        OnDialog<TFormAbout>([&](TFormAbout *dialog) {
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                texts += label->text();
            QTest::keyClick(dialog, Qt::Key(key));
        });
        about.exec();
        QVERIFY(texts.contains(QStringLiteral("1.19")));
        QVERIFY(!about.isVisible());
        // Teal behind the text.
        const QImage image = about.grab().toImage();
        QCOMPARE(image.pixelColor(2, image.height() / 2), QColor(0, 128, 128));
    }
};

TALMER_TEST(TestMainDialogs)
#include "tst_MainDialogs.moc"
