#pragma once

#include "Label.h"

class QAction;
class TActionLink;

// A TLabel bound to a QAction: its click runs the action, its caption, hint, enabled and visible
// state follow the action.
class TActionLabel : public TLabel
{
    Q_OBJECT
    Q_PROPERTY(QAction *Action READ GetAction WRITE SetAction)

public:
    explicit TActionLabel(QWidget *parent = nullptr);

    QAction *GetAction() const;
    void SetAction(QAction *action);

protected:
    void Click() override;

private:
    TActionLink *m_link;
};
