#include "app/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Every picture is drawn on a 32 x 32 grid and scaled.
constexpr qreal Grid = 32.0;

const QColor Steel(70, 90, 110);
const QColor Water(40, 120, 220);
const QColor Coal(40, 40, 40);

void Tank(QPainter &p, const QRectF &r, qreal level)
{
    p.setPen(QPen(Steel, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const QRectF fill(r.left(), r.bottom() - r.height() * level, r.width(), r.height() * level);
    p.fillRect(fill.adjusted(0.75, 0, -0.75, -0.75), Water);
}

void Axes(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(4, 3), QPointF(4, 28));
    p.drawLine(QPointF(4, 28), QPointF(30, 28));
}

void Curve(QPainter &p, const QColor &colour, std::initializer_list<QPointF> points)
{
    p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(std::data(points), int(points.size()));
}

void Lines(QPainter &p, qreal left, qreal right, qreal top, qreal step, int count)
{
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void DrawOnGrid(QPainter &p, TPicture picture)
{
    switch (picture) {
    case TPicture::MainMenu:
        for (int i = 0; i < 4; ++i) {
            p.fillRect(QRectF(3, 4 + i * 7, 6, 5), QColor(0, 0, 128));
            p.fillRect(QRectF(12, 5 + i * 7, 17, 3), Steel);
        }
        break;
    case TPicture::Mnemo:
        Tank(p, QRectF(2, 6, 9, 20), 0.6);
        Tank(p, QRectF(21, 12, 9, 14), 0.4);
        p.setPen(QPen(Water, 2.5));
        p.drawLine(QPointF(11, 22), QPointF(21, 22));
        p.setPen(QPen(Steel, 1.5));
        p.setBrush(QColor(0, 160, 0));
        p.drawEllipse(QPointF(16, 22), 3.5, 3.5);
        break;
    case TPicture::GraphParams:
        Axes(p);
        Curve(p, Qt::red, {{5, 20}, {10, 12}, {15, 16}, {21, 7}, {29, 10}});
        Curve(p, Qt::blue, {{5, 25}, {11, 22}, {17, 24}, {23, 18}, {29, 20}});
        break;
    case TPicture::GraphLevels:
        Tank(p, QRectF(3, 5, 11, 22), 0.75);
        Tank(p, QRectF(18, 5, 11, 22), 0.35);
        break;
    case TPicture::GraphDivider: {
        p.setPen(QPen(Water, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path(QPointF(16, 3));
        path.lineTo(16, 14);
        path.lineTo(6, 27);
        path.moveTo(16, 14);
        path.lineTo(26, 27);
        p.drawPath(path);
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(255, 200, 0));
        p.drawEllipse(QPointF(16, 14), 4, 4);
        break;
    }
    case TPicture::GraphTrans:
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(2, 17, 28, 9), 4.5, 4.5);
        p.setBrush(Steel);
        p.drawEllipse(QPointF(6.5, 21.5), 3, 3);
        p.drawEllipse(QPointF(25.5, 21.5), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(Coal);
        p.drawEllipse(QPointF(11, 14.5), 3, 2.5);
        p.drawEllipse(QPointF(17, 14), 3.5, 3);
        p.drawEllipse(QPointF(22.5, 14.5), 2.5, 2.5);
        break;
    case TPicture::WorkLog:
        p.setPen(QPen(Steel, 1.5));
        p.setBrush(QColor(255, 255, 225));
        p.drawRect(QRectF(6, 2, 20, 28));
        p.setPen(QPen(QColor(0, 0, 128), 1.5));
        Lines(p, 10, 23, 8, 4.5, 5);
        break;
    case TPicture::SvodTable:
        p.setPen(QPen(Steel, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 5, 28, 22));
        p.fillRect(QRectF(2.75, 5.75, 26.5, 5), QColor(180, 200, 230));
        Lines(p, 2, 30, 11, 5.33, 3);
        p.drawLine(QPointF(12, 5), QPointF(12, 27));
        p.drawLine(QPointF(21, 5), QPointF(21, 27));
        break;
    case TPicture::Print:
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));
        p.setBrush(QColor(160, 160, 160));
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));
        p.setPen(QPen(Steel, 1));
        Lines(p, 11, 21, 22.5, 2.5, 3);
        break;
    case TPicture::About:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 90, 200));
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
        p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1, 1);
        break;
    case TPicture::Exit:
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(150, 90, 40));
        p.drawRect(QRectF(4, 3, 14, 26));
        p.setPen(QPen(Qt::red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(13, 16), QPointF(29, 16));
        p.drawLine(QPointF(24, 11), QPointF(29, 16));
        p.drawLine(QPointF(24, 21), QPointF(29, 16));
        break;
    case TPicture::SetDensity: {
        QPainterPath drop(QPointF(16, 3));
        drop.cubicTo(QPointF(20, 11), QPointF(27, 16), QPointF(16, 29));
        drop.moveTo(16, 3);
        drop.cubicTo(QPointF(12, 11), QPointF(5, 16), QPointF(16, 29));
        p.setPen(QPen(Steel, 1.5));
        p.setBrush(QColor(90, 70, 60));
        p.drawPath(drop.simplified());
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(12, 19), QPointF(20, 19));
        p.drawLine(QPointF(16, 15), QPointF(16, 23));
        break;
    }
    case TPicture::SetLoad:
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(Coal);
        p.drawPolygon(QPolygonF({QPointF(3, 28), QPointF(16, 10), QPointF(29, 28)}));
        p.setPen(QPen(QColor(0, 160, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(16, 2), QPointF(16, 10));
        p.drawLine(QPointF(12, 6), QPointF(16, 2));
        p.drawLine(QPointF(20, 6), QPointF(16, 2));
        break;
    case TPicture::Config: {
        p.setPen(Qt::NoPen);
        p.setBrush(Steel);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(45.0 * i);
            p.drawRect(QRectF(-2.5, -14, 5, 6));
            p.restore();
        }
        p.drawEllipse(QPointF(16, 16), 10, 10);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 4, 4);
        break;
    }
    case TPicture::BaseView:
        p.setPen(QPen(Steel, 1.5));
        p.setBrush(QColor(230, 190, 60));
        p.drawRect(QRectF(5, 7, 22, 19));
        p.drawEllipse(QRectF(5, 22, 22, 7));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5.75, 21, 20.5, 4));
        p.setPen(QPen(Steel, 1.5));
        p.drawEllipse(QRectF(5, 3, 22, 7));
        break;
    }
}

} // namespace

QPixmap DrawPicture(TPicture picture, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(size.width(), size.height());
    p.translate((size.width() - side) / 2.0, (size.height() - side) / 2.0);
    p.scale(side / Grid, side / Grid);
    DrawOnGrid(p, picture);
    return pixmap;
}

QIcon PictureIcon(TPicture picture)
{
    QIcon icon;
    for (const int side : {16, 32, 64})
        icon.addPixmap(DrawPicture(picture, QSize(side, side)));
    return icon;
}
