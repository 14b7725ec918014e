#pragma once

#include <QList>
#include <QStringList>

class QImage;
class QWidget;
class TFormGraphTrend;
class TLevelGraph;

// Draws the legend labels and arrows among components that are children of chart onto image,
// scaled from the chart's size to the image's.
void DrawTrendLegend(const QList<QWidget *> &components, const TLevelGraph *chart, QImage &image);

// The picture files a trend window's print writes, in chart order.
QStringList TrendPicturePaths(const TFormGraphTrend &window);

// Writes the window's chart pictures in its normal layout and asks for its report; false when
// the report was not shown.
bool PrintTrendWindow(TFormGraphTrend &window);
