#include "ActionPanel.h"

#include "ActionLink.h"

TActionPanel::TActionPanel(QWidget *parent)
    : TPanel(parent)
    , m_link(new TActionLink(this, [this](const QString &caption) { SetCaption(caption); }))
{ }

QAction *TActionPanel::GetAction() const
{
    return m_link->Action();
}

void TActionPanel::SetAction(QAction *action)
{
    m_link->SetAction(action);
}

void TActionPanel::Click()
{
    // An own click handler takes precedence over the action, as with the stock controls.
    if (OnClick().IsAssigned())
        TPanel::Click();
    else
        m_link->Execute();
}
