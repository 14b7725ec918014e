#include "app/Vbcrypt.h"
#include "base/Random.h"
#include "common/TestMain.h"

#include <QSet>
#include <QTest>

class TestVbcrypt : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("eight characters") << "pa$$w0rd" << 1u;
        QTest::newRow("eight characters, other seed") << "pa$$w0rd" << 77u;
        QTest::newRow("one character") << "x" << 2u;
        QTest::newRow("empty") << "" << 3u;
        QTest::newRow("cyrillic") << "Пароль-Оператора" << 4u;
        QTest::newRow("outside the basic plane") << "key\U0001F511" << 5u;
        QTest::newRow("control and high latin") << "\t\u00FF\u0001 ~" << 6u;
        QTest::newRow("thirty-one characters") << QString(31, QLatin1Char('Z')) << 7u;
    }

    void roundTrip()
    {
        QFETCH(QString, password);
        QFETCH(quint32, seed);
        SeedRandom(seed);
        const QString stored = ScramblePassword(password);

        QCOMPARE(stored.size(), 50 + 4 * password.toUtf8().size());
        for (const QChar c : stored)
            QVERIFY2(c.unicode() >= 48 && c.unicode() <= 90, qPrintable(stored));
        const QString alphabet = stored.right(16);
        QCOMPARE(QSet<QChar>(alphabet.begin(), alphabet.end()).size(), 16);

        QString back;
        QVERIFY(TryUnscramblePassword(stored, back));
        QCOMPARE(back, password);
        QCOMPARE(UnscramblePassword(stored), password);
    }

    void scramblesDifferentlyEachTime()
    {
        SeedRandom(11);
        const QString first = ScramblePassword(QStringLiteral("operator"));
        const QString second = ScramblePassword(QStringLiteral("operator"));
        QVERIFY(first != second);
        QCOMPARE(UnscramblePassword(second), UnscramblePassword(first));
    }

    // Stored texts written by hand with the identity alphabet, so the digits read as they stand:
    // lead byte, sixteen offsets (row r has offset 0x10 * r, so a wrong row shows), then pairs.
    void unscrambleKnownText_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("password");
        const QString header = QStringLiteral("7F00102030405060708090A0B0C0D0E0F0");
        QTest::newRow("row 0") << header + "0041"
                               << "A";
        QTest::newRow("row taken mod 16") << header + "1331"
                                          << "a";
        QTest::newRow("sum wraps at 256") << header + "0F13"
                                          << "\x03";
        QTest::newRow("two characters") << header + "0041" + "0142"
                                        << "AR";
        QTest::newRow("leftover digits ignored") << header + "0041" + "012"
                                                 << "A";
        QTest::newRow("foreign characters dropped") << header + "00xy41"
                                                    << "A";
        QTest::newRow("no pairs") << header << "";
        QTest::newRow("two-byte character") << header + "00D0" + "0FA0"
                                            << "\u0410";
    }

    void unscrambleKnownText()
    {
        QFETCH(QString, body);
        QFETCH(QString, password);
        QString back;
        QVERIFY(TryUnscramblePassword(body + QStringLiteral("0123456789ABCDEF"), back));
        QCOMPARE(back, password);
    }

    void damagedTextFails_data()
    {
        QTest::addColumn<QString>("stored");
        const QString alphabet = QStringLiteral("0123456789ABCDEF");
        QTest::newRow("empty") << "";
        QTest::newRow("shorter than the alphabet") << "0123456789ABCDE";
        QTest::newRow("alphabet only") << alphabet;
        QTest::newRow("offsets cut short") << "7F00102030" + alphabet;
        QTest::newRow("no digit in the body") << QString(40, QLatin1Char('z')) + alphabet;
        QTest::newRow("byte that is not UTF-8")
            << "7F00102030405060708090A0B0C0D0E0F0" + QStringLiteral("00FF") + alphabet;
    }

    void damagedTextFails()
    {
        QFETCH(QString, stored);
        QString back = QStringLiteral("unchanged");
        QVERIFY(!TryUnscramblePassword(stored, back));
        QCOMPARE(back, QStringLiteral("unchanged"));
        QCOMPARE(UnscramblePassword(stored), QString());
    }
};

TALMER_TEST(TestVbcrypt)
#include "TestVbcrypt.moc"
