#include "app/app.h"
#include "app/shell.h"

// No arguments, no configuration: the data files lie in the working directory.
int main()
{
    return runDemo(gApp, demoSteps());
}
