// SPDX-License-Identifier: GPL-3.0-or-later
#include "words_command.h"

namespace WordsCommand {
namespace {

// Texts quoted in a message are shown up to this many characters.
constexpr qsizetype kShownCharacters = 40;

// The text as a terminal can show it: invalid UTF-8 as U+FFFD, control and
// format characters (tab, escape, direction marks) as escapes, a long text
// cut with "…".
QString shown(QByteArrayView text, bool cut) {
    const QList<uint> characters = QString::fromUtf8(text).toUcs4();
    QString result;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        if (i == kShownCharacters) {
            cut = true;
            break;
        }
        const char32_t c = characters[i];
        const QChar::Category category = QChar::category(c);
        if (c == U'\t')
            result += QStringLiteral("\\t");
        else if (c == U'\r')
            result += QStringLiteral("\\r");
        else if (category == QChar::Other_Control)
            result += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else if (category == QChar::Other_Format)
            result += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        else
            result += QString::fromUcs4(&c, 1);
    }
    if (cut)
        result += QStringLiteral("…");
    return result;
}

// Writes a whole line at once; false when the stream refuses it.
bool writeLine(std::FILE* stream, const QByteArray& line) {
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stream);
    std::fputc('\n', stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

void tell(std::FILE* err, const QString& message) {
    writeLine(err, (QStringLiteral("vorelle : ") + message).toUtf8());
}

bool tellOutputFailed(std::FILE* err) {
    tell(err, QStringLiteral("la sortie standard refuse l'écriture."));
    return false;
}

// Answers one number: its words on out, or a message on err (and bad set).
// False when out refuses the words.
bool answer(QByteArrayView text, bool cut, const QString& where, Style style, std::FILE* out,
            std::FILE* err, bool& bad) {
    const NumberInput::Reading reading = cut ? NumberInput::Reading{} : NumberInput::read(text);
    if (cut || reading.fault != NumberInput::Fault::None) {
        bad = true;
        tell(err, where + faultMessage(text, reading.fault, cut));
        return true;
    }
    if (!writeLine(out,
                   NumberSpelling::words(reading.value, style.spelling, style.region).toUtf8()))
        return tellOutputFailed(err);
    return true;
}

} // namespace

QString faultMessage(QByteArrayView text, NumberInput::Fault fault, bool cut) {
    const QString inside = shown(text, cut);
    const QString quoted =
        inside.isEmpty() ? QStringLiteral("« »") : QStringLiteral("« %1 »").arg(inside);
    if (cut)
        return QStringLiteral("%1 est trop long pour un nombre.").arg(quoted);
    switch (fault) {
    case NumberInput::Fault::None:
        break;
    case NumberInput::Fault::Empty:
        return QStringLiteral("%1 est vide ; un nombre est attendu.").arg(quoted);
    case NumberInput::Fault::NotDigits:
        return QStringLiteral("%1 n'est pas un nombre entier écrit en chiffres.").arg(quoted);
    case NumberInput::Fault::Grouping:
        return QStringLiteral(
                   "%1 : les chiffres se groupent par trois, séparés par un seul espace.")
            .arg(quoted);
    case NumberInput::Fault::TooLarge:
        return QStringLiteral("%1 dépasse 999 999 999 999.").arg(quoted);
    }
    return quoted;
}

Status answerNumbers(const QByteArrayList& numbers, Style style, std::FILE* out, std::FILE* err) {
    bool bad = false;
    for (const QByteArray& number : numbers) {
        if (!answer(number, false, QString(), style, out, err, bad))
            return IoFailed;
    }
    return bad ? BadInput : Done;
}

Status answerLines(std::FILE* in, Style style, std::FILE* out, std::FILE* err) {
    bool bad = false;
    QByteArray line;
    line.reserve(LongestLine);
    for (qint64 number = 1;; ++number) {
        line.clear();
        bool cut = false;
        bool ended = true;
        int c;
        while ((c = getc_unlocked(in)) != EOF) {
            ended = false;
            if (c == '\n')
                break;
            if (line.size() < LongestLine)
                line.append(char(c));
            else
                cut = true;
        }
        if (std::ferror(in)) {
            tell(err,
                 QStringLiteral("ligne %1 : l'entrée standard ne peut pas être lue.").arg(number));
            return IoFailed;
        }
        if (ended)
            break;
        if (!cut && line.endsWith('\r'))
            line.chop(1);
        if (!answer(line, cut, QStringLiteral("ligne %1 : ").arg(number), style, out, err, bad))
            return IoFailed;
        if (c == EOF)
            break;
    }
    return bad ? BadInput : Done;
}

} // namespace WordsCommand
