#include "GalleryEntries.h"

#include "base/ElementRegistry.h"
#include "elements/ActionLabel.h"
#include "elements/ActionPanel.h"
#include "elements/Arrow.h"
#include "elements/Barrel.h"
#include "elements/ConusBox.h"
#include "elements/ElementLibrary.h"
#include "elements/Label.h"
#include "elements/OutField.h"
#include "elements/Pandus.h"
#include "elements/Poligon.h"
#include "elements/Pump.h"
#include "elements/Skat.h"
#include "elements/Valve.h"
#include "elements/WaterCircle.h"

#include <QAction>

namespace {

// The variants that show what the properties do; one line per entry.
QList<TGalleryEntry> Variants()
{
    return {
        Variant<TOutField>("TOutField кг/м3", {150, 30},
                           [](TOutField &f) {
                               f.SetOutFormat("###0 кг/м3");
                               f.SetOutValue(1952.4);
                           }),
        Variant<TOutField>("TOutField Alpha 900", {40, 150},
                           [](TOutField &f) {
                               f.SetOutFormat("#0.0 т/ч");
                               f.SetOutValue(412.25);
                               f.SetAlpha(900);
                           }),
        Variant<TOutField>("TOutField Alpha 450 bold", {150, 150},
                           [](TOutField &f) {
                               f.Font().SetStyle(fsBold);
                               f.Font().SetSize(14);
                               f.SetOutValue(75.5);
                               f.SetAlpha(450);
                           }),
        Variant<TOutField>("TOutField HandWriting, top", {150, 60},
                           [](TOutField &f) {
                               f.SetHandWriting(true);
                               f.SetVAlign(vb_VAlignTop);
                               f.SetOutFormat("Уровень ##0 %");
                               f.SetOutValue(64);
                           }),
        Variant<TOutField>("TOutField transparent", {150, 40},
                           [](TOutField &f) {
                               f.SetTransparent(true);
                               f.Font().SetColor(clYellow);
                               f.SetOutFormat("###0 кг/м3");
                               f.SetOutValue(1348);
                           }),
        Variant<TArrow>("TArrow 135° head", {80, 80},
                        [](TArrow &a) {
                            a.SetAngle(135);
                            a.SetEdgeLength(14);
                            a.SetColor(clLime);
                        }),
        Variant<TArrow>("TArrow pipe with bubbles", {155, 18},
                        [](TArrow &a) {
                            a.SetEdgeLength(0);
                            a.SetColor(clBlue);
                            a.SetArrowWidth(5);
                            a.SetBubbleList({"10", "40", "70", "100", "130"});
                            a.SetBubbleLen(8);
                        }),
        Variant<TConusBox>("TConusBox 99/25", {80, 140},
                           [](TConusBox &c) {
                               c.SetWaterH(99);
                               c.SetConusH(25);
                               c.Pen().SetColor(clWhite);
                           }),
        Variant<TConusBox>("TConusBox half, XFlip, 15", {80, 140},
                           [](TConusBox &c) {
                               c.SetHalfConus(true);
                               c.SetXFlip(true);
                               c.SetWaterH(15);
                               c.SetShowTopLine(true);
                               c.Pen().SetColor(clYellow);
                           }),
        Variant<TBarrel>("TBarrel above max", {24, 140}, [](TBarrel &b) { b.SetWaterLevel(12); }),
        Variant<TBarrel>("TBarrel left to right", {140, 24},
                         [](TBarrel &b) {
                             b.SetLeft2RightMode(true);
                             b.SetWaterLevel(7);
                         }),
        Variant<TPoligon>(
            "TPoligon cyclone", {80, 140},
            [](TPoligon &p) {
                p.SetPointList({"0; 0", "100; 0", "100; 30", "60; 100", "40; 100", "0; 30"});
                p.Brush().SetColor(clSilver);
            }),
        Variant<TPoligon>("TPoligon XFlip", {100, 100},
                          [](TPoligon &p) {
                              p.SetPointList({"0; 0", "100; 50", "0; 100", "30; 50"});
                              p.SetXFlip(true);
                          }),
        Variant<TSkat>("TSkat XFlip, TopWidth 40", {120, 100},
                       [](TSkat &s) {
                           s.SetXFlip(true);
                           s.SetTopWidth(40);
                       }),
        Variant<TPandus>("TPandus XFlip", {145, 75}, [](TPandus &p) { p.SetXFlip(true); }),
        Variant<TValve>("TValve VertMode", {40, 40}, [](TValve &v) { v.SetVertMode(true); }),
        Variant<TPump>("TPump VertFlip", {60, 60}, [](TPump &p) { p.SetVertFlip(true); }),
        Variant<TWaterCircle>("TWaterCircle opaque", {60, 60},
                              [](TWaterCircle &w) { w.SetTransparent(false); }),
        Variant<TLabel>("TLabel", {170, 20},
                        [](TLabel &l) {
                            l.setText("Плотность суспензии");
                            l.Font().SetColor(clYellow);
                        }),
        Variant<TActionLabel>("TActionLabel + action", {170, 20},
                              [](TActionLabel &l) {
                                  l.SetAction(new QAction("&Задание нагрузки", &l));
                                  l.Font().SetColor(clYellow);
                              }),
        Variant<TActionPanel>("TActionPanel + action", {150, 30},
                              [](TActionPanel &p) { p.SetAction(new QAction("Мнемосхема", &p)); }),
    };
}

} // namespace

QList<TGalleryEntry> GalleryEntries()
{
    RegisterElementLibrary();
    QList<TGalleryEntry> entries;
    for (const QString &name : RegisteredElementClasses())
        entries.append({name, [name] {
                            return CreateElement(name);
                        }});
    return entries + Variants() + MachineEntries() + ChartEntries();
}
