#pragma once

#include "ActionLink.h"

#include <functional>

class QAction;

// A control bound to a QAction: its click runs the action; its caption, hint, enabled and visible
// state follow the action. Base is the control class (TPanel, TLabel, TImage); each bound class
// still declares the Action property itself (moc needs it there).
template<class Base> class TActionControl : public Base
{
public:
    QAction *GetAction() const { return m_link->Action(); }
    void SetAction(QAction *action) { m_link->SetAction(action); }

protected:
    // setCaption shows the action's caption on the control.
    TActionControl(QWidget *parent, std::function<void(const QString &)> setCaption)
        : Base(parent)
        , m_link(new TActionLink(this, std::move(setCaption)))
    { }

    void Click() override
    {
        // An own click handler takes precedence over the action, as with the stock controls.
        if (this->OnClick().IsAssigned())
            Base::Click();
        else
            m_link->Execute();
    }

private:
    TActionLink *m_link;
};
