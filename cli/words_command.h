// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number_input.h"
#include "number_spelling.h"

#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

// `vorelle --words`: the words of numbers given as arguments or read from a
// stream, one line each, in UTF-8. A bad number writes nothing on the output
// and one French message on the error stream; the others are still answered.
// docs/ARCHITECTURE.md ("cli/") gives the whole command line.
namespace WordsCommand {

// The exit statuses of the command line.
enum Status {
    Done = 0,
    IoFailed = 1, // the input could not be read or the output written
    BadInput = 2, // a bad number or line, or a bad option
};

struct Style {
    NumberSpelling::Spelling spelling = NumberSpelling::Spelling::Classic;
    NumberSpelling::Region region = NumberSpelling::Region::France;
};

// A line longer than this many bytes is bad without being read further: a
// number takes fifteen, the rest of the line is read and dropped.
inline constexpr qsizetype LongestLine = 4096;

// What is wrong with a text that is not a number, in French, the text quoted
// as a terminal can show it: "« 12,5 » n'est pas un nombre entier écrit en
// chiffres.". cut: the text is the beginning of a longer line.
QString faultMessage(QByteArrayView text, NumberInput::Fault fault, bool cut = false);

// The words of each number, in order.
Status answerNumbers(const QByteArrayList& numbers, Style style, std::FILE* out, std::FILE* err);

// One number a line from in until its end, each answer written (and flushed)
// before the next line is read, so that the command can be driven line by
// line or sit behind a pipe. A trailing CR is ignored; the last line needs no
// line feed. Messages name the line, counted from 1.
Status answerLines(std::FILE* in, Style style, std::FILE* out, std::FILE* err);

} // namespace WordsCommand
