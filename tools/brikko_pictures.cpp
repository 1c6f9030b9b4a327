// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the game's seven previews and seven tiles (four times larger) side by
// side on one sheet and saves it as a PNG, to look at after changing how they
// are drawn.
//
// Usage: brikko_pictures OUTPUT.png [DEVICE-PIXEL-RATIO]   (ratio 1 by default)
#include "render_pics.h"
#include "shapes.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const qreal ratio = argc > 2 ? QByteArray(argv[2]).toDouble() : 1.0;
    if (argc < 2 || !(ratio >= 1 && ratio <= 8)) {
        std::fprintf(stderr, "usage: brikko_pictures OUTPUT.png [RATIO from 1 to 8]\n");
        return 2;
    }
    GamePictures pics;
    pics.setDevicePixelRatio(ratio);
    QImage sheet(QSize(7 * 108 + 12, 64 + 64 + 36) * ratio, QImage::Format_RGB32);
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(QColor(0xee, 0xee, 0xf2));
    QPainter p(&sheet);
    for (int k = 1; k <= PieceKindCount; ++k) {
        p.drawImage(QPoint(12 + (k - 1) * 108, 12), *pics.previewImage(k));
        p.drawImage(QRect(28 + (k - 1) * 108, 88, 64, 64), *pics.tileImage(k));
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "brikko_pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
