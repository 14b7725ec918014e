#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "WhenModal.h"
#include "app/Connection.h"
#include "app/FormConfig.h"
#include "app/Global.h"
#include "app/GroupColours.h"
#include "app/Layout.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "base/IniFile.h"
#include "elements/OutField.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

// Near the left edge: a check box takes clicks on its box and text only.
void Click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

enum TServer { Refusing, Silent, Answering };

int CountRows(const QString &where)
{
    QSqlQuery query(TestDb::Open());
    if (!query.exec(QStringLiteral("select count(*) from setup where ") + where) || !query.next())
        return -1;
    return query.value(0).toInt();
}

// Types text into the grid cell and commits it with Enter.
void TypeIntoCell(QTableView *grid, const QModelIndex &index, const QString &text)
{
    grid->setCurrentIndex(index);
    grid->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    editor->insert(text); // typed as one input, Cyrillic included
    QTest::keyClick(editor, Qt::Key_Return);
}

int RowOf(QSqlTableModel *model, const QString &name)
{
    const int column = model->fieldIndex(QStringLiteral("ConstName"));
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, column).data().toString().trimmed() == name)
            return row;
    return -1;
}

// The acquisition side's own order of the constants columns, with a key of its own in front;
// the usual table comes back however the test ends.
struct TReorderedSetup
{
    TReorderedSetup()
    {
        ok = TestDb::Exec(TestDb::Open(),
                          QStringLiteral("alter table setup add column Id int not null "
                                         "auto_increment unique first, modify Comment char(251) "
                                         "after Id"));
    }
    ~TReorderedSetup()
    {
        TestDb::Exec(TestDb::Open(),
                     QStringLiteral("alter table setup drop column Id, modify "
                                    "Comment char(251) after ConstVal"));
    }
    bool ok = false;
};

} // namespace

class TestFormConfig : public QObject
{
    Q_OBJECT

    RecordingFeedback *m_feedback = nullptr;
    std::unique_ptr<FrameUnderTest> m_frame;
    std::unique_ptr<TFormConfig> m_dialog;

    void OpenDialog(int page)
    {
        m_dialog = std::make_unique<TFormConfig>(m_frame->get());
        m_dialog->PageControl->setCurrentIndex(page);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

private slots:
    void init()
    {
        m_feedback = new RecordingFeedback;
        m_frame = std::make_unique<FrameUnderTest>();
        QVERIFY(SQLConnection1().Connected());
        FirstChangeStart = 7;
        DateIncrement = 0;
    }
    void cleanup()
    {
        m_dialog.reset();
        m_frame.reset();
        delete m_feedback;
        SetInteractiveSetup(false);
        QSqlQuery(TestDb::Open())
            .exec(QStringLiteral("delete from setup where ConstName like 'T\\_%'"));
    }

    void calendarButtons_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hourText");
        QTest::addColumn<QString>("dayText");
        QTest::newRow("23 wraps to 0") << 23 << 0 << "ButIncHout"
                                       << "0:00"
                                       << "0";
        QTest::newRow("0 wraps to 23") << 0 << 0 << "ButDecHour"
                                       << "23:00"
                                       << "0";
        QTest::newRow("hour up") << 7 << 0 << "ButIncHout"
                                 << "8:00"
                                 << "0";
        QTest::newRow("day 3 stays") << 7 << 3 << "ButIncDay"
                                     << "7:00"
                                     << "3";
        QTest::newRow("day up") << 7 << 2 << "ButIncDay"
                                << "7:00"
                                << "3";
        QTest::newRow("day 0 stays") << 7 << 0 << "ButDecDay"
                                     << "7:00"
                                     << "0";
        QTest::newRow("day down") << 7 << 1 << "ButDecDay"
                                  << "7:00"
                                  << "0";
    }
    void calendarButtons()
    {
        QFETCH(int, hour);
        QFETCH(int, day);
        QFETCH(QString, button);
        QFETCH(QString, hourText);
        QFETCH(QString, dayText);
        FirstChangeStart = hour;
        DateIncrement = day;
        OpenDialog(0);
        Click(m_dialog->findChild<QPushButton *>(button));
        QCOMPARE(m_dialog->StartChangeLabel->text(), hourText);
        QCOMPARE(m_dialog->StartChangeDayLabel->text(), dayText);
        // Nothing is taken before "Принять изменения".
        QCOMPARE(FirstChangeStart, hour);
        Click(m_dialog->ButApplyGeneralPage);
        QCOMPARE(QString::number(FirstChangeStart) + ":00", hourText);
        QCOMPARE(QString::number(DateIncrement), dayText);
    }

