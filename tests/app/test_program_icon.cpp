// SPDX-License-Identifier: GPL-3.0-or-later
// The program icon the application gives every window.
#include "program_icon.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

class TestProgramIcon : public QObject {
    Q_OBJECT

private slots:
    // Read from its PNGs at every size it was drawn at, opaque in its middle,
    // and what a window without an icon of its own shows.
    void drawnAtEverySize() {
        const QIcon icon = programIcon();
        QCOMPARE(icon.availableSizes(),
                 (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
        QCOMPARE(icon.pixmap(128).toImage().pixelColor(64, 64).alpha(), 255);
        QApplication::setWindowIcon(icon);
        QWidget window;
        QCOMPARE(window.windowIcon().availableSizes(), icon.availableSizes());
    }
};

QTEST_MAIN(TestProgramIcon)
#include "test_program_icon.moc"
