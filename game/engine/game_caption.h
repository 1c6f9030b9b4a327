// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The game's caption: the title of its window and of its message boxes, the
// game's name in the about box and the splash, and the start of every other
// caption it shows. The settings file, its section and the music file have
// names of their own, which stay as they are whatever the caption says.
inline QString gameCaption() {
    return QStringLiteral("Brikko32");
}

// The caption followed by what the game is doing: gameCaption(u"Paused") is
// "Brikko32 - Paused".
inline QString gameCaption(QStringView state) {
    return gameCaption() + QStringLiteral(" - ") + state.toString();
}
