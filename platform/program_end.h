// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Ending the program at once, from any depth of nested waits: the shutdown
// hooks run (the music is closed), then the process exits. Tests replace the
// final exit with a handler of their own.
namespace ProgramEnd {
void addShutdownHook(std::function<void()> hook);
void setExitHandler(std::function<void()> handler); // empty: the real exit
[[noreturn]] void endProgram();
} // namespace ProgramEnd

// Thrown by endProgram() when a test's exit handler returns, so that the
// caller's code stops as it would when the process ends.
struct ProgramEnded {};
