// SPDX-License-Identifier: GPL-3.0-or-later
#include "tip_list.h"

void TipList::append(const QStringList& tips) {
    const qsizetype room = maxSize - tips_.size();
    tips_.append(tips.mid(0, std::max<qsizetype>(room, 0)));
}

void TipList::advance() {
    ++current_;
    if (current_ > tips_.size())
        current_ = 1;
}

QString TipList::currentTip() const {
    if (current_ < 1 || current_ > tips_.size())
        return {};
    return tips_.at(current_ - 1);
}
