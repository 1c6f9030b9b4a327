// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_spelling.h"

#include "number_words.h"
#include "word_pool.h"

#include <array>
#include <atomic>
#include <mutex>

namespace NumberSpelling {
namespace {

using NumberWordsPool::PoolBuffer;
using NumberWordsPool::WordPool;

// The grammar, written in the traditional spelling, where the joint between
// two words says what joins them: a hyphen inside a compound below 100 that
// "et" does not join ("dix-sept", "quatre-vingt-un"), a space between other
// numeral words ("vingt et un", "deux cent un", "deux cent mille"). The other
// spellings change only these joints (and the plural rule, see Style).

// 0 to 19.
constexpr std::array<QStringView, 20> kUnits{
    u"z\u00e9ro", u"un",     u"deux",  u"trois",    u"quatre",   u"cinq",    u"six",
    u"sept",      u"huit",   u"neuf",  u"dix",      u"onze",     u"douze",   u"treize",
    u"quatorze",  u"quinze", u"seize", u"dix-sept", u"dix-huit", u"dix-neuf"};

// The tens word of 20, 30 ... 90 in a region.
struct Decade {
    QStringView word;
    // 10 when the decade counts on from the tens word with dix to dix-neuf
    // (soixante-dix is 60 + 10), else 0.
    int carried = 0;
    // "et" joins "un" and "onze" to the word (vingt et un, soixante et
    // onze); never to quatre-vingt (quatre-vingt-un, quatre-vingt-onze).
    bool takesEt = true;
    // vingt multiplied by quatre: it takes the plural s when nothing follows
    // it in its group (quatre-vingts), and only then.
    bool multiplied = false;
};

using Decades = std::array<Decade, 8>; // indexed by the tens digit less two

constexpr Decade kVingt{u"vingt"};
constexpr Decade kTrente{u"trente"};
constexpr Decade kQuarante{u"quarante"};
constexpr Decade kCinquante{u"cinquante"};
constexpr Decade kSoixante{u"soixante"};
constexpr Decade kSoixanteDix{u"soixante", 10};
constexpr Decade kSeptante{u"septante"};
constexpr Decade kQuatreVingts{u"quatre-vingt", 0, false, true};
constexpr Decade kQuatreVingtDix{u"quatre-vingt", 10, false, true};
constexpr Decade kHuitante{u"huitante"};
constexpr Decade kNonante{u"nonante"};

constexpr std::array<Decades, 3> kDecades{{
    // France
    {kVingt, kTrente, kQuarante, kCinquante, kSoixante, kSoixanteDix, kQuatreVingts,
     kQuatreVingtDix},
    // Belgium
    {kVingt, kTrente, kQuarante, kCinquante, kSoixante, kSeptante, kQuatreVingts, kNonante},
    // Switzerland
    {kVingt, kTrente, kQuarante, kCinquante, kSoixante, kSeptante, kHuitante, kNonante},
}};

constexpr QStringView kCent = u"cent";
constexpr QStringView kMille = u"mille";

// t: 1 to 99, traditional spelling. Whether it ends with a multiplied vingt
// is told through endsMultiplied.
QString belowHundred(int t, const Decades& decades, bool* endsMultiplied) {
    *endsMultiplied = false;
    if (t < 20)
        return kUnits[t].toString();
    const Decade& decade = decades[t / 10 - 2];
    const int rest = decade.carried + t % 10;
    QString out = decade.word.toString();
    if (rest == 0) {
        *endsMultiplied = decade.multiplied;
        return out;
    }
    out += (rest == 1 || rest == 11) && decade.takesEt ? QStringView(u" et ") : QStringView(u"-");
    out += kUnits[rest];
    return out;
}

// g: 1 to 999, traditional spelling. plural: whether the group may end with
// a plural cent or vingt, which it does when the last word is one of them
// and multiplied (deux cents, quatre-vingts, but cent, vingt).
QString groupWords(int g, const Decades& decades, bool plural) {
    const int h = g / 100;
    const int t = g % 100;
    QString out;
    if (h > 1) {
        out += kUnits[h];
        out += u' ';
    }
    if (h > 0) {
        out += kCent;
        if (t == 0 && h > 1 && plural)
            out += u's';
        if (t != 0)
            out += u' ';
    }
    if (t != 0) {
        bool endsMultiplied = false;
        out += belowHundred(t, decades, &endsMultiplied);
        if (endsMultiplied && plural)
            out += u's';
    }
    return out;
}

// What a spelling does with the traditional joints and the plural.
struct Style {
    // The joints of the traditional spelling inside a group: a hyphen, then
    // a space, each replaced by this.
    char16_t compoundJoint;
    char16_t numeralJoint;
    // cent and vingt keep their plural before "million" and "milliard",
    // which are nouns (deux cents millions); else they take it only at the
    // very end of the whole number (deux cent millions).
    bool pluralBeforeNouns;
};
enum StyleIndex { ClassicStyle, TraditionalStyle, RectifiedStyle, StyleCount };
constexpr std::array<Style, StyleCount> kStyles{{
    {u' ', u' ', false}, // classic: spaces only, plural at the end
    {u'-', u' ', true},  // traditional
    {u'-', u'-', true},  // 1990: hyphens everywhere
}};

QString inStyle(QString traditional, const Style& style) {
    for (QChar& c : traditional) {
        if (c == u'-')
            c = QChar(style.compoundJoint);
        else if (c == u' ')
            c = QChar(style.numeralJoint);
    }
    return traditional;
}

// The words of every group 0 to 999 of one style and region, both with and
// without their final plural, and the words that join the groups, in one
// pool built once; the words of a number are assembled from them. Below
// 1 000, a number's words are its group's, handed out over the pool.
class SpellingTables {
public:
    SpellingTables(StyleIndex styleIndex, int region) : style_(kStyles[styleIndex]) {
        const Decades& decades = kDecades[std::size_t(region)];
        plural_[0] = pool_.store(kUnits[0]);
        singular_[0] = plural_[0];
        for (int g = 1; g < 1000; ++g) {
            plural_[g] = pool_.store(inStyle(groupWords(g, decades, true), style_));
            singular_[g] = pool_.store(inStyle(groupWords(g, decades, false), style_));
        }
        const char16_t joint[] = {style_.numeralJoint};
        const WordPool::Entry entries[] = {
            pool_.store(u" milliard"), pool_.store(u" milliards"),
            pool_.store(u" million"),  pool_.store(u" millions"),
            pool_.store(kMille),       pool_.store(QStringView(joint, 1)),
            pool_.store(QStringView())};
        pool_.seal();
        // Views into the pool, taken once it no longer grows.
        milliard_ = pool_.view(entries[0]);
        milliards_ = pool_.view(entries[1]);
        million_ = pool_.view(entries[2]);
        millions_ = pool_.view(entries[3]);
        mille_ = pool_.view(entries[4]);
        numeralJoint_ = pool_.view(entries[5]);
        nothing_ = pool_.view(entries[6]);
    }

