#pragma once

class QAction;
class QString;
class QToolButton;

// An action's hint, shown as the tooltip of the controls that run it. Qt gives an action without a
// tooltip its caption as one; here an action whose hint was set empty shows no tooltip at all.
void SetActionHint(QAction *action, const QString &hint);
// The hint set by SetActionHint; for an action never given one, its tooltip as Qt makes it.
QString ActionHint(const QAction *action);
// Keeps the tool button's tooltip to the hint of the action it runs, whichever that is at the time.
void ShowHintsOnly(QToolButton *button);
