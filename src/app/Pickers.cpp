#include "Pickers.h"

#include "base/Moment.h"
#include "base/Style.h"

#include <QColorDialog>
#include <QDateEdit>
#include <QFontDialog>
#include <QFontInfo>

bool PickColour(QWidget *parent, TColor &colour)
{
    QColorDialog dialog(ColorToQColor(colour), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    colour = QColorToColor(dialog.selectedColor());
    return true;
}

bool PickFont(QWidget *parent, TFont &font)
{
    QFontDialog dialog(font.ToQFont(), parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();
    font.SetName(chosen.family());
    font.SetSize(chosen.pointSize() > 0 ? chosen.pointSize()
                                        : qRound(QFontInfo(chosen).pointSizeF()));
    font.SetStyle((chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0)
                  | (chosen.underline() ? fsUnderline : 0)
                  | (chosen.strikeOut() ? fsStrikeOut : 0));
    return true;
}

QDateEdit *MakeDatePicker(QWidget *parent, const QString &name)
{
    auto *picker = new QDateEdit(MomentToDateTime(Now()).date(), parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return picker;
}
