// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's SVG icon as square PNGs for the desktop's icon theme.
// Usage: render_icon <icon.svg> <output-folder> <size>...
// Writes <output-folder>/<size>x<size>/apps/<name>.png for each size, where
// <name> is the SVG's file name without its extension.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: render_icon <icon.svg> <output-folder> <size>...\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QString name = QFileInfo(args.at(1)).completeBaseName();
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int side = args.at(i).toInt(&ok);
        if (!ok || side <= 0 || side > 1024) {
            std::fprintf(stderr, "render_icon: bad size %s\n", qPrintable(args.at(i)));
            return 2;
        }
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args.at(2)).arg(side);
        if (!QDir().mkpath(dir) || !image.save(dir + QLatin1Char('/') + name + ".png")) {
            std::fprintf(stderr, "render_icon: cannot write in %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
