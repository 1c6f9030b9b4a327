// SPDX-License-Identifier: GPL-3.0-or-later
#include "cls_misc_form.h"

#include "clock.h"
#include "event_pump.h"
#include "instance_guard.h"
#include "system_menu.h"
#include "units.h"
#include "window_system.h"

#include <QWidget>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {
// Times of day compare as this text, the date dropped.
QString timeOfDayText(const QDateTime& when) {
    return when.time().toString(QStringLiteral("HH:mm:ss"));
}

// Seconds from when to the next whole second.
double toNextSecond(const QDateTime& when) {
    return (1000 - when.time().msec()) / 1000.0;
}

// The tick counter taken as a signed 32-bit value: it wraps as such.
qint32 tick32(const Clock& clock) {
    return qint32(quint32(quint64(clock.tickCount())));
}
} // namespace

namespace miscform {
double roundHalfEven(double value) {
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest < 0.5)
        return down;
    if (rest > 0.5)
        return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

QDateTime addInterval(const QDateTime& when, const QString& code, int amount) {
    const QString c = code.toLower();
    if (c == QLatin1String("s"))
        return when.addSecs(amount);
    if (c == QLatin1String("n"))
        return when.addSecs(qint64(amount) * 60);
    if (c == QLatin1String("h"))
        return when.addSecs(qint64(amount) * 3600);
    if (c == QLatin1String("d") || c == QLatin1String("y") || c == QLatin1String("w"))
        return when.addDays(amount);
    if (c == QLatin1String("ww"))
        return when.addDays(qint64(amount) * 7);
    if (c == QLatin1String("m"))
        return when.addMonths(amount);
    if (c == QLatin1String("q"))
        return when.addMonths(amount * 3);
    if (c == QLatin1String("yyyy"))
        return when.addYears(amount);
    throw std::invalid_argument("unknown date interval: " + code.toStdString());
}

QPoint centredTopLeft(double areaWidth, double areaHeight, double windowWidth,
                      double windowHeight) {
    const double left = roundHalfEven(roundHalfEven(areaWidth / 2.0) - windowWidth / 2.0);
    const double top = roundHalfEven(roundHalfEven(areaHeight / 2.0) - windowHeight / 2.0);
    return QPoint(int(left), int(top));
}
} // namespace miscform

clsMiscForm::clsMiscForm(MiscFormServices services) : s_(services) {}

clsMiscForm::~clsMiscForm() = default;

void clsMiscForm::Delay(qint16& intAmtOfDelay, const QString& strTypeOfDelay) {
    const QDateTime start = s_.clock.now();
    const QString startText = timeOfDayText(start);
    const QString endText =
        timeOfDayText(miscform::addInterval(start, strTypeOfDelay, intAmtOfDelay));
    for (;;) {
        const QDateTime now = s_.clock.now();
        const QString nowText = timeOfDayText(now);
        s_.pump.doEvents();
        s_.pump.doEvents();
        // Past midnight the text starts again from "00:00:00" and might never
        // pass an end late in the day ("23:59:59" never would): the pause
        // ends then too.
        if (nowText > endText || nowText < startText)
            return;
        // The text changes only with the second: nothing to poll before.
        s_.pump.waitForEvents(toNextSecond(now));
    }
}

void clsMiscForm::Mini_Delay(qint32& lngDelayAmt) {
    const qint64 end = qint64(tick32(s_.clock)) + lngDelayAmt;
    if (end > std::numeric_limits<qint32>::max() || end < std::numeric_limits<qint32>::min())
        throw std::overflow_error("end tick out of the 32-bit range");
    for (;;) {
        const qint32 now = tick32(s_.clock);
        s_.pump.doEvents();
        if (now >= end)
            return;
        s_.pump.waitForEvents((end - now) / 1000.0);
    }
}

void clsMiscForm::RemoveX(Form& frm) {
    QWidget* window = frm.widget();
    SystemMenu* menu = GetSystemMenu(window);
    if (!menu)
        return;
    const int n = menu->GetMenuItemCount();
    menu->RemoveMenu(n - 1);
    menu->RemoveMenu(n - 2);
    DrawMenuBar(window);
}

bool clsMiscForm::IsAnotherInstance(const QString& strApplName) {
    if (!s_.guard.anotherInstanceRunning())
        return false;
    const QString oldTitle = s_.windows.applicationTitle();
    s_.windows.setApplicationTitle(strApplName);
    ActivateOtherInstance(oldTitle);
    return true;
}

bool clsMiscForm::CenterForm(Form& objForm) {
    // Errors stop the centring and are what the result reports.
    try {
        if (objForm.scaleMode() != Form::ScaleMode::Twips)
            return false;
        QWidget* window = objForm.widget();
        if (!window)
            return true;
        const QRect area = s_.windows.availableGeometry(*window);
        if (area.isEmpty())
            return true;
        const QRect frame = window->frameGeometry();
        const QPoint twips =
            miscform::centredTopLeft(pixelsToTwips(area.width()), pixelsToTwips(area.height()),
                                     pixelsToTwips(frame.width()), pixelsToTwips(frame.height()));
        window->move(area.left() + twipsToPixels(twips.x()), area.top() + twipsToPixels(twips.y()));
        return false;
    } catch (...) {
        return true;
    }
}

void clsMiscForm::AlwaysOnTop(Form& frm, bool bOnTop) {
    QWidget* window = frm.widget();
    if (!window)
        return;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != bOnTop) {
        // New flags hide a shown window; it comes back where it was.
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, bOnTop);
        if (visible)
            window->show();
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void clsMiscForm::ActivateOtherInstance(const QString& caption) {
    QWidget* window = s_.windows.findWindow(caption);
    s_.pump.doEvents();
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    s_.pump.doEvents();
}
