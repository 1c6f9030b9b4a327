// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_window_system.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect QtWindowSystem::availableGeometry(const QWidget& window) const {
    QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QString QtWindowSystem::applicationTitle() const {
    return QGuiApplication::applicationDisplayName();
}

void QtWindowSystem::setApplicationTitle(const QString& title) {
    QGuiApplication::setApplicationDisplayName(title);
}

QWidget* QtWindowSystem::findWindow(const QString& caption) const {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w->isWindow() && w->windowTitle() == caption)
            return w;
    }
    return nullptr;
}
