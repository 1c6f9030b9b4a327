// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_check.h"

QString collapseSpacePairs(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("  "), QStringLiteral(" "));
    return out;
}

QString collapseSpaces(const QString& text) {
    QString current = text;
    for (;;) {
        QString next = collapseSpacePairs(current);
        if (next.size() == current.size())
            break; // a pass that shortens nothing changes nothing
        current = std::move(next);
    }
    return current;
}

QString lowerCased(const QString& text) {
    // QString::toLower() applies the full mappings, where a few characters
    // grow ("İ" becomes "i" and a combining dot), and it makes room for each
    // of them by moving the rest of the string: quadratic on a long paste.
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const QChar* src = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = src[i];
        if (c.isHighSurrogate() && i + 1 < n && src[i + 1].isLowSurrogate()) {
            const char32_t lower = QChar::toLower(QChar::surrogateToUcs4(c, src[i + 1]));
            if (QChar::requiresSurrogates(lower)) {
                *dst++ = QChar(QChar::highSurrogate(lower));
                *dst++ = QChar(QChar::lowSurrogate(lower));
            } else {
                *dst++ = QChar(char16_t(lower));
            }
            ++i;
        } else if (c.unicode() == 0x0130) {
            // Capital I with dot above: QChar::toLower() leaves it as it is
            // (its full lower case takes two characters); its simple
            // mapping is the plain "i".
            *dst++ = QLatin1Char('i');
        } else {
            *dst++ = c.toLower();
        }
    }
    out.truncate(dst - out.constData());
    return out;
}

QString trimSpaces(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}
