#pragma once

// The display modes given back after every end of the program, a crash or a kill included.
// A keeper process, forked before any other thread exists and before the program connects to the
// display, notes the CRTCs' settings around every mode change the program makes and waits on a
// socket. A crash signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) asks it through the socket to
// set back what the program changed and still stands, and waits a moment for its answer; then the
// signal takes its default action, so the exit status and the core dump are what they would be.
// The handler makes only async-signal-safe calls (send, poll, sigaction, raise): the X calls run
// in the keeper, whose connection the crash cannot have left half-used. A process that dies
// without a word closes the socket, which the keeper takes as the same request.

// Starts the keeper and installs the crash handlers; false, and nothing changed, when there is
// no display named or the keeper cannot start (then one line on stderr says crash protection is off).
bool startModeKeeper();
// The orderly end, with the modes already given back: the keeper leaves without a look.
void stopModeKeeper();
// Around a change of the display mode: only what the keeper saw change in between is the
// program's to give back (another demo's mode, in force before, is not). Nothing without a keeper.
void noteModeChangeComing();
void noteModeChangeDone();
