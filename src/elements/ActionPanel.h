#pragma once

#include "Panel.h"

class QAction;
class TActionLink;

// A TPanel bound to a QAction: its click runs the action, its caption, hint, enabled and visible
// state follow the action.
class TActionPanel : public TPanel
{
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ GetAction WRITE SetAction)

public:
    explicit TActionPanel(QWidget *parent = nullptr);

    QAction *GetAction() const;
    void SetAction(QAction *action);

protected:
    void Click() override;

private:
    TActionLink *m_link;
};
