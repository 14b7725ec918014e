#include "ActionImage.h"

#include "ActionLink.h"

TActionImage::TActionImage(QWidget *parent)
    : TImage(parent)
    , m_link(new TActionLink(this, [](const QString &) {}))
{ }

QAction *TActionImage::GetAction() const
{
    return m_link->Action();
}

void TActionImage::SetAction(QAction *action)
{
    m_link->SetAction(action);
}

void TActionImage::Click()
{
    // An own click handler takes precedence over the action, as with the stock controls.
    if (OnClick().IsAssigned())
        TImage::Click();
    else
        m_link->Execute();
}
