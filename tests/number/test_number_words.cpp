// The words of numbers, the helpers behind them, and the word counts the
// hints give.

#include "number_words.h"
#include "word_count.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Module1;

class NumberWordsTest : public QObject {
    Q_OBJECT

private slots:
    void words_data();
    void words();
    void helpers_data();
    void helpers();
    void wellFormedWordsOfEveryNumber();
    void wordCounts_data();
    void wordCounts();
};

// The last rows lie outside the drawn numbers: cut toward zero, signed, or
// told apart.
void NumberWordsTest::words_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("words");
    // clang-format off
    const std::pair<double, const char*> rows[] = {
        {0, "zéro"}, {1, "un"}, {2, "deux"}, {3, "trois"}, {4, "quatre"}, {5, "cinq"},
        {6, "six"}, {7, "sept"}, {8, "huit"}, {9, "neuf"}, {10, "dix"}, {11, "onze"},
        {12, "douze"}, {13, "treize"}, {14, "quatorze"}, {15, "quinze"}, {16, "seize"},
        {17, "dix sept"}, {18, "dix huit"}, {19, "dix neuf"}, {20, "vingt"}, {30, "trente"},
        {40, "quarante"}, {50, "cinquante"}, {60, "soixante"}, {21, "vingt et un"},
        {22, "vingt deux"}, {61, "soixante et un"}, {70, "soixante dix"},
        {71, "soixante et onze"}, {72, "soixante douze"}, {77, "soixante dix sept"},
        {80, "quatre vingts"}, {81, "quatre vingt un"}, {90, "quatre vingt dix"},
        {91, "quatre vingt onze"}, {97, "quatre vingt dix sept"}, {100, "cent"},
        {101, "cent un"}, {121, "cent vingt et un"}, {171, "cent soixante et onze"},
        {180, "cent quatre vingts"}, {181, "cent quatre vingt un"}, {200, "deux cents"},
        {201, "deux cent un"}, {280, "deux cent quatre vingts"},
        {999, "neuf cent quatre vingt dix neuf"}, {1000, "mille"}, {1001, "mille un"},
        {1080, "mille quatre vingts"}, {1200, "mille deux cents"}, {2000, "deux mille"},
        {21000, "vingt et un mille"}, {80000, "quatre vingt mille"},
        {81000, "quatre vingt un mille"}, {100000, "cent mille"}, {200000, "deux cent mille"},
        {200300, "deux cent mille trois cents"}, {1e6, "un million"},
        {1000001, "un million un"}, {1001000, "un million mille"},
        {1100000, "un million cent mille"}, {2e6, "deux millions"},
        {21e6, "vingt et un millions"}, {80e6, "quatre vingt millions"},
        {200e6, "deux cent millions"}, {1e9, "un milliard"}, {2e9, "deux milliards"},
        {80e9, "quatre vingt milliards"}, {100e9, "cent milliards"},
        {1001001001, "un milliard un million mille un"},
        {999999999999, "neuf cent quatre vingt dix neuf milliards neuf cent quatre vingt dix "
                       "neuf millions neuf cent quatre vingt dix neuf mille neuf cent quatre "
                       "vingt dix neuf"},
        {-0.0, "zéro"}, {0.999, "zéro"}, {80.99, "quatre vingts"}, {-21.9, "moins vingt et un"},
        {-80, "moins quatre vingts"}, {1e12, "nombre hors limites"},
        {-1e12, "nombre hors limites"}, {1e308, "nombre hors limites"},
        {qInf(), "infini"}, {-qInf(), "moins infini"}, {qQNaN(), "pas un nombre"}};
    // clang-format on
    for (const auto& [number, words] : rows)
        QTest::addRow("%s", qPrintable(QString::number(number, 'g', 12)))
            << number << QString::fromUtf8(words);
}

void NumberWordsTest::words() {
    QFETCH(double, number);
    QFETCH(QString, words);
    QCOMPARE(NumberToWords(number), words);
}

// The helpers read only exactly two (tens) or three (hundreds) ASCII digits.
void NumberWordsTest::helpers_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("tens");
    QTest::addColumn<QString>("hundreds");
    QTest::addRow("00") << "00"
                        << "zéro"
                        << "";
    QTest::addRow("80") << "80"
                        << "quatre vingt"
                        << "";
    QTest::addRow("080") << "080"
                         << ""
                         << "quatre vingt";
    QTest::addRow("200") << "200"
                         << ""
                         << "deux cent";
    QTest::addRow("Arabic-Indic digits") << "\u0661\u0662"
                                         << ""
                                         << "";
    QTest::addRow("1000") << "1000"
                          << ""
                          << "";
}

void NumberWordsTest::helpers() {
    QFETCH(QString, digits);
    QFETCH(QString, tens);
    QFETCH(QString, hundreds);
    QCOMPARE(TensToWords(digits), tens);
    QCOMPARE(HundredsToWords(digits), hundreds);
}

// Every number below one million, and the thousands, millions and milliards
// of some: words of the tables' letters (no b, j, k, w, y; é only in zéro),
// one space between words, at most 27 words, and 0 to 999 each its own.
void NumberWordsTest::wellFormedWordsOfEveryNumber() {
    static const QRegularExpression form(QStringLiteral("^[ac-il-vxz]+( [ac-il-vxz]+){0,26}$"));
    QSet<QString> belowOneThousand;
    for (qint64 n = 1; n < 1'000'000; ++n) {
        for (const qint64 scale : {1LL, 1000LL, 1'000'000LL, 1'000'000'000LL}) {
            if (scale > 1 && (n % 997 != 0 || n * scale >= 1'000'000'000'000LL))
                continue;
            const QString words = NumberToWords(double(n * scale));
            if (!form.match(words).hasMatch())
                QFAIL(qPrintable(QStringLiteral("%1: \"%2\"").arg(n * scale).arg(words)));
        }
        if (n < 1000)
            belowOneThousand.insert(NumberToWords(double(n)));
    }
    QCOMPARE(belowOneThousand.size(), 999);
}

// Words are runs of characters other than the space; a line ends with CR and
// the character after it, taken for its LF. A text without CR is also counted
// as one line.
void NumberWordsTest::wordCounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("vingt et un") << QStringLiteral("vingt et un") << 3;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("leading, double and trailing spaces") << QStringLiteral(" deux  mots ") << 2;
    QTest::newRow("two CR LF lines") << QStringLiteral("un\r\ndeux\r\n") << 2;
    QTest::newRow("spaces and empty lines") << QStringLiteral("  \r\n\r\n un  \r\n") << 1;
    QTest::newRow("tab and bare LF inside a word") << QStringLiteral("un\tdeux\ntrois") << 1;
    QTest::newRow("lone CR takes the next letter") << QStringLiteral("un\rxdeux\ra b") << 3;
}

void NumberWordsTest::wordCounts() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(countwords(text), count);
    if (!text.contains(u'\r'))
        QCOMPARE(countwordsinline(text), count);
}

QTEST_GUILESS_MAIN(NumberWordsTest)
#include "test_number_words.moc"
