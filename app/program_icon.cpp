// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_icon.h"

#include <QCoreApplication>

QIcon programIcon() {
    // Its sizes are drawn at build time and read when first asked for; made
    // once and shared by the application and every window, dropped with the
    // application object, before the pixmaps' backing is gone.
    static QIcon* icon = nullptr;
    if (!icon) {
        icon = new QIcon;
        for (int side : {16, 24, 32, 48, 64, 128})
            icon->addFile(QStringLiteral(":/vorelle/icon/%1x%1/apps/vorelle.png").arg(side),
                          QSize(side, side));
        qAddPostRoutine([] {
            delete icon;
            icon = nullptr;
        });
    }
    return *icon;
}
