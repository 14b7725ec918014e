#include "app/Connection.h"
#include "common/RecordingFeedback.h"
#include "common/TestDb.h"
#include "common/TestMain.h"

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

    void connectFailsWithMessage_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("password");
        QTest::newRow("wrong password") << TestDb::HostWithPort() << "wrong";
        QTest::newRow("no server on that port") << "127.0.0.1:1" << TestDb::Password;
    }

    void connectFailsWithMessage()
    {
        QFETCH(QString, host);
        QFETCH(QString, password);
        RecordingFeedback feedback;
        SQLConnection1().Close();
        QVERIFY(!ConnectDatabase(host, QString::fromLatin1(TestDb::User), password, 5));
        QVERIFY(!SQLConnection1().Connected());
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.messages[0].text,
                 QStringLiteral("Не удается подключиться к MySQL серверу."));
        QCOMPARE(feedback.messages[0].caption, QStringLiteral("Ошибка"));
        QCOMPARE(feedback.messages[0].icon, TMsgIcon::Error);
    }

    void connectWithHostAndPort()
    {
        RecordingFeedback feedback;
        SQLConnection1().Close();
        QVERIFY(ConnectDatabase(TestDb::HostWithPort(), QString::fromLatin1(TestDb::User),
                                QString::fromLatin1(TestDb::Password), 4));
        QCOMPARE(feedback.messages.size(), 0);
        QVERIFY(SQLConnection1().Connected());
        QCOMPARE(SQLConnection1().Database().connectionName(), QStringLiteral("SQLConnection1"));
        QCOMPARE(SQLConnection1().Database().databaseName(), QStringLiteral("kv512"));
        QCOMPARE(SQLConnection1().ParamValue("HostName"), TestDb::HostWithPort());
        QCOMPARE(SQLConnection1().GetDriverFunc, QStringLiteral("getSQLDriverMYSQL"));
        QVERIFY(Answers(SQLConnection1()));
    }

    // The configuration dialog's test connection is a copy; opening, failing and closing it must
    // leave the main link working.
    void testConnectionLeavesMainLinkAlone()
    {
        QVERIFY(ConnectDatabase(TestDb::HostWithPort(), QString::fromLatin1(TestDb::User),
                                QString::fromLatin1(TestDb::Password), 5));
        {
            TSQLConnection test(QStringLiteral("SQLConnectionTest"));
            CopyConnection(&SQLConnection1(), &test);
            SetConnectionParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1:1"), &test);
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

    void reconnect()
    {
        QVERIFY(ConnectDatabase(TestDb::HostWithPort(), QString::fromLatin1(TestDb::User),
                                QString::fromLatin1(TestDb::Password), 5));
        SetConnectionParam(QStringLiteral("Password"), QStringLiteral("wrong"));
        QVERIFY(SQLConnection1().Open()); // already open: nothing to do
        QVERIFY(!Reconnect());
        QVERIFY(!SQLConnection1().Connected());
        SetConnectionParam(QStringLiteral("Password"), QString::fromLatin1(TestDb::Password));
        QVERIFY(Reconnect());
        QVERIFY(Answers(SQLConnection1()));
    }
};

TALMER_TEST(TestConnection)
#include "TestConnection.moc"
