#include "ActionLink.h"

#include "base/ActionHint.h"

#include <QAction>
#include <QWidget>

TActionLink::TActionLink(QWidget *control, std::function<void(const QString &)> setCaption)
    : QObject(control)
    , m_control(control)
    , m_setCaption(std::move(setCaption))
{ }

void TActionLink::SetAction(QAction *action)
{
    if (m_action == action)
        return;
    disconnect(m_changed);
    m_action = action;
    if (!action)
        return;
    m_changed = connect(action, &QAction::changed, this, &TActionLink::Update);
    Update();
}

bool TActionLink::Execute()
{
    if (!m_action || !m_action->isEnabled())
        return false;
    m_action->trigger();
    return true;
}

void TActionLink::Update()
{
    if (!m_action)
        return;
    // Menu texts carry "&" accelerators; the control shows the plain caption.
    QString caption = m_action->text();
    caption.remove(QLatin1Char('&'));
    m_setCaption(caption);
    m_control->setToolTip(ActionHint(m_action));
    m_control->setEnabled(m_action->isEnabled());
    m_control->setVisible(m_action->isVisible());
}
