// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QtGlobal>
#include <memory>

class Clock;
class EventPump;
class InstanceGuard;
class WindowSystem;

// The services the window utilities work on.
struct MiscFormServices {
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
class clsMiscForm {
public:
    explicit clsMiscForm(MiscFormServices services);
    ~clsMiscForm();

    // Pauses an application based on length of time and if it is to be in
    // 's'-Seocnds, 'n'-Minutes, 'h'-Hours, etc.
    //
    // The end is the time of day, as "hh:mm:ss", of now plus intAmtOfDelay
    // units of strTypeOfDelay ("s", "n", "h", "d", "y", "w", "ww", "m", "q",
    // "yyyy", in any case); the pause lasts until the time of day read as text
    // is greater than that end text. So a pause in seconds lasts up to one
    // second more than asked, an amount of 0 waits for the next second, and a
    // negative amount or an end after midnight returns at the first poll. A
    // pause still running at midnight ends there.
    // Throws std::invalid_argument for any other code, before waiting.
    void Delay(qint16& intAmtOfDelay, const QString& strTypeOfDelay = QStringLiteral("s"));

    // Will delay an application based on milliseconds.
    //
    // Waits until the tick counter (milliseconds, as a signed 32-bit value)
    // reaches its start value plus lngDelayAmt; handles events at least once.
    // Throws std::overflow_error, before waiting, when that end does not fit a
    // signed 32-bit value.
    void Mini_Delay(qint32& lngDelayAmt);

    // Disables the 'X' in the upper right corner of a form and the 'Close' in
    // the control box in the upper left corner.
    //
    // Removes the last two items of the window's system menu (the close
    // command and the separator above it, in the standard menu) and redraws
    // its caption; each further call removes two more. Nothing happens to a
    // window that is not loaded or has no system menu.
    static void RemoveX(Form& frm);

    // Test for the existance of another instance of an application being
    // executed.
    //
    // When an earlier copy was running, sets the application title to
    // strApplName (for good), brings forward the window that bears the former
    // title, and returns true; otherwise changes nothing and returns false.
    bool IsAnotherInstance(const QString& strApplName);

    // Centers a form on the screen taking into account any tool or task bars
    // present.
    //
    // Centres the window's outer frame in the part of its screen that task
    // bars leave free, computing in twips with halves rounded to the even
    // neighbour. Returns false, without moving it, when the window is not laid
    // out in twips; false after a successful move; true only when the
    // centring was stopped by an error (the window not loaded, no screen).
    // Never throws.
    bool CenterForm(Form& objForm);

    // Puts the window into the always-on-top band (bOnTop) or takes it out,
    // keeping its size and position, and activates it.
    void AlwaysOnTop(Form& frm, bool bOnTop);

private:
    // Brings forward this process's top-level window whose caption is
    // caption: restores it when minimised (a normal or maximised window keeps
    // its size), raises and activates it.
    void ActivateOtherInstance(const QString& caption);

    MiscFormServices s_;
};

namespace miscform {
// The nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// when plus amount units of the date-interval code; std::invalid_argument for
// an unknown code.
QDateTime addInterval(const QDateTime& when, const QString& code, int amount);

// Where a window of the given outer size goes, in twips, relative to the
// top-left corner of a free area of the given size in twips: half the area,
// rounded, less half the window, rounded again.
QPoint centredTopLeft(double areaWidth, double areaHeight, double windowWidth, double windowHeight);
} // namespace miscform
