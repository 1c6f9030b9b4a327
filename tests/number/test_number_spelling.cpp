// SPDX-License-Identifier: GPL-3.0-or-later
// The words of numbers in the classroom spellings of France, Belgium and
// Switzerland, and the answers each spelling accepts: worked examples from
// French grammar, then properties every number's words keep.

#include "number_spelling.h"

#include <QSet>
#include <QTest>

using namespace NumberSpelling;

Q_DECLARE_METATYPE(NumberSpelling::Spelling)
Q_DECLARE_METATYPE(NumberSpelling::Region)

namespace {

constexpr Region kRegions[] = {Region::France, Region::Belgium, Region::Switzerland};
constexpr Spelling kSpellings[] = {Spelling::Classic, Spelling::Traditional,
                                   Spelling::Rectified1990, Spelling::Either};

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

// Whether a text is words of the tables' letters (no b, j, k, w, y; é only
// in zéro), at most 27 of them, each joined to the next by one space or one
// hyphen.
bool wellJoined(QStringView words) {
    int count = 0;
    bool inWord = false;
    for (const QChar c : words) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'-') {
            if (!inWord)
                return false;
            inWord = false;
        } else if ((u >= u'a' && u <= u'z' && !QStringView(u"bjkwy").contains(c)) ||
                   u == u'\u00e9') {
            if (!inWord)
                ++count;
            inWord = true;
        } else {
            return false;
        }
    }
    return inWord && count <= 27;
}

// Whether every space of a text is next to "million" or "milliard", and
// these nouns are never joined by a hyphen.
bool nounsStandApart(const QString& words) {
    const auto isNoun = [](QStringView word) { return word.startsWith(u"milli"); };
    const QStringList pieces = words.split(u' ');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QStringList joined = pieces[i].split(u'-');
        for (qsizetype j = 0; j < joined.size(); ++j) {
            if (joined.size() > 1 && isNoun(joined[j]))
                return false;
        }
        if (i > 0 && !isNoun(pieces[i - 1]) && !isNoun(joined.first()))
            return false;
    }
    return true;
}

} // namespace

