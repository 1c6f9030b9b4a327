#include "number_words.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Module1;

class NumberWordsTest : public QObject {
    Q_OBJECT

private slots:
    void words_data();
    void words();
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

QTEST_GUILESS_MAIN(NumberWordsTest)
#include "test_number_words.moc"
