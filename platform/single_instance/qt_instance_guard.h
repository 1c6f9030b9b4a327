// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "instance_guard.h"

#include <QString>
#include <functional>
#include <memory>

// Where the lock and the socket of a key are: the runtime folder
// (XDG_RUNTIME_DIR) when it is a folder of the user's that no one else may
// write, else a folder of the user's own in the temporary folder,
// "<key>-<uid>", made owner-only when missing (when that name is taken by
// something not ours, "<key>-<uid>-1" and so on). Empty when there is no such
// folder; the socket path is empty when no folder of ours gives a path short
// enough for a socket address.
struct InstanceGuardPlaces {
    QString folder;
    QString lockFile;
    QString socketPath;
    static InstanceGuardPlaces forKey(const QString& key);
};

class QtInstanceGuard : public InstanceGuard {
public:
    // key names the lock and the socket; onActivate runs in the first copy
    // when a later one starts; onNoAnswer runs in a later copy when the first
    // holds the lock but does not answer (it is frozen or hung), before the
    // later copy learns that it must end.
    QtInstanceGuard(QString key, std::function<void()> onActivate,
                    std::function<void()> onNoAnswer = {});
    ~QtInstanceGuard() override;
    // A lock file there that is not ours is removed, or when it cannot be,
    // ignored (the socket alone then decides); with no folder of ours at
    // all, this copy runs unguarded.
    bool anotherInstanceRunning() override;

    // What a later copy says when the first does not answer.
    static QString noAnswerMessage();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
