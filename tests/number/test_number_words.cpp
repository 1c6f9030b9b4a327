#include "number_words.h"
#include "word_count.h"

#include <QHash>
#include <QTest>
#include <QVarLengthArray>

#include <cmath>
#include <limits>
#include <random>

using namespace Module1;

namespace {

constexpr qint64 kLargest = 999'999'999'999;

// A reader of French number words, written apart from the speller: it gives
// the value the words stand for and rejects any text that breaks a spelling
// rule of the exercise (vocabulary, order of words, "et", plurals, "un mille",
// "zéro", spaces). Every text of the sweeps goes through it.
struct Reading {
    qint64 value = -1;
    int words = 0;
    QString error;
};

enum class Kind { Add, Vingt, Vingts, Et, Cent, Cents, Mille, Scale, Zero };

struct Word {
    QStringView text;
    Kind kind;
    qint64 value; // Add: its value; Scale: its multiplier, negative when plural
};

constexpr Word kVocabulary[] = {
    {u"un", Kind::Add, 1},
    {u"deux", Kind::Add, 2},
    {u"trois", Kind::Add, 3},
    {u"quatre", Kind::Add, 4},
    {u"cinq", Kind::Add, 5},
    {u"six", Kind::Add, 6},
    {u"sept", Kind::Add, 7},
    {u"huit", Kind::Add, 8},
    {u"neuf", Kind::Add, 9},
    {u"dix", Kind::Add, 10},
    {u"onze", Kind::Add, 11},
    {u"douze", Kind::Add, 12},
    {u"treize", Kind::Add, 13},
    {u"quatorze", Kind::Add, 14},
    {u"quinze", Kind::Add, 15},
    {u"seize", Kind::Add, 16},
    {u"vingt", Kind::Vingt, 20},
    {u"vingts", Kind::Vingts, 20},
    {u"trente", Kind::Add, 30},
    {u"quarante", Kind::Add, 40},
    {u"cinquante", Kind::Add, 50},
    {u"soixante", Kind::Add, 60},
    {u"et", Kind::Et, 0},
    {u"cent", Kind::Cent, 100},
    {u"cents", Kind::Cents, 100},
    {u"mille", Kind::Mille, 1000},
    {u"million", Kind::Scale, 1'000'000},
    {u"millions", Kind::Scale, -1'000'000},
    {u"milliard", Kind::Scale, 1'000'000'000},
    {u"milliards", Kind::Scale, -1'000'000'000},
    {u"z\u00e9ro", Kind::Zero, 0},
};

const Word* lookUp(QStringView token) {
    static const QHash<QStringView, const Word*> index = [] {
        QHash<QStringView, const Word*> words;
        for (const Word& w : kVocabulary)
            words.insert(w.text, &w);
        return words;
    }();
    return index.value(token, nullptr);
}

bool isTensWord(const Word* w) {
    return w && (w->kind == Kind::Add || w->kind == Kind::Vingt) && w->value >= 20;
}

bool isWord(const Word* w, Kind kind, qint64 value) {
    return w && w->kind == kind && w->value == value;
}

Reading readWords(QStringView text) {
    Reading r;
    const auto fail = [&r](const QString& why) {
        r.value = -1;
        r.error = why;
        return r;
    };
    if (text.isEmpty())
        return fail(QStringLiteral("empty text"));
    QVarLengthArray<QStringView, 32> tokens;
    QVarLengthArray<const Word*, 32> words;
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    for (const char16_t* p = begin;;) {
        const char16_t* q = p;
        while (q != end && *q != u' ')
            ++q;
        const QStringView token(p, q);
        if (token.isEmpty())
            return fail(QStringLiteral("leading, trailing or double space"));
        if (tokens.size() == 27)
            return fail(QStringLiteral("more than 27 words"));
        const Word* w = lookUp(token);
        if (!w)
            return fail(QStringLiteral("unknown word \"%1\"").arg(token));
        tokens.append(token);
        words.append(w);
        if (q == end)
            break;
        p = q + 1;
    }
    r.words = int(tokens.size());
    // The word before position i, or null.
    const auto wordAt = [&words](qsizetype i) { return i >= 0 ? words[i] : nullptr; };
    const auto isQuatre = [&](qsizetype i) { return isWord(wordAt(i), Kind::Add, 4); };

    qint64 total = 0;
    qint64 lastScale = std::numeric_limits<qint64>::max();
    int group = 0;      // value of the group being read
    int lastAdd = 1000; // the terms of a group are read in decreasing order
    int beforeLast = 1000;
    bool seen[3] = {}; // a unit, a ten to sixteen, a tens word: one each per group
    bool centSeen = false;
    const auto endGroup = [&] {
        group = 0;
        lastAdd = beforeLast = 1000;
        seen[0] = seen[1] = seen[2] = false;
        centSeen = false;
    };

    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QStringView token = tokens[i];
        const bool last = i + 1 == tokens.size();
        const Word* w = words[i];
        const bool afterQuatre = isQuatre(i - 1);
        switch (w->kind) {
        case Kind::Zero:
            if (tokens.size() != 1)
                return fail(QStringLiteral("z\u00e9ro inside other words"));
            break;
        case Kind::Vingt:
        case Kind::Vingts:
            if (afterQuatre) {
                if (80 >= beforeLast || seen[2])
                    return fail(QStringLiteral("quatre vingt out of order"));
                if (w->kind == Kind::Vingts && !last)
                    return fail(QStringLiteral("vingts before other words"));
                if (w->kind == Kind::Vingt && last)
                    return fail(QStringLiteral("final quatre vingt without s"));
                seen[0] = false;
                seen[2] = true;
                lastAdd = 80;
                group += 76;
                break;
            }
            if (w->kind == Kind::Vingts)
                return fail(QStringLiteral("vingts without quatre"));
            [[fallthrough]];
        case Kind::Add: {
            const int v = int(w->value);
            // After a tens word, "un" (and "onze" after soixante) comes with "et".
            if ((v == 1 || v == 11) && isTensWord(wordAt(i - 1)) && !isQuatre(i - 2))
                return fail(QStringLiteral("\"%1\" without et").arg(token));
            const int cls = v < 10 ? 0 : v < 20 ? 1 : 2;
            if (v >= lastAdd || seen[cls])
                return fail(QStringLiteral("\"%1\" out of order").arg(token));
            seen[cls] = true;
            beforeLast = lastAdd;
            lastAdd = v;
            group += v;
            break;
        }
        case Kind::Et: {
            const Word* before = wordAt(i - 1);
            const Word* after = last ? nullptr : words[i + 1];
            const bool tensBefore = isTensWord(before) && !isQuatre(i - 2);
            if (!tensBefore || !(isWord(after, Kind::Add, 1) ||
                                 (isWord(before, Kind::Add, 60) && isWord(after, Kind::Add, 11))))
                return fail(QStringLiteral("misplaced et"));
            break;
        }
        case Kind::Cent:
        case Kind::Cents: {
            if (centSeen || group >= 10 || group == 1)
                return fail(QStringLiteral("bad hundreds"));
            const int times = group == 0 ? 1 : group;
            if (w->kind == Kind::Cents && (!last || times == 1))
                return fail(QStringLiteral("cents not at the end of a multiple hundred"));
            if (w->kind == Kind::Cent && last && times > 1)
                return fail(QStringLiteral("final multiple cent without s"));
            group = times * 100;
            lastAdd = beforeLast = 100;
            seen[0] = seen[1] = seen[2] = false;
            centSeen = true;
            break;
        }
        case Kind::Mille:
            if (group == 1)
                return fail(QStringLiteral("un mille"));
            if (lastScale <= 1000)
                return fail(QStringLiteral("scale words out of order"));
            total += (group == 0 ? 1 : group) * 1000;
            lastScale = 1000;
            endGroup();
            break;
        case Kind::Scale: {
            const qint64 scale = std::abs(w->value);
            const bool plural = w->value < 0;
            if (group == 0 || lastScale <= scale)
                return fail(QStringLiteral("scale word without its group or out of order"));
            if (plural != (group != 1))
                return fail(QStringLiteral("wrong plural of \"%1\"").arg(token));
            total += group * scale;
            lastScale = scale;
            endGroup();
            break;
        }
        }
    }
    r.value = total + group;
    return r;
}

// Everything the sweeps require of the words of n; empty when all holds.
QString checkNumber(qint64 n) {
    const double value = double(n);
    const QString text = NumberToWords(value);
    const Reading r = readWords(text);
    if (!r.error.isEmpty())
        return QStringLiteral("%1: \"%2\": %3").arg(n).arg(text, r.error);
    if (r.value != n)
        return QStringLiteral("%1: \"%2\" reads as %3").arg(n).arg(text).arg(r.value);
    if (countwords(text) != r.words)
        return QStringLiteral("%1: \"%2\" counted as %3 words")
            .arg(n)
            .arg(text)
            .arg(countwords(text));
    if (NumberToWords(value) != text)
        return QStringLiteral("%1: a second call gave another text").arg(n);
    return QString();
}

} // namespace

class NumberWordsTest : public QObject {
    Q_OBJECT

private slots:
    void unitWordsTable();
    void workedExamples_data();
    void workedExamples();
    void unitSuffix_data();
    void unitSuffix();
    void tensToWords_data();
    void tensToWords();
    void hundredsToWords_data();
    void hundredsToWords();
    void everyGroupHasNoStraySpaceNorZero();
    void openInputs_data();
    void openInputs();
    void resultsAreTheCallersOwn();
    void readerRejectsFaultyWords_data();
    void readerRejectsFaultyWords();
    void everyNumberBelowOneMillion();
    void largeNumbersSample();
};

void NumberWordsTest::unitWordsTable() {
    QCOMPARE(UnitWords.size(), size_t(20));
    QCOMPARE(UnitWords[0], QStringView(u"z\u00e9ro"));
    QCOMPARE(UnitWords[16], QStringView(u"seize"));
    QCOMPARE(UnitWords[17], QStringView(u"dix sept"));
    QCOMPARE(UnitWords[19], QStringView(u"dix neuf"));
}

void NumberWordsTest::workedExamples_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("words");
    const auto row = [](double n, const char* words) {
        QTest::addRow("%.0f", n) << n << QString::fromUtf8(words);
    };
    row(0, "zéro");
    row(1, "un");
    row(16, "seize");
    row(17, "dix sept");
    row(20, "vingt");
    row(21, "vingt et un");
    row(22, "vingt deux");
    row(61, "soixante et un");
    row(70, "soixante dix");
    row(71, "soixante et onze");
    row(72, "soixante douze");
    row(77, "soixante dix sept");
    row(80, "quatre vingts");
    row(81, "quatre vingt un");
    row(90, "quatre vingt dix");
    row(91, "quatre vingt onze");
    row(97, "quatre vingt dix sept");
    row(100, "cent");
    row(101, "cent un");
    row(121, "cent vingt et un");
    row(171, "cent soixante et onze");
    row(180, "cent quatre vingts");
    row(181, "cent quatre vingt un");
    row(200, "deux cents");
    row(201, "deux cent un");
    row(280, "deux cent quatre vingts");
    row(999, "neuf cent quatre vingt dix neuf");
    row(1000, "mille");
    row(1001, "mille un");
    row(1080, "mille quatre vingts");
    row(1200, "mille deux cents");
    row(2000, "deux mille");
    row(21000, "vingt et un mille");
    row(80000, "quatre vingt mille");
    row(100000, "cent mille");
    row(200000, "deux cent mille");
    row(200300, "deux cent mille trois cents");
    row(1000000, "un million");
    row(1000001, "un million un");
    row(1001000, "un million mille");
    row(1100000, "un million cent mille");
    row(2000000, "deux millions");
    row(21000000, "vingt et un millions");
    row(80000000, "quatre vingt millions");
    row(200000000, "deux cent millions");
    row(1000000000, "un milliard");
    row(2000000000, "deux milliards");
    row(80000000000, "quatre vingt milliards");
    row(100000000000, "cent milliards");
    row(999999999999, "neuf cent quatre vingt dix neuf milliards neuf cent quatre vingt dix neuf "
                      "millions neuf cent quatre vingt dix neuf mille neuf cent quatre vingt dix "
                      "neuf");
    // Further cases of the same rules.
    row(81000, "quatre vingt un mille");
    row(101000, "cent un mille");
    row(200000200, "deux cent millions deux cents");
    row(1001001001, "un milliard un million mille un");
    row(1000000080, "un milliard quatre vingts");
    row(80080080080,
        "quatre vingt milliards quatre vingt millions quatre vingt mille quatre vingts");
    row(100899994046, "cent milliards huit cent quatre vingt dix neuf millions neuf cent quatre "
                      "vingt quatorze mille quarante six");
}

