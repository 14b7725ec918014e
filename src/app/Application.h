#pragma once

// Application-wide start-up settings, made once the application object exists: the program's
// title.
void InitApplication();
