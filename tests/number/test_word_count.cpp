#include "number_words.h"
#include "word_count.h"

#include <QTest>

class WordCountTest : public QObject {
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
};

// Words are runs of characters other than the space; a line ends with CR and
// the character after it, taken for its LF. A text without CR is also counted
// as one line.
void WordCountTest::counts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("vingt et un") << QStringLiteral("vingt et un") << 3;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("leading, double and trailing spaces") << QStringLiteral(" deux  mots ") << 2;
    QTest::newRow("two CR LF lines") << QStringLiteral("un\r\ndeux\r\n") << 2;
    QTest::newRow("spaces and empty lines") << QStringLiteral("  \r\n\r\n un  \r\n") << 1;
    QTest::newRow("tab and bare LF inside a word") << QStringLiteral("un\tdeux\ntrois") << 1;
    QTest::newRow("lone CR takes the next letter") << QStringLiteral("un\rxdeux\ra b") << 3;
    QTest::newRow("hint of 71") << Module1::NumberToWords(71) << 3;
    QTest::newRow("hint of 80") << Module1::NumberToWords(80) << 2;
    QTest::newRow("hint of the largest") << Module1::NumberToWords(999'999'999'999) << 27;
}

void WordCountTest::counts() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(countwords(text), count);
    if (!text.contains(u'\r'))
        QCOMPARE(countwordsinline(text), count);
}

QTEST_GUILESS_MAIN(WordCountTest)
#include "test_word_count.moc"
