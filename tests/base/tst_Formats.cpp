#include "TestMain.h"
#include "base/Formats.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <limits>

// Number pictures are checked under both decimal separators: the expected texts are written with
// "." and "," and translated to the locale's decimal and group separators.
class TestFormats : public QObject
{
    Q_OBJECT

    static QList<QLocale> Locales() { return {QLocale::c(), QLocale(QLocale::Russian)}; }

    static QString Localised(const QString &text, const QLocale &locale)
    {
        QString out;
        for (QChar c : text)
            out += c == u'.' ? locale.decimalPoint() : c == u',' ? locale.groupSeparator() : c;
        return out;
    }

    static QString LocaleTag(const QLocale &locale) { return locale.decimalPoint(); }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void formatFloat_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        struct Case
        {
            const char *name;
            const char *pattern;
            double value;
            const char *expected;
        };
        const Case cases[] = {
            {"integer", "###0", 1952.4, "1952"},
            {"integer zero", "###0", 0, "0"},
            {"integer negative", "###0", -3.5, "-4"},
            {"half up", "0", 2.5, "3"},
            {"half up odd", "0", 1.5, "2"},
            {"half negative", "0", -2.5, "-3"},
            {"half below one", "0", 0.5, "1"},
            {"binary 0.15", "#0.0", 0.15, "0.2"},
            {"binary -0.15", "#0.0", -0.15, "-0.2"},
            {"binary 2.675", "0.00", 2.675, "2.68"},
            {"binary 1.005", "0.00", 1.005, "1.01"},
            {"carry into new digit", "0.0", 9.96, "10.0"},
            {"three decimals", "#0.000", 0.0005, "0.001"},
            {"small fraction", "#0.000", 0.05, "0.050"},
            {"unit literal", "###0 кг/м3", 1952.4, "1952 кг/м3"},
            {"percent literal", "###0 %", 100, "100 %"},
            {"percent literal zero", "###0 %", 0, "0 %"},
            {"spaced small", "# ### ##0.0; ;  ", 5.25, "  5.3"},
            {"spaced thousands", "# ### ##0.0; ;  ", 1234.56, " 1 234.6"},
            {"spaced millions", "# ### ##0.0; ;  ", 1234567.8, "1 234 567.8"},
            {"spaced overflow", "# ### ##0.0; ;  ", 12345678.9, "12 345 678.9"},
            {"spaced tens", "# ### ##0.0", 12.3, "  12.3"},
            {"spaced four digits", "# ### ##0.0", 1952.4, " 1 952.4"},
            {"spaced negative", "# ##0", -12, "- 12"},
            {"spaced negative blank", "# ### ##0.0; ;  ", -1, " "},
            {"spaced zero", "# ### ##0.0; ;  ", 0, "  "},
            {"spaced rounds to zero", "# ### ##0.0; ;  ", 0.04, "  "},
            {"grouping", "#,##0.00", 1234567.891, "1,234,567.89"},
            {"grouping small", "#,##0.00", 12.5, "12.50"},
            {"grouping carry", "#,##0", 999.5, "1,000"},
            {"grouping negative", "#,##0", -1234, "-1,234"},
            {"negative section", "0.00;(0.00)", -5.255, "(5.26)"},
            {"negative section positive", "0.00;(0.00)", 5.255, "5.26"},
            {"two sections zero", "0.00;(0.00)", 0, "0.00"},
            {"negative rounds to zero", "0.00;(0.00)", -0.001, "0.00"},
            {"zero section", "0.00;(0.00);'zero'", 0, "zero"},
            {"zero section rounded", "0.00;(0.00);'zero'", 0.004, "zero"},
            {"zero section negative rounded", "0.00;(0.00);'zero'", -0.004, "zero"},
            {"empty negative section", "0.0;;'nil'", -2.25, "-2.3"},
            {"empty zero section", "0.0;(0.0);", 0, "0.0"},
            {"fourth section ignored", "0;(0);z;w", 0, "z"},
            {"quoted semicolon in section", "0;'a;b';z", -1, "a;b"},
            {"no minus for zero", "0.0", -0.04, "0.0"},
            {"scientific", "0.00E+00", 12345, "1.23E+04"},
            {"scientific small", "0.00E+00", 0.000123, "1.23E-04"},
            {"scientific negative", "0.00E+00", -12345, "-1.23E+04"},
            {"scientific zero", "0.00E+00", 0, "0.00E+00"},
            {"scientific minus form", "0.0E-0", 12345, "1.2E4"},
            {"scientific minus form small", "0.0E-0", 0.00012345, "1.2E-4"},
            {"scientific lower case", "0.0e+000", 98765, "9.9e+004"},
            {"scientific optional digits", "0.###E+0", 5, "5E+0"},
            {"scientific rounding carry", "0.0E+0", 9.96, "1.0E+1"},
            {"scientific huge", "0.0E+0", 1.5e300, "1.5E+300"},
            {"quoted prefix", "'Итого: '0.0", 5, "Итого: 5.0"},
            {"quoted semicolon", "0' ;x'", 5, "5 ;x"},
            {"double quoted placeholder", "\"#\"0", 5, "#5"},
            {"literal E", "0 Eh", 5, "5 Eh"},
            {"fraction only", "#.##", 0.05, ".05"},
            {"optional decimals dropped", "0.##", 5, "5"},
            {"optional decimals kept", "0.0#", 5, "5.0"},
            {"optional decimals used", "0.0#", 5.125, "5.13"},
            {"optional integer zero", "###", 0, ""},
            {"optional integer zero unit", "###%", 0, "%"},
            {"leading zeros", "0000", 12, "0012"},
            {"many integer digits", "0", 123456789012.0, "123456789012"},
            {"beyond 1e18", "0", 1e18, "1E18"},
            {"below 1e18", "0", 1e17, "100000000000000000"},
            {"empty pattern", "", 1.5, "1.5"},
            {"empty first section", ";0", 1.5, "1.5"},
            {"no placeholders", "abc", 5, "abc"},
            {"no placeholders negative", "abc", -5, "-abc"},
        };
        for (const QLocale &locale : Locales()) {
            for (const Case &c : cases) {
                QTest::addRow("%s %s", c.name, qPrintable(LocaleTag(locale)))
                    << locale << QString::fromUtf8(c.pattern) << c.value
                    << Localised(QString::fromUtf8(c.expected), locale);
            }
        }
    }

    void formatFloat()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(locale);
        QCOMPARE(FormatFloat(pattern, value), expected);
    }

    void formatFloatNonFinite_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "NAN";
        QTest::newRow("inf") << std::numeric_limits<double>::infinity() << "INF";
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << "-INF";
    }

    void formatFloatNonFinite()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        for (const char *pattern : {"0.0", "# ### ##0.0; ;  ", "0.00E+00", ""})
            QCOMPARE(FormatFloat(QString::fromLatin1(pattern), value), expected);
    }

    // Decimal halves typed as text must round away from zero whatever their binary neighbour is;
    // the expectation is worked out on the decimal text itself.
    void halvesRoundAwayFromZero()
    {
        QRandomGenerator random(20261208);
        for (int n = 0; n < 5000; ++n) {
            const int decimals = random.bounded(0, 5);
            const qint64 scaled = random.bounded(qint64(0), qint64(1'000'000'000)); // value * 10^d
            QString digits = QString::number(scaled).rightJustified(decimals + 1, u'0');
            const QString text =
                digits.left(digits.size() - decimals) + u'.' + digits.right(decimals) + u'5';
            const bool negative = random.bounded(2) == 1;
            const double value = (negative ? -1 : 1) * text.toDouble();
            QString expected = QString::number(scaled + 1).rightJustified(decimals + 1, u'0');
            if (decimals > 0)
                expected.insert(expected.size() - decimals, u'.');
            if (negative)
                expected.prepend(u'-');
            const QString pattern = decimals == 0 ? "0" : "0." + QString(decimals, u'0');
            QCOMPARE(FormatFloat(pattern, value, QLocale::c()), expected);
        }
    }

    void formatDateTime_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<TMoment>("moment");
        QTest::addColumn<QString>("expected");
        const TMoment t = EncodeMoment(2026, 3, 5, 7, 8, 9, 45);
        QTest::newRow("sql") << "yyyy-mm-dd hh:nn:ss" << t << "2026-03-05 07:08:09";
        QTest::newRow("whole hour") << "yyyy-mm-dd hh:00:00" << t << "2026-03-05 07:00:00";
        QTest::newRow("clock") << "hh:nn:ss" << t << "07:08:09";
        QTest::newRow("readout") << "dd.mm.yyyy hh:nn:ss" << t << "05.03.2026 07:08:09";
        QTest::newRow("mm after hh") << "hh:mm" << t << "07:08";
        QTest::newRow("mm alone is month") << "mm" << t << "03";
        QTest::newRow("mm after blank") << "hh mm" << t << "07 08";
        QTest::newRow("mm after quoted") << "hh'h'mm" << t << "07h08";
        QTest::newRow("mm after letter") << "hhxmm" << t << "07x03";
        QTest::newRow("mm after minutes") << "hh:mm:ss mm" << t << "07:08:09 03";
        QTest::newRow("date") << "dd.mm.yyyy" << t << "05.03.2026";
        QTest::newRow("short forms") << "d.m.yy h:n:s" << t << "5.3.26 7:8:9";
        QTest::newRow("upper case") << "DD.MM.YYYY HH:NN" << t << "05.03.2026 07:08";
        QTest::newRow("milliseconds") << "hh:nn:ss.zzz" << t << "07:08:09.045";
        QTest::newRow("milliseconds short") << "s.z" << t << "9.45";
        QTest::newRow("quoted") << "'dd' dd \"yyyy\"" << t << "dd 05 yyyy";
        QTest::newRow("unterminated quote") << "dd 'mm" << t << "05 mm";
        QTest::newRow("slashes") << "mm/dd/yyyy" << t << "03/05/2026";
        QTest::newRow("other letters") << "dd.mm.yyyy г." << t << "05.03.2026 г.";
        QTest::newRow("names") << "dddd d mmmm, ddd mmm" << t << "Thursday 5 March, Thu Mar";
        QTest::newRow("before epoch") << "dd.mm.yyyy hh:nn" << -1.25 << "29.12.1899 06:00";
        QTest::newRow("epoch") << "dd.mm.yyyy hh:nn:ss" << 0.0 << "30.12.1899 00:00:00";
        QTest::newRow("year 1") << "yyyy" << EncodeMoment(1, 1, 1) << "0001";
        QTest::newRow("nan") << "dd.mm.yyyy" << std::nan("") << "";
        QTest::newRow("out of range") << "dd.mm.yyyy" << 1e300 << "";
    }

    void formatDateTime()
    {
        QFETCH(QString, pattern);
        QFETCH(TMoment, moment);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(FormatDateTime(pattern, moment), expected);
    }

    void floatToStr_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        struct Case
        {
            const char *name;
            double value;
            const char *expected;
        };
        const Case cases[] = {
            {"zero", 0.0, "0"},
            {"negative zero", -0.0, "0"},
            {"fraction", 1.5, "1.5"},
            {"negative fraction", -0.1, "-0.1"},
            {"binary sum", 0.1 + 0.2, "0.3"},
            {"integer", 1952, "1952"},
            {"fifteen digits", 123456789.123456789, "123456789.123457"},
            {"third", 1.0 / 3, "0.333333333333333"},
            {"largest fixed", 1e14, "100000000000000"},
            {"first exponent", 1e15, "1E15"},
            {"rounds into exponent", 9.999999999999999e14, "1E15"},
            {"large", 1e20, "1E20"},
            {"large mantissa", -2.5e20, "-2.5E20"},
            {"smallest fixed", 1e-5, "0.00001"},
            {"small fixed", 1.5e-5, "0.000015"},
            {"first small exponent", 1.5e-6, "1.5E-6"},
            {"tiny", -2.5e-10, "-2.5E-10"},
        };
        for (const QLocale &locale : Locales()) {
            for (const Case &c : cases) {
                QTest::addRow("%s %s", c.name, qPrintable(LocaleTag(locale)))
                    << locale << c.value << Localised(QString::fromLatin1(c.expected), locale);
            }
        }
    }

    void floatToStr()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(locale);
        QCOMPARE(FloatToStr(value), expected);
    }

    void tryStrToFloat_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("strictOk");
        QTest::addColumn<bool>("tolerantOk");
        QTest::addColumn<double>("expected");
        const QLocale c = QLocale::c();
        const QLocale ru(QLocale::Russian);
        QTest::newRow("point in C") << c << "1.5" << true << true << 1.5;
        QTest::newRow("comma in C") << c << "1,5" << false << true << 1.5;
        QTest::newRow("comma in ru") << ru << "1,5" << true << true << 1.5;
        QTest::newRow("point in ru") << ru << "1.5" << false << true << 1.5;
        QTest::newRow("blanks") << c << " \t2.5 " << true << true << 2.5;
        QTest::newRow("plus sign") << c << "+3" << true << true << 3.0;
        QTest::newRow("exponent") << c << "-1.5E-6" << true << true << -1.5e-6;
        QTest::newRow("exponent in ru") << ru << "2,5e3" << true << true << 2500.0;
        QTest::newRow("trailing point") << c << "7." << true << true << 7.0;
        QTest::newRow("leading point") << c << ".5" << true << true << 0.5;
        QTest::newRow("empty") << c << "" << false << false << 0.0;
        QTest::newRow("blank") << c << "  " << false << false << 0.0;
        QTest::newRow("letters") << c << "abc" << false << false << 0.0;
        QTest::newRow("two separators") << c << "1.5.2" << false << false << 0.0;
        QTest::newRow("mixed separators") << c << "1,5.2" << false << false << 0.0;
        QTest::newRow("separator only") << c << "." << false << false << 0.0;
        QTest::newRow("bare exponent") << c << "1e" << false << false << 0.0;
        QTest::newRow("overflow") << c << "1e400" << false << false << 0.0;
        QTest::newRow("inner blank") << c << "1 000" << false << false << 0.0;
        QTest::newRow("nan") << c << "nan" << false << false << 0.0;
        QTest::newRow("trailing text") << c << "12kg" << false << false << 0.0;
    }

    void tryStrToFloat()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(bool, strictOk);
        QFETCH(bool, tolerantOk);
        QFETCH(double, expected);
        QLocale::setDefault(locale);
        const double untouched = -12345.678;
        double strict = untouched;
        QCOMPARE(TryStrToFloat(text, strict), strictOk);
        QCOMPARE(strict, strictOk ? expected : untouched);
        double tolerant = untouched;
        QCOMPARE(TryStrToFloatTolerant(text, tolerant), tolerantOk);
        QCOMPARE(tolerant, tolerantOk ? expected : untouched);
    }

    // The general text keeps 15 significant digits, so it reads back within that precision.
    void floatTextRoundTrip()
    {
        QRandomGenerator random(4711);
        for (const QLocale &locale : Locales()) {
            for (int n = 0; n < 3000; ++n) {
                const double value =
                    (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-12, 22));
                double back = 0;
                const QString text = FloatToStr(value, locale);
                QVERIFY2(TryStrToFloat(text, back, locale), qPrintable(text));
                QVERIFY2(std::fabs(back - value) <= 1e-14 * std::fabs(value), qPrintable(text));
            }
        }
    }
};

TALMER_TEST(TestFormats)
#include "tst_Formats.moc"
