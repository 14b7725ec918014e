#include "RecordingFeedback.h"
#include "TestMain.h"
#include "app/Global.h"
#include "app/Report.h"
#include "report/WebPrint.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

// The report window: filling templates, the output files, the shipped templates, preview.
class TestWebPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<TFormWebPrint> form;

    QString Template(const QString &name) const { return QDir(TemplateDir).filePath(name); }

    // Shows a report and runs the operator's part once the window is up (it closes it after).
    bool Show(const QString &path, const QStringList &keys, const QStringList &values,
              const std::function<void(TFormWebPrint &)> &operatorPart = {})
    {
        // Owned here, so a report that is never shown leaves no callback behind.
        QTimer operatorTimer;
        operatorTimer.setSingleShot(true);
        connect(&operatorTimer, &QTimer::timeout, [&] {
            auto *shown = qobject_cast<TFormWebPrint *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            if (operatorPart)
                operatorPart(*shown);
            QTest::mouseClick(shown->ButClose, Qt::LeftButton);
        });
        operatorTimer.start(0);
        return ::ShowReport(path, keys, values);
    }

private slots:
    void initTestCase()
    {
        TempDir = folder.filePath(QStringLiteral("Temp"));
        TemplateDir = folder.filePath(QStringLiteral("Template"));
        QDir().mkpath(TemplateDir);
        WriteFile(Template(QStringLiteral("PrintWeb2.html")), "operator's own");
        form = std::make_unique<TFormWebPrint>();
    }
    void cleanupTestCase() { form.reset(); }

    void fill_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first occurrence only")
            << "<p>QRLabelDate</p><p>QRLabelDate</p>" << QStringList {"QRLabelDate"}
            << QStringList {"08.12.2026"} << "<p>08.12.2026</p><p>QRLabelDate</p>";
        QTest::newRow("missing placeholder skipped")
            << "<img src=\"pic1.BMP\">" << QStringList {"QRLabelTitle", "pic1.BMP"}
            << QStringList {"Графики", "/tmp/pic0.png"} << "<img src=\"/tmp/pic0.png\">";
        QTest::newRow("case matters") << "qrlabeltitle QRLabelTitle" << QStringList {"QRLabelTitle"}
                                      << QStringList {"T"} << "qrlabeltitle T";
        QTest::newRow("a value holding a later placeholder")
            << "A B" << QStringList {"A", "B"} << QStringList {"B!", "x"} << "x! B";
        QTest::newRow("values are not escaped")
            << "N" << QStringList {"N"} << QStringList {"a < b & c"} << "a < b & c";
        QTest::newRow("lists of different lengths")
            << "A B" << QStringList {"A", "B"} << QStringList {"1"} << "A B";
        QTest::newRow("empty lists") << "A" << QStringList {} << QStringList {} << "A";
    }
    void fill()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, values);
        QFETCH(QString, expected);
        QCOMPARE(FillReportText(text, keys, values), expected);
    }

    void shippedTemplatesInstalled()
    {
        // Copied where missing, the operator's own left as it was.
        for (const QString &name : ReportTemplateNames())
            QVERIFY2(QFileInfo::exists(Template(name)), qPrintable(name));
        QCOMPARE(ReadAll(Template(QStringLiteral("PrintWeb2.html"))), QByteArray("operator's own"));
        QVERIFY(QFileInfo(Template(QStringLiteral("PrintWeb1.html"))).isWritable());
        QVERIFY(InstallReportTemplates(TemplateDir).isEmpty());
        // Every placeholder of the windows is in the shipped template exactly once, so each
        // is filled.
        const QStringList placeholders {"QRLabelTitle", "QRLabelDate", "LabelName1", "LabelName2",
                                        "LabelName3",   "LabelName4",  "pic1.BMP",   "pic2.BMP",
                                        "pic3.BMP",     "pic4.BMP"};
        const int used[] = {0, 2, 3, 4}; // chart titles in PrintWeb1..4 (the divider has none)
        const int pictures[] = {1, 2, 3, 4};
        QTemporaryDir shipped;
        InstallReportTemplates(shipped.path());
        for (int t = 0; t < 4; ++t) {
            const QString text = QString::fromUtf8(
                ReadAll(QDir(shipped.path()).filePath(ReportTemplateNames().at(t))));
            for (const QString &key : placeholders) {
                const bool title = key.startsWith(QLatin1String("LabelName"));
                const bool picture = key.startsWith(QLatin1String("pic"));
                const int number = key.mid(picture ? 3 : 9, 1).toInt();
                const int expected = title ? number <= used[t]
                    : picture              ? number <= pictures[t]
                                           : 1;
                QCOMPARE(text.count(key), expected);
            }
        }
    }

    void outputCounter()
    {
        RecordingFeedback feedback;
        const QString path = Template(QStringLiteral("PrintWeb1.html"));
        const int start = form->OutputCounter();
        QCOMPARE(start, 0);
        QStringList written;
        for (int i = 0; i < 5; ++i) {
            QVERIFY(
                Show(path, {QStringLiteral("QRLabelTitle")}, {QStringLiteral("Отчёт %1").arg(i)}));
            written << QFileInfo(form->OutputPath()).fileName();
            QVERIFY(
                ReadAll(form->OutputPath()).contains(QStringLiteral("Отчёт %1").arg(i).toUtf8()));
        }
        QCOMPARE(
            written,
            (QStringList {"Type1.html", "Type2.html", "Type3.html", "Type0.html", "Type1.html"}));
        QVERIFY(feedback.messages.isEmpty());
        // Lines are joined by CR LF.
        const QByteArray output = ReadAll(form->OutputPath());
        QVERIFY(output.contains("\r\n"));
        QCOMPARE(output.count("\n"), output.count("\r\n"));

        // A missing template: the message, no window, no file, the counter stays.
        bool shown = false;
        QVERIFY(!Show(Template(QStringLiteral("Missing.html")), {}, {},
                      [&](TFormWebPrint &) { shown = true; }));
        QCOMPARE(feedback.lastText(), QStringLiteral("Не могу открыть файл шаблона."));
        QCOMPARE(feedback.messages.last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(form->OutputCounter(), 1);
        // Lists of different lengths: nothing at all.
        feedback.clear();
        QVERIFY(!Show(path, {QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("1")},
                      [&](TFormWebPrint &) { shown = true; }));
        QVERIFY(!shown);
        QVERIFY(feedback.messages.isEmpty());
        QCOMPARE(form->OutputCounter(), 1);
    }

    void picturesShownAndPreviewed()
    {
        QDir().mkpath(TempDir);
        const QString picture = QDir(TempDir).filePath(QStringLiteral("DIV_pic0.png"));
        QImage image(1000, 500, QImage::Format_RGB32);
        image.fill(QColor(0, 200, 0));
        QVERIFY(image.save(picture, "PNG"));
        int greenPixels = 0;
        int previewPages = 0;
        QVERIFY(Show(
            Template(QStringLiteral("PrintWeb1.html")),
            {QStringLiteral("QRLabelTitle"), QStringLiteral("QRLabelDate"),
             QStringLiteral("pic1.BMP")},
            {QStringLiteral("График работы делителя потока суспензии"),
             QStringLiteral("10.03.2026"), picture},
            [&](TFormWebPrint &shown) {
                QVERIFY(shown.WebBrowser1->toPlainText().contains(QStringLiteral("10.03.2026")));
                const QImage view = shown.WebBrowser1->viewport()->grab().toImage();
                for (int y = 0; y < view.height(); y += 4)
                    for (int x = 0; x < view.width(); x += 4)
                        greenPixels += view.pixelColor(x, y) == QColor(0, 200, 0);
                QTimer::singleShot(0, [&] {
                    auto *preview =
                        qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
                    if (!preview)
                        return;
                    if (auto *pages = preview->findChild<QPrintPreviewWidget *>())
                        previewPages = pages->pageCount();
                    preview->reject();
                });
                QTest::mouseClick(shown.ButPreview, Qt::LeftButton);
            }));
        QVERIFY2(greenPixels > 100, "the chart picture is shown");
        QCOMPARE(previewPages, 1);
    }

    void templateEncodings_data()
    {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<QString>("head");
        // A template carried over from the old station and the ones written here.
        QTest::newRow("meta charset windows-1251")
            << QByteArray("windows-1251") << "<meta charset=windows-1251>";
        QTest::newRow("content type koi8-r")
            << QByteArray("KOI8-R")
            << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">";
        QTest::newRow("undeclared windows-1251") << QByteArray("windows-1251") << "";
        QTest::newRow("undeclared utf-8") << QByteArray("UTF-8") << "";
        QTest::newRow("byte-order mark over a wrong declaration")
            << QByteArray("UTF-8 BOM") << "<meta charset=\"windows-1251\">";
    }
    void templateEncodings()
    {
        QFETCH(QByteArray, encoding);
        QFETCH(QString, head);
        const QString text = QStringLiteral("<html><head>%1</head><body><p>QRLabelTitle</p>"
                                            "<p>Дата: QRLabelDate</p></body></html>")
                                 .arg(head);
        QByteArray bytes;
        if (encoding == "UTF-8 BOM")
            bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        else
            bytes = QStringEncoder(encoding.constData()).encode(text);
        const QString path = Template(QStringLiteral("Encoded.html"));
        WriteFile(path, bytes);
        const QString title = QStringLiteral("Графики параметров «ТС»");
        const QStringList expected {title, QStringLiteral("Дата: 10.03.2026")};
        QString shown;
        QVERIFY(Show(path, {QStringLiteral("QRLabelTitle"), QStringLiteral("QRLabelDate")},
                     {title, QStringLiteral("10.03.2026")},
                     [&](TFormWebPrint &report) { shown = report.WebBrowser1->toPlainText(); }));
        // The page reads back by what it declares, as any browser reads it.
        const QByteArray output = ReadAll(form->OutputPath());
        QStringDecoder declared = QStringDecoder::decoderForHtml(output);
        const QString written = declared.decode(output);
        for (const QString &line : expected) {
            QVERIFY2(form->Document().join(QString()).contains(line), qPrintable(line));
            QVERIFY2(written.contains(line), qPrintable(written));
            QVERIFY2(shown.contains(line), qPrintable(shown));
        }
    }

    void relativeTempFolderGivesFullPaths()
    {
        RecordingFeedback feedback;
        const QString kept = TempDir;
        const QString keptCurrent = QDir::currentPath();
        QDir::setCurrent(folder.path());
        TempDir = QStringLiteral("Temp");
        QVERIFY(Show(Template(QStringLiteral("PrintWeb1.html")), {QStringLiteral("QRLabelTitle")},
                     {QStringLiteral("T")}));
        const QString output = form->OutputPath();
        TempDir = kept;
        QDir::setCurrent(keptCurrent);
        QVERIFY2(QFileInfo(output).isAbsolute(), qPrintable(output));
        QCOMPARE(QFileInfo(output).absolutePath(), QDir(folder.filePath("Temp")).absolutePath());
        QVERIFY(ReadAll(output).contains("T"));
    }
};

TALMER_TEST(TestWebPrint)
#include "tst_WebPrint.moc"
