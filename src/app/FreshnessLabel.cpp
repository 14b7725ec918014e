#include "app/FreshnessLabel.h"

#include "base/Formats.h"
#include "base/Moment.h"

#include <QSqlError>

namespace {
const QColor ErrorColour(192, 0, 0);
}

TFreshnessLabel::TFreshnessLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("LabelFreshness"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
}

void TFreshnessLabel::Loaded(bool hasRecords)
{
    const QString at =
        QStringLiteral("Обновлено в ") + FormatDateTime(QStringLiteral("hh:nn:ss"), Now());
    Show(hasRecords ? TState::Fresh : TState::Empty,
         hasRecords ? at : QStringLiteral("Нет записей за выбранный период"));
    setToolTip(at);
}

void TFreshnessLabel::Failed(const QString &reason)
{
    Show(TState::Failed, QStringLiteral("Данные не загружены: ") + reason);
    setToolTip(text());
}

void TFreshnessLabel::Show(TState state, const QString &text)
{
    FState = state;
    setText(text);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText,
                     state == TState::Failed ? ErrorColour
                                             : QPalette().color(QPalette::WindowText));
    setPalette(colours);
}

QString TFreshnessLabel::NoLinkReason()
{
    return QStringLiteral("нет связи с сервером базы данных");
}

QString TFreshnessLabel::ReasonOf(const QSqlError &error)
{
    // The server's own words where it gave any; a closed link has none.
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text.isEmpty() ? NoLinkReason() : QStringLiteral("ошибка сервера: ") + text;
}
