// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Ending the program at once ("&Quitter", the main window's close box, a
// second copy, a termination signal): the shutdown hooks run (the sound and
// the music are stopped), every window is hidden, and the event loop is told
// to end, so that exec() returns 0 and main() returns with every destructor
// run (the single-instance lock and socket are removed). endProgram() returns
// to its caller, which unwinds as usual; code that runs before the event loop
// asks requested() to know whether it is still wanted.
namespace ProgramEnd {
void addShutdownHook(std::function<void()> hook);
// Replaces telling the event loop to end (tests, which have no loop to end);
// empty: the event loop is told.
void setExitHandler(std::function<void()> handler);
// Runs once: later calls change nothing.
void endProgram();
// Whether endProgram() has run.
bool requested();
// Forgets that endProgram() ran (tests that end the program more than once).
void resetForTest();
} // namespace ProgramEnd
