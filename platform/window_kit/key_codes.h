// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own key codes (docs/ARCHITECTURE.md, "The window model").
enum DesignKey { KeyClear = 12, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40, KeyP = 80 };

// Maps a Qt key (Qt::Key) to the program's key code; 0 for any other key.
int designKeyCode(int qtKey);
