// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_state.h"

namespace {
qint64 faults = 0;
qint16 nowhere = 0;
} // namespace

qint16& BoardCells::offBoard() {
    ++faults;
    nowhere = 0; // whatever was written off the board is gone
    return nowhere;
}

qint64 boardAccessFaults() {
    return faults;
}
