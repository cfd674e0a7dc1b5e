#pragma once

// Ctrl-C in the terminal (SIGINT), a polite kill (SIGTERM) and a closed terminal (SIGHUP) ask the
// demo to end as a close request does. The handler only records the request and writes a byte
// into a pipe; the main loop and a waiting message box look at them. A second such signal ends
// the program at once, for when its orderly end hangs.

// Installs the handlers, once. A signal the program was started with ignored (nohup, a
// background job of a script) stays ignored.
void installStopSignals();
// True once a stop signal has arrived.
bool stopSignalArrived();
// Readable once a stop signal has arrived, for a wait on other descriptors too; -1 before
// installStopSignals.
int stopSignalFd();
