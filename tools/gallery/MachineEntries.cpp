#include "GalleryEntries.h"

#include "elements/AniTrans.h"
#include "elements/BladeWheel.h"
#include "elements/ColumnMixer.h"
#include "elements/DensMeter.h"
#include "elements/EBM.h"
#include "elements/Fan.h"
#include "elements/Flake.h"
#include "elements/GFlake.h"
#include "elements/Mixer.h"
#include "elements/Separator.h"
#include "elements/TermoScale.h"
#include "elements/WaterMEO.h"

#include <QImage>

namespace {

// A small two-tone pattern standing in for a coal picture file.
QImage CoalPattern()
{
    QImage pattern(4, 4, QImage::Format_RGB32);
    pattern.fill(QColor(40, 40, 40));
    pattern.setPixelColor(1, 1, QColor(120, 120, 120));
    pattern.setPixelColor(3, 2, QColor(90, 90, 90));
    return pattern;
}

void ShowCoal(TAniTrans &t, bool scoops)
{
    t.SetShowCoal(true);
    t.SetShowScoops(scoops);
    t.SetRk(4);
    t.SetScoopCount(8);
    t.SetBladeCount(4);
    t.SetPosition(7);
}

} // namespace

QList<TGalleryEntry> MachineEntries()
{
    return {
        Variant<TColumnMixer>("TColumnMixer half full, particles", {100, 170},
                              [](TColumnMixer &m) {
                                  m.SetColor(clBlack);
                                  m.BackBrush().SetColor(clGray);
                                  m.WaterBrush().SetColor(clTeal);
                                  m.SetWaterLevel(45);
                                  m.SetSpeedK(0.25);
                                  const TRockBall balls[] = {
                                      {75, 95, 0, 4, TRockBall::Coal, -6, -2},
                                      {40, 70, 0, 3, TRockBall::Rock, 0, -1},
                                      {50, 50, 0, 4, TRockBall::Coal, 0, -1},
                                      {30, 40, 0, 3, 5, 0, -1}};
                                  for (const TRockBall &b : balls)
                                      m.AddBall(&b);
                              }),
        Variant<TEBM>("TEBM 8 blades, hub", {110, 125},
                      [](TEBM &e) {
                          e.SetBladeCount(8);
                          e.SetIntR(5);
                          e.SetBladeAngle(20);
                      }),
        Variant<TSeparator>("TSeparator particles", {180, 90},
                            [](TSeparator &s) {
                                s.SetWaterLevel(15);
                                s.WallPen().SetColor(clWhite);
                                s.GridPen().SetColor(clRed);
                                s.GridPen().SetWidth(2);
                                const TRockBall balls[] = {{20, 10, 0, 4, TRockBall::Coal},
                                                           {40, 30, 0, 5, TRockBall::Rock},
                                                           {60, 50, 0, 3, TRockBall::Bubble},
                                                           {90, 70, 0, 4, TRockBall::Rock}};
                                for (const TRockBall &b : balls)
                                    s.AddBall(&b);
                            }),
        Variant<TMixer>("TMixer level 40, Alpha 30", {100, 100},
                        [](TMixer &m) {
                            m.SetWaterLevel(40);
                            m.SetAlpha(30);
                            m.Pen().SetWidth(3);
                            m.RotorPen().SetColor(clNavy);
                            m.RotorPen().SetWidth(2);
                        }),
        Variant<TBladeWheel>("TBladeWheel belt, Alpha 90", {60, 90},
                             [](TBladeWheel &w) {
                                 w.SetCircleMode(false);
                                 w.SetBladeCount(4);
                                 w.SetAlpha(90);
                                 w.BladePen().SetColor(clRed);
                             }),
        Variant<TFan>("TFan 5 blades", {70, 70},
                      [](TFan &f) {
                          f.SetBladeCount(5);
                          f.SetRotorAlpha(15);
                          f.SetColor(clBlack);
                      }),
        Variant<TAniTrans>("TAniTrans coal heaps, pattern", {150, 120},
                           [](TAniTrans &t) {
                               t.SetVirtW(60);
                               t.SetVirtH(40);
                               t.SetX1(8);
                               t.SetY1(10);
                               t.SetX2(52);
                               t.SetY2(30);
                               ShowCoal(t, false);
                               t.CoalBitmap().SetImage(CoalPattern());
                           }),
        Variant<TAniTrans>("TAniTrans scoops with coal", {150, 120},
                           [](TAniTrans &t) { ShowCoal(t, true); }),
        Variant<TAniTrans>("TAniTrans scoops, no coal, XFlip", {150, 120},
                           [](TAniTrans &t) {
                               t.SetShowScoops(true);
                               t.SetXFlip(true);
                               t.SetBladeCount(3);
                           }),
        Variant<TWaterMEO>("TWaterMEO horizontal 65", {120, 40},
                           [](TWaterMEO &g) {
                               g.SetPosition(65);
                               g.WaterBrush().SetColor(clAqua);
                               g.SetArrowColor(clRed);
                           }),
        Variant<TWaterMEO>("TWaterMEO vertical, inverted", {40, 120},
                           [](TWaterMEO &g) {
                               g.SetVerticalFlag(true);
                               g.SetInvertScale(true);
                               g.SetPosition(30);
                               g.WaterBrush().SetColor(clBlue);
                               g.SetArrowColor(clYellow);
                           }),
        Variant<TFlake>("TFlake XFlip, level 45", {100, 120},
                        [](TFlake &f) {
                            f.SetXFlip(true);
                            f.SetWaterLevel(45);
                            f.WaterBrush().SetColor(clAqua);
                        }),
        Variant<TFlake>("TFlake level above step", {100, 120},
                        [](TFlake &f) {
                            f.SetWaterLevel(95);
                            f.WaterBrush().SetColor(clTeal);
                        }),
        Variant<TGFlake>("TGFlake level 70", {100, 120},
                         [](TGFlake &f) {
                             f.SetWaterLevel(70);
                             f.SetGX(35);
                             f.SetXFlip(true);
                         }),
        Variant<TDensMeter>(
            "TDensMeter partial cell", {160, 90},
            [](TDensMeter &d) {
                d.SetCaption("Плотность");
                d.SetColor(clSilver);
                d.SetStrCellColors({"0x0000FF00", "0x0000FFFF", "0x000080FF", "0x000000FF"});
                d.SetOutMax(2000);
                d.SetOutValue(1150);
                d.SetOutFormat("###0 кг/м3");
                d.SetOutHeight(30);
            }),
        Variant<TTermoScale>("TTermoScale 5 lines", {60, 160},
                             [](TTermoScale &t) {
                                 t.SetLines({"0", "25", "50", "75", "100"});
                                 t.Brush().SetColor(clBlack);
                                 t.WPen().SetColor(clWhite);
                                 t.SPen().SetColor(clGray);
                                 t.VPen().SetColor(clWhite);
                                 t.TextBrush().SetColor(clSilver);
                             }),
    };
}
