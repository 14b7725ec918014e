#pragma once

class QWidget;

// Where an element sits in its parent: docked to an edge, taking the parent's full width (top,
// bottom) or height (left, right) there, or filling what the docked ones leave (client).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Lays out the aligned elements among parent's children now, and again whenever parent resizes.
void KeepAligned(QWidget *parent);