    // n: 0 to 999.
    QString belowThousand(qint64 n) const { return pool_.string(plural_[n]); }

    // n: 1 000 to LargestNumber.
    QString fromThousand(qint64 n) const {
        const int g1 = int(n / 1'000'000'000);
        const int g2 = int(n / 1'000'000 % 1000);
        const int g3 = int(n / 1000 % 1000);
        const int g4 = int(n % 1000);
        const auto& beforeNoun = style_.pluralBeforeNouns ? plural_ : singular_;
        PoolBuffer out;
        // What joins the next piece to the one before: nothing before the
        // first, a space after a noun, the numeral joint after "mille".
        QStringView joint = nothing_;
        const QStringView space = milliard_.first(1);
        if (g1 != 0) {
            out.append(pool_.view(beforeNoun[g1]));
            out.append(g1 == 1 ? milliard_ : milliards_);
            joint = space;
        }
        if (g2 != 0) {
            out.append(joint);
            out.append(pool_.view(beforeNoun[g2]));
            out.append(g2 == 1 ? million_ : millions_);
            joint = space;
        }
        if (g3 != 0) {
            out.append(joint);
            if (g3 != 1) {
                out.append(pool_.view(singular_[g3]));
                out.append(numeralJoint_);
            }
            out.append(mille_);
            joint = numeralJoint_;
        }
        if (g4 != 0) {
            out.append(joint);
            out.append(pool_.view(plural_[g4]));
        }
        return out.view().toString();
    }

private:
    Style style_;
    WordPool pool_;
    std::array<WordPool::Entry, 1000> plural_;
    std::array<WordPool::Entry, 1000> singular_;
    QStringView milliard_, milliards_, million_, millions_, mille_, numeralJoint_, nothing_;
};

constexpr int kRegionCount = 3;
constexpr int kTableCount = StyleCount * kRegionCount;

// The tables of each style and region, built on first use (under a lock, once)
// and never destroyed: the strings of numbers below 1 000 live on them. Once
// built, finding them is one load.
std::array<std::atomic<const SpellingTables*>, kTableCount> builtTables{};

Q_DECL_COLD_FUNCTION const SpellingTables& buildTables(int index) {
    static std::mutex building;
    const std::lock_guard<std::mutex> lock(building);
    const SpellingTables* tables = builtTables[std::size_t(index)].load(std::memory_order_acquire);
    if (!tables) {
        tables = new SpellingTables(StyleIndex(index / kRegionCount), index % kRegionCount);
        builtTables[std::size_t(index)].store(tables, std::memory_order_release);
    }
    return *tables;
}

const SpellingTables& tablesFor(StyleIndex style, Region region) {
    const int index = style * kRegionCount + int(region);
    if (const SpellingTables* tables =
            builtTables[std::size_t(index)].load(std::memory_order_acquire))
        return *tables;
    return buildTables(index);
}

constexpr std::array<StyleIndex, 4> kStyleOf{ClassicStyle, TraditionalStyle, RectifiedStyle,
                                             RectifiedStyle};
static_assert(int(Spelling::Either) == 3, "one style for each spelling");

StyleIndex styleOf(Spelling spelling) {
    return kStyleOf[std::size_t(spelling)];
}

QString wordsInStyle(qint64 n, StyleIndex style, Region region) {
    if (style == ClassicStyle && region == Region::France)
        return NumberWords::numberToWords(double(n));
    const SpellingTables& tables = tablesFor(style, region);
    return n < 1000 ? tables.belowThousand(n) : tables.fromThousand(n);
}

constexpr std::array<std::pair<Spelling, QStringView>, 4> kSpellingKeys{{
    {Spelling::Classic, u"classic"},
    {Spelling::Traditional, u"traditional"},
    {Spelling::Rectified1990, u"1990"},
    {Spelling::Either, u"either"},
}};
constexpr std::array<std::pair<Region, QStringView>, 3> kRegionKeys{{
    {Region::France, u"fr"},
    {Region::Belgium, u"be"},
    {Region::Switzerland, u"ch"},
}};

template <typename T, std::size_t N>
std::optional<T> fromKey(const std::array<std::pair<T, QStringView>, N>& keys, QStringView name) {
    const QStringView trimmed = name.trimmed();
    for (const auto& [value, key] : keys) {
        if (trimmed.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

template <typename T, std::size_t N>
QStringView toKey(const std::array<std::pair<T, QStringView>, N>& keys, T value) {
    for (const auto& [known, key] : keys) {
        if (known == value)
            return key;
    }
    return keys[0].second;
}

bool inRange(qint64 n) {
    return n >= 0 && n <= LargestNumber;
}

} // namespace

QStringView key(Spelling spelling) {
    return toKey(kSpellingKeys, spelling);
}

QStringView key(Region region) {
    return toKey(kRegionKeys, region);
}

std::optional<Spelling> spellingFromKey(QStringView name) {
    return fromKey(kSpellingKeys, name);
}

std::optional<Region> regionFromKey(QStringView name) {
    return fromKey(kRegionKeys, name);
}

QString words(qint64 n, Spelling spelling, Region region) {
    if (!inRange(n))
        return QString();
    return wordsInStyle(n, styleOf(spelling), region);
}

QStringList acceptedForms(qint64 n, Spelling spelling, Region region) {
    QStringList forms;
    if (!inRange(n))
        return forms;
    forms.reserve(3);
    const auto add = [&forms](const QString& form) {
        if (!forms.contains(form))
            forms.append(form);
    };
    const StyleIndex style = styleOf(spelling);
    const QString shown = wordsInStyle(n, style, region);
    add(shown);
    if (spelling == Spelling::Either)
        add(wordsInStyle(n, TraditionalStyle, region));
    if (style == RectifiedStyle && shown.contains(u' '))
        add(QString(shown).replace(u' ', u'-'));
    return forms;
}

} // namespace NumberSpelling
