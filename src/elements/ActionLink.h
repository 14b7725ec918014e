#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QWidget;

// Binds a control to a QAction: caption, hint (tooltip), enabled and visible state follow the
// action, and the control's click executes it.
class TActionLink : public QObject
{
    Q_OBJECT

public:
    TActionLink(QWidget *control, std::function<void(const QString &)> setCaption);

    QAction *Action() const { return m_action; }
    void SetAction(QAction *action);
    // Triggers the action; false when there is none or it is disabled.
    bool Execute();

private:
    void Update();

    QWidget *m_control;
    std::function<void(const QString &)> m_setCaption;
    QPointer<QAction> m_action;
    QMetaObject::Connection m_changed;
};
