#pragma once

#include <QColor>
#include <QWidget>

// The alarm line of the main frame's info panel: how many alarms wait for an acknowledgement and
// the text of the newest one of the highest priority on its priority colour, flashing while any
// is unacknowledged; a lost link is said in grey. A click asks for the alarm window.
class TAlarmBanner : public QWidget
{
    Q_OBJECT

public:
    explicit TAlarmBanner(QWidget *parent = nullptr);

    struct TView
    {
        int Unacked = 0;
        QString Text; // the alarm shown; empty for none
        QColor Color; // its priority's colour
        QString Link; // what is wrong with the link; empty when it is fine
        bool operator==(const TView &) const = default;
    };
    void SetView(const TView &view);
    const TView &View() const { return FView; }
    // The flashing phase: off shows the alarm's colour as a frame only.
    void SetFlashOn(bool on);
    // The text as painted.
    QString Caption() const;

    QSize sizeHint() const override;

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    TView FView;
    bool FFlashOn = true;
};
