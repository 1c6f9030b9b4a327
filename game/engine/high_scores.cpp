// SPDX-License-Identifier: GPL-3.0-or-later
#include "high_scores.h"

#include "atomic_file.h"
#include "legacy_text.h"
#include "message_boxes.h"

#include <QDir>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace HighScoreFile {

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qint64 clampToInt64(double v) {
    if (std::isnan(v))
        return 0;
    // 2^63 is exactly representable; every double below it fits.
    if (v >= 9223372036854775808.0)
        return kMax;
    if (v <= -9223372036854775808.0)
        return kMin;
    return static_cast<qint64>(std::trunc(v));
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n && lines.size() < HighScoreTable::Slots; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n && lines.size() < HighScoreTable::Slots)
        lines << text.mid(start);
    return lines;
}

} // namespace

qint64 parseScore(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    const qsizetype wholeStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    const QStringView whole = text.sliced(wholeStart, i - wholeStart);
    QStringView fraction;
    if (i < n && text[i] == QLatin1Char('.')) {
        qsizetype j = i + 1;
        while (j < n && isDigit(text[j]))
            ++j;
        fraction = text.sliced(i + 1, j - i - 1);
        if (!whole.isEmpty() || !fraction.isEmpty())
            i = j;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return 0;
    QStringView exponent;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const qsizetype digitsStart = j;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > digitsStart)
            exponent = text.sliced(i + 1, j - i - 1);
    }

    if (fraction.isEmpty() && exponent.isEmpty()) {
        // A whole number, exact over the whole 64-bit range.
        const quint64 limit = negative ? quint64(kMax) + 1 : quint64(kMax);
        quint64 magnitude = 0;
        for (const QChar c : whole) {
            const unsigned d = c.unicode() - '0';
            if (magnitude > (limit - d) / 10)
                return negative ? kMin : kMax;
            magnitude = magnitude * 10 + d;
        }
        if (!negative)
            return qint64(magnitude);
        return magnitude == quint64(kMax) + 1 ? kMin : -qint64(magnitude);
    }

    std::string ascii;
    ascii += whole.isEmpty() ? std::string("0") : whole.toLatin1().toStdString();
    if (!fraction.isEmpty())
        ascii += "." + fraction.toLatin1().toStdString();
    if (!exponent.isEmpty())
        ascii += "e" + exponent.toLatin1().toStdString();
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small gives 0; too large is held at the range's end.
        if (exponent.startsWith(QLatin1Char('-')))
            return 0;
        return negative ? kMin : kMax;
    }
    if (result.ec != std::errc())
        return 0;
    return clampToInt64(negative ? -value : value);
}

QString storedName(const QString& name) {
    QString stored = name;
    stored.replace(QLatin1Char('\r'), QLatin1Char(' '));
    stored.replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype bom = 0;
    while (bom < stored.size() && stored.at(bom) == QChar(0xFEFF))
        ++bom;
    stored.remove(0, bom);
    if (stored.size() > MaxNameLength)
        stored.truncate(stored.at(MaxNameLength - 1).isHighSurrogate() ? MaxNameLength - 1
                                                                       : MaxNameLength);
    return stored;
}

HighScoreList parse(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.size() > MaxReadSize) {
        view = view.first(MaxReadSize);
        // A line cut by the cap is not read, and a character cut by it is
        // left out, so that the cut does not change how the rest decodes.
        const qsizetype lastBreak = std::max(view.lastIndexOf('\n'), view.lastIndexOf('\r'));
        view = lastBreak >= 0 ? view.first(lastBreak + 1) : utf8CompletePrefix(view);
    }
    const QStringList lines = splitLines(decodeUtf8OrWindows1252(view));
    HighScoreList entries;
    for (int i = 0; i < HighScoreTable::Slots; ++i) {
        const qsizetype colon = i < lines.size() ? lines[i].lastIndexOf(QLatin1Char(':')) : -1;
        if (colon < 0) {
            entries[i] = {QStringLiteral("None"), 0};
            continue;
        }
        entries[i] = {storedName(lines[i].left(colon)),
                      parseScore(QStringView(lines[i]).sliced(colon + 1))};
    }
    return entries;
}

