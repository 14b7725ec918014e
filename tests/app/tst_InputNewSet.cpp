#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "app/Connection.h"
#include "app/InputNewSet.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "base/Formats.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

struct CommandRow
{
    QString UserName;
    double PLSZ;
    double TNZ;
    bool PLSZNull;
    bool TNZNull;
};

QList<CommandRow> CommandRows()
{
    QList<CommandRow> rows;
    QSqlQuery query(TestDb::Open());
    query.exec(
        QStringLiteral("SELECT UserName, _PLSZ, _TNZ, RecMoment FROM control_vector ORDER BY Id"));
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toDouble(),
                     query.value(2).toDouble(), query.isNull(1), query.isNull(2)});
    return rows;
}

const QString DensityRange = QStringLiteral("Задание плотности вне допустимого диапазона.");
const QString LoadRange = QStringLiteral("Задание нагрузки вне допустимого диапазона.");
const QString BadNumber = QStringLiteral("Правильно вводите числа.");

} // namespace

class TestInputNewSet : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(TestDb::Truncate(TestDb::Open(), {QStringLiteral("control_vector")})); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void setPoint_data()
    {
        QTest::addColumn<bool>("density");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("stored"); // negative: nothing is sent
        QTest::addColumn<QString>("message");

        const int enter = Qt::Key_Return;
        QTest::newRow("density low end") << true << "C"
                                         << "1600" << enter << 1600.0 << "";
        QTest::newRow("density high end") << true << "C"
                                          << "2100" << enter << 2100.0 << "";
        QTest::newRow("density below") << true << "C"
                                       << "1599.9" << enter << -1.0 << DensityRange;
        QTest::newRow("density above") << true << "C"
                                       << "2100.1" << enter << -1.0 << DensityRange;
        QTest::newRow("load low end") << false << "C"
                                      << "50" << enter << 50.0 << "";
        QTest::newRow("load high end") << false << "C"
                                       << "240" << enter << 240.0 << "";
        QTest::newRow("load below") << false << "C"
                                    << "49" << enter << -1.0 << LoadRange;
        QTest::newRow("load above") << false << "C"
                                    << "241" << enter << -1.0 << LoadRange;
        QTest::newRow("comma locale, comma") << true << "ru_RU"
                                             << "1850,5" << enter << 1850.5 << "";
        QTest::newRow("comma locale, point") << true << "ru_RU"
                                             << "1850.5" << enter << -1.0 << BadNumber;
        QTest::newRow("empty") << false << "C"
                               << "" << enter << -1.0 << BadNumber;
        QTest::newRow("letters") << false << "C"
                                 << "12a" << enter << -1.0 << BadNumber;
        QTest::newRow("cancelled") << true << "C"
                                   << "1800" << int(Qt::Key_Escape) << -1.0 << "";
    }
    void setPoint()
    {
        QFETCH(bool, density);
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QFETCH(int, key);
        QFETCH(double, stored);
        QFETCH(QString, message);
        QLocale::setDefault(QLocale(locale));

        RecordingFeedback feedback;
        FrameUnderTest frame;
        QAction *action = density ? frame->ActionSetPLSZ : frame->ActionSet_TNZ;
        QVERIFY(action->isEnabled());
        QString label;
        AnswerDialog(input, Qt::Key(key), &label);
        action->trigger();

        QCOMPARE(label,
                 density ? QStringLiteral("Заданная плотность суспензии:")
                         : QStringLiteral("Заданная нагрузка, т/час:"));
        const QList<CommandRow> rows = CommandRows();
        if (stored < 0) {
            QCOMPARE(rows.size(), 0);
        } else {
            QCOMPARE(rows.size(), 1);
            QCOMPARE(density ? rows[0].PLSZ : rows[0].TNZ, stored);
            QVERIFY(density ? rows[0].TNZNull : rows[0].PLSZNull);
            QVERIFY(rows[0].UserName.startsWith(QLatin1String(TestDb::User)));
        }
        if (message.isEmpty()) {
            QVERIFY(feedback.messages.isEmpty());
        } else {
            QCOMPARE(feedback.messages.size(), 1);
            QCOMPARE(feedback.lastText(), message);
            QCOMPARE(feedback.messages[0].caption, QStringLiteral("Ошибка"));
            QCOMPARE(feedback.messages[0].icon, TMsgIcon::Error);
        }
    }

    // Beside the input the dialog shows what the newest record says, and warns while the lamp is
    // not green; the command goes out all the same, once.
    void dialogInformsOfValuesAndLink_data()
    {
        QTest::addColumn<bool>("density");
        QTest::addColumn<int>("heartbeatAge"); // seconds
        QTest::addColumn<QString>("current");
        QTest::newRow("density, lamp green")
            << true << 0 << "Сейчас: 1652.3 кг/м3, задание в силе: 1650.0 кг/м3";
        QTest::newRow("load, lamp red")
            << false << 60 << "Сейчас: 180.5 т/ч, задание в силе: нет данных";
        QTest::newRow("density, lamp yellow")
            << true << 7 << "Сейчас: 1652.3 кг/м3, задание в силе: 1650.0 кг/м3";
    }
    void dialogInformsOfValuesAndLink()
    {
        QFETCH(bool, density);
        QFETCH(int, heartbeatAge);
        QFETCH(QString, current);
        const QSqlDatabase db = TestDb::Open();
        QVERIFY(TestDb::Truncate(db, {QStringLiteral("pu_data")}));
        const TMoment now = Now();
        QVERIFY(TestDb::Exec(
            db,
            QStringLiteral("INSERT INTO pu_data (RecMoment, PLS, PLSZ, TNK23, TNZ) VALUES "
                           "('%1', 1652.3, 1650, 180.5, NULL)")
                .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), now))));
        QVERIFY(
            TestDb::Exec(db,
                         QStringLiteral("REPLACE INTO last_state (Id, RecMoment) VALUES (1, '%1')")
                             .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"),
                                                 now - heartbeatAge / 86400.0))));
        RecordingFeedback feedback;
        FrameUnderTest frame;
        frame->TimerRefreshStateTimer();
        QCOMPARE(frame->LinkColor() == LinkGreen, heartbeatAge == 0);
        QString shown;
        bool warned = true;
        QString label;
        AnswerDialog(density ? QStringLiteral("1800") : QStringLiteral("100"), Qt::Key_Return,
                     &label, [&] {
                         shown = FormInputNewSet->LabelCurrent->text();
                         warned = FormInputNewSet->LabelLinkWarning->isVisible();
                     });
        (density ? frame->ActionSetPLSZ : frame->ActionSet_TNZ)->trigger();
        QCOMPARE(shown, current);
        QCOMPARE(warned, heartbeatAge != 0);
        QCOMPARE(CommandRows().size(), 1);
        QCOMPARE(density ? CommandRows()[0].PLSZ : CommandRows()[0].TNZ, density ? 1800.0 : 100.0);
        QVERIFY(feedback.messages.isEmpty());
    }

    // The link goes while the operator types: closed by the refresh, or dropped by the server
    // unnoticed. The command is not sent, and the operator is told that there is no link.
    void linkLostWhileAsking_data()
    {
        QTest::addColumn<bool>("byServer");
        QTest::newRow("closed by the refresh") << false;
        QTest::newRow("dropped by the server") << true;
    }
    void linkLostWhileAsking()
    {
        QFETCH(bool, byServer);
        RecordingFeedback feedback;
        FrameUnderTest frame;
        QSqlQuery id(SQLConnection1().Database());
        QVERIFY(id.exec(QStringLiteral("select connection_id()")) && id.next());
        const QString kill = QStringLiteral("KILL ") + id.value(0).toString();
        QString label;
        AnswerDialog(QStringLiteral("1800"), Qt::Key_Return, &label, [&] {
            if (byServer)
                TestDb::Exec(TestDb::Open(), kill);
            else
                SQLConnection1().Close();
        });
        frame->ActionSetPLSZ->trigger();
        QCOMPARE(CommandRows().size(), 0);
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(),
                 QStringLiteral("Задание не отправлено: нет связи с сервером базы данных."));
        QCOMPARE(feedback.messages[0].caption, QStringLiteral("Ошибка"));
    }

    // Without a link the commands are disabled, and a command that still arrives (as a click on
    // the diagram does) neither asks nor sends.
    void noLinkNoCommand()
    {
        RecordingFeedback feedback;
        FrameUnderTest frame(NoServerHost);
        QCOMPARE(feedback.lastText(), QStringLiteral("Не удается подключиться к MySQL серверу."));
        QVERIFY(!frame->ActionSetPLSZ->isEnabled());
        QVERIFY(!frame->ActionSet_TNZ->isEnabled());
        bool asked = false;
        QTimer::singleShot(300, [&] {
            asked = FormInputNewSet->isVisible();
            FormInputNewSet->reject();
        });
        frame->ActionSetPLSZExecute();
        QTest::qWait(400);
        QVERIFY(!asked);
        QCOMPARE(CommandRows().size(), 0);
    }
};

TALMER_TEST(TestInputNewSet)
#include "tst_InputNewSet.moc"
