// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score file's reader on arbitrary bytes: it must not crash, hang or
// touch memory it does not own, and a table it read must read back as itself
// once saved.

#include "high_scores.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const HighScoreList entries = HighScoreFile::parse(bytes);

    const HighScoreList again = HighScoreFile::parse(HighScoreFile::format(entries));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (again[i].score != entries[i].score ||
            again[i].name != HighScoreFile::storedName(entries[i].name)) {
            std::fprintf(stderr, "slot %zu does not read back as saved\n", i + 1);
            std::abort();
        }
    }

    // The score reader on the raw text, whatever it holds.
    const qint64 score = HighScoreFile::parseScore(QString::fromLatin1(bytes));
    if (HighScoreFile::parseScore(QString::number(score)) != score)
        std::abort();
    return 0;
}