    void uncheckedPasswordIsKeptButNotStored()
    {
        (*m_frame)->Settings.SavePassword = true;
        (*m_frame)->Settings.Password = QStringLiteral("secret");
        OpenDialog(0);
        QVERIFY(m_dialog->CheckBoxSavePassword->isChecked());
        QVERIFY(m_dialog->EditMySQL_Password->isEnabled());
        QVERIFY(m_dialog->EditMySQL_Password->text().isEmpty());
        Click(m_dialog->CheckBoxSavePassword);
        QVERIFY(!m_dialog->CheckBoxSavePassword->isChecked());
        QVERIFY(!m_dialog->EditMySQL_Password->isEnabled());
        Click(m_dialog->ButApplyGeneralPage);
        QCOMPARE((*m_frame)->Settings.Password, QStringLiteral("secret"));
        QVERIFY(!(*m_frame)->Settings.SavePassword);

        TIniFile(m_frame->SettingsPath())
            .WriteString(QStringLiteral("MySQL"), QStringLiteral("Password"),
                         QStringLiteral("OLDSCRAMBLED"));
        m_feedback->answers = {mbYes};
        (*m_frame)->ActionExitExecute();
        const TIniFile ini(m_frame->SettingsPath());
        QCOMPARE(ini.ReadString(QStringLiteral("MySQL"), QStringLiteral("Password"), "x"),
                 QString());
        QCOMPARE(ini.ReadInteger(QStringLiteral("MySQL"), QStringLiteral("SavePassword"), 9), 0);
    }

    void connectionTestLeavesTheLinkAlone_data()
    {
        QTest::addColumn<int>("server");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        const QString failed = QStringLiteral("Не удалось подключиться к MySQL серверу.");
        QTest::newRow("wrong host") << int(Refusing) << failed << "Ошибка";
        QTest::newRow("silent host") << int(Silent) << failed << "Ошибка";
        QTest::newRow("test server")
            << int(Answering) << "Подключение к серверу успешно установлено."
            << "Тест подключения";
    }
    void connectionTestLeavesTheLinkAlone()
    {
        QFETCH(int, server);
        QFETCH(QString, message);
        MuteServer silent;
        QFETCH(QString, caption);
        QVERIFY(SQLConnection1().Connected());
        (*m_frame)->TimerRefreshStateTimer();
        const QColor lamp = (*m_frame)->LinkColor();
        const QStringList params = SQLConnection1().Params;
        OpenDialog(0);
        m_dialog->EditMySQL_Host->setText(server == Answering    ? TestDb::HostWithPort()
                                              : server == Silent ? silent.Host()
                                                                 : NoServerHost);
        m_dialog->EditMySQL_Login->setText(QString::fromLatin1(TestDb::User));
        m_dialog->CheckBoxSavePassword->setChecked(true);
        m_dialog->EditMySQL_Password->setText(QString::fromLatin1(TestDb::Password));
        m_feedback->clear();
        Click(m_dialog->ButMySQL_Test);
        if (server == Silent) // the dialog is not frozen while the server keeps quiet
            QVERIFY(m_dialog->TestRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!m_dialog->TestRunning(), 10000);
        QCOMPARE(m_feedback->lastText(), message);
        QCOMPARE(m_feedback->messages.last().caption, caption);
        QVERIFY(SQLConnection1().Connected());
        QCOMPARE(SQLConnection1().Params, params);
        QCOMPARE((*m_frame)->LinkColor(), lamp);
        QSqlQuery probe(SQLConnection1().Database());
        QVERIFY(probe.exec(QStringLiteral("select 1")));
    }

