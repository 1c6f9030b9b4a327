// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One running copy per user. The first copy holds a lock file in a folder only
// the user can write and listens on a local socket there; a later copy finds
// the lock held, asks the first to raise its window, and learns that it must
// end.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True when an earlier copy of the program is running (it has been asked
    // to bring its window forward). Asked once, at the main window's load.
    virtual bool anotherInstanceRunning() = 0;
};
