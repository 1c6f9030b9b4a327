// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// Geometry of the board pictures, in pixels. A cell is a 16 x 16 tile. The
// back buffer (picBoard2) holds cell (c, r) at ((c - 1) * 16 + 1,
// (r - 1) * 16 + 1); the visible board (picBoard) shows the 160 x 288 block of
// the buffer that starts at (1, 1), so cell (c, r) appears at
// ((c - 1) * 16, (r - 1) * 16).
inline constexpr int TileSize = 16;
inline constexpr int BoardPixelWidth = 160;
inline constexpr int BoardPixelHeight = 288;
inline constexpr int BufferPixelWidth = 164;
inline constexpr int BufferPixelHeight = 292;
inline constexpr int PreviewPixelWidth = 96;
inline constexpr int PreviewPixelHeight = 64;
inline constexpr QRect BufferBlock{1, 1, BoardPixelWidth, BoardPixelHeight};

constexpr QPoint bufferCellOrigin(int column, int row) {
    return {(column - 1) * TileSize + 1, (row - 1) * TileSize + 1};
}

// The visible board, picBoard. It keeps no image of its own between copies:
// each copy replaces what it shows, and it shows it at once (a window paints
// it immediately, not at some later event).
class BoardScreen {
public:
    virtual ~BoardScreen() = default;
    // Copies the rectangle `source` of the back buffer, as is, to (0, 0).
    // `source` is in the buffer image's own pixels, already scaled by its
    // devicePixelRatio(): at a ratio of 2 the board block is (2, 2, 320, 576).
    // The board draws that region at its (0, 0) with the logical size
    // source.size() / buffer.devicePixelRatio(), 160 x 288 at any ratio, so a
    // screen of that ratio shows every pixel of the buffer as it is.
    virtual void copyFromBuffer(const QImage& buffer, const QRect& source) = 0;
};

// The preview of the next piece, picNext: one picture or none.
class PreviewView {
public:
    virtual ~PreviewView() = default;
    // null: no picture. The picture may carry a devicePixelRatio() above 1:
    // it is then shown at its logical size, 96 x 64, with all its pixels. It
    // stays valid until the next call; the view keeps the pointer, not a copy.
    virtual void setPicture(const QImage* picture) = 0;
};

// A visible board held in an image, for off-screen use (tests, benchmarks):
// the image takes the size and the device pixel ratio of each copied block.
class ImageBoardScreen : public BoardScreen {
public:
    ImageBoardScreen();
    void copyFromBuffer(const QImage& buffer, const QRect& source) override;
    const QImage& image() const { return image_; }
    int copies() const { return copies_; }

private:
    QImage image_;
    int copies_ = 0;
};

// A preview that remembers what it was last given.
class ImagePreviewView : public PreviewView {
public:
    void setPicture(const QImage* picture) override {
        picture_ = picture;
        ++changes_;
    }
    const QImage* picture() const { return picture_; }
    int changes() const { return changes_; }

private:
    const QImage* picture_ = nullptr;
    int changes_ = 0;
};

// The plain copy of a rectangle between surfaces: source pixels replace the
// target's, alpha included, one for one. `at` and `from` are in the images'
// own pixels, whatever device pixel ratio either image carries.
void copyPixels(QImage& target, QPoint at, const QImage& source, const QRect& from);
