// Pictures of the journal, summary table and database browser, and of the journal's and summary's
// print previews, over the records of a running server. For looking at layouts by eye:
//   talmer-viewshots <host:port> <password> <day yyyy-mm-dd> <output folder>

#include "app/Connection.h"
#include "views/BaseView.h"
#include "views/DataGrid.h"
#include "views/LogView.h"
#include "views/SvodTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QScrollBar>
#include <QTextStream>
#include <QTimeEdit>
#include <QTimer>

namespace {

void Save(QWidget *widget, const QString &path)
{
    widget->grab().save(path);
    QTextStream(stdout) << path << '\n';
}

// Shows the preview the print routine opens, keeps a picture of it and closes it.
void GrabPreview(const QString &path)
{
    QTimer::singleShot(1500, [path] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            Save(dialog, path);
            dialog->close();
        }
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 5) {
        QTextStream(stderr)
            << "usage: talmer-viewshots <host:port> <password> <yyyy-mm-dd> <folder>\n";
        return 2;
    }
    const QDate day = QDate::fromString(QString::fromLocal8Bit(argv[3]), Qt::ISODate);
    const QDir folder(QString::fromLocal8Bit(argv[4]));
    SetConnectionParam(QStringLiteral("HostName"), QString::fromLocal8Bit(argv[1]));
    SetConnectionParam(QStringLiteral("User_Name"), QStringLiteral("kv512"));
    SetConnectionParam(QStringLiteral("Password"), QString::fromLocal8Bit(argv[2]));
    if (!SQLConnection1().Open()) {
        QTextStream(stderr) << SQLConnection1().LastError() << '\n';
        return 1;
    }

    TFormLogView journal;
    journal.resize(1200, 800);
    journal.DateTimePicker1->setDate(day);
    journal.show();
    journal.Load();
    Save(&journal, folder.filePath(QStringLiteral("journal.png")));
    journal.ComboBox1->setCurrentIndex(0);
    journal.Load();
    GrabPreview(folder.filePath(QStringLiteral("journal-preview.png")));
    journal.Print();

    TFormSvodTable summary;
    summary.resize(1200, 800);
    summary.DateTimePicker1->setDate(day);
    summary.show();
    summary.Reload();
    Save(&summary, folder.filePath(QStringLiteral("summary.png")));
    GrabPreview(folder.filePath(QStringLiteral("summary-preview.png")));
    summary.Print();

    TFormBaseView browser;
    browser.resize(1200, 800);
    browser.DateTimePicker1->setDate(day);
    browser.DateTimePicker3->setDate(day);
    browser.DateTimePicker4->setTime(QTime(8, 0));
    browser.show();
    browser.Load();
    Save(&browser, folder.filePath(QStringLiteral("browser.png")));
    // The far end, where the grouped titles are, with the time column frozen at the left.
    browser.Grid->horizontalScrollBar()->setValue(browser.Grid->horizontalScrollBar()->maximum());
    Save(&browser, folder.filePath(QStringLiteral("browser-right.png")));
    return 0;
}
