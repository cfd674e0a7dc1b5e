#include "app/shell.h"
#include "state/app.h"

// No arguments, no configuration: the data files lie in the working directory.
int main()
{
    DesktopSteps steps;
    int status = runDemo(gApp, steps);
    // The connection to the display lasts until the program ends.
    stopWindowing(steps.shell.windows);
    return status;
}
