#include "number_words.h"

#include <QSet>
#include <QTest>

#include <random>

using namespace Module1;

namespace {

// The letters of the words of the tables: a to z but b, j, k, w and y; é.
bool isLetterOfTheWords(char16_t c) {
    return (c >= u'a' && c <= u'z' && c != u'b' && c != u'j' && c != u'k' && c != u'w' &&
            c != u'y') ||
           c == u'\u00e9';
}

// The words of n; those of multiples of 100 below one million are kept, to be
// read again as the heads of larger numbers.
QString wordsOf(qint64 n) {
    static std::vector<QString> kept(10'000);
    if (n % 100 != 0 || n >= 1'000'000)
        return NumberToWords(double(n));
    QString& words = kept[size_t(n / 100)];
    if (words.isNull())
        words = NumberToWords(double(n));
    return words;
}

// Why the words of n are wrong, or empty. Besides their form, the words of n
// are those of its head (n less its lowest non-zero part: its last two digits
// or its lowest groups), one space, and those of that part, the head's final
// plural "s" dropped before further words.
QString fault(qint64 n) {
    const QString text = NumberToWords(double(n));
    const auto why = [&](const char* what) {
        return QStringLiteral("%1 -> \"%2\": %3").arg(n).arg(text, QString::fromUtf8(what));
    };
    if (text.isEmpty() || text.startsWith(u' ') || text.endsWith(u' '))
        return why("empty, or a space at an end");
    int words = 1;
    for (const char16_t *p = QStringView(text).utf16(), *end = p + text.size(); p != end; ++p) {
        if (*p == u' ' ? p[-1] == u' ' : !isLetterOfTheWords(*p))
            return why("a double space or a letter of no word");
        words += *p == u' ';
    }
    if (words > 27)
        return why("more than 27 words");
    if (text.contains(u'\u00e9') != (n == 0)) // the é of zéro
        return why("z\u00e9ro where it does not belong");
    if (NumberToWords(double(n)) != text)
        return why("another text on a second call");
    for (const qint64 unit : {100LL, 1000LL, 1'000'000LL, 1'000'000'000LL}) {
        const qint64 part = n % unit;
        if (part == 0)
            continue;
        if (part == n)
            break;
        const QString headText = wordsOf(n - part);
        const QString partText = wordsOf(part);
        QStringView head(headText);
        if (head.endsWith(u"cents"))
            head.chop(1);
        if (text.size() != head.size() + 1 + partText.size() || !text.startsWith(head) ||
            text[head.size()] != u' ' || !text.endsWith(partText))
            return why("not the words of its parts");
        break;
    }
    return QString();
}

} // namespace

class NumberWordsTest : public QObject {
    Q_OBJECT

private slots:
    void words_data();
    void words();
    void resultsAreTheCallersOwn();
    void wellFormedWordsOfEveryNumber();
};

// Number "=" words, ";" between rows. The last rows lie outside the drawn
// numbers: cut toward zero, signed, or told apart. The helpers read only
// exactly two or three ASCII digits.
void NumberWordsTest::words_data() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("expected");
    const QString table = QStringLiteral(
        "0=zéro;1=un;16=seize;17=dix sept;20=vingt;21=vingt et un;22=vingt deux;"
        "61=soixante et un;70=soixante dix;71=soixante et onze;72=soixante douze;"
        "77=soixante dix sept;80=quatre vingts;81=quatre vingt un;90=quatre vingt dix;"
        "91=quatre vingt onze;97=quatre vingt dix sept;100=cent;101=cent un;"
        "121=cent vingt et un;171=cent soixante et onze;180=cent quatre vingts;"
        "181=cent quatre vingt un;200=deux cents;201=deux cent un;"
        "280=deux cent quatre vingts;999=neuf cent quatre vingt dix neuf;1000=mille;"
        "1001=mille un;1080=mille quatre vingts;1200=mille deux cents;2000=deux mille;"
        "21000=vingt et un mille;80000=quatre vingt mille;100000=cent mille;"
        "200000=deux cent mille;200300=deux cent mille trois cents;1000000=un million;"
        "1000001=un million un;1001000=un million mille;1100000=un million cent mille;"
        "2000000=deux millions;21000000=vingt et un millions;80000000=quatre vingt millions;"
        "200000000=deux cent millions;1000000000=un milliard;2000000000=deux milliards;"
        "80000000000=quatre vingt milliards;100000000000=cent milliards;"
        "81000=quatre vingt un mille;1001001001=un milliard un million mille un;"
        "-0=zéro;0.999=zéro;80.99=quatre vingts;-21.9=moins vingt et un;"
        "-80=moins quatre vingts;1e12=nombre hors limites;-1e12=nombre hors limites;"
        "1e308=nombre hors limites;inf=infini;-inf=moins infini;nan=pas un nombre");
    for (const QString& row : table.split(u';')) {
        const QStringList parts = row.split(u'=');
        QTest::addRow("%s", qPrintable(parts[0])) << NumberToWords(parts[0].toDouble()) << parts[1];
    }
    const QString nines = QStringLiteral("neuf cent quatre vingt dix neuf");
    QTest::addRow("999999999999") << NumberToWords(999999999999.0)
                                  << nines + " milliards " + nines + " millions " + nines +
                                         " mille " + nines;
    QStringList some;
    for (const int n : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 19, 30, 40, 50, 60})
        some << NumberToWords(n);
    QTest::newRow("2 to 15, 18, 19, 30 to 60")
        << some.join(u',')
        << "deux,trois,quatre,cinq,six,sept,huit,neuf,dix,onze,douze,treize,quatorze,quinze,"
           "dix huit,dix neuf,trente,quarante,cinquante,soixante";
    QTest::newRow("suffix 1") << UnitSuffix(1, false) << " et un";
    QTest::newRow("suffix 1 after quatre vingt") << UnitSuffix(1, true) << " un";
    QTest::newRow("tens 00") << TensToWords("00") << "z\u00e9ro";
    QTest::newRow("tens 80") << TensToWords("80") << "quatre vingt";
    QTest::newRow("tens Arabic-Indic") << TensToWords("\u0661\u0662") << "";
    QTest::newRow("hundreds 200") << HundredsToWords("200") << "deux cent";
    QTest::newRow("hundreds 1000") << HundredsToWords("1000") << "";
}

