// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Media-control command strings: "open <path>", "play <path>", "close <path>",
// the path bare or between double quotes. Unknown commands are ignored and no
// failure is ever reported.
class MediaControl {
public:
    virtual ~MediaControl() = default;
    virtual void send(const QString& command) = 0;
};
