// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A picture box of the game window: a two-pixel sunken border round an inner
// area that shows one image, or the background colour where it has none.
// Images may carry a device pixel ratio: they are shown at their logical size
// from the inner area's top left corner.
class PictureBox : public QWidget {
public:
    static constexpr int Border = 2;

    PictureBox(QWidget* parent, const QString& name, const QRect& outer, const QColor& background,
               const QString& accessibleName);

    // Replaces what the box shows by the rectangle `source` (in the image's
    // own pixels) of `image`, and paints it at once, before returning.
    void copyFrom(const QImage& image, const QRect& source);
    // Shows `picture`, or nothing but the background when it is null.
    void setPicture(const QImage* picture);

    // What the box shows now, in device pixels (null when nothing).
    const QImage& shown() const { return content_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect contentRect() const;

    QImage content_;
    qreal contentRatio_ = 1.0;
    QColor background_;
};
