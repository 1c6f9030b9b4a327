// SPDX-License-Identifier: GPL-3.0-or-later
// The words of numbers, the helpers behind them, and the word counts the
// hints give. (The form of every number's words: test_number_spelling.)

#include "number_words.h"
#include "word_count.h"

#include <QTest>

class TestNumberWords : public QObject {
    Q_OBJECT

private slots:
    // The last rows lie outside the drawn numbers: cut toward zero, signed,
    // or told apart.
    void words_data() {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("words");
        // clang-format off
        const std::pair<double, const char*> rows[] = {
            {0, "zéro"}, {16, "seize"}, {17, "dix sept"}, {21, "vingt et un"}, {22, "vingt deux"},
            {61, "soixante et un"}, {70, "soixante dix"}, {71, "soixante et onze"}, {100, "cent"},
            {77, "soixante dix sept"}, {80, "quatre vingts"}, {81, "quatre vingt un"},
            {91, "quatre vingt onze"}, {101, "cent un"}, {180, "cent quatre vingts"},
            {200, "deux cents"}, {201, "deux cent un"}, {1000, "mille"}, {2000, "deux mille"},
            {1080, "mille quatre vingts"}, {21000, "vingt et un mille"}, {1e6, "un million"},
            {80000, "quatre vingt mille"}, {200000, "deux cent mille"}, {2e6, "deux millions"},
            {200300, "deux cent mille trois cents"}, {1001000, "un million mille"},
            {80e6, "quatre vingt millions"}, {200e6, "deux cent millions"}, {1e9, "un milliard"},
            {2e9, "deux milliards"}, {1001001001, "un milliard un million mille un"},
            {999999999999, "neuf cent quatre vingt dix neuf milliards neuf cent quatre vingt dix "
                           "neuf millions neuf cent quatre vingt dix neuf mille neuf cent quatre "
                           "vingt dix neuf"},
            {-0.0, "zéro"}, {80.99, "quatre vingts"}, {-21.9, "moins vingt et un"}, {qInf(), "infini"},
            {1e12, "nombre hors limites"}, {-1e12, "nombre hors limites"},
            {-qInf(), "moins infini"}, {qQNaN(), "pas un nombre"}};
        // clang-format on
        for (const auto& [number, words] : rows)
            QTest::addRow("%s", qPrintable(QString::number(number, 'g', 12)))
                << number << QString::fromUtf8(words);
    }
    void words() {
        QFETCH(double, number);
        QFETCH(QString, words);
        QCOMPARE(NumberWords::numberToWords(number), words);
    }

    // The helpers read only exactly two (tens) or three (hundreds) ASCII digits.
    void helpers_data() {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("tens");
        QTest::addColumn<QString>("hundreds");
        const auto row = [](const char* digits, const char* tens, const char* hundreds) {
            QTest::addRow("%s", digits) << QString(digits) << QString(tens) << QString(hundreds);
        };
        row("00", "zéro", "");
        row("080", "", "quatre vingt");
        row("200", "", "deux cent");
        row("\u0661\u0662", "", ""); // Arabic-Indic digits
    }
    void helpers() {
        QFETCH(QString, digits);
        QFETCH(QString, tens);
        QFETCH(QString, hundreds);
        QCOMPARE(NumberWords::tensToWords(digits), tens);
        QCOMPARE(NumberWords::hundredsToWords(digits), hundreds);
    }

    // Words are runs of characters other than the space; a line ends with CR
    // and the character after it, taken for its LF.
    void wordCounts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addRow("leading, double and trailing spaces") << " deux  mots " << 2;
        QTest::addRow("spaces and empty lines") << "  \r\n\r\n un  \r\n" << 1;
        QTest::addRow("tab and bare LF inside a word") << "un\tdeux\ntrois" << 1;
        QTest::addRow("lone CR takes the next letter") << "un\rxdeux\ra b" << 3;
    }
    void wordCounts() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(countwords(text), count);
        if (!text.contains(u'\r'))
            QCOMPARE(countwordsinline(text), count);
    }
};

QTEST_GUILESS_MAIN(TestNumberWords)
#include "test_number_words.moc"
