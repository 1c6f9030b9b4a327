// The shipped tips file: its format, and every number written in words in it
// (between « and ») spelled exactly as the exercise checks it.
#include "number_words.h"
#include "tips_file.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>
#include <optional>

namespace {

// Reads French number words back into a number, loosely: it accepts wrong
// plurals, a missing or extra "et" and the like, so that the comparison with
// the exercise's own words catches them. No value for a word it does not know.
std::optional<double> readNumber(const QString& words) {
    static const QHash<QString, int> small = {
        {"zéro", 0},      {"un", 1},         {"deux", 2},     {"trois", 3},   {"quatre", 4},
        {"cinq", 5},      {"six", 6},        {"sept", 7},     {"huit", 8},    {"neuf", 9},
        {"dix", 10},      {"onze", 11},      {"douze", 12},   {"treize", 13}, {"quatorze", 14},
        {"quinze", 15},   {"seize", 16},     {"vingt", 20},   {"vingts", 20}, {"trente", 30},
        {"quarante", 40}, {"cinquante", 50}, {"soixante", 60}};
    double total = 0;
    double group = 0;
    QString previous;
    const QStringList tokens = words.split(QLatin1Char(' '));
    for (const QString& t : tokens) {
        if (t == QLatin1String("et")) {
        } else if ((t == QLatin1String("vingt") || t == QLatin1String("vingts")) &&
                   previous == QLatin1String("quatre")) {
            group += 80 - 4;
        } else if (small.contains(t)) {
            group += small.value(t);
        } else if (t == QLatin1String("cent") || t == QLatin1String("cents")) {
            const double hundreds = std::fmod(group, 100.0);
            group = group - hundreds + (hundreds == 0 ? 1 : hundreds) * 100;
        } else if (t == QLatin1String("mille")) {
            total += (group == 0 ? 1 : group) * 1e3;
            group = 0;
        } else if (t.startsWith(QLatin1String("million"))) {
            total += group * 1e6;
            group = 0;
        } else if (t.startsWith(QLatin1String("milliard"))) {
            total += group * 1e9;
            group = 0;
        } else {
            return std::nullopt;
        }
        previous = t;
    }
    return total + group;
}

QByteArray shippedBytes() {
    QFile f(qEnvironmentVariable("VORELLE_TEST_DATA") + QStringLiteral("/TIPOFDAY1.TXT"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TipsContentTest : public QObject {
    Q_OBJECT

private slots:
    void readerCatchesWrongSpellings_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("right");
        QTest::addRow("80") << "quatre vingts" << true;
        QTest::addRow("80 without s") << "quatre vingt" << false;
        QTest::addRow("81 with s") << "quatre vingts un" << false;
        QTest::addRow("81 with et") << "quatre vingt et un" << false;
        QTest::addRow("21 without et") << "vingt un" << false;
        QTest::addRow("200 without s") << "deux cent" << false;
        QTest::addRow("200 000 with s") << "deux cents mille" << false;
        QTest::addRow("2 000 with s") << "deux milles" << false;
        QTest::addRow("1 000 as un mille") << "un mille" << false;
        QTest::addRow("2 000 000 without s") << "deux million" << false;
        QTest::addRow("1 001 000") << "un million mille" << true;
        QTest::addRow("2 500 000") << "deux millions cinq cent mille" << true;
        QTest::addRow("71") << "soixante et onze" << true;
        QTest::addRow("hyphen") << "dix-sept" << false;
    }

    void readerCatchesWrongSpellings() {
        QFETCH(QString, words);
        QFETCH(bool, right);
        const auto n = readNumber(words);
        QCOMPARE(n.has_value() && Module1::NumberToWords(*n) == words, right);
    }

    void fileIsUtf8WithOneTipPerCrLfLine() {
        const QByteArray bytes = shippedBytes();
        QVERIFY(!bytes.isEmpty());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        QVERIFY(!utf8.hasError());
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r"), bytes.count("\n"));
        QCOMPARE(bytes.count("\r\n"), bytes.count("\n"));
        const auto tips = TipsFile::parse(bytes);
        QVERIFY(tips.has_value());
        QVERIFY(tips->size() >= 20 && tips->size() <= 30);
        for (const QString& tip : *tips) {
            QVERIFY2(!tip.trimmed().isEmpty(), "an empty tip");
            QVERIFY2(tip == tip.trimmed(), qPrintable(tip));
            QVERIFY2(!tip.contains(QLatin1String("  ")), qPrintable(tip));
        }
    }

    void everyNumberInWordsIsSpelledAsTheExerciseWantsIt() {
        const auto tips = TipsFile::parse(shippedBytes());
        QVERIFY(tips.has_value());
        static const QRegularExpression quoted(QStringLiteral("«([^»]*)»"));
        // Words named for themselves rather than as a number.
        const QStringList wordsNamed{"et", "million", "milliard"};
        int checked = 0;
        for (const QString& tip : *tips) {
            QVERIFY2(tip.count(QChar(u'«')) == tip.count(QChar(u'»')), qPrintable(tip));
            for (const auto& m : quoted.globalMatch(tip)) {
                const QString words = m.captured(1).trimmed();
                if (wordsNamed.contains(words))
                    continue;
                const auto n = readNumber(words);
                QVERIFY2(n.has_value(), qPrintable(words));
                QCOMPARE(Module1::NumberToWords(*n), words);
                ++checked;
            }
        }
        QVERIFY(checked >= 40);
    }
};

QTEST_GUILESS_MAIN(TipsContentTest)
#include "test_tips_content.moc"