    // Each read server is tried after the server itself; the outcome names every one.
    void connectionTestTriesEveryServer_data()
    {
        QTest::addColumn<bool>("replicaAnswers");
        QTest::newRow("all answer") << true;
        QTest::newRow("a read server refuses") << false;
    }
    void connectionTestTriesEveryServer()
    {
        QFETCH(bool, replicaAnswers);
        OpenDialog(0);
        const QString second = replicaAnswers ? TestDb::HostWithPort() : NoServerHost;
        m_dialog->EditMySQL_Host->setText(TestDb::HostWithPort());
        m_dialog->EditMySQL_ReadFrom->setText(QStringLiteral(" %1 , ").arg(second));
        m_dialog->EditMySQL_Login->setText(QString::fromLatin1(TestDb::User));
        m_dialog->CheckBoxSavePassword->setChecked(true);
        m_dialog->EditMySQL_Password->setText(QString::fromLatin1(TestDb::Password));
        m_feedback->clear();
        Click(m_dialog->ButMySQL_Test);
        QTRY_VERIFY_WITH_TIMEOUT(!m_dialog->TestRunning(), 10000);
        QCOMPARE(m_feedback->messages.size(), 1);
        const QString text = m_feedback->lastText();
        QVERIFY2(text.startsWith(replicaAnswers
                                     ? QStringLiteral("Подключение к серверу успешно установлено.")
                                     : QStringLiteral("Не удалось подключиться к MySQL серверу.")),
                 qPrintable(text));
        QVERIFY2(
            text.contains(TestDb::HostWithPort() + QStringLiteral(": подключение установлено")),
            qPrintable(text));
        QVERIFY2(text.contains(second
                               + (replicaAnswers ? QStringLiteral(": подключение установлено")
                                                 : QStringLiteral(": не удалось подключиться"))),
                 qPrintable(text));

        // Applied, the list becomes the frame's setting.
        Click(m_dialog->ButApplyGeneralPage);
        QCOMPARE((*m_frame)->Settings.ReadFrom, QStringLiteral("%1 ,").arg(second));
    }

