#include "FrameTestKit.h"
#include "app/Connection.h"
#include "app/LinkKeeper.h"
#include "common/RecordingFeedback.h"
#include "common/TestDb.h"
#include "common/TestMain.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

const QStringList InitialParams {
    "HostName=127.0.0.1", "Database=kv512",     "User_Name=",     "Password=",
    "BlobSize=-1",        "ErrorResourceFile=", "LocaleCode=0000"};

bool Answers(const TSQLConnection &connection)
{
    QSqlQuery query(connection.Database());
    return query.exec(QStringLiteral("select 1")) && query.next() && query.value(0).toInt() == 1;
}

// Opens the main link to the test server and waits for the attempt to end.
bool OpenMainLink()
{
    SQLConnection1().Close();
    TConnectionOpener opener(SQLConnection1());
    ConnectDatabase(opener, TestDb::HostWithPort(), QString::fromLatin1(TestDb::User),
                    QString::fromLatin1(TestDb::Password), 5);
    return QTest::qWaitFor([&] { return !opener.Running(); }, 10000)
        && SQLConnection1().Connected();
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void setConnectionParam_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("line");
        QTest::newRow("password") << "Password"
                                  << "secret" << 3;
        QTest::newRow("host with port") << "HostName"
                                        << "10.1.1.1:3307" << 0;
        QTest::newRow("user") << "User_Name"
                              << "operator" << 2;
        QTest::newRow("unknown name is appended") << "Port"
                                                  << "3307" << 7;
        QTest::newRow("first line containing the name") << "Name"
                                                        << "x" << 0;
    }

    void setConnectionParam()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(int, line);
        TSQLConnection connection(QStringLiteral("params"));
        SetConnectionParam(name, value, &connection);
        QStringList expected = InitialParams;
        if (line == expected.size())
            expected.append(QString());
        expected[line] = name + QLatin1Char('=') + value;
        QCOMPARE(connection.Params, expected);
    }

    void clientProfile_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("vendor");
        QTest::newRow("5") << 5 << "getSQLDriverMYSQL50"
                           << "dbxopenmysql50.dll"
                           << "libmySQL5.dll";
        QTest::newRow("4") << 4 << "getSQLDriverMYSQL"
                           << "dbexpmysql.dll"
                           << "libmySQL4.dll";
        QTest::newRow("0") << 0 << "getSQLDriverMYSQL"
                           << "dbexpmysql.dll"
                           << "libmySQL4.dll";
    }

    void clientProfile()
    {
        QFETCH(int, version);
        QFETCH(QString, entry);
        QFETCH(QString, library);
        QFETCH(QString, vendor);
        TSQLConnection connection(QStringLiteral("profile"));
        connection.SetClientProfile(version);
        QCOMPARE(connection.GetDriverFunc, entry);
        QCOMPARE(connection.LibraryName, library);
        QCOMPARE(connection.VendorLib, vendor);
    }

    void copyConnection()
    {
        TSQLConnection from(QStringLiteral("from")), to(QStringLiteral("to"));
        from.ConnectionName = QStringLiteral("Other");
        from.SetClientProfile(4);
        SetConnectionParam(QStringLiteral("User_Name"), QStringLiteral("op"), &from);
        to.VendorLib = QStringLiteral("kept.so");
        to.Params = QStringList {QStringLiteral("Junk=1")};

        CopyConnection(&from, nullptr);
        CopyConnection(nullptr, &to);
        QCOMPARE(to.Params, QStringList {QStringLiteral("Junk=1")});

        CopyConnection(&from, &to);
        QCOMPARE(to.ConnectionName, QStringLiteral("Other"));
        QCOMPARE(to.GetDriverFunc, QStringLiteral("getSQLDriverMYSQL"));
        QCOMPARE(to.LibraryName, QStringLiteral("dbexpmysql.dll"));
        QCOMPARE(to.VendorLib, QStringLiteral("kept.so"));
        QCOMPARE(to.Params, from.Params);
        QCOMPARE(to.Name(), QStringLiteral("to"));
    }

    // The start-up connection through a server that answers, refuses the login, refuses the
    // port, hangs up, or never greets: the box for a failure, and never a wait on the way.
    void connectDatabase_data()
    {
        QTest::addColumn<int>("server"); // 0 test server, 1 no listener, 2 mute, 3 hangs up
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("answered");
        QTest::newRow("server") << 0 << TestDb::Password << true << true;
        QTest::newRow("wrong password") << 0 << "wrong" << false << true;
        QTest::newRow("no server on that port") << 1 << TestDb::Password << false << false;
        QTest::newRow("never greets") << 2 << TestDb::Password << false << false;
        QTest::newRow("hangs up") << 3 << TestDb::Password << false << false;
    }
    void connectDatabase()
    {
        QFETCH(int, server);
        QFETCH(QString, password);
        QFETCH(bool, opened);
        QFETCH(bool, answered);
        RecordingFeedback feedback;
        MuteServer mute(server == 3);
        const QString hosts[] = {TestDb::HostWithPort(), NoServerHost, mute.Host(), mute.Host()};
        SQLConnection1().Close();
        TConnectionOpener opener(SQLConnection1());
        ConnectDatabase(opener, hosts[server], QString::fromLatin1(TestDb::User), password, 4);
        QCOMPARE(SQLConnection1().GetDriverFunc, QStringLiteral("getSQLDriverMYSQL"));
        QCOMPARE(SQLConnection1().ParamValue("HostName"), hosts[server]);
        // Nothing waited for the server inside the call.
        QVERIFY(opener.Running());
        QVERIFY(feedback.messages.isEmpty());

        QTRY_VERIFY_WITH_TIMEOUT(!opener.Running(), TConnectionOpener::AnswerTimeout + 2000);
        QCOMPARE(SQLConnection1().Connected(), opened);
        QCOMPARE(opener.Answered(), answered);
        if (opened) {
            QCOMPARE(feedback.messages.size(), 0);
            QCOMPARE(SQLConnection1().Database().databaseName(), QStringLiteral("kv512"));
            QVERIFY(Answers(SQLConnection1()));
        } else {
            QVERIFY(!opener.LastError().isEmpty());
            QCOMPARE(feedback.messages.size(), 1);
            QCOMPARE(feedback.messages[0].text,
                     QStringLiteral("Не удается подключиться к MySQL серверу."));
            QCOMPARE(feedback.messages[0].caption, QStringLiteral("Ошибка"));
            QCOMPARE(feedback.messages[0].icon, TMsgIcon::Error);
            // Later attempts are silent.
            opener.Start();
            QTRY_VERIFY_WITH_TIMEOUT(!opener.Running(), TConnectionOpener::AnswerTimeout + 2000);
            QCOMPARE(feedback.messages.size(), 1);
        }
    }

    // Only a refused login waits out the long pause; a server that greets while it cannot take
    // the client yet (starting, too busy) is asked again soon.
    void keeperPausesLongOnlyForARefusedLogin_data()
    {
        QTest::addColumn<int>("server"); // 0 test server, 1 no listener, 2 busy
        QTest::addColumn<QString>("password");
        QTest::addColumn<qint64>("pause");
        QTest::newRow("wrong password") << 0 << "wrong" << TLinkKeeper::LoginRetryPause;
        QTest::newRow("no server on that port")
            << 1 << TestDb::Password << TLinkKeeper::ReconnectPause;
        QTest::newRow("too many connections")
            << 2 << TestDb::Password << TLinkKeeper::ReconnectPause;
    }
    void keeperPausesLongOnlyForARefusedLogin()
    {
        QFETCH(int, server);
        QFETCH(QString, password);
        QFETCH(qint64, pause);
        BusyServer busy;
        const QString hosts[] = {TestDb::HostWithPort(), NoServerHost, busy.Host()};
        SQLConnection1().Close();
        SetConnectionParam(QStringLiteral("HostName"), hosts[server]);
        SetConnectionParam(QStringLiteral("User_Name"), QString::fromLatin1(TestDb::User));
        SetConnectionParam(QStringLiteral("Password"), password);
        TLinkKeeper keeper(SQLConnection1());
        QSignalSpy finished(&keeper, &TLinkKeeper::Finished);
        keeper.Keep();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, TConnectionOpener::AnswerTimeout + 2000);
        QCOMPARE(finished[0][0].toBool(), false);
        QCOMPARE(keeper.Opener().Answered(), server != 1);
        QCOMPARE(keeper.Pause(), pause);
        QVERIFY(OpenMainLink());
    }

    // The configuration dialog's test connection is a copy; opening, failing and closing it must
    // leave the main link working.
    void testConnectionLeavesMainLinkAlone()
    {
        QVERIFY(OpenMainLink());
        {
            TSQLConnection test(QStringLiteral("SQLConnectionTest"));
            CopyConnection(&SQLConnection1(), &test);
            SetConnectionParam(QStringLiteral("HostName"), NoServerHost, &test);
            QVERIFY(!test.Open());
            QVERIFY(!test.LastError().isEmpty());
            QVERIFY(Answers(SQLConnection1()));

            SetConnectionParam(QStringLiteral("HostName"), TestDb::HostWithPort(), &test);
            QVERIFY(test.Open());
            QVERIFY(Answers(test));
            test.Close();
        }
        QVERIFY(SQLConnection1().Connected());
        QVERIFY(Answers(SQLConnection1()));
    }
};

TALMER_TEST(TestConnection)
#include "TestConnection.moc"
