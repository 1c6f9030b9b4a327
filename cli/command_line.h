// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "words_command.h"

#include <QByteArrayList>
#include <QString>

#include <cstdio>

// What the arguments ask of the program, decided before any window code runs.
// The program's own options are long ones: --words (with --spelling and
// --region), --help and --version. With none of them the window opens, and
// the arguments go to Qt as before, so Qt's options for the window (-platform,
// --platform, -style=fusion, ...) keep working. Any other long option is
// refused. docs/ARCHITECTURE.md ("cli/") gives the whole command line.
namespace CommandLine {

enum class Action {
    OpenWindow,
    Words,
    Help,
    Version,
    Refuse, // a bad option: the message, the usage line, status 2
};

struct Request {
    Action action = Action::OpenWindow;
    WordsCommand::Style style;
    QByteArrayList numbers; // Words: the numbers to answer; none: read the input
    QString refusal;        // Refuse: what is wrong, in French
};

// The arguments without the program's name.
Request parse(const QByteArrayList& arguments);
Request parse(int argc, const char* const* argv);

QString usageLine();
QString helpText();
QString versionLine(); // "vorelle 5.0.0", from the project's version

// Carries out a request other than OpenWindow, without a window, a display,
// settings, sound or the single-instance lock. Returns the exit status.
int run(const Request& request, std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace CommandLine
