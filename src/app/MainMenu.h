#pragma once

#include "app/Pictures.h"

#include <QList>
#include <QWidget>

class QAction;
class TFormMain;

// The panel that stacks its rows from the top, each PanelCenter height div 7 high.
class TMenuRowsPanel : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    void AddRow(QWidget *row);
    const QList<QWidget *> &Rows() const { return FRows; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void LayoutRows();

    QList<QWidget *> FRows;
};

// The child window shown first: one large picture row per main window, naming its function key.
// It only forwards to the main frame's actions.
class TFormMainMenu : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowCount = 7;

    explicit TFormMainMenu(TFormMain *frame, QWidget *parent = nullptr);
    ~TFormMainMenu() override;

    TMenuRowsPanel *PanelCenter;

private:
    QWidget *AddRow(const QString &name, const QString &key, QAction *action,
                    const QString &pictureName, TPicture picture, bool pictureRunsAction);
};

extern TFormMainMenu *FormMainMenu;
