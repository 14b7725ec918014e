#pragma once

#include <QLabel>

class QSqlError;

// The line in a window's top panel that says how fresh its data are: when the last load
// succeeded, that the range holds no records, or why the last load failed (in the error colour,
// until the next successful load).
class TFreshnessLabel : public QLabel
{
    Q_OBJECT

public:
    enum class TState { NotLoaded, Fresh, Empty, Failed };

    explicit TFreshnessLabel(QWidget *parent = nullptr);

    // A load succeeded at the present moment (Now()); no records says the range is empty. The
    // moment of the load stays in the tooltip either way.
    void Loaded(bool hasRecords);
    // A load failed; reason in words, as the operator reads it after "Данные не загружены: ".
    void Failed(const QString &reason);

    TState State() const { return FState; }

    // The reasons in words: no open link, or the server's own error text.
    static QString NoLinkReason();
    static QString ReasonOf(const QSqlError &error);

private:
    void Show(TState state, const QString &text);

    TState FState = TState::NotLoaded;
};
