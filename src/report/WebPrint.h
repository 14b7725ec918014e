#pragma once

#include <QDialog>
#include <QStringList>

class QPrinter;
class QPushButton;
class QTextBrowser;

// Replaces, for each placeholder in list order, its first occurrence in the text being changed by
// the value of the same position, as it is (no escaping). Lists of different lengths or empty
// lists leave the text as it is.
QString FillReportText(QString text, const QStringList &placeholders, const QStringList &values);

// A template's text by the charset it declares (a byte-order mark, then a meta charset); without a
// usable declaration UTF-8, and Windows-1251 when the bytes are not UTF-8 (the old station's
// templates).
QString DecodeReportTemplate(const QByteArray &bytes);
// The page declaring UTF-8, the encoding it is written in: the first charset declaration is set
// to utf-8, or one is added at the head.
QString DeclareUtf8(QString html);

// The report templates that ship with the program.
QStringList ReportTemplateNames();
// Copies each shipped template into folder unless a file of that name is there already (the
// operator's own templates are never overwritten). Returns the names copied.
QStringList InstallReportTemplates(const QString &folder);

// The report window: fills an HTML template, writes the result into the temporary folder, shows it
// and prints it, previews it or sets the page up.
class TFormWebPrint : public QDialog
{
    Q_OBJECT

public:
    explicit TFormWebPrint(QWidget *parent = nullptr);
    ~TFormWebPrint() override;

    // Fills the template and shows the result modally; true once the window closed. Lists of
    // different lengths show nothing; a missing template shows "Не могу открыть файл шаблона.".
    bool ShowReport(const QString &templatePath, const QStringList &placeholders,
                    const QStringList &values);

    // Chooses the next output file: Type1, Type2, Type3, Type0, Type1 ...
    int OutputCounter() const { return FOutputCounter; }
    QString OutputPath() const { return FOutputPath; }
    const QStringList &Document() const { return FDocument; }
    QPrinter *Printer() const { return FPrinter; }

    void ButPrintClick();
    void ButPageSetupClick();
    void ButPreviewClick();

    QPushButton *ButPrint;
    QPushButton *ButPageSetup;
    QPushButton *ButPreview;
    QPushButton *ButClose;
    QTextBrowser *WebBrowser1;

private:
    QStringList FPlaceholders;
    QStringList FValues;
    QStringList FDocument;
    int FOutputCounter = 0;
    QString FOutputPath;
    QPrinter *FPrinter;
};

extern TFormWebPrint *FormWebPrint;
