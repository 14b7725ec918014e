#include "PointList.h"

#include "Canvas.h"

#include "base/Feedback.h"
#include "base/Formats.h"

void TPointList::Refresh(const QStringList &lines, bool xFlip)
{
    if (lines.size() <= 2) {
        m_count = 0;
        return;
    }
    if (lines.size() > MaxPoints) {
        ShowError(QStringLiteral("Слишком большое количество точек!"));
        return;
    }
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int separator = line.indexOf(QLatin1Char(';'));
        double x = 0;
        double y = 0;
        if (separator <= 0 || !TryStrToFloat(line.left(separator), x)
            || !TryStrToFloat(line.mid(separator + 1), y)) {
            ShowError(QStringLiteral("Правильно указываете координаты точек.\n\r"));
            return;
        }
        m_points[i] = QPointF(xFlip ? 100 - x : x, y);
    }
    m_count = int(lines.size());
}

QPolygon TPointList::Polygon(int width, int height) const
{
    QPolygon polygon;
    for (int i = 0; i < m_count; ++i)
        polygon << ToPixelNear(
            QPointF(width * m_points[i].x() * 0.01, height * m_points[i].y() * 0.01),
            QSize(width, height));
    return polygon;
}
