// SPDX-License-Identifier: GPL-3.0-or-later
// The words of numbers in the classroom spellings of France, Belgium and
// Switzerland, and the answers each spelling accepts: worked examples from
// French grammar, then properties every number's words keep.

#include "number_spelling.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace NumberSpelling;

Q_DECLARE_METATYPE(NumberSpelling::Spelling)
Q_DECLARE_METATYPE(NumberSpelling::Region)

namespace {

constexpr Region kRegions[] = {Region::France, Region::Belgium, Region::Switzerland};

QString digits(qint64 n) {
    QString s = QString::number(n);
    for (qsizetype i = s.size() - 3; i > 0; i -= 3)
        s.insert(i, u' ');
    return s;
}

// The numeral words of a text, whatever joins them, with the plural s of
// cent and vingt taken off: the same for every spelling of one region.
QString bareWords(QString words) {
    words.replace(u'-', u' ');
    words.replace(QStringLiteral("cents"), QStringLiteral("cent"));
    words.replace(QStringLiteral("vingts"), QStringLiteral("vingt"));
    return words;
}

} // namespace

class TestNumberSpelling : public QObject {
    Q_OBJECT

private slots:
    // The traditional and the 1990 spelling: the joints and the plural s, which
    // the words of every number below cannot check, and the words of Belgium
    // and Switzerland.
    void officialWords_data() {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<Region>("region");
        QTest::addColumn<QString>("traditional");
        QTest::addColumn<QString>("rectified");
        constexpr Region fr = Region::France, be = Region::Belgium, ch = Region::Switzerland;
        const std::tuple<qint64, Region, const char*, const char*> rows[] = {
            {17, fr, "dix-sept", "dix-sept"},
            {21, fr, "vingt et un", "vingt-et-un"},
            {71, fr, "soixante et onze", "soixante-et-onze"},
            {77, fr, "soixante-dix-sept", "soixante-dix-sept"},
            // cent and vingt: plural when multiplied and last, also before a
            // noun; singular before mille and before further numerals.
            {80, fr, "quatre-vingts", "quatre-vingts"},
            {81, fr, "quatre-vingt-un", "quatre-vingt-un"},
            {100, fr, "cent", "cent"},
            {180, fr, "cent quatre-vingts", "cent-quatre-vingts"},
            {200, fr, "deux cents", "deux-cents"},
            {201, fr, "deux cent un", "deux-cent-un"},
            {1001, fr, "mille un", "mille-un"},
            {1080, fr, "mille quatre-vingts", "mille-quatre-vingts"},
            {2000, fr, "deux mille", "deux-mille"},
            {80000, fr, "quatre-vingt mille", "quatre-vingt-mille"},
            {200300, fr, "deux cent mille trois cents", "deux-cent-mille-trois-cents"},
            // million and milliard: nouns, plural from two, apart in 1990.
            {1000001, fr, "un million un", "un million un"},
            {1100000, fr, "un million cent mille", "un million cent-mille"},
            {80000000, fr, "quatre-vingts millions", "quatre-vingts millions"},
            {200080200, fr, "deux cents millions quatre-vingt mille deux cents",
             "deux-cents millions quatre-vingt-mille-deux-cents"},
            {300000000000, fr, "trois cents milliards", "trois-cents milliards"},
            {1001001001, fr, "un milliard un million mille un", "un milliard un million mille-un"},
            // Belgium: septante, quatre-vingts, nonante.
            {71, be, "septante et un", "septante-et-un"},
            {80, be, "quatre-vingts", "quatre-vingts"},
            {81, be, "quatre-vingt-un", "quatre-vingt-un"},
            {91, be, "nonante et un", "nonante-et-un"},
            {99, be, "nonante-neuf", "nonante-neuf"},
            {80000000, be, "quatre-vingts millions", "quatre-vingts millions"},
            // Switzerland: septante, huitante, nonante; huitante never varies.
            {77, ch, "septante-sept", "septante-sept"},
            {81, ch, "huitante et un", "huitante-et-un"},
            {91, ch, "nonante et un", "nonante-et-un"},
            {180000, ch, "cent huitante mille", "cent-huitante-mille"},
            {80000000, ch, "huitante millions", "huitante millions"},
        };
        for (const auto& [number, region, traditional, rectified] : rows)
            QTest::addRow("%s %s", qPrintable(digits(number)), key(region).toLatin1().data())
                << number << region << QString::fromUtf8(traditional)
                << QString::fromUtf8(rectified);
    }
    void officialWords() {
        QFETCH(qint64, number);
        QFETCH(Region, region);
        QFETCH(QString, traditional);
        QFETCH(QString, rectified);
        QCOMPARE(words(number, Spelling::Traditional, region), traditional);
        QCOMPARE(words(number, Spelling::Rectified1990, region), rectified);
        // Either shows the 1990 form.
        QCOMPARE(words(number, Spelling::Either, region), rectified);
    }

