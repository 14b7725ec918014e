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
