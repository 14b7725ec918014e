#pragma once

#include "CachedElement.h"
#include "PanelElement.h"
#include "base/StringList.h"

#include <array>

// One measured value twice: a bar of coloured cells filling from the left in proportion to the
// value between OutMin and OutMax, and the formatted number in a box below, under the Caption.
class TDensMeter : public TPanelElement<TCachedElement>
{
    Q_OBJECT
    Q_PROPERTY(QString ConfigName READ GetConfigName WRITE SetConfigName)
    Q_PROPERTY(int TermoTop READ GetTermoTop WRITE SetTermoTop)
    Q_PROPERTY(int TermoHeight READ GetTermoHeight WRITE SetTermoHeight)
    Q_PROPERTY(int TermoXSpace READ GetTermoXSpace WRITE SetTermoXSpace)
    Q_PROPERTY(int OutTop READ GetOutTop WRITE SetOutTop)
    Q_PROPERTY(int OutXSpace READ GetOutXSpace WRITE SetOutXSpace)
    Q_PROPERTY(int OutHeight READ GetOutHeight WRITE SetOutHeight)
    Q_PROPERTY(TFont OutFont READ GetOutFont WRITE SetOutFont)
    Q_PROPERTY(QString OutFormat READ GetOutFormat WRITE SetOutFormat)
    Q_PROPERTY(int TermoCellCount READ GetTermoCellCount WRITE SetTermoCellCount)
    Q_PROPERTY(TPen TermoPen READ GetTermoPen WRITE SetTermoPen)
    Q_PROPERTY(double OutMin READ GetOutMin WRITE SetOutMin)
    Q_PROPERTY(double OutMax READ GetOutMax WRITE SetOutMax)
    Q_PROPERTY(TPen Pen READ GetPen WRITE SetPen)
    Q_PROPERTY(double OutValue READ GetOutValue WRITE SetOutValue)
    Q_PROPERTY(TColor TermoBackColor READ GetTermoBackColor WRITE SetTermoBackColor)
    Q_PROPERTY(QStringList StrCellColors READ GetStrCellColors WRITE SetStrCellColors)
    Q_PROPERTY(int CellCount READ GetCellCount WRITE SetCellCount)
    Q_PROPERTY(TBrush OutBrush READ GetOutBrush WRITE SetOutBrush)
    Q_PROPERTY(TPen OutPen READ GetOutPen WRITE SetOutPen)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(TFont Font READ GetFont WRITE SetFont)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)

public:
    static constexpr int MaxCells = 10;

    explicit TDensMeter(QWidget *parent = nullptr);

    int GetTermoTop() const { return m_termoTop; }
    void SetTermoTop(int v) { Store(m_termoTop, v); }
    int GetTermoHeight() const { return m_termoHeight; }
    void SetTermoHeight(int v) { Store(m_termoHeight, v); }
    int GetTermoXSpace() const { return m_termoXSpace; }
    void SetTermoXSpace(int v) { Store(m_termoXSpace, v); }
    int GetOutTop() const { return m_outTop; }
    void SetOutTop(int v) { Store(m_outTop, v); }
    int GetOutXSpace() const { return m_outXSpace; }
    void SetOutXSpace(int v) { Store(m_outXSpace, v); }
    int GetOutHeight() const { return m_outHeight; }
    void SetOutHeight(int v) { Store(m_outHeight, v); }
    QString GetOutFormat() const { return m_outFormat; }
    void SetOutFormat(const QString &v) { Store(m_outFormat, v); }
    double GetOutMin() const { return m_outMin; }
    void SetOutMin(double v) { Store(m_outMin, v); }
    double GetOutMax() const { return m_outMax; }
    void SetOutMax(double v) { Store(m_outMax, v); }
    double GetOutValue() const { return m_outValue; }
    void SetOutValue(double v) { Store(m_outValue, v); }
    TColor GetTermoBackColor() const { return m_termoBackColor; }
    void SetTermoBackColor(TColor c) { Store(m_termoBackColor, c); }
    // Only stored: they take effect at the next redraw.
    int GetTermoCellCount() const { return m_termoCellCount; }
    void SetTermoCellCount(int v) { m_termoCellCount = v; }
    int GetCellCount() const { return m_cellCount; }
    void SetCellCount(int v) { m_cellCount = v; }

    TFont &OutFont() { return m_outFont; }
    const TFont &GetOutFont() const { return m_outFont; }
    void SetOutFont(const TFont &font) { m_outFont.Assign(font); }
    TPen &TermoPen() { return m_termoPen; }
    const TPen &GetTermoPen() const { return m_termoPen; }
    void SetTermoPen(const TPen &pen) { m_termoPen.Assign(pen); }
    TPen &Pen() { return m_pen; }
    const TPen &GetPen() const { return m_pen; }
    void SetPen(const TPen &pen) { m_pen.Assign(pen); }
    TBrush &OutBrush() { return m_outBrush; }
    const TBrush &GetOutBrush() const { return m_outBrush; }
    void SetOutBrush(const TBrush &brush) { m_outBrush.Assign(brush); }
    TPen &OutPen() { return m_outPen; }
    const TPen &GetOutPen() const { return m_outPen; }
    void SetOutPen(const TPen &pen) { m_outPen.Assign(pen); }
    TStringList &StrCellColors() { return m_strCellColors; }
    QStringList GetStrCellColors() const { return m_strCellColors.Lines(); }
    void SetStrCellColors(const QStringList &lines) { m_strCellColors.Assign(lines); }

    TColor CellColor(int index) const { return m_cellColors.at(index); }
    // The value's pixel column on the bar.
    double ValueX() const;

protected:
    void Paint(QPainter &painter) override;
    void WriteConfig(TIniFile &ini, const QString &section) const override;
    void ReadConfig(const TIniFile &ini, const QString &section) override;

private:
    void ReadCellColors();

    int m_termoTop = 20;
    int m_termoHeight = 10;
    int m_termoXSpace = 10;
    int m_outTop = 35;
    int m_outXSpace = 20;
    int m_outHeight = 40;
    TFont m_outFont;
    QString m_outFormat = QStringLiteral("##0.0");
    int m_termoCellCount = 4;
    TPen m_termoPen;
    double m_outMin = 0;
    double m_outMax = 200;
    TPen m_pen;
    double m_outValue = 0;
    TColor m_termoBackColor = clBlack;
    TStringList m_strCellColors;
    int m_cellCount = 4;
    TBrush m_outBrush;
    TPen m_outPen;
    std::array<TColor, MaxCells> m_cellColors {};
};
