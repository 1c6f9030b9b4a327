// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The classic dialog font at `points`, through its metric stand-ins, so that
// captions fit the windows' pixel and twip layouts.
QFont dialogFont(double points = 8);
