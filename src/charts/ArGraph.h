#pragma once

#include "base/Color.h"
#include "base/Style.h"

#include <QImage>
#include <QList>
#include <QWidget>
#include <vector>

// The array graph: up to 64 curves, each a plain array of doubles indexed by position, over a
// grid, with two axes ending in arrowheads. Values at or below YMin mean "no data".
class TArGraph : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int GraphCount READ GetGraphCount WRITE SetGraphCount)
    Q_PROPERTY(int GraphSize READ GetGraphSize WRITE SetGraphSize)
    Q_PROPERTY(int CurrentGraph READ GetCurrentGraph WRITE SetCurrentGraph)
    Q_PROPERTY(double YMin READ GetYMin WRITE SetYMin)
    Q_PROPERTY(double YMax READ GetYMax WRITE SetYMax)
    Q_PROPERTY(int AddX READ GetAddX WRITE SetAddX)
    Q_PROPERTY(int AddY READ GetAddY WRITE SetAddY)
    Q_PROPERTY(int AddScale READ GetAddScale WRITE SetAddScale)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TColor GrColor READ GetGrColor WRITE SetGrColor)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(TColor AxisColor READ GetAxisColor WRITE SetAxisColor)
    Q_PROPERTY(int AxisWidth READ GetAxisWidth WRITE SetAxisWidth)
    Q_PROPERTY(int LabelH READ GetLabelH WRITE SetLabelH)
    Q_PROPERTY(int EdgeLen READ GetEdgeLen WRITE SetEdgeLen)
    Q_PROPERTY(int LabelDX READ GetLabelDX WRITE SetLabelDX)
    Q_PROPERTY(double LabelDY READ GetLabelDY WRITE SetLabelDY)
    Q_PROPERTY(bool LabelNet READ GetLabelNet WRITE SetLabelNet)
    Q_PROPERTY(bool ViewNet READ GetViewNet WRITE SetViewNet)
    Q_PROPERTY(int NetDX READ GetNetDX WRITE SetNetDX)
    Q_PROPERTY(double NetDY READ GetNetDY WRITE SetNetDY)
    Q_PROPERTY(TPen NetPen READ NetPen WRITE SetNetPen)
    Q_PROPERTY(int CursorX READ GetCursorX WRITE SetCursorX)
    Q_PROPERTY(double CursorY READ GetCursorY WRITE SetCursorY)
    Q_PROPERTY(TPen CurrentGraphPen READ CurrentGraphPen WRITE SetCurrentGraphPen)

public:
    explicit TArGraph(QWidget *parent = nullptr);

    int GetGraphCount() const { return m_graphCount; }
    void SetGraphCount(int v);
    int GetGraphSize() const { return m_graphSize; }
    void SetGraphSize(int v);
    int GetCurrentGraph() const { return m_currentGraph; }
    void SetCurrentGraph(int v);
    double GetYMin() const { return m_yMin; }
    void SetYMin(double v) { Put(m_yMin, v); }
    double GetYMax() const { return m_yMax; }
    void SetYMax(double v) { Put(m_yMax, v); }
    int GetAddX() const { return m_addX; }
    void SetAddX(int v) { Put(m_addX, v); }
    int GetAddY() const { return m_addY; }
    void SetAddY(int v) { Put(m_addY, v); }
    int GetAddScale() const { return m_addScale; }
    void SetAddScale(int v) { Put(m_addScale, v); }
    TColor GetColor() const { return m_color; }
    void SetColor(TColor v) { Put(m_color, v); }
    TColor GetGrColor() const { return m_grColor; }
    void SetGrColor(TColor v) { Put(m_grColor, v); }
    bool GetTransparent() const { return m_transparent; }
    void SetTransparent(bool v);
    TColor GetAxisColor() const { return m_axisColor; }
    void SetAxisColor(TColor v) { Put(m_axisColor, v); }
    int GetAxisWidth() const { return m_axisWidth; }
    void SetAxisWidth(int v) { Put(m_axisWidth, v); }
    int GetLabelH() const { return m_labelH; }
    void SetLabelH(int v) { Put(m_labelH, v); }
    int GetEdgeLen() const { return m_edgeLen; }
    void SetEdgeLen(int v) { Put(m_edgeLen, v); }
    int GetLabelDX() const { return m_labelDX; }
    void SetLabelDX(int v);
    double GetLabelDY() const { return m_labelDY; }
    void SetLabelDY(double v);
    bool GetLabelNet() const { return m_labelNet; }
    void SetLabelNet(bool v) { Put(m_labelNet, v); }
    bool GetViewNet() const { return m_viewNet; }
    void SetViewNet(bool v) { Put(m_viewNet, v); }
    int GetNetDX() const { return m_netDX; }
    void SetNetDX(int v);
    double GetNetDY() const { return m_netDY; }
    void SetNetDY(double v);
    int GetCursorX() const { return m_cursorX; }
    void SetCursorX(int v);
    double GetCursorY() const;
    void SetCursorY(double v);

    TPen &NetPen() { return m_netPen; }
    void SetNetPen(const TPen &pen) { m_netPen.Assign(pen); }
    // The pen of curve CurrentGraph; NetPen while no curve exists.
    TPen &CurrentGraphPen();
    void SetCurrentGraphPen(const TPen &pen);
    TColor GetGrColors(int graph) const;
    void SetGrColors(int graph, TColor color);

    // Copies up to GraphSize values into curve row; false for a row that does not exist.
    bool SetGraphData(const QList<double> &values, int row);
    double GraphValue(int row, int index) const;
    // New zeroed curves with default pens; cursor and current curve back to 0.
    void ResetGraphics();

    int PlotLeft() const { return m_addX; }
    int PlotTop() const { return m_addScale; }
    int PlotRight() const { return width() - m_addScale; }
    int PlotBottom() const { return height() - m_addY; }
    int XtoScreen(int index) const;
    int YtoScreen(double v) const;

    // Draws the whole control into its off-screen image (also used for tests and printing).
    const QImage &Render();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    template<class T> void Put(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        update();
    }
    QList<int> GridRows(double dy) const; // rows of the values YMin, YMin + dy, ... below YMax
    void PaintNet(QPainter &canvas, int dx, double dy);
    void PaintCurves(QPainter &canvas);
    void PaintAxes(QPainter &canvas);

    struct TCurve
    {
        TPen Pen;
        std::vector<double> Values;
    };
    std::vector<TCurve> m_curves;
    TPen m_netPen;
    QImage m_bitmap;

    int m_graphCount = 2, m_graphSize = 720, m_currentGraph = 0;
    double m_yMin = 1700, m_yMax = 2200;
    int m_addX = 30, m_addY = 20, m_addScale = 15;
    TColor m_color = clBtnFace, m_grColor = clSilver;
    bool m_transparent = false;
    TColor m_axisColor = clBlack;
    int m_axisWidth = 2, m_labelH = 5, m_edgeLen = 10, m_labelDX = 60;
    double m_labelDY = 100;
    bool m_labelNet = false, m_viewNet = true;
    int m_netDX = 10;
    double m_netDY = 20;
    int m_cursorX = 0;
};
