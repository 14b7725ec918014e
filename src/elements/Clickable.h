#pragma once

#include "ClickEvent.h"

#include <QMouseEvent>

// Turns a left-button press and release inside the control into Click(), which runs the
// OnClick handler. Base is the Qt widget class the control is built on.
template<class Base> class TClickable : public Base
{
public:
    using Base::Base;

    TClickEvent &OnClick() { return m_onClick; }
    const TClickEvent &OnClick() const { return m_onClick; }

protected:
    virtual void Click() { m_onClick.Fire(this); }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_pressed = event->button() == Qt::LeftButton;
        Base::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const bool click = m_pressed && event->button() == Qt::LeftButton
            && this->rect().contains(event->position().toPoint());
        m_pressed = false;
        Base::mouseReleaseEvent(event);
        if (click)
            Click();
    }

private:
    TClickEvent m_onClick;
    bool m_pressed = false;
};
