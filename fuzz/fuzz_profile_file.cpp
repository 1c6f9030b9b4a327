// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file's reader and writer on arbitrary contents: no crash, hang
// or bad memory access, and a write changes exactly the key it writes: the
// value reads back as written and every other key reads as before.

#include "profile_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString fuzzedText(FuzzedDataProvider& fdp, bool utf8) {
    const std::string s = fdp.ConsumeRandomLengthString(24);
    return utf8 ? QString::fromUtf8(s.data(), qsizetype(s.size()))
                : QString::fromLatin1(s.data(), qsizetype(s.size()));
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider fdp(data, size);
    const bool utf8 = fdp.ConsumeBool();
    const QString section = fuzzedText(fdp, utf8);
    const QString key = fuzzedText(fdp, utf8);
    const QString value = fuzzedText(fdp, utf8);
    const std::string rest = fdp.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), qsizetype(rest.size()));

    const QStringList sections = {section, QStringLiteral("Brikko32"), QStringLiteral("other")};
    const QStringList keys = {key, QStringLiteral("Starting Level"), QStringLiteral("Fill Lines"),
                              QStringLiteral("k")};
    std::vector<std::optional<QString>> before;
    for (const QString& s : sections)
        for (const QString& k : keys)
            before.push_back(ProfileFile::findValue(content, s, k));

    const std::optional<QByteArray> after = ProfileFile::withValue(content, section, key, value);
    if (!after)
        return 0; // names or value that cannot be stored
    if (ProfileFile::findValue(*after, section, key) != ProfileFile::valueAsRead(value))
        fail("the written value does not read back");
    std::size_t i = 0;
    for (const QString& s : sections) {
        for (const QString& k : keys) {
            const bool written = s.trimmed().compare(section.trimmed(), Qt::CaseInsensitive) == 0 &&
                                 k.trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0;
            if (!written && ProfileFile::findValue(*after, s, k) != before[i])
                fail("a write changed another key");
            ++i;
        }
    }
    // Writing the same again changes nothing.
    if (ProfileFile::withValue(*after, section, key, value) != after)
        fail("a second identical write changed the file");
    return 0;
}