void NumberWordsTest::workedExamples() {
    QFETCH(double, number);
    QFETCH(QString, words);
    QCOMPARE(NumberToWords(number), words);
}

void NumberWordsTest::unitSuffix_data() {
    QTest::addColumn<int>("digit");
    QTest::addColumn<bool>("quatreVingt");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("0") << 0 << false << QString();
    QTest::newRow("0 after quatre vingt") << 0 << true << QString();
    QTest::newRow("1 takes et") << 1 << false << QStringLiteral(" et un");
    QTest::newRow("1 after quatre vingt") << 1 << true << QStringLiteral(" un");
    QTest::newRow("2") << 2 << false << QStringLiteral(" deux");
    QTest::newRow("7 after quatre vingt") << 7 << true << QStringLiteral(" sept");
    QTest::newRow("9") << 9 << false << QStringLiteral(" neuf");
    QTest::newRow("negative") << -1 << false << QString();
    QTest::newRow("10") << 10 << true << QString();
    QTest::newRow("largest 16-bit") << 32767 << false << QString();
    QTest::newRow("smallest 16-bit") << -32768 << true << QString();
}

void NumberWordsTest::unitSuffix() {
    QFETCH(int, digit);
    QFETCH(bool, quatreVingt);
    QFETCH(QString, suffix);
    QCOMPARE(UnitSuffix(qint16(digit), quatreVingt), suffix);
}

