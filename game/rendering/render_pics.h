// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>

#include <array>

// frmPics: the game's fifteen pictures, which are never shown by themselves.
// Kubolt0 ... Kubolt7 are the 16 x 16 tiles of cell values 0 (empty) to 7
// (piece kinds); Next(1) ... Next(7) the 96 x 64 previews of each kind in its
// first orientation, built from its tiles and centred. Every picture is drawn
// by the program from the shape table and its palette, the first time one of
// them is asked for, at the device pixel ratio it was given (1 until set).
class FrmPics {
public:
    bool isLoaded() const { return loaded_; }
    void Load();

    // Draws every picture again, at this scale, the next time one is asked
    // for: a 16 x 16 tile then has 16 x ratio pixels a side and carries the
    // ratio (QImage::devicePixelRatio). Pictures handed out before are gone.
    void setDevicePixelRatio(qreal ratio);
    qreal devicePixelRatio() const { return ratio_; }

    // The tile of a cell value 0..7, or null for any other value.
    const QImage* Kubolt(int value);
    // The preview of a kind 1..7, or null for any other number.
    const QImage* Next(int kind);

    // The board's background, also the colour of the empty tile.
    static QColor backgroundColor();
    // The face colour of the tiles of kind 1..7.
    static QColor tileColor(int kind);

private:
    bool loaded_ = false;
    qreal ratio_ = 1.0;
    std::array<QImage, 8> tiles_;
    std::array<QImage, 7> previews_;
};
