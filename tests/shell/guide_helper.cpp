// SPDX-License-Identifier: GPL-3.0-or-later
// The guide window alone, for the screenshots: with the argument "dark", under
// the dark desktop palette the dark-palette test uses. Ends when the guide is
// closed.
#include "guide_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc >= 2 && qstrcmp(argv[1], "dark") == 0)
        QApplication::setPalette(QPalette(QColor(0x3c, 0x3c, 0x3c), QColor(0x2b, 0x2b, 0x2b)));
    GuideWindow guide;
    QObject::connect(&guide, &Form::unloaded, &app, &QCoreApplication::quit);
    guide.show(false);
    return QApplication::exec();
}
