#pragma once

#include "GraphicElement.h"
#include "PenBrushElement.h"

// An inclined plate on a support, laid out in virtual units scaled to the box.
class TPandus : public TPenBrushElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(double virtH READ GetvirtH WRITE SetvirtH)
    Q_PROPERTY(double virtW READ GetvirtW WRITE SetvirtW)
    Q_PROPERTY(double H1 READ GetH1 WRITE SetH1)
    Q_PROPERTY(double H2 READ GetH2 WRITE SetH2)
    Q_PROPERTY(double L1 READ GetL1 WRITE SetL1)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(bool XFlip READ GetXFlip WRITE SetXFlip)

public:
    explicit TPandus(QWidget *parent = nullptr);

    double GetvirtH() const { return m_virtH; }
    void SetvirtH(double value) { Store(m_virtH, value); }
    double GetvirtW() const { return m_virtW; }
    void SetvirtW(double value) { Store(m_virtW, value); }
    double GetH1() const { return m_h1; }
    void SetH1(double value) { Store(m_h1, value); }
    double GetH2() const { return m_h2; }
    void SetH2(double value) { Store(m_h2, value); }
    double GetL1() const { return m_l1; }
    void SetL1(double value) { Store(m_l1, value); }
    bool GetXFlip() const { return m_xFlip; }
    void SetXFlip(bool flip) { Store(m_xFlip, flip); }

protected:
    void Paint(QPainter &painter) override;

private:
    double m_virtH = 75;
    double m_virtW = 145;
    double m_h1 = 45;
    double m_h2 = 10;
    double m_l1 = 60;
    bool m_xFlip = false;
};
