#pragma once

// Application-wide start-up settings, made once the application object exists: the program's
// title, and Qt's own texts in Russian (the standard buttons "Да", "Нет", "Отмена" and the colour,
// font, print and page dialogs). Safe to call again.
void InitApplication();
