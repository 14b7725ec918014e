#pragma once

#include "CachedElement.h"
#include "RockBall.h"
#include "base/Style.h"

// A mixing column: a funnel over a cylindrical body, a cone and a neck, partly filled with liquid,
// through which coal and rock particles fall. Geometry in percent of the box, y upward from the
// bottom. The owner feeds particles with AddBall and moves them with NextStep.
class TColumnMixer : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(TBrush BackBrush READ GetBackBrush WRITE SetBackBrush)
    Q_PROPERTY(TBrush WaterBrush READ GetWaterBrush WRITE SetWaterBrush)
    Q_PROPERTY(double FlakeTop READ GetFlakeTop WRITE SetFlakeTop)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(double FlakeBottom READ GetFlakeBottom WRITE SetFlakeBottom)
    Q_PROPERTY(double ConusTop READ GetConusTop WRITE SetConusTop)
    Q_PROPERTY(double NeckTop READ GetNeckTop WRITE SetNeckTop)
    Q_PROPERTY(double FlakeWidth READ GetFlakeWidth WRITE SetFlakeWidth)
    Q_PROPERTY(double ConusWidth READ GetConusWidth WRITE SetConusWidth)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)
    Q_PROPERTY(double ConusLeft READ GetConusLeft WRITE SetConusLeft)
    Q_PROPERTY(double NeckWidth READ GetNeckWidth WRITE SetNeckWidth)
    Q_PROPERTY(double WaterLevel READ GetWaterLevel WRITE SetWaterLevel)
    Q_PROPERTY(TColor FCoalColor READ GetFCoalColor WRITE SetFCoalColor)
    Q_PROPERTY(TColor RockColor READ GetRockColor WRITE SetRockColor)
    Q_PROPERTY(double AirVX READ GetAirVX WRITE SetAirVX)
    Q_PROPERTY(double AirVY READ GetAirVY WRITE SetAirVY)
    Q_PROPERTY(double WaterVX READ GetWaterVX WRITE SetWaterVX)
    Q_PROPERTY(double WaterVY READ GetWaterVY WRITE SetWaterVY)
    Q_PROPERTY(double SpeedK READ GetSpeedK WRITE SetSpeedK)
    Q_PROPERTY(double WaterSpeedK READ GetWaterSpeedK WRITE SetWaterSpeedK)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TColumnMixer(QWidget *parent = nullptr);

    TBrush &BackBrush() { return m_backBrush; }
    const TBrush &GetBackBrush() const { return m_backBrush; }
    void SetBackBrush(const TBrush &brush) { m_backBrush.Assign(brush); }
    TBrush &WaterBrush() { return m_waterBrush; }
    const TBrush &GetWaterBrush() const { return m_waterBrush; }
    void SetWaterBrush(const TBrush &brush) { m_waterBrush.Assign(brush); }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }

    double GetFlakeTop() const { return m_flakeTop; }
    void SetFlakeTop(double v) { Store(m_flakeTop, v); }
    double GetFlakeBottom() const { return m_flakeBottom; }
    void SetFlakeBottom(double v) { Store(m_flakeBottom, v); }
    double GetConusTop() const { return m_conusTop; }
    void SetConusTop(double v) { Store(m_conusTop, v); }
    double GetNeckTop() const { return m_neckTop; }
    void SetNeckTop(double v) { Store(m_neckTop, v); }
    // Kept for the designs that set it; it takes no part in drawing or motion.
    double GetFlakeWidth() const { return m_flakeWidth; }
    void SetFlakeWidth(double v) { m_flakeWidth = v; }
    double GetConusWidth() const { return m_conusWidth; }
    void SetConusWidth(double v) { Store(m_conusWidth, v); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool flip) { Store(m_xFlip, flip); }
    double GetConusLeft() const { return m_conusLeft; }
    void SetConusLeft(double v) { Store(m_conusLeft, v); }
    double GetNeckWidth() const { return m_neckWidth; }
    void SetNeckWidth(double v) { Store(m_neckWidth, v); }
    double GetWaterLevel() const { return m_waterLevel; }
    void SetWaterLevel(double v) { Store(m_waterLevel, v); }
    TColor GetFCoalColor() const { return m_fCoalColor; }
    void SetFCoalColor(TColor c) { Store(m_fCoalColor, c); }
    TColor GetRockColor() const { return m_rockColor; }
    void SetRockColor(TColor c) { Store(m_rockColor, c); }
    // Motion parameters take effect at the next step.
    double GetAirVX() const { return m_airVX; }
    void SetAirVX(double v) { m_airVX = v; }
    double GetAirVY() const { return m_airVY; }
    void SetAirVY(double v) { m_airVY = v; }
    double GetWaterVX() const { return m_waterVX; }
    void SetWaterVX(double v) { m_waterVX = v; }
    double GetWaterVY() const { return m_waterVY; }
    void SetWaterVY(double v) { m_waterVY = v; }
    double GetSpeedK() const { return m_speedK; }
    void SetSpeedK(double v) { m_speedK = v; }
    double GetWaterSpeedK() const { return m_waterSpeedK; }
    void SetWaterSpeedK(double v) { m_waterSpeedK = v; }

    double NeckLeft() const { return m_conusLeft + (m_conusWidth - m_neckWidth) / 2; }

    // Copies the particle into the list; false for none.
    bool AddBall(const TRockBall *ball);
    // Removes particle index; false (nothing changed) for an index out of range.
    bool DeleteBall(int index);
    const TRockBalls &Balls() const { return m_balls; }
    // Moves every particle one step; those falling out through the neck leave the list.
    bool NextStep();

protected:
    void Paint(QPainter &painter) override;

private:
    // Returns false when the particle has left the column.
    bool Step(TRockBall &ball) const;
    void ReflectOffFunnel(TRockBall &ball) const;

    TBrush m_backBrush;
    TBrush m_waterBrush;
    TPen m_pen;
    double m_flakeTop = 80;
    double m_flakeBottom = 60;
    double m_flakeWidth = 25;
    double m_conusTop = 30;
    double m_conusLeft = 20;
    double m_conusWidth = 40;
    double m_neckTop = 10;
    double m_neckWidth = 10;
    double m_waterLevel = 65;
    bool m_xFlip = false;
    TColor m_fCoalColor = clBlack;
    TColor m_rockColor = clSilver;
    double m_airVX = 0;
    double m_airVY = -2;
    double m_waterVX = 0;
    double m_waterVY = -1;
    double m_speedK = 0;
    double m_waterSpeedK = 0.7;
    TRockBalls m_balls;
};
