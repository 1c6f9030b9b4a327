// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_centring.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget* window, QPushButton* button) {
    const int outerWidth = window->frameGeometry().width();
    const int outerHeight = window->frameGeometry().height();
    if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        window->move(s.left() + (s.width() - outerWidth) / 2,
                     s.top() + (s.height() - outerHeight) / 2);
    }
    if (button)
        button->move((outerWidth - button->width()) / 2, button->y());
}
