// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_words.h"

#include "word_pool.h"

#include <cmath>
#include <cstring>
#include <iterator>

namespace NumberWords {
namespace {

using NumberWordsPool::PoolBuffer;
using NumberWordsPool::WordPool;

// "vingt" to "soixante", indexed by the tens digit less two.
constexpr std::array<QStringView, 5> kTensWords{u"vingt", u"trente", u"quarante", u"cinquante",
                                                u"soixante"};
constexpr QStringView kQuatreVingt = u"quatre vingt";
constexpr QStringView kCent = u"cent";
constexpr QStringView kSoixanteEt = u"soixante et ";
constexpr QStringView kSoixante = u"soixante ";
constexpr QStringView kUn = u" un";
constexpr QStringView kEtUn = u" et un";
constexpr QStringView kPluralS = u"s";

// The words that join the groups of a number.
struct Joints {
    QStringView space = u" ";
    QStringView milliard = u" milliard";
    QStringView milliards = u" milliards";
    QStringView million = u" million";
    QStringView millions = u" millions";
    QStringView mille = u"mille";
    QStringView moins = u"moins ";
};
constexpr Joints kJoints;

constexpr double kLargest = 999'999'999'999.0;

// Words built in place by the functions below. The longest text, a number of
// four long groups with their scale words, stays well under the capacity; an
// append that would not fit is dropped rather than written past the end.
class WordBuffer {
public:
    void append(QStringView s) {
        if (s.isEmpty() || s.size() > kCapacity - size_)
            return;
        std::memcpy(text_ + size_, s.utf16(), size_t(s.size()) * sizeof(char16_t));
        size_ += s.size();
    }
    void append(char16_t c) {
        if (size_ < kCapacity)
            text_[size_++] = c;
    }
    qsizetype size() const { return size_; }
    QStringView view() const { return QStringView(text_, size_); }
    QString toString() const { return view().toString(); }

private:
    static constexpr qsizetype kCapacity = 256;
    char16_t text_[kCapacity];
    qsizetype size_ = 0;
};

void appendUnitSuffix(WordBuffer& out, int d, bool quatreVingt) {
    if (d < 1 || d > 9)
        return;
    if (d == 1) {
        out.append(quatreVingt ? kUn : kEtUn);
        return;
    }
    out.append(u' ');
    out.append(UnitWords[d]);
}

// t: 0 to 99.
void appendTens(WordBuffer& out, int t) {
    const int d = t % 10;
    if (t < 20) {
        out.append(UnitWords[t]);
    } else if (t < 70) {
        out.append(kTensWords[t / 10 - 2]);
        appendUnitSuffix(out, d, false);
    } else if (t == 71) {
        out.append(kSoixanteEt);
        out.append(UnitWords[11]);
    } else if (t < 80) {
        out.append(kSoixante);
        out.append(UnitWords[d + 10]);
    } else if (t < 90) {
        out.append(kQuatreVingt);
        appendUnitSuffix(out, d, true);
    } else {
        out.append(kQuatreVingt);
        out.append(u' ');
        out.append(UnitWords[d + 10]);
    }
}

// g: 0 to 999.
void appendHundreds(WordBuffer& out, int g) {
    const int h = g / 100;
    const int t = g % 100;
    if (h == 0) {
        appendTens(out, t);
        return;
    }
    if (h > 1) {
        out.append(UnitWords[h]);
        out.append(u' ');
    }
    out.append(kCent);
    if (t != 0) {
        out.append(u' ');
        appendTens(out, t);
    }
}

// The value of s when it is exactly `count` ASCII digits, else -1.
int digitsValue(QStringView s, qsizetype count) {
    if (s.size() != count)
        return -1;
    int value = 0;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Whether text ends with tail, compared in place.
bool endsWith(QStringView text, QStringView tail) {
    return text.size() >= tail.size() &&
           std::memcmp(text.utf16() + text.size() - tail.size(), tail.utf16(),
                       size_t(tail.size()) * sizeof(char16_t)) == 0;
}

// The groups of a whole number 0 to 999 999 999 999 with their scale words
// taken from joints, one space between pieces, appended to out;
// appendGroup(out, g) appends the words of one group 1 to 999. Nothing is
// appended for 0, and no plural of "cent" or "vingt" yet: see wordsEnding().
template <typename Out, typename AppendGroup>
void appendGroups(Out& out, qint64 n, const Joints& joints, AppendGroup appendGroup) {
    const int g1 = int(n / 1'000'000'000);
    const int g2 = int(n / 1'000'000 % 1000);
    const int g3 = int(n / 1000 % 1000);
    const int g4 = int(n % 1000);
    bool first = true;
    const auto separate = [&] {
        if (!first)
            out.append(joints.space);
        first = false;
    };

    if (g1 != 0) {
        separate();
        appendGroup(out, g1);
        out.append(g1 == 1 ? joints.milliard : joints.milliards);
    }
    if (g2 != 0) {
        separate();
        appendGroup(out, g2);
        out.append(g2 == 1 ? joints.million : joints.millions);
    }
    if (g3 != 0) {
        separate();
        if (g3 != 1) {
            appendGroup(out, g3);
            out.append(joints.space);
        }
        out.append(joints.mille);
    }
    if (g4 != 0) {
        separate();
        appendGroup(out, g4);
    }
}

// What ends the words built by appendGroups() for a number whose last group is
// g4. Only a "cent" (of 200 to 900) or a "quatre vingt" that ends the whole
// number takes the plural "s"; before a scale word or further words it stays
// singular. No words at all make "zéro".
QStringView wordsEnding(QStringView words, int g4) {
    if (words.isEmpty())
        return UnitWords[0];
    if (g4 / 100 > 1 && endsWith(words, kCent))
        return kPluralS;
    if (endsWith(words, kQuatreVingt))
        return kPluralS;
    return QStringView();
}

// The whole words of a number 0 to 999 999 999 999, worked out word by word.
void appendNumber(WordBuffer& out, qint64 n) {
    const qsizetype start = out.size();
    appendGroups(out, n, kJoints, [](WordBuffer& words, int g) { appendHundreds(words, g); });
    out.append(wordsEnding(out.view().sliced(start), int(n % 1000)));
}

// Every text a number's words are made of, in one pool: the words of each
// group 0 to 999, the joints, and the whole words of every number below
// 1 000, all worked out once by the functions above.
class WordTables {
public:
    WordTables() {
        for (int g = 0; g < 1000; ++g) {
            WordBuffer words;
            appendHundreds(words, g);
            groups_[g] = pool_.store(words.view());
        }
        for (int n = 0; n < 1000; ++n) {
            WordBuffer words;
            appendNumber(words, n);
            numbers_[n] = pool_.store(words.view());
        }
        constexpr QStringView Joints::*kJointMembers[] = {
            &Joints::space,    &Joints::milliard, &Joints::milliards, &Joints::million,
            &Joints::millions, &Joints::mille,    &Joints::moins};
        WordPool::Entry jointEntries[std::size(kJointMembers)];
        for (std::size_t i = 0; i < std::size(kJointMembers); ++i)
            jointEntries[i] = pool_.store(kJoints.*kJointMembers[i]);
        pool_.seal();
        // Views into the pool, taken once it no longer grows.
        for (std::size_t i = 0; i < std::size(kJointMembers); ++i)
            joints_.*kJointMembers[i] = pool_.view(jointEntries[i]);
    }

    QStringView group(int g) const { return pool_.view(groups_[g]); }
    const Joints& joints() const { return joints_; }
    QString number(int n) const { return pool_.string(numbers_[n]); }

private:
    WordPool pool_;
    std::array<WordPool::Entry, 1000> groups_;
    std::array<WordPool::Entry, 1000> numbers_;
    Joints joints_;
};

// Built on first use and never destroyed: the strings of numbers below 1 000
// live on its storage for the whole life of the process.
const WordTables& tables() {
    static const WordTables* const instance = new WordTables;
    return *instance;
}

} // namespace

QString unitSuffix(qint16 d, bool quatreVingt) {
    WordBuffer out;
    appendUnitSuffix(out, d, quatreVingt);
    return out.toString();
}

QString tensToWords(const QString& s) {
    const int t = digitsValue(s, 2);
    if (t < 0)
        return QString();
    WordBuffer out;
    appendTens(out, t);
    return out.toString();
}

QString hundredsToWords(const QString& g) {
    const int value = digitsValue(g, 3);
    if (value < 0)
        return QString();
    WordBuffer out;
    appendHundreds(out, value);
    return out.toString();
}

QString numberToWords(double n) {
    if (n >= 0 && n < 1000) // fractions cut toward zero; false for NaN
        return tables().number(int(n));
    if (std::isnan(n))
        return QStringLiteral("pas un nombre");
    if (std::isinf(n))
        return n > 0 ? QStringLiteral("infini") : QStringLiteral("moins infini");
    double whole = std::trunc(n);
    if (std::fabs(whole) > kLargest)
        return QStringLiteral("nombre hors limites");
    if (whole == 0)
        return tables().number(0);

    const WordTables& known = tables();
    PoolBuffer out;
    if (whole < 0) {
        out.append(known.joints().moins);
        whole = -whole;
    }
    const qsizetype start = out.size();
    const qint64 value = static_cast<qint64>(whole);
    appendGroups(out, value, known.joints(),
                 [&known](PoolBuffer& words, int g) { words.append(known.group(g)); });
    for (const QChar c : wordsEnding(out.view().sliced(start), int(value % 1000)))
        out.append(c.unicode());
    return out.view().toString();
}

} // namespace NumberWords
