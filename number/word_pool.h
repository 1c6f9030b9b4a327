// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside number/: the storage behind the word tables. Every text a number's
// words are made of lives in one pool, worked out once; a number's words are
// then assembled from views of it without any allocation but the result's.

#include <QString>
#include <QStringView>

#include <cstring>
#include <vector>

namespace NumberWordsPool {

// Texts stored one after the other, each followed by a NUL, so the strings
// handed out over the pool are terminated. Once sealed, the pool ends with
// kSlack spare units, so that kSlack units can be read from the start of any
// of its texts, and it no longer grows: views into it stay valid.
class WordPool {
public:
    static constexpr qsizetype kSlack = 48;

    struct Entry {
        qsizetype start = 0;
        qsizetype size = 0;
    };

    Entry store(QStringView words) {
        const Entry entry{qsizetype(pool_.size()), words.size()};
        pool_.insert(pool_.end(), words.utf16(), words.utf16() + words.size());
        pool_.push_back(u'\0');
        return entry;
    }
    void seal() { pool_.insert(pool_.end(), kSlack, u'\0'); }

    QStringView view(Entry entry) const {
        return QStringView(pool_.data() + entry.start, entry.size);
    }
    // A string over the pool itself: no allocation, and any change to it
    // works on a copy. The pool must outlive it.
    QString string(Entry entry) const {
        return QString::fromRawData(reinterpret_cast<const QChar*>(pool_.data() + entry.start),
                                    entry.size);
    }

private:
    std::vector<char16_t> pool_;
};

// The words of one number, assembled from texts of a sealed pool. Each piece
// is moved with one fixed-size copy of kSlack units (the pool lets them be
// read, and the buffer keeps as many spare), which compiles to a few loads
// and stores where a copy of the exact length would branch on it. What would
// not fit is dropped rather than written past the end.
class PoolBuffer {
public:
    // piece: a text of a sealed pool.
    void append(QStringView piece) {
        if (piece.size() <= WordPool::kSlack && size_ <= kCapacity) {
            std::memcpy(text_ + size_, piece.utf16(), WordPool::kSlack * sizeof(char16_t));
            size_ += piece.size();
        } else if (piece.size() <= kCapacity - size_) {
            std::memcpy(text_ + size_, piece.utf16(), size_t(piece.size()) * sizeof(char16_t));
            size_ += piece.size();
        }
    }
    void append(char16_t c) {
        if (size_ <= kCapacity)
            text_[size_++] = c;
    }
    qsizetype size() const { return size_; }
    QStringView view() const { return QStringView(text_, size_); }

private:
    static constexpr qsizetype kCapacity = 256;
    char16_t text_[kCapacity + WordPool::kSlack + 1];
    qsizetype size_ = 0;
};

} // namespace NumberWordsPool
