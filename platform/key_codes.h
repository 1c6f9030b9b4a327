#pragma once

// The design's key codes.
enum DesignKey { KeyClear = 12, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40, KeyP = 80 };

// Maps a Qt key (Qt::Key) to the design's key code; 0 for keys the design
// does not name.
int designKeyCode(int qtKey);