void NumberWordsTest::tensToWords_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("words");
    const auto row = [](const char* digits, const char* words) {
        QTest::addRow("%s", digits) << QString::fromUtf8(digits) << QString::fromUtf8(words);
    };
    row("00", "zéro");
    row("07", "sept");
    row("10", "dix");
    row("16", "seize");
    row("17", "dix sept");
    row("19", "dix neuf");
    row("20", "vingt");
    row("21", "vingt et un");
    row("29", "vingt neuf");
    row("31", "trente et un");
    row("41", "quarante et un");
    row("51", "cinquante et un");
    row("61", "soixante et un");
    row("69", "soixante neuf");
    row("70", "soixante dix");
    row("71", "soixante et onze");
    row("72", "soixante douze");
    row("79", "soixante dix neuf");
    row("80", "quatre vingt"); // the plural belongs to the whole number
    row("81", "quatre vingt un");
    row("89", "quatre vingt neuf");
    row("90", "quatre vingt dix");
    row("91", "quatre vingt onze");
    row("99", "quatre vingt dix neuf");
    // Not two ASCII digits: no words.
    row("", "");
    row("7", "");
    row("007", "");
    row(" 7", "");
    row("7 ", "");
    row("a1", "");
    row("-1", "");
    row("+1", "");
    row("\u0661\u0662", ""); // Arabic-Indic digits
    row("\u00b23", "");      // superscript two
}

