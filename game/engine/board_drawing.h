// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How the game engine draws: it works out which cells of the board changed
// and hands them over one by one, then asks for the board to be shown. The
// engine holds no picture of its own; BoardRenderer is the one that draws.
class BoardDrawing {
public:
    virtual ~BoardDrawing() = default;
    // Draws the tile of a cell value (0 empty, 1..7 a piece kind) at cell
    // (column, row), both 1-based, into the back buffer. Any other value or
    // position draws nothing.
    virtual void drawCell(int column, int row, qint16 value) = 0;
    // Copies the whole board block of the back buffer to the visible board.
    virtual void showBoard() = 0;
    // The preview shows the next piece of this kind; a number that is no
    // kind (0 included) shows no picture.
    virtual void showPreview(qint16 kind) = 0;
};
