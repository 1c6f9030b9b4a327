// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board_drawing.h"
#include "board_state.h"
#include "render_pics.h"
#include "render_surfaces.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <optional>

// Draws the game's board: the tiles of the changed cells into the back buffer
// picBoard2, the buffer's board block onto the visible board, the previews
// onto the preview view. It owns the pictures (frmPics) and the buffer; the
// game window attaches its board and preview.
//
// At a device pixel ratio above 1 every picture is drawn again at that scale
// from the tile drawing and the shape table, so a high-density screen shows
// them sharp; the buffer is then redrawn whole from the cells drawn so far.
class BoardRenderer : public BoardDrawing {
public:
    BoardRenderer();
    ~BoardRenderer() override;
    BoardRenderer(const BoardRenderer&) = delete;
    BoardRenderer& operator=(const BoardRenderer&) = delete;

    // Where the board and the preview go; either may be null (nothing shown
    // there). The preview shown so far is given to the new view at once.
    void attach(BoardScreen* screen, PreviewView* preview);

    // The scale of the pictures: 1 draws 16-pixel tiles, 2 draws them with 32
    // pixels a side. A change redraws the pictures and the buffer, then shows
    // the board and the preview again. Values below 1 (or no number) count as 1.
    void setDevicePixelRatio(qreal ratio);
    qreal devicePixelRatio() const { return ratio_; }

    void drawCell(int column, int row, qint16 value) override;
    void showBoard() override;
    void showPreview(qint16 kind) override;

    // The back buffer, 164 x 292 device-independent pixels.
    const QImage& buffer() const { return picBoard2; }
    // The rectangle of the buffer, in its own pixels, that reaches the screen.
    QRect screenBlock() const;
    // The tiles and previews at the current scale.
    FrmPics& pictures() { return frmPics; }

    // Counters for tests and benchmarks: tiles drawn into the buffer, blocks
    // copied to the screen.
    qint64 tileCopies() const { return tileCopies_; }
    qint64 screenCopies() const { return screenCopies_; }

private:
    void endPainting();
    void paintTile(int column, int row, qint16 value);

    FrmPics frmPics;
    QImage picBoard2;
    BoardScreen* screen_ = nullptr;
    PreviewView* preview_ = nullptr;
    qreal ratio_ = 1.0;
    qint16 previewKind_ = 0;
    // What each cell of the buffer shows: its value, or -1 while it still
    // shows the buffer's own background.
    std::array<qint16, BoardCellCount> drawn_;
    std::optional<QPainter> painter_; // open from the first cell to showBoard
    qint64 tileCopies_ = 0;
    qint64 screenCopies_ = 0;
};
