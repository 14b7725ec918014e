#pragma once

#include "base/Color.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// Layout files of the windows, the interactive setup mode and the colour groups.
//
// A window with a layout keeps its components in component order and calls ApplyLayout at
// creation and again whenever LayoutNotifier() reports a change of the setup mode. The element
// editors fill the route table when they are created; clicking a bound element then opens the
// editor that its exact class name selects.

// --- the interactive setup mode

// Announces what the open windows with a layout react to.
class TLayoutNotifier : public QObject
{
    Q_OBJECT

signals:
    // The setup mode was switched (also when switched to the value it had): re-apply the layout.
    void SetupModeChanged(bool on);
    // New group colours were accepted: the diagram re-applies its colour groups at once.
    void ColoursAccepted();
};

TLayoutNotifier &LayoutNotifier();

// Sets the process-wide flag InteractiveSetup (Global.h) and emits SetupModeChanged.
void SetInteractiveSetup(bool on);

// --- layout files

// The folder "config" in the working folder, created when missing. The main frame makes the
// folder of the settings file the working folder: beside the executable, or the user's own
// configuration folder where the program folder is not writable.
QString LayoutFolder();
// LayoutFolder() + "/" + windowName + ".INI", e.g. "…/config/FormMnemo.INI".
QString LayoutFilePath(const QString &windowName);

// --- binding elements to the editors

// With the setup mode on, the element's click opens its editor (RouteElementClick with this
// window) and it shows the crosshair cursor; a click handler it had is kept aside. With the mode
// off, and only if its click is this window's route, the kept handler and cursor come back (or
// none and the default cursor). Elements without a click slot are left alone.
void BindLayoutClick(QWidget *element, QWidget *window);

// For every component in order, by exact class name: TArrow, TOutField, TPump, TPoligon and
// TBarrel get layoutFile as their ConfigName, are bound or unbound and load their own section;
// TLabel is bound or unbound and loads its font (LoadLabelFont).
void ApplyLayout(QWidget *window, const QList<QWidget *> &components, const QString &layoutFile);

// --- the editor route table

// Opens the editor for sender, an element of window; false when it failed or was not done.
using TEditRouteHandler = std::function<bool(QWidget *sender, QWidget *window)>;

struct TEditRouterRec
{
    QString Name; // exact class name; an empty name ends the table
    TEditRouteHandler Handler;
};

// The rows in their fixed order: TArrow, TBarrel, TLabel, TOutField, TPump, TPoligon, then the
// empty row. A row without a handler does nothing.
const QList<TEditRouterRec> &EditRouteTable();
// Puts the handler into the row of that class name (an editor does this when it is created; an
// empty handler clears the row). False for a class name the table has no row for.
bool SetEditRoute(const QString &className, TEditRouteHandler handler);

// Runs the handler of the first row whose name is sender's exact class name. False when no row
// matched, the row has no handler, or the handler failed (its errors are swallowed).
bool RouteElementClick(QWidget *window, QObject *sender);

// --- colour groups

// Recolours every component whose Tag equals tag, by exact class name, so that a subclass such as
// TActionLabel is never recoloured: TArrow Color, TOutField Pen.Color, TLabel Font.Color,
// TConusBox WaterColor, TPump Brush.Color, TValve Pen.Color and Brush.Color (then repainted),
// TPoligon Brush.Color, TBladeWheel BladePen.Color and Pen.Color, TPanel and TActionPanel Color,
// TWaterCircle WaterColor, TEBM StatorBrush.Color, TMixer WaterColor, TSeparator WaterColor,
// TSkat Brush.Color.
void SetGroupColour(const QList<QWidget *> &components, int tag, TColor colour);

// The colour of a TColor property, or of a pen, brush or font property, reached by name, so
// every class of the library is served without its header. Setting an unknown property does
// nothing.
TColor ColourProperty(const QObject *object, const char *property);
void SetColourProperty(QObject *object, const char *property, TColor colour);

// All elements of the window of the same exact class and the same non-zero Tag as element,
// element itself included (an empty list for Tag 0).
QList<QWidget *> ElementGroup(QWidget *window, const QWidget *element);

// --- label fonts

// The label's font (FontColor, FontSize, FontName) in its section of the layout file named after
// the label's parent. Loading defaults every key to the current value. False if anything failed.
bool SaveLabelFont(QWidget *label);
bool LoadLabelFont(QWidget *label);
