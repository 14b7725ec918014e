#include "views/GridHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace {
const int TextMargin = 3; // pixels around a title inside its cell
}

TGridHeader::TGridHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    // A changed width may change how titles wrap, and so the header's height.
    connect(this, &QHeaderView::sectionResized, this, [this] { updateGeometry(); });
}

void TGridHeader::SplitTitle(const QString &title, QString &upper, QString &lower)
{
    const qsizetype bar = title.indexOf(QLatin1Char('|'));
    upper = bar < 0 ? QString() : title.left(bar);
    lower = bar < 0 ? title : title.mid(bar + 1);
}

QString TGridHeader::Title(int logical) const
{
    return model() ? model()->headerData(logical, orientation(), Qt::DisplayRole).toString()
                   : QString();
}

void TGridHeader::GroupSpan(int visual, const QString &upper, int &first, int &last) const
{
    auto sameGroup = [this, &upper](int v) {
        const int logical = logicalIndex(v);
        if (isSectionHidden(logical))
            return false;
        QString up, low;
        SplitTitle(Title(logical), up, low);
        return up == upper;
    };
    first = last = visual;
    while (first > 0 && sameGroup(first - 1))
        --first;
    while (last + 1 < count() && sameGroup(last + 1))
        ++last;
}

int TGridHeader::TextHeight(const QString &text, int width) const
{
    const QRect bounds =
        fontMetrics().boundingRect(QRect(0, 0, qMax(1, width - 2 * TextMargin), 10000),
                                   Qt::AlignCenter | Qt::TextWordWrap, text);
    return bounds.height() + 2 * TextMargin;
}

int TGridHeader::UpperHeight() const
{
    int height = 0;
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical))
            continue;
        QString upper, lower;
        SplitTitle(Title(logical), upper, lower);
        if (upper.isEmpty())
            continue;
        int first, last;
        GroupSpan(visual, upper, first, last);
        int width = 0;
        for (int v = first; v <= last; ++v)
            width += sectionSize(logicalIndex(v));
        height = qMax(height, TextHeight(upper, width));
    }
    return height;
}

int TGridHeader::LowerHeight() const
{
    int lowerHeight = fontMetrics().height() + 2 * TextMargin;
    int wholeHeight = 0; // needed by single-level titles, which span both bands
    for (int logical = 0; logical < count(); ++logical) {
        if (isSectionHidden(logical))
            continue;
        QString upper, lower;
        SplitTitle(Title(logical), upper, lower);
        const int height = TextHeight(lower, sectionSize(logical));
        if (upper.isEmpty())
            wholeHeight = qMax(wholeHeight, height);
        else
            lowerHeight = qMax(lowerHeight, height);
    }
    return qMax(lowerHeight, wholeHeight - UpperHeight());
}

QSize TGridHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(UpperHeight() + LowerHeight());
    return size;
}

void TGridHeader::DrawCell(QPainter *painter, const QRect &cell, const QRect &clip,
                           const QString &text, int logical) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = cell;
    option.section = logical;
    option.position = QStyleOptionHeader::Middle;
    painter->save();
    painter->setClipRect(clip);
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(cell.adjusted(TextMargin, TextMargin, -TextMargin, -TextMargin),
                      Qt::AlignCenter | Qt::TextWordWrap, text);
    painter->restore();
}

void TGridHeader::paintSection(QPainter *painter, const QRect &rect, int logical) const
{
    QString upper, lower;
    SplitTitle(Title(logical), upper, lower);
    if (upper.isEmpty()) {
        DrawCell(painter, rect, rect, lower, logical);
        return;
    }
    const int upperHeight = UpperHeight();
    // The upper band is drawn as one cell over the whole group, each section painting its part.
    int first, last;
    GroupSpan(visualIndex(logical), upper, first, last);
    const int left = sectionViewportPosition(logicalIndex(first));
    const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
    const QRect band(left, rect.top(), right - left, upperHeight);
    DrawCell(painter, band, band.intersected(rect), upper, logical);
    const QRect below(rect.left(), rect.top() + upperHeight, rect.width(),
                      rect.height() - upperHeight);
    DrawCell(painter, below, below, lower, logical);
}
