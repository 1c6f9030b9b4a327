// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where this system's information program is: the one the about box's
// "&Infos système..." starts.
class SystemInformation {
public:
    virtual ~SystemInformation() = default;
    // The absolute path of the desktop's system-information program; empty
    // when there is none.
    virtual QString programPath() const = 0;
};
