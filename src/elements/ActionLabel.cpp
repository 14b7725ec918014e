#include "ActionLabel.h"

#include "ActionLink.h"

TActionLabel::TActionLabel(QWidget *parent)
    : TLabel(parent)
    , m_link(new TActionLink(this, [this](const QString &caption) { setText(caption); }))
{ }

QAction *TActionLabel::GetAction() const
{
    return m_link->Action();
}

void TActionLabel::SetAction(QAction *action)
{
    m_link->SetAction(action);
}

void TActionLabel::Click()
{
    // An own click handler takes precedence over the action, as with the stock controls.
    if (OnClick().IsAssigned())
        TLabel::Click();
    else
        m_link->Execute();
}
