#include "number_words.h"
#include "word_count.h"

#include <QTest>

namespace {

// The counts read step by step, cutting the text as it goes: slow, but plainly
// the rule. The fast counters must agree with it on every short text.
qint32 stepwiseLineCount(const QString& line) {
    QString s = line + u' ';
    qint32 count = 0;
    for (;;) {
        const qsizetype space = s.indexOf(u' ');
        if (space < 0)
            return count;
        if (space != 0)
            ++count;
        s = s.mid(space + 1);
    }
}

qint32 stepwiseCount(const QString& text) {
    QString s = text + u'\r';
    qint32 total = 0;
    for (;;) {
        const qsizetype cr = s.indexOf(u'\r');
        if (cr < 0)
            return total;
        total += stepwiseLineCount(s.left(cr));
        s = s.mid(cr + 2);
    }
}

} // namespace

class WordCountTest : public QObject {
    Q_OBJECT

private slots:
    void countwordsinline_data();
    void countwordsinline();
    void countwords_data();
    void countwords();
    void hintCounts_data();
    void hintCounts();
    void agreesWithStepwiseReading();
    void hugeTexts_data();
    void hugeTexts();
};

void WordCountTest::countwordsinline_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("spaces only") << QStringLiteral("    ") << 0;
    QTest::newRow("one word") << QStringLiteral("mille") << 1;
    QTest::newRow("spaces around and between") << QStringLiteral("  deux   cents  ") << 2;
    QTest::newRow("tab is not a space") << QStringLiteral("un\tdeux") << 1;
    QTest::newRow("no-break space is not a space") << QStringLiteral("un\u00a0deux") << 1;
    QTest::newRow("line breaks are not spaces") << QStringLiteral("un\r\ndeux") << 1;
    QTest::newRow("punctuation is a word") << QStringLiteral("mots :") << 2;
}

void WordCountTest::countwordsinline() {
    QFETCH(QString, line);
    QFETCH(int, count);
    QCOMPARE(::countwordsinline(line), count);
}

void WordCountTest::countwords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("vingt et un") << QStringLiteral("vingt et un") << 3;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("leading, double and trailing spaces") << QStringLiteral(" deux  mots ") << 2;
    QTest::newRow("two lines") << QStringLiteral("un\r\ndeux") << 2;
    QTest::newRow("final line break") << QStringLiteral("un\r\ndeux\r\n") << 2;
    QTest::newRow("empty lines") << QStringLiteral("\r\n\r\n  \r\n") << 0;
    QTest::newRow("line ends with spaces") << QStringLiteral("un  \r\n  deux") << 2;
    // A CR ends a line and the character after it is taken for its LF.
    QTest::newRow("lone CR eats one letter") << QStringLiteral("un\rdeux") << 2;
    QTest::newRow("lone CR eats a one-letter word") << QStringLiteral("un\ra b") << 2;
    QTest::newRow("lone CR at the end") << QStringLiteral("un\r") << 1;
    // Only CR ends a line: a bare LF sits inside a word.
    QTest::newRow("bare LF") << QStringLiteral("un\ndeux") << 1;
    QTest::newRow("instruction text")
        << QStringLiteral("G\u00e9n\u00e8re un nombre, lis-le, \u00e9cris-le en lettres ici.    "
                          "    \r\nFais attention aux accords des mots :\r\nvingt, cent,\r\n"
                          "million, milliard !!!\r\n")
        << 20;
}

void WordCountTest::countwords() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(::countwords(text), count);
}

void WordCountTest::hintCounts_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("count");
    QTest::newRow("0") << 0.0 << 1;
    QTest::newRow("71") << 71.0 << 3;
    QTest::newRow("80") << 80.0 << 2;
    QTest::newRow("97") << 97.0 << 4;
    QTest::newRow("1 001 000") << 1001000.0 << 3;
    QTest::newRow("999 999 999 999") << 999999999999.0 << 27;
}

void WordCountTest::hintCounts() {
    QFETCH(double, number);
    QFETCH(int, count);
    QCOMPARE(::countwords(Module1::NumberToWords(number)), count);
}

// Every text of up to seven characters drawn from a letter, a space, CR and
// LF, then longer ones with other blanks mixed in.
void WordCountTest::agreesWithStepwiseReading() {
    const QChar alphabet[] = {u'a', u' ', u'\r', u'\n'};
    int compared = 0;
    for (int length = 0; length <= 7; ++length) {
        int combinations = 1;
        for (int i = 0; i < length; ++i)
            combinations *= 4;
        for (int code = 0; code < combinations; ++code) {
            QString text;
            for (int i = 0, c = code; i < length; ++i, c /= 4)
                text += alphabet[c % 4];
            QCOMPARE(::countwords(text), stepwiseCount(text));
            QCOMPARE(::countwordsinline(text), stepwiseLineCount(text));
            ++compared;
        }
    }
    QCOMPARE(compared, 21845);

    const QStringList pieces = {QStringLiteral("vingt"),     QStringLiteral(" "),
                                QStringLiteral("\r\n"),      QStringLiteral("\t"),
                                QStringLiteral("z\u00e9ro"), QStringLiteral("\r"),
                                QStringLiteral("   ")};
    quint32 state = 12345;
    for (int i = 0; i < 2000; ++i) {
        QString text;
        for (int j = 0; j < 20; ++j) {
            state = state * 1664525u + 1013904223u;
            text += pieces[int((state >> 16) % quint32(pieces.size()))];
        }
        QCOMPARE(::countwords(text), stepwiseCount(text));
    }
}

// One-megabyte texts: the counters read them in one pass and give exact counts.
void WordCountTest::hugeTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    constexpr int kSize = 1 << 20;
    QTest::newRow("one long word") << QString(kSize, u'x') << 1;
    QTest::newRow("spaces only") << QString(kSize, u' ') << 0;
    QTest::newRow("one-letter words") << QStringLiteral("a ").repeated(kSize / 2) << kSize / 2;
    QTest::newRow("words on many lines")
        << QStringLiteral("un deux\r\n").repeated(kSize / 9) << 2 * (kSize / 9);
    QTest::newRow("empty lines") << QStringLiteral("\r\n").repeated(kSize / 2) << 0;
    QTest::newRow("lone CRs") << QStringLiteral("\rab").repeated(kSize / 3) << kSize / 3;
}

void WordCountTest::hugeTexts() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(::countwords(text), count);
    if (!text.contains(u'\r'))
        QCOMPARE(::countwordsinline(text), count);
}

QTEST_GUILESS_MAIN(WordCountTest)
#include "test_word_count.moc"
