#pragma once

#include <QHeaderView>

// Column titles of one or two levels: a title "Upper|Lower" puts Upper in a band that spans every
// neighbouring column with the same upper text and Lower below it; a title without "|" takes the
// whole height. Titles wrap at word boundaries to fit their width.
class TGridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit TGridHeader(QWidget *parent = nullptr);

    // Splits a title at its first "|" into the upper and the lower level (upper empty if none).
    static void SplitTitle(const QString &title, QString &upper, QString &lower);

    // Height of the upper band (0 when no visible title has two levels).
    int UpperHeight() const;
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logical) const override;

private:
    QString Title(int logical) const;
    // First and last visual index of the run of visible sections sharing this upper title.
    void GroupSpan(int visual, const QString &upper, int &first, int &last) const;
    int TextHeight(const QString &text, int width) const;
    int LowerHeight() const;
    void DrawCell(QPainter *painter, const QRect &cell, const QRect &clip, const QString &text,
                  int logical) const;
};