void NumberWordsTest::tensToWords() {
    QFETCH(QString, digits);
    QFETCH(QString, words);
    QCOMPARE(TensToWords(digits), words);
}

void NumberWordsTest::hundredsToWords_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("words");
    const auto row = [](const char* digits, const char* words) {
        QTest::addRow("%s", digits) << QString::fromUtf8(digits) << QString::fromUtf8(words);
    };
    row("001", "un");
    row("010", "dix");
    row("071", "soixante et onze");
    row("100", "cent");
    row("101", "cent un");
    row("110", "cent dix");
    row("171", "cent soixante et onze");
    row("180", "cent quatre vingt");
    row("200", "deux cent");
    row("201", "deux cent un");
    row("280", "deux cent quatre vingt");
    row("999", "neuf cent quatre vingt dix neuf");
    row("000", "zéro"); // outside the groups the speller asks for, read as it stands
    row("", "");
    row("01", "");
    row("1000", "");
    row("1 0", "");
    row("abc", "");
    row("-01", "");
    row("\u0660\u0660\u0661", "");
}

void NumberWordsTest::hundredsToWords() {
    QFETCH(QString, digits);
    QFETCH(QString, words);
    QCOMPARE(HundredsToWords(digits), words);
}

void NumberWordsTest::everyGroupHasNoStraySpaceNorZero() {
    for (int g = 1; g <= 999; ++g) {
        const QString digits = QStringLiteral("%1").arg(g, 3, 10, QChar(u'0'));
        const QString words = HundredsToWords(digits);
        QVERIFY2(!words.isEmpty() && !words.startsWith(u' ') && !words.endsWith(u' ') &&
                     !words.contains(QStringLiteral("  ")) && !words.contains(UnitWords[0]),
                 qPrintable(QStringLiteral("%1 -> \"%2\"").arg(digits, words)));
        // Below 100 the group reads as its two last digits.
        if (g < 100)
            QCOMPARE(words, TensToWords(digits.mid(1)));
    }
}

