#include "app/app.h"
#include "app/shell.h"
#include "platform/stop_signals.h"

// No arguments, no configuration: the data files lie in the working directory.
int main()
{
    installStopSignals();
    return runDemo(gApp, demoSteps());
}