    void storedColourPaintsTheSwatch()
    {
        TIniFile(m_frame->SettingsPath())
            .WriteString(QStringLiteral("OnColors"), QStringLiteral("Condition"),
                         QStringLiteral("0x0000FF00"));
        OpenDialog(2);
        TOutField *swatch = m_dialog->SwatchesOn[0];
        QCOMPARE(swatch->GetTag(), 10);
        QCOMPARE(m_dialog->SwatchesOff[8]->GetTag(), 91);
        const QImage image = swatch->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(0, 255, 0));
        // The stopped set keeps its default.
        QCOMPARE(m_dialog->SwatchesOff[0]->GetBrush().Color(), clRed);
    }

    void pickedColourIsAcceptedIntoTheFile()
    {
        OpenDialog(2);
        QSignalSpy accepted(&LayoutNotifier(), &TLayoutNotifier::ColoursAccepted);
        WhenModal<QColorDialog>([](QColorDialog *dialog) {
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            dialog->accept();
        });
        QTest::mouseClick(m_dialog->SwatchesOff[3], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(OffColors[3], TColor(0x563412));
        QCOMPARE(m_dialog->SwatchesOff[3]->GetBrush().Color(), TColor(0x563412));
        QCOMPARE(OnColors[3], clYellow);
        QVERIFY(!TIniFile(m_frame->SettingsPath())
                     .ReadSections()
                     .contains(QStringLiteral("OffColors"), Qt::CaseInsensitive));
        Click(m_dialog->ButApplyNewColors);
        QCOMPARE(TIniFile(m_frame->SettingsPath())
                     .ReadString(QStringLiteral("OffColors"), QStringLiteral("HydroCyclone"), {}),
                 QStringLiteral("0x00563412"));
        QCOMPARE(accepted.size(), 1);
        LoadGroupColours(QString());
    }

    void setupModeButtons()
    {
        OpenDialog(2);
        QSignalSpy changed(&LayoutNotifier(), &TLayoutNotifier::SetupModeChanged);
        Click(m_dialog->ButColorConfigOn);
        QVERIFY(InteractiveSetup);
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(!InteractiveSetup);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(changed.size(), 2);
    }

    void actionShowsTheDialogModally()
    {
        m_dialog = std::make_unique<TFormConfig>(m_frame->get());
        QVERIFY((*m_frame)->ActionConfig->isEnabled());
        for (int time = 0; time < 2; ++time) {
            bool wasModal = false;
            WhenModal<TFormConfig>([&wasModal](TFormConfig *dialog) {
                wasModal = true;
                Click(dialog->ButClose);
            });
            (*m_frame)->ActionConfig->trigger();
            QVERIFY(wasModal);
        }
    }

    void constantEditReachesTheServer()
    {
        QVERIFY(TestDb::Exec(TestDb::Open(),
                             QStringLiteral("insert into setup values ('T_EDIT', 1, 'правка')")));
        OpenDialog(1);
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        const int row = RowOf(model, QStringLiteral("T_EDIT"));
        QVERIFY(row >= 0);
        TypeIntoCell(m_dialog->DBGridConstants, model->index(row, 1), QStringLiteral("2.5"));
        QCOMPARE(CountRows(QStringLiteral("ConstName='T_EDIT' and ConstVal=2.5")), 0);
        Click(row == 0 ? m_dialog->NavNext : m_dialog->NavFirst); // leaving the row posts it
        QCOMPARE(CountRows(QStringLiteral("ConstName='T_EDIT' and ConstVal=2.5")), 1);
        QVERIFY(m_feedback->messages.isEmpty());
        QVERIFY(!model->isDirty());
    }

    // "+" opens a row to type into; only leaving it asks for a name.
    void insertAsksForNothingYet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("name typed") << "T_NEW";
        QTest::newRow("nothing typed") << "";
    }
    void insertAsksForNothingYet()
    {
        QFETCH(QString, name);
        OpenDialog(1);
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        const int rows = model->rowCount();
        const int before = CountRows(QStringLiteral("1"));
        Click(m_dialog->NavInsert);
        QVERIFY2(m_feedback->messages.isEmpty(), qPrintable(m_feedback->lastText()));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, name);
        Click(m_dialog->NavFirst); // leaves the new row
        QVERIFY2(m_feedback->messages.isEmpty(), qPrintable(m_feedback->lastText()));
        QVERIFY(!model->isDirty());
        QCOMPARE(model->rowCount(), rows + (name.isEmpty() ? 0 : 1));
        QCOMPARE(CountRows(QStringLiteral("1")), before + (name.isEmpty() ? 0 : 1));
        QCOMPARE(m_dialog->DBGridConstants->currentIndex().row(), 0);
    }

    // A change the server refuses is dropped on closing only when the operator says so; until
    // then the cursor stays on it, and the operator may drop just that row.
    void refusedChangeSurvivesClosing_data()
    {
        QTest::addColumn<bool>("drop");
        QTest::newRow("keep, the default") << false;
        QTest::newRow("drop") << true;
    }
    void refusedChangeSurvivesClosing()
    {
        QFETCH(bool, drop);
        OpenDialog(1);
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        const int before = CountRows(QStringLiteral("1"));
        Click(m_dialog->NavInsert);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("PLSZ_MIN")); // already on the server
        QTest::keyClick(editor, Qt::Key_Return);
        const int row = m_dialog->DBGridConstants->currentIndex().row();
        Click(m_dialog->NavFirst);
        QVERIFY(m_feedback->lastText().contains(QStringLiteral("Duplicate")));
        QCOMPARE(m_dialog->DBGridConstants->currentIndex().row(), row);

        m_feedback->clear();
        if (drop)
            m_feedback->answers = {mbOK, mbYes};
        Click(m_dialog->ButClose);
        QCOMPARE(m_feedback->messages.size(), 2);
        const RecordingFeedback::Message question = m_feedback->messages.last();
        QVERIFY(question.text.contains(QStringLiteral("Отказаться от несохранённых изменений")));
        QCOMPARE(question.buttons, mbYes | mbNo);
        QCOMPARE(question.defaultButton, int(mbNo));
        QCOMPARE(m_dialog->isVisible(), !drop);
        QCOMPARE(model->isDirty(), !drop);
        if (!drop) {
            QCOMPARE(model->index(row, model->fieldIndex(QStringLiteral("ConstName"))).data(),
                     QVariant(QStringLiteral("PLSZ_MIN")));
            auto *cancel = m_dialog->findChild<QToolButton *>(QStringLiteral("NavCancel"));
            QVERIFY(cancel);
            Click(cancel);
            QVERIFY(!model->isDirty());
            m_feedback->clear();
            Click(m_dialog->ButClose);
            QVERIFY(m_feedback->messages.isEmpty());
            QVERIFY(!m_dialog->isVisible());
        }
        QCOMPARE(CountRows(QStringLiteral("1")), before);
    }

    void constantsPageSaysWhenThereIsNoLink()
    {
        m_frame.reset();
        m_frame = std::make_unique<FrameUnderTest>(NoServerHost);
        QVERIFY(!SQLConnection1().Connected());
        OpenDialog(1);
        auto *line = m_dialog->findChild<QLabel *>(QStringLiteral("LabelNoLink"));
        QVERIFY(line);
        QVERIFY(line->isVisible());
        QVERIFY(line->text().startsWith(QStringLiteral("Нет связи с сервером")));
        const QList<QAbstractButton *> navigator {
            m_dialog->NavFirst,  m_dialog->NavPrior,  m_dialog->NavNext,         m_dialog->NavLast,
            m_dialog->NavInsert, m_dialog->NavDelete, m_dialog->ButSaveConstants};
        for (QAbstractButton *button : navigator)
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));

        SetConnectionParam(QStringLiteral("HostName"), TestDb::HostWithPort());
        QVERIFY(SQLConnection1().Open());
        QTRY_VERIFY(m_dialog->NavInsert->isEnabled());
        QVERIFY(!line->isVisible());
        for (QAbstractButton *button : navigator)
            QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        QVERIFY(RowOf(model, QStringLiteral("PLSZ_MIN")) >= 0);
        QCOMPARE(model->headerData(model->fieldIndex(QStringLiteral("ConstName")), Qt::Horizontal),
                 QVariant(QStringLiteral("Краткое имя")));
    }

    // The titles, the number editor and the name check follow the names, not the positions.
    void columnsAreTakenByName()
    {
        TReorderedSetup reordered;
        QVERIFY(reordered.ok);
        OpenDialog(1);
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        const int name = model->fieldIndex(QStringLiteral("ConstName"));
        const int value = model->fieldIndex(QStringLiteral("ConstVal"));
        const int comment = model->fieldIndex(QStringLiteral("Comment"));
        QCOMPARE(QList<int>({name, value, comment}), QList<int>({2, 3, 1}));
        QCOMPARE(model->headerData(name, Qt::Horizontal).toString(), QStringLiteral("Краткое имя"));
        QCOMPARE(model->headerData(value, Qt::Horizontal).toString(), QStringLiteral("Значение"));
        QCOMPARE(model->headerData(comment, Qt::Horizontal).toString(), QStringLiteral("Описание"));
        QTableView *grid = m_dialog->DBGridConstants;
        QVERIFY(grid->itemDelegateForColumn(value));
        QVERIFY(!grid->itemDelegateForColumn(comment));
        // Sorted by name.
        QVERIFY(model->index(0, name).data().toString() <= model->index(1, name).data().toString());

        Click(m_dialog->NavInsert);
        const int row = grid->currentIndex().row();
        QCOMPARE(grid->currentIndex().column(), name);
        TypeIntoCell(grid, model->index(row, comment), QStringLiteral("без имени"));
        Click(m_dialog->ButSaveConstants);
        QCOMPARE(m_feedback->lastText(), QStringLiteral("Не заполнено краткое имя константы."));
        TypeIntoCell(grid, model->index(row, name), QStringLiteral("T_NAMED"));
        TypeIntoCell(grid, model->index(row, value), QStringLiteral("2.5"));
        Click(m_dialog->ButSaveConstants);
        QCOMPARE(CountRows(QStringLiteral("ConstName='T_NAMED' and ConstVal=2.5 and "
                                          "Comment='без имени'")),
                 1);
    }

    void refusedInsertKeepsTheTyping_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("duplicate name") << "PLSZ_MIN"
                                        << "Duplicate";
        QTest::newRow("empty name") << ""
                                    << "Не заполнено краткое имя константы.";
    }
    void refusedInsertKeepsTheTyping()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        OpenDialog(1);
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        QTableView *grid = m_dialog->DBGridConstants;
        const int before = CountRows(QStringLiteral("1"));
        Click(m_dialog->NavInsert);
        const int row = grid->currentIndex().row();
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        TypeIntoCell(grid, model->index(row, 2), QStringLiteral("не потерять"));
        Click(m_dialog->ButSaveConstants);

        QVERIFY(!m_feedback->messages.isEmpty());
        QVERIFY2(m_feedback->lastText().contains(message), qPrintable(m_feedback->lastText()));
        QCOMPARE(m_feedback->messages.last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(CountRows(QStringLiteral("1")), before);
        // The typed row is still there, and marked as not stored.
        QCOMPARE(model->index(row, 2).data().toString(), QStringLiteral("не потерять"));
        QCOMPARE(model->index(row, 0).data().toString(), name);
        QVERIFY(model->isDirty(model->index(row, 0)));
        QVERIFY(model->index(row, 0).data(Qt::BackgroundRole).isValid());

        // Corrected, the same row goes through.
        TypeIntoCell(grid, model->index(row, 0), QStringLiteral("T_FIXED"));
        Click(m_dialog->ButSaveConstants);
        QCOMPARE(CountRows(QStringLiteral("ConstName='T_FIXED' and Comment='не потерять'")), 1);
        QVERIFY(!model->isDirty());
    }

    void deletionIsAskedAndPosted_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("yes") << int(mbYes) << true;
        QTest::newRow("no, the default") << int(mbNone) << false;
    }
    void deletionIsAskedAndPosted()
    {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        QVERIFY(TestDb::Exec(TestDb::Open(),
                             QStringLiteral("insert into setup values ('T_GONE', 1, NULL)")));
        OpenDialog(1);
        QSqlTableModel *model = m_dialog->SQLClientDataSetSetup;
        const int row = RowOf(model, QStringLiteral("T_GONE"));
        QVERIFY(row >= 0);
        m_dialog->DBGridConstants->setCurrentIndex(model->index(row, 0));
        if (answer != mbNone)
            m_feedback->answers = {answer};
        Click(m_dialog->NavDelete);
        QCOMPARE(m_feedback->messages.size(), 1);
        QCOMPARE(m_feedback->lastText(), QStringLiteral("Удалить константу «T_GONE»?"));
        QCOMPARE(m_feedback->messages.last().defaultButton, int(mbNo));
        QCOMPARE(CountRows(QStringLiteral("ConstName='T_GONE'")), deleted ? 0 : 1);
        QCOMPARE(RowOf(model, QStringLiteral("T_GONE")) == -1, deleted);
        QVERIFY(!model->isDirty());
    }
};

TALMER_TEST(TestFormConfig)
#include "TestFormConfig.moc"
