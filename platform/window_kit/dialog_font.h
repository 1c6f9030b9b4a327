// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

// The fonts the windows name, each through its metric stand-ins, so that
// captions fit the windows' pixel and twip layouts: the families to give a
// QFont, in the order they are tried.
QStringList dialogFontFamilies(); // the classic dialog font, "MS Sans Serif"
QStringList arialFamilies();      // "Arial"

// The classic dialog font at `points`.
QFont dialogFont(double points = 8);
