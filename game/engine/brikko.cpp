// SPDX-License-Identifier: GPL-3.0-or-later
#include "brikko.h"

Brikko::Brikko(BrikkoServices services) : services_(std::move(services)) {}

void Brikko::startDrop() {
    Dropping = true;
    if (DropStartRow == 0)
        DropStartRow = Game.PieceY;
}

void Brikko::setPaused(bool paused) {
    Paused = paused;
}
