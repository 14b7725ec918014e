#include "app/Main.h"
#include "app/Application.h"
#include "app/InstanceCheck.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A second running copy ends at once, silently.
    if (CountProgramInstances(CurrentProgramPath()) >= 2)
        return 0;

    QApplication application(argc, argv);
    InitApplication();

    TFormMain frame;
    frame.show();
    return application.exec();
}
