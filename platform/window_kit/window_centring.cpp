// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_centring.h"

#include "units.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {
// The nearest whole number, halves to the even neighbour.
double roundHalfEven(double value) {
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest < 0.5)
        return down;
    if (rest > 0.5)
        return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

// Half the area, rounded, less half the window, rounded again; in twips.
double centredOffset(int areaPixels, int windowPixels) {
    return roundHalfEven(roundHalfEven(pixelsToTwips(areaPixels) / 2.0) -
                         pixelsToTwips(windowPixels) / 2.0);
}
} // namespace

QPoint centredTopLeft(const QRect& area, QSize outer) {
    return area.topLeft() + QPoint(twipsToPixels(centredOffset(area.width(), outer.width())),
                                   twipsToPixels(centredOffset(area.height(), outer.height())));
}

QSize outerSize(const QWidget& window) {
    return window.frameGeometry().size().expandedTo(window.size());
}

namespace {
void moveToCentre(QWidget* window, ScreenArea area) {
    if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        window->move(centredTopLeft(area == ScreenArea::Free ? screen->availableGeometry()
                                                             : screen->geometry(),
                                    outerSize(*window)));
}

// A window centred before it is first shown was centred by its size alone:
// when it shows, with a frame the window system makes known then, it is
// centred again by its whole outer size.
class CentreByFrameWhenShown : public QObject {
public:
    CentreByFrameWhenShown(QWidget* window, ScreenArea area)
        : QObject(window), assumed_(outerSize(*window)), area_(area) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (outerSize(*window) != assumed_)
            moveToCentre(window, area_);
        window->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QSize assumed_;
    ScreenArea area_;
};
} // namespace

void centreOnScreen(QWidget* window, QPushButton* button, ScreenArea area) {
    const int outerWidth = outerSize(*window).width();
    moveToCentre(window, area);
    if (!window->isVisible())
        new CentreByFrameWhenShown(window, area);
    if (button)
        button->move((outerWidth - button->width()) / 2, button->y());
}
