#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;
class QTimer;
class TEventFIFO;
class TFormMain;

// What the background routines reported and how the database links have fared: the events of the
// ring, newest first, the servers of the reads and of the writes with each link's outages, the
// replica's lag and the age of the last heartbeat. It only looks: reading never takes an event out
// of the ring.
class TFormDiagnostics : public QWidget
{
    Q_OBJECT

public:
    explicit TFormDiagnostics(QWidget *parent = nullptr);
    // ring: the event ring shown (the process's own by default); frame: where the link state is
    // read (the main frame by default).
    TFormDiagnostics(QWidget *parent, TEventFIFO &ring, TFormMain *frame);

    // Reads the ring and the link state again; runs every second while the window is shown.
    void Refresh();

    QLabel *LabelServer; // the reads' server and link
    QLabel *LabelWriteServer;
    QLabel *LabelLag;
    QLabel *LabelHeartbeat;
    QLabel *LabelRing;
    QTableWidget *GridEvents;
    QTableWidget *GridOutages; // of the read link
    QTableWidget *GridWriteOutages; // of the write link, shown with ReadFrom only
    QTimer *TimerRefresh;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ShowLink();
    void ShowLag();
    void ShowEvents();

    QWidget *FWriteBox;
    TEventFIFO &FRing;
    TFormMain *FFrame;
};

extern TFormDiagnostics *FormDiagnostics;
