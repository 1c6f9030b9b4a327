// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

#include <QString>
#include <QtGlobal>
#include <memory>

class Clock;
class EventPump;
class InstanceGuard;
class WindowSystem;

// The services the window utilities work on.
struct WindowUtilityServices {
    Clock& clock;          // local date and time, tick counter
    EventPump& pump;       // DoEvents, and waiting for events between polls
    InstanceGuard& guard;  // the previous-instance flag
    WindowSystem& windows; // free screen area, application title, windows by caption
};

// Window-level services for any window: two pauses that keep the user
// interface alive while they wait, removal of a window's close command, the
// previous-instance test, centring in the free part of the screen, and the
// always-on-top band. The class keeps no state between calls.
//
// The pauses poll the clock as a busy loop would, but block in the event loop
// between polls, so a pause uses no processor. Event handlers of any window,
// the caller's own included, can run in the middle of a pause.
class WindowUtilities {
public:
    explicit WindowUtilities(WindowUtilityServices services);
    ~WindowUtilities();

    // Pauses an application based on length of time and if it is to be in
    // 's'-Seocnds, 'n'-Minutes, 'h'-Hours, etc.
    //
    // The end is the time of day, as "hh:mm:ss", of now plus amount
    // units of unit ("s", "n", "h", "d", "y", "w", "ww", "m", "q",
    // "yyyy", in any case); the pause lasts until the time of day read as text
    // is greater than that end text. So a pause in seconds lasts up to one
    // second more than asked, an amount of 0 waits for the next second, and a
    // negative amount or an end after midnight returns at the first poll. A
    // pause still running at midnight ends there.
    // Throws std::invalid_argument for any other code, before waiting.
    void delay(qint16& amount, const QString& unit = QStringLiteral("s"));

    // Will delay an application based on milliseconds.
    //
    // Waits until the tick counter (milliseconds, as a signed 32-bit value)
    // reaches its start value plus milliseconds; handles events at least once.
    // Throws std::overflow_error, before waiting, when that end does not fit a
    // signed 32-bit value.
    void delayMilliseconds(qint32& milliseconds);

    // Disables the 'X' in the upper right corner of a form and the 'Close' in
    // the control box in the upper left corner.
    //
    // Takes the loaded window's close command away (Form::removeCloseCommand):
    // no close button, and every close request refused. Nothing happens to a
    // window that is not loaded.
    static void removeCloseCommand(Form& form);

    // Test for the existance of another instance of an application being
    // executed.
    //
    // When an earlier copy was running, sets the application title to
    // applicationName (for good), brings forward the window that bears the former
    // title, and returns true; otherwise changes nothing and returns false.
    bool isAnotherInstance(const QString& applicationName);

    // Centers a form on the screen taking into account any tool or task bars
    // present.
    //
    // Centres the window's outer frame in the part of its screen that task
    // bars leave free (centredTopLeft, window_centring.h). Returns false, without moving it, when
    // the window is not laid out in twips; false after a successful move; true only when the
    // centring was stopped by an error (the window not loaded, no screen).
    // Never throws.
    bool centerForm(Form& form);

    // Puts the window into the always-on-top band (onTop) or takes it out,
    // keeping its size and position, and activates it.
    void setAlwaysOnTop(Form& form, bool onTop);

private:
    // Brings forward this process's top-level window whose caption is
    // caption: restores it when minimised (a normal or maximised window keeps
    // its size), raises and activates it.
    void activateOtherInstance(const QString& caption);

    WindowUtilityServices s_;
};
