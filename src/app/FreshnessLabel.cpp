#include "app/FreshnessLabel.h"

#include "app/Connection.h"
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
    // A lost link is said as such; a refused statement in the server's own words.
    const QString text = error.databaseText().trimmed();
    if (LinkLost(error) || text.isEmpty())
        return NoLinkReason();
    return QStringLiteral("ошибка сервера: ") + text;
}
