#pragma once

#include <QList>
#include <QString>

class QWidget;

// Builds a window's components from its design file: a JSON document
//   { "components": [ { "class": "TArrow", "name": "Arrow1", "parent": "", "geometry": [x, y, w,
//   h],
//                       "tag": 100, "properties": { "Angle": 90, "NextArrow": "Arrow2",
//                       "Pen": { "Color": 0, "Width": 2 }, ... } }, ... ] }
// Components are created through the class registry in file order; "parent" names an earlier
// component ("" or absent: the form). Pen, brush and font properties take an object of their
// sub-properties; a property that holds a component pointer takes the component's name.
// Returns the components in file order (the window's component order). Throws
// std::runtime_error on an unreadable file, an unknown class, parent or property, or a value the
// property refuses, so a broken design is found at once and never half-applied silently.
QList<QWidget *> LoadFormDesign(QWidget *form, const QString &path);