void NumberWordsTest::words() {
    QFETCH(QString, words);
    QFETCH(QString, expected);
    QCOMPARE(words, expected);
}

// Shared texts of small numbers: each caller changes its own copy only.
void NumberWordsTest::resultsAreTheCallersOwn() {
    QString words = NumberToWords(80);
    QCOMPARE(words.constData()[words.size()], QChar());
    words[0] = u'X';
    words.append(u'!');
    QCOMPARE(NumberToWords(80), QStringLiteral("quatre vingts"));
}

// The words of 0 to 999 differ. Every number below one million, every combination of telling
// groups, and pseudo-random numbers of 8 to 12 digits from a fixed seed with their heads.
void NumberWordsTest::wellFormedWordsOfEveryNumber() {
    QSet<QString> belowOneThousand;
    for (int n = 0; n < 1000; ++n)
        belowOneThousand.insert(NumberToWords(n));
    QCOMPARE(belowOneThousand.size(), 1000);
    std::vector<qint64> numbers;
    for (qint64 n = 0; n < 1'000'000; ++n)
        numbers.push_back(n);
    const int telling[] = {0, 1, 2, 17, 21, 71, 80, 81, 91, 100, 180, 200, 999};
    for (const int g1 : telling)
        for (const int g2 : telling)
            for (const int g3 : telling)
                for (const int g4 : telling)
                    numbers.push_back(((g1 * 1000LL + g2) * 1000 + g3) * 1000 + g4);
    std::mt19937_64 generator(20'240'917);
    for (int i = 0; i < 10'000; ++i) {
        const quint64 draw = generator();
        const qint64 n = qint64(draw % 1'000'000'000'000ULL >> (draw >> 60));
        for (const qint64 unit : {1LL, 1000LL, 1'000'000LL, 1'000'000'000LL})
            numbers.push_back(n - n % unit);
    }
    for (const qint64 n : numbers) {
        if (const QString why = fault(n); !why.isEmpty())
            QFAIL(qPrintable(why));
    }
}

QTEST_GUILESS_MAIN(NumberWordsTest)
#include "test_number_words.moc"
