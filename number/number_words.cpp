#include "number_words.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace Module1 {
namespace {

// "vingt" to "soixante", indexed by the tens digit less two.
constexpr std::array<QStringView, 5> kTensWords{u"vingt", u"trente", u"quarante", u"cinquante",
                                                u"soixante"};
constexpr QStringView kQuatreVingt = u"quatre vingt";
constexpr QStringView kCent = u"cent";
constexpr QStringView kSoixanteEt = u"soixante et ";
constexpr QStringView kSoixante = u"soixante ";
constexpr QStringView kUn = u" un";
constexpr QStringView kEtUn = u" et un";
constexpr QStringView kMilliard = u" milliard";
constexpr QStringView kMilliards = u" milliards";
constexpr QStringView kMillion = u" million";
constexpr QStringView kMillions = u" millions";
constexpr QStringView kMille = u"mille";
constexpr QStringView kMoins = u"moins ";

constexpr double kLargest = 999'999'999'999.0;

// The words of one number are built in place and copied out once, so a call
// makes a single allocation. The longest text ("moins" and four long groups
// with their scale words) stays well under the capacity; an append that would
// not fit is dropped rather than written past the end.
class WordBuffer {
public:
    void append(QStringView s) {
        if (s.size() > kCapacity - size_)
            return;
        std::memcpy(text_ + size_, s.utf16(), size_t(s.size()) * sizeof(char16_t));
        size_ += s.size();
    }
    void append(char16_t c) {
        if (size_ < kCapacity)
            text_[size_++] = c;
    }
    qsizetype size() const { return size_; }
    bool endsWith(QStringView s) const {
        return size_ >= s.size() && std::memcmp(text_ + size_ - s.size(), s.utf16(),
                                                size_t(s.size()) * sizeof(char16_t)) == 0;
    }
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

// The words of a whole number 0 to 999 999 999 999, appended to out;
// appendGroup(out, g) appends the words of one group 1 to 999.
template <typename AppendGroup>
void appendNumber(WordBuffer& out, qint64 n, AppendGroup appendGroup) {
    const int g1 = int(n / 1'000'000'000);
    const int g2 = int(n / 1'000'000 % 1000);
    const int g3 = int(n / 1000 % 1000);
    const int g4 = int(n % 1000);
    const qsizetype start = out.size();
    const auto separate = [&] {
        if (out.size() > start)
            out.append(u' ');
    };

    if (g1 != 0) {
        appendGroup(out, g1);
        out.append(g1 == 1 ? kMilliard : kMilliards);
    }
    if (g2 != 0) {
        separate();
        appendGroup(out, g2);
        out.append(g2 == 1 ? kMillion : kMillions);
    }
    if (g3 != 0) {
        separate();
        if (g3 != 1) {
            appendGroup(out, g3);
            out.append(u' ');
        }
        out.append(kMille);
    }
    if (g4 != 0) {
        separate();
        appendGroup(out, g4);
    }

    // Only a "cent" or "quatre vingt" that ends the whole number takes the
    // plural; before a scale word or further words it stays singular.
    if (g4 / 100 > 1 && out.endsWith(kCent))
        out.append(u's');
    if (out.endsWith(kQuatreVingt))
        out.append(u's');
    if (out.size() == start)
        out.append(UnitWords[0]);
}

// The words of every group 0 to 999 and the whole words of every number below
// 1 000, worked out once by the functions above. Each text is followed by a
// NUL in the pool, so the strings handed out over it are terminated too.
class WordTables {
public:
    WordTables() {
        const auto appendGroup = [](WordBuffer& out, int g) { appendHundreds(out, g); };
        for (int g = 0; g < 1000; ++g) {
            WordBuffer words;
            appendHundreds(words, g);
            groups_[g] = store(words.view());
        }
        for (int n = 0; n < 1000; ++n) {
            WordBuffer words;
            appendNumber(words, n, appendGroup);
            numbers_[n] = store(words.view());
        }
    }

    QStringView group(int g) const {
        return QStringView(pool_.data() + groups_[g].start, groups_[g].size);
    }

    // A string over the pool itself: no allocation, and any change to it
    // works on a copy.
    QString number(int n) const {
        return QString::fromRawData(
            reinterpret_cast<const QChar*>(pool_.data() + numbers_[n].start), numbers_[n].size);
    }

private:
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

    std::vector<char16_t> pool_;
    std::array<Entry, 1000> groups_;
    std::array<Entry, 1000> numbers_;
};

// Built on first use and never destroyed: the strings of numbers below 1 000
// live on its storage for the whole life of the process.
const WordTables& tables() {
    static const WordTables* const instance = new WordTables;
    return *instance;
}

} // namespace

QString UnitSuffix(qint16 d, bool quatreVingt) {
    WordBuffer out;
    appendUnitSuffix(out, d, quatreVingt);
    return out.toString();
}

QString TensToWords(const QString& s) {
    const int t = digitsValue(s, 2);
    if (t < 0)
        return QString();
    WordBuffer out;
    appendTens(out, t);
    return out.toString();
}

QString HundredsToWords(const QString& g) {
    const int value = digitsValue(g, 3);
    if (value < 0)
        return QString();
    WordBuffer out;
    appendHundreds(out, value);
    return out.toString();
}

QString NumberToWords(double n) {
    if (n >= 0 && n < 1000) // fractions cut toward zero; false for NaN
        return tables().number(int(n));
    if (std::isnan(n))
        return QStringLiteral("pas un nombre");
    if (std::isinf(n))
        return n > 0 ? QStringLiteral("infini") : QStringLiteral("moins infini");
    double whole = std::trunc(n);
    if (std::fabs(whole) > kLargest)
        return QStringLiteral("nombre hors limites");

    WordBuffer out;
    if (whole < 0) {
        out.append(kMoins);
        whole = -whole;
    }
    const WordTables& known = tables();
    appendNumber(out, static_cast<qint64>(whole),
                 [&known](WordBuffer& words, int g) { words.append(known.group(g)); });
    return out.toString();
}

} // namespace Module1
