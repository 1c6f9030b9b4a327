// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A whole number as the pupil sees it: decimal digits grouped by three from
// the right, one space between groups, no leading zeros; 0 shows as "0".
// Negative numbers keep their sign in front of the first group.
QString groupedDigits(double number);

// What a screen reader is told of the number to write:
// "Nombre à écrire : 1 234 567", the groups apart by ordinary spaces (speech
// synthesizers read a number with non-breaking or thin spaces between its
// groups wrongly).
QString numberToWriteDescription(double number);
