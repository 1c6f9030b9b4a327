// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

// One running copy per user. The first copy holds a lock file in the runtime
// folder and listens on a local socket; a later copy finds the lock held, asks
// the first to raise its window, and learns that it must end.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True when an earlier copy of the program is running (it has been asked
    // to bring its window forward). Asked once, at the main window's load.
    virtual bool anotherInstanceRunning() = 0;
};

class QtInstanceGuard : public InstanceGuard {
public:
    // key names the lock and the socket; onActivate runs in the first copy
    // when a later one starts.
    QtInstanceGuard(QString key, std::function<void()> onActivate);
    ~QtInstanceGuard() override;
    bool anotherInstanceRunning() override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The program's own guard: asks the QtInstanceGuard that the program created
// (the first one, while it lives); knows of no other copy when there is none.
InstanceGuard& programInstanceGuard();
