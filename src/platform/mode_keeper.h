#pragma once

// The display modes given back after every end of the program, a crash or a kill included.
// A keeper process, forked before any other thread exists, notes the mode of every CRTC and
// waits on a pipe. A crash signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) asks it through the
// pipe to set back every mode that differs and waits a moment for its answer; then the signal
// takes its default action, so the exit status and the core dump are what they would be. The
// handler makes only async-signal-safe calls (write, poll, sigaction, raise): the X calls run
// in the keeper, whose connection the crash cannot have left half-used. A process that dies
// without a word closes the pipe, which the keeper takes as the same request.

// Starts the keeper and installs the crash handlers; false, and nothing changed, when there is
// no display named or the keeper cannot start (then one line on stderr says crash protection is off).
bool startModeKeeper();
// The orderly end, with the modes already given back: the keeper leaves without a look.
void stopModeKeeper();
