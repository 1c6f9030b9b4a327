// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The tips read so far and the position of the one shown. Positions run from
// 1 to count(); 0 means no tip shown yet. Lines are only ever added: every
// reading of the tips file appends its lines after those read before, so with
// an unchanged file the tips keep coming in file order.
class TipList {
public:
    // The list stops growing at this size, so that a window opened again and
    // again over a large file keeps its memory bounded; the tips it holds
    // then already repeat the file.
    static constexpr int maxSize = 20000;

    void append(const QStringList& tips);
    // The next position, from the last back to the first.
    void advance();
    bool isEmpty() const { return tips_.isEmpty(); }
    const QStringList& tips() const { return tips_; }
    // The tip at the current position; empty when there is none.
    QString currentTip() const;

private:
    QStringList tips_;
    qint32 current_ = 0;
};
