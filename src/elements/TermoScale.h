#pragma once

#include "GraphicElement.h"
#include "PanelElement.h"
#include "base/StringList.h"

// A passive scale beside a bar or level display: a vertical axis with evenly spaced division
// lines, a short tick between neighbours and a boxed label on every division (Lines, the first
// entry at the bottom).
class TTermoScale : public TPanelElement<TGraphicElement>
{
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ GetLines WRITE SetLines)
    Q_PROPERTY(TPen TextPen READ GetTextPen WRITE SetTextPen)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(TBrush Brush READ GetBrush WRITE SetBrush)
    Q_PROPERTY(TBrush TextBrush READ GetTextBrush WRITE SetTextBrush)
    Q_PROPERTY(TPen SPen READ GetSPen WRITE SetSPen)
    Q_PROPERTY(TPen VPen READ GetVPen WRITE SetVPen)
    Q_PROPERTY(double TextWPercent READ GetTextWPercent WRITE SetTextWPercent)
    Q_PROPERTY(double TextHPercent READ GetTextHPercent WRITE SetTextHPercent)
    Q_PROPERTY(TPen WPen READ GetWPen WRITE SetWPen)
    Q_PROPERTY(double SLineXPercent READ GetSLineXPercent WRITE SetSLineXPercent)
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(TFont Font READ GetFont WRITE SetFont)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    explicit TTermoScale(QWidget *parent = nullptr);

    TStringList &Lines() { return m_lines; }
    QStringList GetLines() const { return m_lines.Lines(); }
    void SetLines(const QStringList &lines) { m_lines.Assign(lines); }
    TPen &TextPen() { return m_textPen; }
    const TPen &GetTextPen() const { return m_textPen; }
    void SetTextPen(const TPen &pen) { m_textPen.Assign(pen); }
    TBrush &Brush() { return m_brush; }
    const TBrush &GetBrush() const { return m_brush; }
    void SetBrush(const TBrush &brush) { m_brush.Assign(brush); }
    TBrush &TextBrush() { return m_textBrush; }
    const TBrush &GetTextBrush() const { return m_textBrush; }
    void SetTextBrush(const TBrush &brush) { m_textBrush.Assign(brush); }
    TPen &SPen() { return m_sPen; }
    const TPen &GetSPen() const { return m_sPen; }
    void SetSPen(const TPen &pen) { m_sPen.Assign(pen); }
    TPen &VPen() { return m_vPen; }
    const TPen &GetVPen() const { return m_vPen; }
    void SetVPen(const TPen &pen) { m_vPen.Assign(pen); }
    TPen &WPen() { return m_wPen; }
    const TPen &GetWPen() const { return m_wPen; }
    void SetWPen(const TPen &pen) { m_wPen.Assign(pen); }
    double GetTextWPercent() const { return m_textWPercent; }
    void SetTextWPercent(double v) { Store(m_textWPercent, v); }
    double GetTextHPercent() const { return m_textHPercent; }
    void SetTextHPercent(double v) { Store(m_textHPercent, v); }
    double GetSLineXPercent() const { return m_sLineXPercent; }
    void SetSLineXPercent(double v) { Store(m_sLineXPercent, v); }

    // Rows of the division lines, bottom label last; none for fewer than two lines.
    QList<int> DivisionRows() const;

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    TStringList m_lines;
    TPen m_textPen;
    TBrush m_brush;
    TBrush m_textBrush;
    TPen m_sPen;
    TPen m_vPen;
    TPen m_wPen;
    double m_textWPercent = 40;
    double m_textHPercent = 10;
    double m_sLineXPercent = 60;
};
