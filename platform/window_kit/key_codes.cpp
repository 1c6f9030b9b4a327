// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_codes.h"

#include <Qt>

int designKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Clear:
        return KeyClear;
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_Down:
        return KeyDown;
    case Qt::Key_P:
        return KeyP;
    default:
        return 0;
    }
}
