// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_utilities.h"

#include "clock.h"
#include "event_pump.h"
#include "instance_guard.h"
#include "window_centring.h"
#include "window_system.h"

#include <QDateTime>
#include <QWidget>
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

// when plus amount units of the date-interval code; std::invalid_argument for
// an unknown code.
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
} // namespace

WindowUtilities::WindowUtilities(WindowUtilityServices services) : s_(services) {}

WindowUtilities::~WindowUtilities() = default;

void WindowUtilities::delay(qint16& amount, const QString& unit) {
    const QDateTime start = s_.clock.now();
    const QString startText = timeOfDayText(start);
    const QString endText = timeOfDayText(addInterval(start, unit, amount));
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

void WindowUtilities::delayMilliseconds(qint32& milliseconds) {
    const qint64 end = qint64(tick32(s_.clock)) + milliseconds;
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

void WindowUtilities::removeCloseCommand(Form& form) {
    form.removeCloseCommand();
}

bool WindowUtilities::isAnotherInstance(const QString& applicationName) {
    if (!s_.guard.anotherInstanceRunning())
        return false;
    const QString oldTitle = s_.windows.applicationTitle();
    s_.windows.setApplicationTitle(applicationName);
    activateOtherInstance(oldTitle);
    return true;
}

bool WindowUtilities::centerForm(Form& form) {
    // Errors stop the centring and are what the result reports.
    try {
        if (form.scaleMode() != Form::ScaleMode::Twips)
            return false;
        QWidget* window = form.widget();
        if (!window)
            return true;
        const QRect area = s_.windows.availableGeometry(*window);
        if (area.isEmpty())
            return true;
        window->move(centredTopLeft(area, outerSize(*window)));
        return false;
    } catch (...) {
        return true;
    }
}

void WindowUtilities::setAlwaysOnTop(Form& form, bool onTop) {
    QWidget* window = form.widget();
    if (!window)
        return;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        // New flags hide a shown window; it comes back where it was.
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        if (visible)
            window->show();
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void WindowUtilities::activateOtherInstance(const QString& caption) {
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
