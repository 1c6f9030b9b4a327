// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile_file.h"

#include "atomic_file.h"
#include "legacy_text.h"

#include <QStringDecoder>
#include <vector>

namespace {

constexpr QByteArrayView kBom("\xEF\xBB\xBF");

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of the file: its bytes [start, contentEnd), then its line end up
// to end (empty for a last line without one).
struct Line {
    qsizetype start = 0;
    qsizetype contentEnd = 0;
    qsizetype end = 0;
    LineKind kind = LineKind::Other;
    QString name;  // section or key name, trimmed
    QString value; // raw text after '=' for a key line
};

struct Scan {
    std::vector<Line> lines;
    bool utf8 = true;
};

QString decodeLine(QByteArrayView bytes, bool utf8) {
    if (!utf8)
        return fromWindows1252(bytes);
    // Keeps a U+FEFF at the start of a line: only the file's first three bytes
    // are a byte order mark.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

Scan scan(const QByteArray& content) {
    Scan result;
    result.utf8 = isValidUtf8(content);
    qsizetype pos = 0;
    const qsizetype size = content.size();
    while (pos < size) {
        Line line;
        line.start = pos;
        const qsizetype nl = content.indexOf('\n', pos);
        if (nl < 0) {
            line.contentEnd = line.end = size;
        } else {
            line.end = nl + 1;
            line.contentEnd = (nl > pos && content[nl - 1] == '\r') ? nl - 1 : nl;
        }
        QByteArrayView bytes(content.constData() + line.start, line.contentEnd - line.start);
        if (line.start == 0 && bytes.startsWith(kBom))
            bytes = bytes.sliced(kBom.size());
        const QString text = decodeLine(bytes, result.utf8);
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            line.kind = LineKind::Blank;
        } else if (trimmed.startsWith(QLatin1Char(';'))) {
            line.kind = LineKind::Comment;
        } else if (trimmed.startsWith(QLatin1Char('['))) {
            line.kind = LineKind::Section;
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        } else if (const qsizetype eq = text.indexOf(QLatin1Char('=')); eq >= 0) {
            line.kind = LineKind::Key;
            line.name = text.left(eq).trimmed();
            line.value = text.mid(eq + 1);
        }
        result.lines.push_back(std::move(line));
        pos = result.lines.back().end;
    }
    return result;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [first, last) of the lines of the first section named section
// (first is the header), or {-1, -1}.
std::pair<qsizetype, qsizetype> findSection(const Scan& s, const QString& section) {
    const auto count = qsizetype(s.lines.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (s.lines[i].kind != LineKind::Section || !sameName(s.lines[i].name, section))
            continue;
        qsizetype last = i + 1;
        while (last < count && s.lines[last].kind != LineKind::Section)
            ++last;
        return {i, last};
    }
    return {-1, -1};
}

qsizetype findKey(const Scan& s, std::pair<qsizetype, qsizetype> range, const QString& key) {
    for (qsizetype i = range.first + 1; i < range.second; ++i) {
        if (s.lines[i].kind == LineKind::Key && sameName(s.lines[i].name, key))
            return i;
    }
    return -1;
}

bool hasLineBreakOrNul(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
           text.contains(QChar(0));
}

QByteArray lineEndOf(const QByteArray& content) {
    const qsizetype nl = content.indexOf('\n');
    if (nl > 0 && content[nl - 1] == '\r')
        return QByteArrayLiteral("\r\n");
    return QByteArrayLiteral("\n");
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

QString ProfileFile::valueAsRead(QStringView stored) {
    QStringView v = stored.trimmed();
    if (v.size() >= 2 && v.front() == v.back() &&
        (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')))
        v = v.sliced(1, v.size() - 2);
    return v.toString();
}

QString ProfileFile::fitBuffer(const QString& text, int bufferSize) {
    if (bufferSize <= 1)
        return QString();
    qsizetype keep = bufferSize - 1;
    if (text.size() <= keep)
        return text;
    if (text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep);
}

std::optional<QString> ProfileFile::findValue(const QByteArray& content, const QString& section,
                                              const QString& key) {
    const Scan s = scan(content);
    const auto range = findSection(s, section.trimmed());
    if (range.first < 0)
        return std::nullopt;
    const qsizetype k = findKey(s, range, key.trimmed());
    if (k < 0)
        return std::nullopt;
    return valueAsRead(s.lines[k].value);
}

std::optional<QByteArray> ProfileFile::withValue(const QByteArray& content, const QString& section,
                                                 const QString& key, const QString& value) {
    const QString sec = section.trimmed();
    const QString k = key.trimmed();
    if (sec.isEmpty() || k.isEmpty() || hasLineBreakOrNul(sec) || hasLineBreakOrNul(k) ||
        hasLineBreakOrNul(value) || sec.contains(QLatin1Char(']')) ||
        k.contains(QLatin1Char('=')) || k.startsWith(QLatin1Char('[')) ||
        k.startsWith(QLatin1Char(';')))
        return std::nullopt;

    const Scan s = scan(content);
    const QString keyLine = k + QLatin1Char('=') + value;
    auto encode = [&](const QString& text) -> std::optional<QByteArray> {
        if (s.utf8)
            return text.toUtf8();
        return toWindows1252(text);
    };
    // The file's text as UTF-8, for new text that its code page cannot hold.
    const auto rewrittenAsUtf8 = [&] {
        QByteArrayView body(content);
        const bool bom = body.startsWith(kBom);
        const QByteArray converted =
            (bom ? QByteArray(kBom.data(), kBom.size()) : QByteArray()) +
            fromWindows1252(bom ? body.sliced(kBom.size()) : body).toUtf8();
        return withValue(converted, section, key, value);
    };
    const std::optional<QByteArray> keyBytes = encode(keyLine);
    const std::optional<QByteArray> sectionBytes =
        encode(QLatin1Char('[') + sec + QLatin1Char(']'));
    if (!keyBytes || !sectionBytes)
        return rewrittenAsUtf8();

    // A Windows-1252 file whose one invalid line was replaced could become
    // valid UTF-8 and then read differently: it is rewritten as UTF-8 instead.
    const auto checked = [&](const QByteArray& out) {
        return !s.utf8 && isValidUtf8(out) ? rewrittenAsUtf8() : std::optional<QByteArray>(out);
    };
    const QByteArray eol = lineEndOf(content);
    QByteArray out = content;
    const auto range = findSection(s, sec);
    if (range.first >= 0) {
        const qsizetype found = findKey(s, range, k);
        if (found >= 0) {
            const Line& line = s.lines[found];
            out.replace(line.start, line.contentEnd - line.start, *keyBytes);
            return checked(out);
        }
        qsizetype after = range.first;
        for (qsizetype i = range.first + 1; i < range.second; ++i) {
            if (s.lines[i].kind != LineKind::Blank)
                after = i;
        }
        const Line& line = s.lines[after];
        if (line.end == line.contentEnd) // the last line, without a line end
            out.insert(line.end, eol + *keyBytes + eol);
        else
            out.insert(line.end, *keyBytes + eol);
        return checked(out);
    }
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += eol;
    out += *sectionBytes + eol + *keyBytes + eol;
    return checked(out);
}

namespace {

enum class ReadResult { Missing, Read, Unreadable, TooLarge };

// Reads at most ProfileFile::MaxFileSize bytes of path into content.
ReadResult readCapped(const QString& path, QByteArray& content) {
    FileContents file = readRegularFile(path, ProfileFile::MaxFileSize);
    content = std::move(file.bytes);
    switch (file.status) {
    case FileRead::Missing:
        return ReadResult::Missing;
    case FileRead::Read:
        return ReadResult::Read;
    case FileRead::TooLarge:
        // The line cut by the cap is not read.
        content.truncate(content.lastIndexOf('\n') + 1);
        return ReadResult::TooLarge;
    case FileRead::NotRegular:
    case FileRead::Unreadable:
        break;
    }
    return ReadResult::Unreadable;
}

} // namespace

QString ProfileFile::getString(const QString& section, const QString& key,
                               const QString& defaultValue, int bufferSize) const {
    QByteArray content;
    const ReadResult r = readCapped(path_, content);
    if (r == ReadResult::Missing || r == ReadResult::Unreadable)
        return fitBuffer(defaultValue, bufferSize);
    return fitBuffer(findValue(content, section, key).value_or(defaultValue), bufferSize);
}

bool ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    return writeStrings(section, {{key, value}});
}

bool ProfileFile::writeStrings(const QString& section, const QList<KeyValue>& values) {
    QByteArray content;
    const ReadResult r = readCapped(path_, content);
    if (r == ReadResult::Unreadable || r == ReadResult::TooLarge)
        return false;
    QByteArray updated = content;
    for (const auto& [key, value] : values) {
        const std::optional<QByteArray> next = withValue(updated, section, key, value);
        if (!next || next->size() > MaxFileSize)
            return false;
        updated = *next;
    }
    if (r == ReadResult::Read && updated == content)
        return true;
    return writeFileAtomically(path_, updated);
}
