#include "WebPrint.h"

#include "app/Global.h"
#include "app/Report.h"
#include "base/Feedback.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>

// The templates are compiled into this static library; a resource of a static library has to be
// registered by name before it can be read.
static void InitReportResources()
{
    Q_INIT_RESOURCE(report);
}

TFormWebPrint *FormWebPrint = nullptr;

namespace {
const QString LineBreak = QStringLiteral("\r\n");

QStringList SplitLines(const QString &text)
{
    QString unified = text;
    unified.replace(LineBreak, QStringLiteral("\n"));
    QStringList lines = unified.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) // a final line break ends a line, adds none
        lines.removeLast();
    return lines;
}
} // namespace

QString FillReportText(QString text, const QStringList &placeholders, const QStringList &values)
{
    if (placeholders.size() != values.size() || placeholders.isEmpty())
        return text;
    for (int i = 0; i < placeholders.size(); ++i) {
        const QString &placeholder = placeholders.at(i);
        if (placeholder.isEmpty())
            continue;
        const qsizetype at = text.indexOf(placeholder, 0, Qt::CaseSensitive);
        if (at >= 0)
            text.replace(at, placeholder.size(), values.at(i));
    }
    return text;
}

QString DecodeReportTemplate(const QByteArray &bytes)
{
    QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
    if (declared.isValid() && declared.name() != QByteArrayView("UTF-8")) {
        QString text = declared.decode(bytes);
        if (!declared.hasError())
            return text;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251.isValid() ? cp1251.decode(bytes) : text;
}

QString DeclareUtf8(QString html)
{
    static const QRegularExpression charset(
        QStringLiteral("(<meta\\b[^>]*?\\bcharset\\s*=\\s*[\"']?)([^\"'\\s/>;]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch declared = charset.match(html);
    if (declared.hasMatch())
        return html.replace(declared.capturedStart(2), declared.capturedLength(2),
                            QStringLiteral("utf-8"));
    static const QRegularExpression head(QStringLiteral("<head\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch opened = head.match(html);
    return html.insert(opened.hasMatch() ? opened.capturedEnd() : 0,
                       QStringLiteral("<meta charset=\"utf-8\">"));
}

QStringList ReportTemplateNames()
{
    return {QStringLiteral("PrintWeb1.html"), QStringLiteral("PrintWeb2.html"),
            QStringLiteral("PrintWeb3.html"), QStringLiteral("PrintWeb4.html")};
}

QStringList InstallReportTemplates(const QString &folder)
{
    InitReportResources();
    QStringList copied;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return copied;
    for (const QString &name : ReportTemplateNames()) {
        const QString target = QDir(folder).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        if (!QFile::copy(QStringLiteral(":/templates/") + name, target))
            continue;
        // Copies out of the resources are read-only; the operator may edit his templates.
        QFile::setPermissions(
            target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        copied << name;
    }
    return copied;
}

TFormWebPrint::TFormWebPrint(QWidget *parent)
    : QDialog(parent)
    , FPrinter(new QPrinter(QPrinter::HighResolution))
{
    if (!FormWebPrint)
        FormWebPrint = this;
    setObjectName(QStringLiteral("FormWebPrint"));
    setWindowTitle(QStringLiteral("Печать графиков работы"));
    // Landscape A4; the document keeps its own 2 cm margins when it is printed.
    FPrinter->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    auto *panelTop = new QWidget(this);
    panelTop->setObjectName(QStringLiteral("PanelTop"));
    panelTop->setFixedHeight(32);
    auto *buttons = new QHBoxLayout(panelTop);
    buttons->setContentsMargins(4, 2, 4, 2);
    auto makeButton = [&](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, panelTop);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    ButPrint = makeButton("ButPrint", QStringLiteral("Печать"));
    ButPageSetup = makeButton("ButPageSetup", QStringLiteral("Параметры страницы"));
    ButPreview = makeButton("ButPreview", QStringLiteral("Предварительный просмотр"));
    ButClose = makeButton("ButClose", QStringLiteral("Закрыть"));
    buttons->addStretch();

    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setOpenLinks(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panelTop);
    layout->addWidget(WebBrowser1);

    connect(ButPrint, &QPushButton::clicked, this, &TFormWebPrint::ButPrintClick);
    connect(ButPageSetup, &QPushButton::clicked, this, &TFormWebPrint::ButPageSetupClick);
    connect(ButPreview, &QPushButton::clicked, this, &TFormWebPrint::ButPreviewClick);
    connect(ButClose, &QPushButton::clicked, this, &QDialog::reject);

    InstallReportTemplates(TemplateDir);
    SetReportHandler([this](const QString &templatePath, const QStringList &placeholders,
                            const QStringList &values) {
        return ShowReport(templatePath, placeholders, values);
    });
}

TFormWebPrint::~TFormWebPrint()
{
    if (FormWebPrint == this) {
        FormWebPrint = nullptr;
        SetReportHandler({});
    }
    delete FPrinter;
}

bool TFormWebPrint::ShowReport(const QString &templatePath, const QStringList &placeholders,
                               const QStringList &values)
{
    if (placeholders.size() != values.size())
        return false;
    QFile file(templatePath);
    if (!QFileInfo(templatePath).isFile() || !file.open(QIODevice::ReadOnly)) {
        Feedback().MessageBox(QStringLiteral("Не могу открыть файл шаблона."),
                              QStringLiteral("Ошибка"), TMsgIcon::Error, mbOK, mbOK);
        return false;
    }
    FPlaceholders = placeholders;
    FValues = values;
    FDocument = SplitLines(DecodeReportTemplate(file.readAll()));
    // Written as UTF-8, so the page says so whatever the template declared.
    FDocument =
        SplitLines(DeclareUtf8(FillReportText(FDocument.join(LineBreak), FPlaceholders, FValues)));

    FOutputCounter = FOutputCounter > 2 ? 0 : FOutputCounter + 1;
    QDir().mkpath(TempDir);
    // By its full path: a relative TempDir would otherwise be taken relative to the page itself.
    FOutputPath = QDir(TempDir).absoluteFilePath(QStringLiteral("Type%1.html").arg(FOutputCounter));
    QFile output(FOutputPath);
    if (output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        output.write(FDocument.join(LineBreak).toUtf8());
    output.close();

    WebBrowser1->clearHistory();
    // The same name is written again every fourth report: load it afresh, pictures included.
    WebBrowser1->document()->clear();
    WebBrowser1->setSource(QUrl());
    WebBrowser1->setSource(QUrl::fromLocalFile(FOutputPath));
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
    return true;
}

void TFormWebPrint::ButPrintClick()
{
    QPrintDialog dialog(FPrinter, this);
    if (dialog.exec() == QDialog::Accepted)
        WebBrowser1->document()->print(FPrinter);
}

void TFormWebPrint::ButPageSetupClick()
{
    QPageSetupDialog dialog(FPrinter, this);
    dialog.exec();
}

void TFormWebPrint::ButPreviewClick()
{
    QPrintPreviewDialog preview(FPrinter, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *printer) { WebBrowser1->document()->print(printer); });
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
}
