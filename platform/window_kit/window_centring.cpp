// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_centring.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget* window, QPushButton* button, ScreenArea area) {
    // Before the window is first shown its frame is not known yet.
    const QSize outer = window->frameGeometry().size().expandedTo(window->size());
    const int outerWidth = outer.width();
    const int outerHeight = outer.height();
    if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen()) {
        const QRect s = area == ScreenArea::Free ? screen->availableGeometry() : screen->geometry();
        window->move(s.left() + (s.width() - outerWidth) / 2,
                     s.top() + (s.height() - outerHeight) / 2);
    }
    if (button)
        button->move((outerWidth - button->width()) / 2, button->y());
}
