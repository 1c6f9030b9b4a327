// SPDX-License-Identifier: GPL-3.0-or-later
#include "word_count.h"

#include <QStringView>

namespace {

// Runs of characters other than the space (U+0020); tabs and other blanks are
// part of a word.
qint32 countRuns(QStringView line) {
    qint32 count = 0;
    bool inWord = false;
    for (const char16_t *p = line.utf16(), *end = p + line.size(); p != end; ++p) {
        if (*p == u' ') {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++count;
        }
    }
    return count;
}

} // namespace

qint32 countwordsinline(QString sourceline) {
    return countRuns(sourceline);
}

// Lines end with CR; the character after each CR (the LF) is skipped whatever
// it is. A text without a final CR LF still counts its last line. One pass over
// the text, without copying it.
qint32 countwords(QString source) {
    const QStringView text(source);
    const qsizetype size = text.size();
    qint32 total = 0;
    qsizetype start = 0;
    while (start <= size) {
        qsizetype end = text.indexOf(u'\r', start);
        if (end < 0)
            end = size;
        total += countRuns(text.sliced(start, end - start));
        start = end + 2;
    }
    return total;
}
