#pragma once

#include "CachedElement.h"
#include "RockBall.h"
#include "base/Style.h"

#include <QPointer>

// A bath separator: a bath with a grid and a back wall in which coal, rock and bubble particles
// move through liquid. Screen orientation: x and y in percent of the box, y downward; particle
// radii in pixels. Particles leaving at the right pass to NextSeparator.
class TSeparator : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TColor WaterColor READ GetWaterColor WRITE SetWaterColor)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(bool ShowClosedLoop READ GetShowClosedLoop WRITE SetShowClosedLoop)
    Q_PROPERTY(TColor BackWallColor READ GetBackWallColor WRITE SetBackWallColor)
    Q_PROPERTY(double BackWallTop READ GetBackWallTop WRITE SetBackWallTop)
    Q_PROPERTY(double BackWallWidth READ GetBackWallWidth WRITE SetBackWallWidth)
    Q_PROPERTY(double BathHeight READ GetBathHeight WRITE SetBathHeight)
    Q_PROPERTY(double BathBottomWidth READ GetBathBottomWidth WRITE SetBathBottomWidth)
    Q_PROPERTY(double GridHeight READ GetGridHeight WRITE SetGridHeight)
    Q_PROPERTY(int GridCount READ GetGridCount WRITE SetGridCount)
    Q_PROPERTY(double GridSpace READ GetGridSpace WRITE SetGridSpace)
    Q_PROPERTY(TPen WallPen READ GetWallPen WRITE SetWallPen)
    Q_PROPERTY(double BathSubH READ GetBathSubH WRITE SetBathSubH)
    Q_PROPERTY(double BathWidth READ GetBathWidth WRITE SetBathWidth)
    Q_PROPERTY(TPen GridPen READ GetGridPen WRITE SetGridPen)
    Q_PROPERTY(double WaterVx READ GetWaterVx WRITE SetWaterVx)
    Q_PROPERTY(double WaterVy READ GetWaterVy WRITE SetWaterVy)
    Q_PROPERTY(double SpeedK READ GetSpeedK WRITE SetSpeedK)
    Q_PROPERTY(TColor RockColor READ GetRockColor WRITE SetRockColor)
    Q_PROPERTY(TColor CoalColor READ GetCoalColor WRITE SetCoalColor)
    Q_PROPERTY(TColor BubbleColor READ GetBubbleColor WRITE SetBubbleColor)
    Q_PROPERTY(double WaterK READ GetWaterK WRITE SetWaterK)
    Q_PROPERTY(double OwnK READ GetOwnK WRITE SetOwnK)
    Q_PROPERTY(int BallCount READ GetBallCount)
    Q_PROPERTY(TSeparator *NextSeparator READ GetNextSeparator WRITE SetNextSeparator)
    Q_PROPERTY(TColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TSeparator(QWidget *parent = nullptr);

    TPen &WallPen() { return m_wallPen; }
    const TPen &GetWallPen() const { return m_wallPen; }
    void SetWallPen(const TPen &pen) { m_wallPen.Assign(pen); }
    TPen &GridPen() { return m_gridPen; }
    const TPen &GetGridPen() const { return m_gridPen; }
    void SetGridPen(const TPen &pen) { m_gridPen.Assign(pen); }

    TColor GetWaterColor() const { return m_waterColor; }
    void SetWaterColor(TColor c) { Store(m_waterColor, c); }
    bool GetShowClosedLoop() const { return m_showClosedLoop; }
    void SetShowClosedLoop(bool v) { Store(m_showClosedLoop, v); }
    TColor GetBackWallColor() const { return m_backWallColor; }
    void SetBackWallColor(TColor c) { Store(m_backWallColor, c); }
    double GetBackWallTop() const { return m_backWallTop; }
    void SetBackWallTop(double v) { Store(m_backWallTop, v); }
    double GetBackWallWidth() const { return m_backWallWidth; }
    void SetBackWallWidth(double v) { Store(m_backWallWidth, v); }
    double GetBathHeight() const { return m_bathHeight; }
    void SetBathHeight(double v) { Store(m_bathHeight, v); }
    double GetBathBottomWidth() const { return m_bathBottomWidth; }
    void SetBathBottomWidth(double v) { Store(m_bathBottomWidth, v); }
    double GetGridHeight() const { return m_gridHeight; }
    void SetGridHeight(double v) { Store(m_gridHeight, v); }
    int GetGridCount() const { return m_gridCount; }
    void SetGridCount(int v) { Store(m_gridCount, v); }
    double GetGridSpace() const { return m_gridSpace; }
    void SetGridSpace(double v) { Store(m_gridSpace, v); }
    double GetBathSubH() const { return m_bathSubH; }
    void SetBathSubH(double v) { Store(m_bathSubH, v); }
    double GetBathWidth() const { return m_bathWidth; }
    void SetBathWidth(double v) { Store(m_bathWidth, v); }
    TColor GetRockColor() const { return m_rockColor; }
    void SetRockColor(TColor c) { Store(m_rockColor, c); }
    TColor GetCoalColor() const { return m_coalColor; }
    void SetCoalColor(TColor c) { Store(m_coalColor, c); }
    TColor GetBubbleColor() const { return m_bubbleColor; }
    void SetBubbleColor(TColor c) { Store(m_bubbleColor, c); }
    TColor GetBackColor() const { return m_backColor; }
    void SetBackColor(TColor c) { Store(m_backColor, c); }
    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double v) { Store(m_waterLevel, v); }
    // Motion parameters take effect at the next step.
    double GetWaterVx() const { return m_waterVx; }
    void SetWaterVx(double v) { m_waterVx = v; }
    double GetWaterVy() const { return m_waterVy; }
    void SetWaterVy(double v) { m_waterVy = v; }
    double GetSpeedK() const { return m_speedK; }
    void SetSpeedK(double v) { m_speedK = v; }
    double GetWaterK() const { return m_waterK; }
    void SetWaterK(double v) { m_waterK = v; }
    double GetOwnK() const { return m_ownK; }
    void SetOwnK(double v) { m_ownK = v; }
    // A non-owning link; it clears itself when that separator goes away.
    TSeparator *GetNextSeparator() const { return m_next; }
    void SetNextSeparator(TSeparator *next) { m_next = next; }

    int GetBallCount() const { return int(m_balls.size()); }
    bool AddBall(const TRockBall *ball);
    bool DeleteBall(int index);
    const TRockBalls &Balls() const { return m_balls; }

    // Moves the particles present at the start of the step once each; those leaving at the right
    // are handed to NextSeparator.
    bool NextStep();
    // Steps this separator and those linked after it, each once, also when the links loop back.
    // A particle handed over during the round is not stepped again in it.
    void NextStepChain();

    // ((n - 1) a + b) / n for n > 0, else b.
    static double AverageVal(double a, double b, int n);

protected:
    void Paint(QPainter &painter) override;

private:
    // Steps the first count particles; handed-over ones arrive behind them.
    void Step(qsizetype count);
    // Returns false when the particle leaves this separator.
    bool Move(qsizetype index);
    void Collide(qsizetype index);

    TPen m_wallPen;
    TPen m_gridPen;
    TColor m_waterColor = clBlue;
    bool m_showClosedLoop = false;
    TColor m_backWallColor = clYellow;
    double m_backWallTop = 10;
    double m_backWallWidth = 3;
    double m_bathHeight = 75;
    double m_bathBottomWidth = 80;
    double m_gridHeight = 20;
    int m_gridCount = 10;
    double m_gridSpace = 40;
    double m_bathSubH = 0;
    double m_bathWidth = 80;
    double m_waterVx = 0;
    double m_waterVy = 0;
    double m_speedK = 0;
    TColor m_rockColor = clSilver;
    TColor m_coalColor = clBlack;
    TColor m_bubbleColor = clWhite;
    double m_waterK = 0;
    double m_ownK = 0;
    QPointer<TSeparator> m_next;
    TColor m_backColor = clSilver;
    double m_waterLevel = 1;
    TRockBalls m_balls;
};
