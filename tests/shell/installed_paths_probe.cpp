// SPDX-License-Identifier: GPL-3.0-or-later
// Copied beside an installed program, tells where a program in that folder
// finds its installation data: the data folder on the first line, then one
// line per data file, "found NAME" or "missing NAME".
#include "app_paths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const AppPaths paths = AppPaths::system();
    std::printf("%s\n", qPrintable(QFileInfo(paths.dataDir()).canonicalFilePath()));
    for (int i = 1; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        std::printf("%s %s\n", QFileInfo(paths.dataFile(name)).isFile() ? "found" : "missing",
                    argv[i]);
    }
    return 0;
}
