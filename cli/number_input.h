// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// A whole number as it is typed for the command line: digits only, from 0 to
// 999 999 999 999, in one block ("1000000", leading zeros allowed) or in
// groups of three after a first group of one to three digits, the groups
// separated by single ordinary spaces ("1 000 000"). Nothing else is a number:
// no sign, no decimal point or comma, no letter, no other blank (tab,
// non-breaking space), no space before, after or doubled.
namespace NumberInput {

enum class Fault {
    None,
    Empty,
    NotDigits, // a character other than a digit or an ordinary space
    Grouping,  // digits and spaces, but not in groups of three
    TooLarge,  // well written, above 999 999 999 999
};

struct Reading {
    qint64 value = 0; // 0 unless fault is None
    Fault fault = Fault::None;
};

Reading read(QByteArrayView text);

} // namespace NumberInput
