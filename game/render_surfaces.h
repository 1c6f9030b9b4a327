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
    virtual void copyFromBuffer(const QImage& buffer, const QRect& source) = 0;
};

// The preview of the next piece, picNext: one picture or none.
class PreviewView {
public:
    virtual ~PreviewView() = default;
    virtual void setPicture(const QImage* picture) = 0; // null: no picture
};

// A visible board held in an image, for off-screen use (tests, benchmarks).
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

// A new back buffer, 164 x 292, in the board's background colour.
QImage makeBackBuffer();

// The plain copy of a rectangle between surfaces: source pixels replace the
// target's, alpha included.
void copyPixels(QImage& target, QPoint at, const QImage& source, const QRect& from);