    // The program's own spelling in Belgium and Switzerland keeps its spaces
    // and its plural at the very end (in France it is NumberWords's, tested there).
    void classicWords_data() {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<Region>("region");
        QTest::addColumn<QString>("words");
        constexpr Region be = Region::Belgium, ch = Region::Switzerland;
        const std::tuple<qint64, Region, const char*> rows[] = {
            {80, be, "quatre vingts"},
            {81, be, "quatre vingt un"},
            {97, be, "nonante sept"},
            {1080, be, "mille quatre vingts"},
            {80000000, be, "quatre vingt millions"},
            {200000000, be, "deux cent millions"},
            {81, ch, "huitante et un"},
            {200, ch, "deux cents"},
        };
        for (const auto& [number, region, text] : rows)
            QTest::addRow("%s %s", qPrintable(digits(number)), key(region).toLatin1().data())
                << number << region << QString::fromUtf8(text);
    }
    void classicWords() {
        QFETCH(qint64, number);
        QFETCH(Region, region);
        QTEST(NumberSpelling::words(number, Spelling::Classic, region), "words");
    }

    // What the check takes as right, all of it, in order: the shown words
    // first, each form whole (never a mix), no repeats; the school-book form
    // of 1990 (hyphens around million and milliard too) only where a noun
    // stands apart.
    void forms_data() {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<Spelling>("spelling");
        QTest::addColumn<Region>("region");
        QTest::addColumn<QStringList>("forms");
        const Region fr = Region::France, ch = Region::Switzerland;
        const QString n8143051[] = {"huit millions cent quarante-trois mille cinquante et un",
                                    "huit millions cent-quarante-trois-mille-cinquante-et-un",
                                    "huit-millions-cent-quarante-trois-mille-cinquante-et-un"};
        QTest::addRow("1990: and the school-book form")
            << 8143051LL << Spelling::Rectified1990 << fr << QStringList{n8143051[1], n8143051[2]};
        QTest::addRow("either: both, and the school-book form")
            << 8143051LL << Spelling::Either << fr
            << QStringList{n8143051[1], n8143051[0], n8143051[2]};
        QTest::addRow("traditional: its own")
            << 8143051LL << Spelling::Traditional << fr << QStringList{n8143051[0]};
        QTest::addRow("school-book form with a noun's plural")
            << 200000000LL << Spelling::Rectified1990 << fr
            << QStringList{"deux-cents millions", "deux-cents-millions"};
        QTest::addRow("either, no noun: no school-book form")
            << 21632LL << Spelling::Either << fr
            << QStringList{"vingt-et-un-mille-six-cent-trente-deux",
                           "vingt et un mille six cent trente-deux"};
        QTest::addRow("either, both alike: once")
            << 80LL << Spelling::Either << ch << QStringList{"huitante"};
        QTest::addRow("either, Switzerland")
            << 81LL << Spelling::Either << ch << QStringList{"huitante-et-un", "huitante et un"};
        QTest::addRow("classic: its own")
            << 200000000LL << Spelling::Classic << fr << QStringList{"deux cent millions"};
    }
    void forms() {
        QFETCH(qint64, number);
        QFETCH(Spelling, spelling);
        QFETCH(Region, region);
        QTEST(acceptedForms(number, spelling, region), "forms");
    }

    void outOfRange() {
        for (const qint64 n : {-1LL, LargestNumber + 1}) {
            QVERIFY(words(n, Spelling::Traditional, Region::France).isEmpty());
            QVERIFY(words(n, Spelling::Classic, Region::France).isEmpty());
            QVERIFY(acceptedForms(n, Spelling::Either, Region::Belgium).isEmpty());
        }
    }

