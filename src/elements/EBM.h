#pragma once

#include "CachedElement.h"
#include "PointList.h"
#include "base/StringList.h"

#include <QLineF>

// A drum separator: a stator outline given as percent points and a rotor disc with a hub and
// radial blades; the owner turns the blades by stepping BladeAngle.
class TEBM : public TCachedElement
{
    Q_OBJECT
    Q_PROPERTY(double RotorR READ GetRotorR WRITE SetRotorR)
    Q_PROPERTY(TPen RotorPen READ GetRotorPen WRITE SetRotorPen)
    Q_PROPERTY(TBrush RotorBrush READ GetRotorBrush WRITE SetRotorBrush)
    Q_PROPERTY(double RotorYC READ GetRotorYC WRITE SetRotorYC)
    Q_PROPERTY(double RotorXC READ GetRotorXC WRITE SetRotorXC)
    Q_PROPERTY(TPen StatorPen READ GetStatorPen WRITE SetStatorPen)
    Q_PROPERTY(TBrush StatorBrush READ GetStatorBrush WRITE SetStatorBrush)
    Q_PROPERTY(QStringList StatorPoints READ GetStatorPoints WRITE SetStatorPoints)
    Q_PROPERTY(TColor BackColor READ GetBackColor WRITE SetBackColor)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)
    Q_PROPERTY(int BladeCount READ GetBladeCount WRITE SetBladeCount)
    Q_PROPERTY(double IntR READ GetIntR WRITE SetIntR)
    Q_PROPERTY(int BladeAngle READ GetBladeAngle WRITE SetBladeAngle)

public:
    explicit TEBM(QWidget *parent = nullptr);

    double GetRotorR() const { return m_rotorR; }
    void SetRotorR(double percent) { Store(m_rotorR, percent); }
    double GetRotorYC() const { return m_rotorYC; }
    void SetRotorYC(double percent) { Store(m_rotorYC, percent); }
    double GetRotorXC() const { return m_rotorXC; }
    void SetRotorXC(double percent) { Store(m_rotorXC, percent); }
    double GetIntR() const { return m_intR; }
    void SetIntR(double percent) { Store(m_intR, percent); }
    TColor GetBackColor() const { return m_backColor; }
    void SetBackColor(TColor color) { Store(m_backColor, color); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool flip);
    int GetBladeCount() const { return m_bladeCount; }
    void SetBladeCount(int count) { Store(m_bladeCount, count); }
    int GetBladeAngle() const { return m_bladeAngle; }
    void SetBladeAngle(int degrees) { Store(m_bladeAngle, degrees); }

    TPen &RotorPen() { return m_rotorPen; }
    const TPen &GetRotorPen() const { return m_rotorPen; }
    void SetRotorPen(const TPen &pen) { m_rotorPen.Assign(pen); }
    TBrush &RotorBrush() { return m_rotorBrush; }
    const TBrush &GetRotorBrush() const { return m_rotorBrush; }
    void SetRotorBrush(const TBrush &brush) { m_rotorBrush.Assign(brush); }
    TPen &StatorPen() { return m_statorPen; }
    const TPen &GetStatorPen() const { return m_statorPen; }
    void SetStatorPen(const TPen &pen) { m_statorPen.Assign(pen); }
    TBrush &StatorBrush() { return m_statorBrush; }
    const TBrush &GetStatorBrush() const { return m_statorBrush; }
    void SetStatorBrush(const TBrush &brush) { m_statorBrush.Assign(brush); }
    TStringList &StatorPoints() { return m_statorPoints; }
    QStringList GetStatorPoints() const { return m_statorPoints.Lines(); }
    void SetStatorPoints(const QStringList &lines) { m_statorPoints.Assign(lines); }

    // Parses StatorPoints again (messages on faulty input).
    void RefrshPointList();
    const TPointList &Stator() const { return m_stator; }
    // A radius in percent of the smaller side, in pixels.
    double CalcVal(double percent) const;
    // Blade k from the hub to the rim, in pixels (empty without blades); screen y grows with the
    // sine, so a growing BladeAngle turns the blades clockwise.
    QLineF Blade(int k) const;
    QPointF RotorCentre() const;

protected:
    void Paint(QPainter &painter) override;

private:
    double m_rotorR = 25;
    double m_intR = 0;
    double m_rotorXC = 60;
    double m_rotorYC = 40;
    TPen m_rotorPen;
    TBrush m_rotorBrush;
    TPen m_statorPen;
    TBrush m_statorBrush;
    TStringList m_statorPoints;
    TColor m_backColor = clBlack;
    bool m_xFlip = false;
    int m_bladeCount = 0;
    int m_bladeAngle = 0;
    TPointList m_stator;
};
