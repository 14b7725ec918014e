#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal: the handler only writes a byte into a socket pair,
// the event loop reads it, so the simulator stops between statements, never inside one.
class SignalQuit : public QObject
{
    Q_OBJECT
public:
    explicit SignalQuit(QObject *parent = nullptr);
    ~SignalQuit() override;

signals:
    void Raised();

private:
    void Read();

    QSocketNotifier *m_notifier = nullptr;
};
