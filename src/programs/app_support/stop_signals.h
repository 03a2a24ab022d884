#pragma once

class QCoreApplication;

// Ends the window program on SIGINT, SIGTERM and SIGHUP as lintaro-cli ends: every
// temporary file beside a file being written is removed, and the program exits with 128 +
// the signal's number (130, 143, 129). The handler only notes the signal and wakes the
// event loop, which does the rest between two events, so a file being put in place on the
// GUI thread is put in place whole first. A second signal before the loop got to the first
// (the GUI thread busy for long) removes the files and ends the program from the handler.
// Call once, after the application is made.
void endOnStopSignals(QCoreApplication &app);
