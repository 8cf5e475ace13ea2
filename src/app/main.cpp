// Vitrina: the menu program of a software-collection disc. It takes no command line;
// it reads db\base.txt from the folder it is started in.

#include "app/startup.h"
#include "toolkit/application.h"
#include "toolkit/carried_files.h"

int main() {
    DecodeWindowsAhead();
    // The platform's application object first: the JPEG unit measures the screen.
    TApplication application;
    application.Initialize();
    EnterPackedDisc();
    StartUnits();
    CreateWindows(application);
    application.Run();
    FinishUnits();
    return 0;
}
