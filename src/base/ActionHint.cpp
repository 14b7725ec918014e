#include "ActionHint.h"

#include <QAction>
#include <QEvent>
#include <QToolButton>

namespace {

const char *const HintProperty = "Hint";

// Swallows the tooltip request of a button whose action has no hint, before the button would show
// the caption Qt put in its place.
class THintFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto *button = static_cast<QToolButton *>(watched);
        return button->defaultAction() && ActionHint(button->defaultAction()).isEmpty();
    }
};

} // namespace

void SetActionHint(QAction *action, const QString &hint)
{
    action->setProperty(HintProperty, hint);
    action->setToolTip(hint);
}

QString ActionHint(const QAction *action)
{
    const QVariant hint = action->property(HintProperty);
    return hint.isValid() ? hint.toString() : action->toolTip();
}

void ShowHintsOnly(QToolButton *button)
{
    button->installEventFilter(new THintFilter(button));
}