void NumberWordsTest::openInputs_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("words");
    const QString largest = NumberToWords(double(kLargest));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double max = std::numeric_limits<double>::max();
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("z\u00e9ro");
    QTest::newRow("0.4") << 0.4 << QStringLiteral("z\u00e9ro");
    QTest::newRow("0.999999") << 0.999999 << QStringLiteral("z\u00e9ro");
    QTest::newRow("smallest positive")
        << std::numeric_limits<double>::denorm_min() << QStringLiteral("z\u00e9ro");
    QTest::newRow("21.5") << 21.5 << QStringLiteral("vingt et un");
    QTest::newRow("80.99") << 80.99 << QStringLiteral("quatre vingts");
    QTest::newRow("200.5") << 200.5 << QStringLiteral("deux cents");
    QTest::newRow("largest plus a half") << double(kLargest) + 0.5 << largest;
    QTest::newRow("-0.5") << -0.5 << QStringLiteral("z\u00e9ro");
    QTest::newRow("-1") << -1.0 << QStringLiteral("moins un");
    QTest::newRow("-21.9") << -21.9 << QStringLiteral("moins vingt et un");
    QTest::newRow("-80") << -80.0 << QStringLiteral("moins quatre vingts");
    QTest::newRow("-1000") << -1000.0 << QStringLiteral("moins mille");
    QTest::newRow("-largest") << -double(kLargest) << QStringLiteral("moins ") + largest;
    QTest::newRow("largest plus one")
        << double(kLargest + 1) << QStringLiteral("nombre hors limites");
    QTest::newRow("-largest minus one")
        << -double(kLargest + 1) << QStringLiteral("nombre hors limites");
    QTest::newRow("1e15") << 1e15 << QStringLiteral("nombre hors limites");
    QTest::newRow("largest double") << max << QStringLiteral("nombre hors limites");
    QTest::newRow("lowest double") << -max << QStringLiteral("nombre hors limites");
    QTest::newRow("+inf") << inf << QStringLiteral("infini");
    QTest::newRow("-inf") << -inf << QStringLiteral("moins infini");
    QTest::newRow("NaN") << nan << QStringLiteral("pas un nombre");
    QTest::newRow("-NaN") << -nan << QStringLiteral("pas un nombre");
}