class TestNumberSpelling : public QObject {
    Q_OBJECT

private slots:
    // The traditional and the 1990 spelling of each number, the first rows
    // as French grammar books print them side by side.
    void officialWords_data() {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<Region>("region");
        QTest::addColumn<QString>("traditional");
        QTest::addColumn<QString>("rectified");
        struct Row {
            qint64 number;
            Region region;
            const char* traditional;
            const char* rectified;
        };
        constexpr Region fr = Region::France, be = Region::Belgium, ch = Region::Switzerland;
        // clang-format off
        const Row rows[] = {
            {21, fr, "vingt et un", "vingt-et-un"},
            {80, fr, "quatre-vingts", "quatre-vingts"},
            {81, fr, "quatre-vingt-un", "quatre-vingt-un"},
            {200, fr, "deux cents", "deux-cents"},
            {201, fr, "deux cent un", "deux-cent-un"},
            {1100, fr, "mille cent", "mille-cent"},
            {1704, fr, "mille sept cent quatre", "mille-sept-cent-quatre"},
            {80000, fr, "quatre-vingt mille", "quatre-vingt-mille"},
            {200000000, fr, "deux cents millions", "deux-cents millions"},
            {21632, fr, "vingt et un mille six cent trente-deux",
             "vingt-et-un-mille-six-cent-trente-deux"},
            {8143051, fr, "huit millions cent quarante-trois mille cinquante et un",
             "huit millions cent-quarante-trois-mille-cinquante-et-un"},
            {71, be, "septante et un", "septante-et-un"},
            {80000000, ch, "huitante millions", "huitante millions"},
            // Below one hundred: et with un and onze, never after quatre-vingt.
            {0, fr, "zéro", "zéro"},
            {16, fr, "seize", "seize"},
            {17, fr, "dix-sept", "dix-sept"},
            {22, fr, "vingt-deux", "vingt-deux"},
            {31, fr, "trente et un", "trente-et-un"},
            {41, fr, "quarante et un", "quarante-et-un"},
            {51, fr, "cinquante et un", "cinquante-et-un"},
            {61, fr, "soixante et un", "soixante-et-un"},
            {70, fr, "soixante-dix", "soixante-dix"},
            {71, fr, "soixante et onze", "soixante-et-onze"},
            {72, fr, "soixante-douze", "soixante-douze"},
            {77, fr, "soixante-dix-sept", "soixante-dix-sept"},
            {90, fr, "quatre-vingt-dix", "quatre-vingt-dix"},
            {91, fr, "quatre-vingt-onze", "quatre-vingt-onze"},
            {99, fr, "quatre-vingt-dix-neuf", "quatre-vingt-dix-neuf"},
            // cent and vingt: plural when multiplied and last, also before a
            // noun; singular before mille and before further numerals.
            {100, fr, "cent", "cent"},
            {101, fr, "cent un", "cent-un"},
            {171, fr, "cent soixante et onze", "cent-soixante-et-onze"},
            {180, fr, "cent quatre-vingts", "cent-quatre-vingts"},
            {181, fr, "cent quatre-vingt-un", "cent-quatre-vingt-un"},
            {280, fr, "deux cent quatre-vingts", "deux-cent-quatre-vingts"},
            {999, fr, "neuf cent quatre-vingt-dix-neuf", "neuf-cent-quatre-vingt-dix-neuf"},
            {1000, fr, "mille", "mille"},
            {1001, fr, "mille un", "mille-un"},
            {1080, fr, "mille quatre-vingts", "mille-quatre-vingts"},
            {1200, fr, "mille deux cents", "mille-deux-cents"},
            {2000, fr, "deux mille", "deux-mille"},
            {21000, fr, "vingt et un mille", "vingt-et-un-mille"},
            {81000, fr, "quatre-vingt-un mille", "quatre-vingt-un-mille"},
            {200000, fr, "deux cent mille", "deux-cent-mille"},
            {200300, fr, "deux cent mille trois cents", "deux-cent-mille-trois-cents"},
            {101001, fr, "cent un mille un", "cent-un-mille-un"},
            // million and milliard: nouns, plural from two, apart in 1990.
            {1000000, fr, "un million", "un million"},
            {1000001, fr, "un million un", "un million un"},
            {1001000, fr, "un million mille", "un million mille"},
            {1100000, fr, "un million cent mille", "un million cent-mille"},
            {2000000, fr, "deux millions", "deux millions"},
            {21000000, fr, "vingt et un millions", "vingt-et-un millions"},
            {80000000, fr, "quatre-vingts millions", "quatre-vingts millions"},
            {201000000, fr, "deux cent un millions", "deux-cent-un millions"},
            {280000200, fr, "deux cent quatre-vingts millions deux cents",
             "deux-cent-quatre-vingts millions deux-cents"},
            {200080200, fr, "deux cents millions quatre-vingt mille deux cents",
             "deux-cents millions quatre-vingt-mille-deux-cents"},
            {1000000000, fr, "un milliard", "un milliard"},
            {2000000000, fr, "deux milliards", "deux milliards"},
            {4080000000, fr, "quatre milliards quatre-vingts millions",
             "quatre milliards quatre-vingts millions"},
            {300000000000, fr, "trois cents milliards", "trois-cents milliards"},
            {1001001001, fr, "un milliard un million mille un", "un milliard un million mille-un"},
            {999999999999, fr,
             "neuf cent quatre-vingt-dix-neuf milliards neuf cent quatre-vingt-dix-neuf millions "
             "neuf cent quatre-vingt-dix-neuf mille neuf cent quatre-vingt-dix-neuf",
             "neuf-cent-quatre-vingt-dix-neuf milliards neuf-cent-quatre-vingt-dix-neuf millions "
             "neuf-cent-quatre-vingt-dix-neuf-mille-neuf-cent-quatre-vingt-dix-neuf"},
            // Belgium: septante, quatre-vingts, nonante.
            {70, be, "septante", "septante"},
            {77, be, "septante-sept", "septante-sept"},
            {80, be, "quatre-vingts", "quatre-vingts"},
            {81, be, "quatre-vingt-un", "quatre-vingt-un"},
            {90, be, "nonante", "nonante"},
            {91, be, "nonante et un", "nonante-et-un"},
            {99, be, "nonante-neuf", "nonante-neuf"},
            {171, be, "cent septante et un", "cent-septante-et-un"},
            {1970, be, "mille neuf cent septante", "mille-neuf-cent-septante"},
            {80000, be, "quatre-vingt mille", "quatre-vingt-mille"},
            {80000000, be, "quatre-vingts millions", "quatre-vingts millions"},
            {91000, be, "nonante et un mille", "nonante-et-un-mille"},
            // Switzerland: septante, huitante, nonante; huitante never varies.
            {71, ch, "septante et un", "septante-et-un"},
            {80, ch, "huitante", "huitante"},
            {81, ch, "huitante et un", "huitante-et-un"},
            {88, ch, "huitante-huit", "huitante-huit"},
            {91, ch, "nonante et un", "nonante-et-un"},
            {280, ch, "deux cent huitante", "deux-cent-huitante"},
            {180000, ch, "cent huitante mille", "cent-huitante-mille"},
            {17, ch, "dix-sept", "dix-sept"},
        };
        // clang-format on
        for (const Row& row : rows) {
            QTest::addRow("%s %s", qPrintable(digits(row.number)),
                          key(row.region).toLatin1().data())
                << row.number << row.region << QString::fromUtf8(row.traditional)
                << QString::fromUtf8(row.rectified);
        }
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

    // The program's own spelling keeps its spaces and its plural at the very
    // end, with the words of each region.
    void classicWords_data() {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<Region>("region");
        QTest::addColumn<QString>("words");
        constexpr Region fr = Region::France, be = Region::Belgium, ch = Region::Switzerland;
        const std::tuple<qint64, Region, const char*> rows[] = {
            {17, fr, "dix sept"},
            {71, fr, "soixante et onze"},
            {200000000, fr, "deux cent millions"},
            {8143051, fr, "huit millions cent quarante trois mille cinquante et un"},
            {71, be, "septante et un"},
            {80, be, "quatre vingts"},
            {81, be, "quatre vingt un"},
            {97, be, "nonante sept"},
            {1080, be, "mille quatre vingts"},
            {80000000, be, "quatre vingt millions"},
            {200000000, be, "deux cent millions"},
            {80, ch, "huitante"},
            {81, ch, "huitante et un"},
            {91, ch, "nonante et un"},
            {280, ch, "deux cent huitante"},
            {200, ch, "deux cents"},
            {0, ch, "zéro"},
        };
        for (const auto& [number, region, text] : rows)
            QTest::addRow("%s %s", qPrintable(digits(number)), key(region).toLatin1().data())
                << number << region << QString::fromUtf8(text);
    }
    void classicWords() {
        QFETCH(qint64, number);
        QFETCH(Region, region);
        QFETCH(QString, words);
        QCOMPARE(NumberSpelling::words(number, Spelling::Classic, region), words);
        QCOMPARE(acceptedForms(number, Spelling::Classic, region), QStringList{words});
    }

    // What the check takes as right, as a whole: one form or another, never
    // a mix of them.
    void answers_data() {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<Spelling>("spelling");
        QTest::addColumn<Region>("region");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("accepted");
        constexpr Spelling classic = Spelling::Classic, trad = Spelling::Traditional,
                           r1990 = Spelling::Rectified1990, either = Spelling::Either;
        constexpr Region fr = Region::France, ch = Region::Switzerland;
        const char* const n8143051Hyphens =
            "huit-millions-cent-quarante-trois-mille-cinquante-et-un";
        const std::tuple<const char*, qint64, Spelling, Region, const char*, bool> rows[] = {
            {"school-book hyphens, 1990", 8143051, r1990, fr, n8143051Hyphens, true},
            {"school-book hyphens, either", 8143051, either, fr, n8143051Hyphens, true},
            {"school-book hyphens, traditional", 8143051, trad, fr, n8143051Hyphens, false},
            {"half school-book", 8143051, r1990, fr,
             "huit-millions cent-quarante-trois-mille-cinquante-et-un", false},
            {"school-book hyphens with a noun's plural", 200000000, r1990, fr,
             "deux-cents-millions", true},
            {"school-book hyphens for one million", 1000200, r1990, fr, "un-million-deux-cents",
             true},
            {"traditional under either", 21632, either, fr,
             "vingt et un mille six cent trente-deux", true},
            {"1990 under either", 21632, either, fr, "vingt-et-un-mille-six-cent-trente-deux",
             true},
            {"mixed under either", 21632, either, fr, "vingt-et-un mille six cent trente-deux",
             false},
            {"traditional under 1990", 21, r1990, fr, "vingt et un", false},
            {"1990 under traditional", 21, trad, fr, "vingt-et-un", false},
            {"classic under traditional", 17, trad, fr, "dix sept", false},
            {"hyphen under classic", 17, classic, fr, "dix-sept", false},
            {"classic plural", 200000000, classic, fr, "deux cent millions", true},
            {"grammar plural under classic", 200000000, classic, fr, "deux cents millions", false},
            {"cent without its plural before million", 200000000, trad, fr, "deux cent millions",
             false},
            {"cent plural before mille", 200000, trad, fr, "deux cents mille", false},
            {"et after quatre-vingt", 81, either, fr, "quatre-vingt-et-un", false},
            {"France's eighty in Switzerland", 80, either, ch, "quatre-vingts", false},
            {"huitante et un, 1990", 81, either, ch, "huitante-et-un", true},
            {"un mille", 1000, either, fr, "un mille", false},
        };
        for (const auto& [name, number, spelling, region, answer, accepted] : rows)
            QTest::addRow("%s", name)
                << number << spelling << region << QString::fromUtf8(answer) << accepted;
    }
    void answers() {
        QFETCH(qint64, number);
        QFETCH(Spelling, spelling);
        QFETCH(Region, region);
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        const QStringList forms = acceptedForms(number, spelling, region);
        QVERIFY2(forms.contains(answer) == accepted,
                 qPrintable(QStringLiteral("\"%1\" %2 among %3")
                                .arg(answer, accepted ? u"missing" : u"wrongly",
                                     forms.join(QStringLiteral(" | ")))));
    }

    // The forms of every spelling and region: the shown words first, no
    // repeats, and only as many as the spelling has (the school-book form
    // only where a noun stands apart).
    void formsOfEachSpelling() {
        for (const qint64 n : {0LL, 21LL, 80LL, 21632LL, 8143051LL, LargestNumber}) {
            for (const Region region : kRegions) {
                for (const Spelling spelling : kSpellings) {
                    const QStringList forms = acceptedForms(n, spelling, region);
                    const QString context =
                        QStringLiteral("%1 %2 %3: %4")
                            .arg(n)
                            .arg(key(spelling), key(region), forms.join(QStringLiteral(" | ")));
                    QVERIFY2(!forms.isEmpty() && forms.first() == words(n, spelling, region),
                             qPrintable(context));
                    QVERIFY2(QSet<QString>(forms.begin(), forms.end()).size() == forms.size(),
                             qPrintable(context));
                    const bool apart = words(n, Spelling::Rectified1990, region).contains(u' ');
                    const bool differ = words(n, Spelling::Traditional, region) !=
                                        words(n, Spelling::Rectified1990, region);
                    const qsizetype expected = spelling == Spelling::Rectified1990 ? 1 + apart
                                               : spelling == Spelling::Either ? 1 + apart + differ
                                                                              : 1;
                    QVERIFY2(forms.size() == expected, qPrintable(context));
                }
            }
        }
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
    // spelling and region, words of the tables' letters joined by one space
    // or hyphen; no hyphen in the classic spelling; in 1990 a space only next
    // to million or milliard; the same words in every spelling of a region
    // (joints and plural s aside), so that in France the classic words, made
    // apart, vouch for the others; "zéro" only for 0; 0 to 999 each their own.
    void wellFormedWordsOfEveryNumber() {
        for (const Region region : kRegions) {
            QSet<QString> belowOneThousand;
            for (qint64 n = 0; n < LargestNumber; n += n < 100'000      ? 1
                                                       : n < 10'000'000 ? 397
                                                                        : 39'999'983) {
                const QString classic = words(n, Spelling::Classic, region);
                const QString traditional = words(n, Spelling::Traditional, region);
                const QString rectified = words(n, Spelling::Rectified1990, region);
                const char* fault = !wellJoined(classic) || classic.contains(u'-') ? "classic form"
                                    : !wellJoined(traditional) ? "traditional form"
                                    : !wellJoined(rectified) || !nounsStandApart(rectified)
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