QByteArray format(const HighScoreList& entries) {
    QString text;
    for (const HighScoreEntry& e : entries)
        text += storedName(e.name) + QLatin1Char(':') + QString::number(e.score) +
                QStringLiteral("\r\n");
    return text.toUtf8();
}

QByteArray defaultContents() {
    return QByteArrayLiteral("None:0\r\n").repeated(HighScoreTable::Slots);
}

} // namespace HighScoreFile

HighScoreTable::HighScoreTable(QString filePath) : filePath_(std::move(filePath)) {}

QString HighScoreTable::HighNames(int slot) const {
    if (!loaded_ || slot < 1 || slot > Slots)
        return QString();
    return entries_[slot - 1].name;
}

std::optional<qint64> HighScoreTable::HighScores(int slot) const {
    if (!loaded_ || slot < 1 || slot > Slots)
        return std::nullopt;
    return entries_[slot - 1].score;
}

QString HighScoreTable::scoreText(int slot) const {
    const auto score = HighScores(slot);
    return score ? QString::number(*score) : QString();
}

QString HighScoreTable::namePrompt() {
    return QStringLiteral("Congratulations!\r\nYou got a High Score!\r\nEnter your name:");
}

QString HighScoreTable::unsavedMessage() const {
    if (!fileUnreadable_)
        return SaveFailureNotice::message(QStringLiteral("les meilleurs scores"), filePath_);
    return QStringLiteral("Les meilleurs scores n'ont pas pu être enregistrés : le fichier « %1 » "
                          "existe mais ne peut pas être lu.")
        .arg(QDir::toNativeSeparators(filePath_));
}

void HighScoreTable::LoadHighScores() {
    fileUnreadable_ = false;
    const FileContents file = readRegularFile(filePath_, HighScoreFile::MaxReadSize + 1);
    if (file.status == FileRead::Missing) {
        // A default file that cannot be made is not worth a word: the first
        // score that cannot be saved will be.
        const bool created = writeFileAtomically(filePath_, HighScoreFile::defaultContents());
        if (created || !loaded_) {
            entries_ = HighScoreFile::parse(HighScoreFile::defaultContents());
            loaded_ = true;
        }
        return;
    }
    if (file.status == FileRead::Read || file.status == FileRead::TooLarge) {
        entries_ = HighScoreFile::parse(file.bytes);
        loaded_ = true;
        return;
    }
    fileUnreadable_ = true;
    if (!loaded_) {
        entries_ = HighScoreFile::parse(HighScoreFile::defaultContents());
        loaded_ = true;
    }
}

bool HighScoreTable::SaveHighScores() const {
    // A table never read, or a file not read, must not replace the file's
    // entries.
    if (!loaded_ || fileUnreadable_)
        return false;
    return writeFileAtomically(filePath_, HighScoreFile::format(entries_));
}

int HighScoreTable::CheckHighScore(qint64 score, MessageBoxes& boxes, HighScoreDisplay& display) {
    LoadHighScores();
    int slot = 0;
    for (int i = 1; i <= Slots; ++i) {
        if (entries_[i - 1].score <= score) {
            slot = i;
            break;
        }
    }
    if (slot == 0)
        return 0;
    for (int i = Slots; i > slot; --i)
        entries_[i - 1] = entries_[i - 2];
    const QString name = boxes.inputBox(namePrompt(), nameTitle(), QString());
    entries_[slot - 1] = {HighScoreFile::storedName(name), score};
    if (!SaveHighScores())
        notice_.report(boxes, filePath_, unsavedMessage());
    ShowHighScores(display);
    return slot;
}