    // The names the settings file and the command line use, read back
    // without regard to case or blanks; anything else names nothing.
    void keys_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("spelling"); // -1: none
        QTest::addColumn<int>("region");   // -1: none
        QTest::addRow("classic") << "classic" << int(Spelling::Classic) << -1;
        QTest::addRow("traditional, capitals and blanks")
            << " Traditional\t" << int(Spelling::Traditional) << -1;
        QTest::addRow("1990") << "1990" << int(Spelling::Rectified1990) << -1;
        QTest::addRow("either") << "EITHER" << int(Spelling::Either) << -1;
        QTest::addRow("fr") << "fr" << -1 << int(Region::France);
        QTest::addRow("be") << "Be" << -1 << int(Region::Belgium);
        QTest::addRow("ch") << "ch " << -1 << int(Region::Switzerland);
        QTest::addRow("empty") << "" << -1 << -1;
        QTest::addRow("French word") << "classique" << -1 << -1;
        QTest::addRow("locale name") << "fr_CH" << -1 << -1;
        QTest::addRow("inner blank") << "19 90" << -1 << -1;
    }
    void keys() {
        QFETCH(QString, name);
        QFETCH(int, spelling);
        QFETCH(int, region);
        const std::optional<Spelling> s = spellingFromKey(name);
        const std::optional<Region> r = regionFromKey(name);
        QCOMPARE(s ? int(*s) : -1, spelling);
        QCOMPARE(r ? int(*r) : -1, region);
        if (s)
            QCOMPARE(spellingFromKey(key(*s)), s);
        if (r)
            QCOMPARE(regionFromKey(key(*r)), r);
    }

    // Every number below 100 000, and many more up to the largest: in every
    // spelling and region, at most 27 words of the tables' letters (no b, j,
    // k, w, y; é only in zéro) joined by one space or hyphen; no hyphen in the classic spelling; in
    // 1990 a space only next to million or milliard; the same words in every spelling of a region
    // (joints and plural s aside), so that in France the classic words, made
    // apart, vouch for the others; "zéro" only for 0; 0 to 999 each their own.
    void wellFormedWordsOfEveryNumber() {
        static const QRegularExpression wellJoined(
            QStringLiteral("^[ac-il-vxz\u00e9]+([ -][ac-il-vxz\u00e9]+){0,26}$"));
        static const QRegularExpression badJoint(QStringLiteral(
            "-milli|milli[a-z]*-|(?<!milliard|milliards|million|millions) (?!milli)"));
        for (const Region region : kRegions) {
            QSet<QString> belowOneThousand;
            for (qint64 n = 0; n < LargestNumber; n += n < 100'000      ? 1
                                                       : n < 10'000'000 ? 397
                                                                        : 39'999'983) {
                const QString classic = words(n, Spelling::Classic, region);
                const QString traditional = words(n, Spelling::Traditional, region);
                const QString rectified = words(n, Spelling::Rectified1990, region);
                const char* fault = !wellJoined.match(classic).hasMatch() || classic.contains(u'-')
                                        ? "classic form"
                                    : !wellJoined.match(traditional).hasMatch() ? "traditional form"
                                    : !wellJoined.match(rectified).hasMatch() ||
                                            badJoint.match(rectified).hasMatch()
                                        ? "1990 form"
                                    : bareWords(traditional) != bareWords(classic) ||
                                            bareWords(rectified) != bareWords(classic)
                                        ? "words differ between spellings"
                                    : n != 0 && classic.contains(u"z\u00e9ro") ? "zéro inside"
                                                                               : nullptr;
                if (fault)
                    QFAIL(qPrintable(QStringLiteral("%1 (%2 %3): %4 / %5 / %6")
                                         .arg(QString::fromUtf8(fault), digits(n), key(region),
                                              classic, traditional, rectified)));
                if (n < 1000)
                    belowOneThousand.insert(traditional);
            }
            QCOMPARE(belowOneThousand.size(), 1000);
        }
    }
};

QTEST_GUILESS_MAIN(TestNumberSpelling)
#include "test_number_spelling.moc"
