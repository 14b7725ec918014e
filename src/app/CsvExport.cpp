#include "CsvExport.h"

#include "base/Csv.h"
#include "base/Feedback.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QWidget>

TCsvFileChooser &CsvFileChooser()
{
    static TCsvFileChooser chooser = [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Экспорт в CSV"), suggested,
                                            QStringLiteral("Таблицы CSV (*.csv)"));
    };
    return chooser;
}

void InstallCsvExport(QWidget *widget, std::function<QList<QStringList>()> rows,
                      std::function<QString()> suggestedName)
{
    InstallCsvExport(
        widget,
        [rows](const QString &path, QString *error) { return WriteCsvFile(path, rows(), error); },
        std::move(suggestedName));
}

void InstallCsvExport(QWidget *widget, std::function<bool(const QString &, QString *)> write,
                      std::function<QString()> suggestedName)
{
    auto *action = new QAction(QStringLiteral("Экспорт в CSV..."), widget);
    action->setObjectName(QStringLiteral("ActionExportCsv"));
    widget->addAction(action);
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(action, &QAction::triggered, widget, [widget, write, suggestedName] {
        const QString path = CsvFileChooser()(
            widget, QDir::home().filePath(suggestedName() + QStringLiteral(".csv")));
        if (path.isEmpty())
            return;
        QString error;
        if (!write(path, &error) && !error.isEmpty())
            ShowError(QStringLiteral("Не удалось записать файл ") + path + QStringLiteral(": ")
                      + error);
    });
}
