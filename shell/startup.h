// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class ExerciseWindow;
class QWidget;
class SettingsStore;
class GuideWindow;
class TipWindow;

// The start-up procedure and the program-wide wiring of the windows.
namespace Startup {

// Wires the main window to the shell: "&Astuces" shows the tip window (not
// modal), and closing the main window with its close box ends the program.
// The about box and the reward game are wired by their own folders.
void wireMainWindow(ExerciseWindow& form1, TipWindow& tip);

// "&Guide de Vorelle" (F1) of the main window shows the guide, not modal.
void wireGuide(ExerciseWindow& form1, GuideWindow& guide);

// Start-up: wires the main window, loads it (its load ends the program at
// once when another copy runs), shows the tip window modal first when the
// setting "Show Tips at Startup" asks for it (else unloads it), then shows the
// main window, not modal. The event loop runs afterwards.
void run(ExerciseWindow& form1, TipWindow& tip, const SettingsStore& settings);

// The window a later copy of the program brings forward: the open modal window
// when there is one, else the main window when it is shown, else any shown
// window (the game's, while the main window is hidden). Null when none is
// shown.
QWidget* windowToBringForward();

// Brings that window forward: restored when minimized (a maximized window
// stays maximized), raised and activated.
void bringProgramForward();

} // namespace Startup
