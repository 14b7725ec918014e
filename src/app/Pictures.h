#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The images of the menu, the toolbar and the main menu window, drawn by code.
enum class TPicture {
    MainMenu,
    Mnemo,
    GraphParams,
    GraphLevels,
    GraphDivider,
    GraphTrans,
    WorkLog,
    SvodTable,
    Print,
    About,
    Exit,
    SetDensity,
    SetLoad,
    Config,
    BaseView,
};

// The picture centred in a transparent pixmap of the given size, as large as the smaller side
// allows.
QPixmap DrawPicture(TPicture picture, QSize size);
QIcon PictureIcon(TPicture picture);