void NumberWordsTest::openInputs() {
    QFETCH(double, number);
    QFETCH(QString, words);
    QCOMPARE(NumberToWords(number), words);
}

// Small numbers share their texts; a caller that changes its copy changes
// nothing for the next one, and every text is terminated like any string.
void NumberWordsTest::resultsAreTheCallersOwn() {
    for (const double n : {80.0, 21000.0}) {
        QString words = NumberToWords(n);
        const QString expected = words;
        QCOMPARE(words.constData()[words.size()], QChar());
        words[0] = u'X';
        words.append(u'!');
        QCOMPARE(NumberToWords(n), expected);
        QCOMPARE(NumberToWords(n).constData()[expected.size()], QChar());
    }
}

// The sweeps trust the reader; it must refuse each kind of fault it looks for.
void NumberWordsTest::readerRejectsFaultyWords_data() {
    QTest::addColumn<QString>("text");
    const auto row = [](const char* text) { QTest::addRow("%s", text) << QString::fromUtf8(text); };
    row("");
    row(" un");
    row("un ");
    row("vingt  deux");
    row("vingt-deux");
    row("Vingt");
    row("un zéro");
    row("zéro zéro");
    row("quatre vingt");
    row("quatre vingts un");
    row("quatre vingt et un");
    row("vingts");
    row("vingt un");
    row("vingt et deux");
    row("vingt et onze");
    row("deux cent");
    row("deux cents un");
    row("un cent");
    row("cents");
    row("un mille");
    row("million un mille");
    row("deux million");
    row("un millions");
    row("million");
    row("mille million");
    row("sept dix");
    row("sept deux");
    row("dix dix");
    row("cent cent");
    row("un un un un un un un un un un un un un un un un un un un un un un un un un un un un");
}

void NumberWordsTest::readerRejectsFaultyWords() {
    QFETCH(QString, text);
    QVERIFY2(!readWords(text).error.isEmpty(), qPrintable(text));
}

void NumberWordsTest::everyNumberBelowOneMillion() {
    for (qint64 n = 0; n < 1'000'000; ++n) {
        const QString fault = checkNumber(n);
        if (!fault.isEmpty())
            QFAIL(qPrintable(fault));
    }
}

// A fixed sample of larger numbers: every combination of telling groups (the
// boundaries of each scale among them), then 200 000 pseudo-random numbers of
// up to 7 to 12 digits, from a fixed seed.
void NumberWordsTest::largeNumbersSample() {
    const int telling[] = {0, 1, 2, 17, 21, 71, 80, 81, 91, 100, 180, 200, 999};
    int checked = 0;
    for (const int g1 : telling) {
        for (const int g2 : telling) {
            for (const int g3 : telling) {
                for (const int g4 : telling) {
                    const qint64 n = ((qint64(g1) * 1000 + g2) * 1000 + g3) * 1000 + g4;
                    const QString fault = checkNumber(n);
                    if (!fault.isEmpty())
                        QFAIL(qPrintable(fault));
                    ++checked;
                }
            }
        }
    }
    std::mt19937_64 generator(20'240'917);
    for (int i = 0; i < 200'000; ++i) {
        const quint64 draw = generator();
        const qint64 bound =
            std::array<qint64, 6>{10'000'000,     100'000'000,     1'000'000'000,
                                  10'000'000'000, 100'000'000'000, kLargest + 1}[draw % 6];
        const qint64 n = qint64((draw >> 3) % quint64(bound));
        const QString fault = checkNumber(n);
        if (!fault.isEmpty())
            QFAIL(qPrintable(fault));
        ++checked;
    }
    QCOMPARE(checked, 13 * 13 * 13 * 13 + 200'000);
}

QTEST_GUILESS_MAIN(NumberWordsTest)
#include "test_number_words.moc"
