// The high-score file and table, and the high-score window's labels.

#include "frm_high_score.h"
#include "test_game_loop_fixture.h"

#include <QDir>
#include <QLabel>
#include <QtTest>
#include <unistd.h>

namespace {

template <std::size_t N> QByteArray raw(const char (&bytes)[N]) { // NULs included
    return QByteArray(bytes, N - 1);
}
// "name:score | ..." without the trailing "None:0" entries.
QString text(const HighScoreList& entries) {
    QStringList t;
    for (const HighScoreEntry& e : entries)
        t << e.name + u':' + QString::number(e.score);
    while (!t.isEmpty() && t.last() == "None:0")
        t.removeLast();
    return t.join(" | ");
}
struct RecordingDisplay : HighScoreDisplay {
    QStringList shown;
    void showHighScores(const HighScoreTable& table) override { shown << text(table.entries()); }
};
const QByteArray Full = "Ana:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\nEve:100\r\n";

} // namespace

class TestHighScores : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("entries");
        QTest::addRow("LF, CR, no colon, an empty line, the last colon")
            << QByteArray("a:5\nbroken\r\rL\xC3\xA9"
                          "a: la reine:7")
            << "a:5 | None:0 | None:0 | Léa: la reine:7";
        QTest::addRow("scores: no number, blanks, letters, fraction, exponent")
            << QByteArray("a:lots\nb: \t42x\nc:-1.9\nd:1.5e3\ne:12345678901")
            << "a:0 | b:42 | c:-1 | d:1500 | e:12345678901";
        QTest::addRow("scores beyond 64 bits are held")
            << QByteArray("a:99999999999999999999\nb:-1e400")
            << "a:9223372036854775807 | b:-9223372036854775808";
        QTest::addRow("Windows-1252") << QByteArray("Zo\xE9 \x80:3\r\n") << "Zoé €:3";
        QTest::addRow("binary") << raw("Ana:9\r\n\0\x01\xFF:\xFE\r\nBob:7\0")
                                << QString::fromLatin1(raw("Ana:9 | \0\x01\xFF:0 | Bob:7"));
        QTest::addRow("huge: lines after the fifth")
            << Full + QByteArray(4 * HighScoreFile::MaxReadSize, '\xFF')
            << "Ana:900 | Bob:700 | Cyd:500 | Dan:300 | Eve:100";
        QTest::addRow("huge: the colon beyond what is read")
            << QByteArray(HighScoreFile::MaxReadSize, 'a') + ":1"
            << "";
        QTest::addRow("long name cut")
            << QByteArray(300, 'a') + ":1" << QString(HighScoreFile::MaxNameLength, 'a') + ":1";
    }
    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, entries);
        QCOMPARE(text(HighScoreFile::parse(bytes)), entries);
    }
    // At the end of a game: the slot, the name asked, the table shown, the file.
    void checkPlacesTheScore_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<qint64>("score");
        QTest::addColumn<QStringList>("answers"); // none: the dialog is cancelled
        QTest::addColumn<int>("slot");
        QTest::addColumn<QByteArray>("after");
        const QStringList kim{"Kim"};
        QTest::addRow("no file: the defaults are written")
            << QByteArray() << qint64(-1) << kim << 0
            << QByteArray("None:0\r\nNone:0\r\nNone:0\r\nNone:0\r\nNone:0\r\n");
        QTest::addRow("equal to the best goes above it")
            << Full << qint64(900) << kim << 1
            << QByteArray("Kim:900\r\nAna:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\n");
        QTest::addRow("lower than all five: nothing asked, saved or shown")
            << Full + "tail" << qint64(99) << kim << 0 << Full + "tail";
        QTest::addRow("cancelled: the empty name keeps the score")
            << Full << qint64(800) << QStringList() << 2
            << QByteArray("Ana:900\r\n:800\r\nBob:700\r\nCyd:500\r\nDan:300\r\n");
        QTest::addRow("malformed file keeps its valid entries")
            << raw("Ana:900\r\nnocolon\r\nCyd:x\r\n\xFF\0:7") << qint64(50) << kim << 2
            << raw("Ana:900\r\nKim:50\r\nNone:0\r\nCyd:0\r\n\xC3\xBF\0:7\r\n");
        QTest::addRow("beyond 32 bits, line breaks in the name")
            << Full << qint64(5000000000) << QStringList{"Zo\u00e9\r\nB"} << 1
            << "Zo\xC3\xA9  B:5000000000\r\n" + Full.left(Full.size() - 9);
    }
    void checkPlacesTheScore() {
        QFETCH(QByteArray, before);
        QFETCH(qint64, score);
        QFETCH(QStringList, answers);
        QFETCH(int, slot);
        QFETCH(QByteArray, after);
        const QString path = dir.filePath(QTest::currentDataTag());
        QVERIFY(before.isNull() || writeFile(path, before));
        HighScoreTable table(path);
        FakeMessageBoxes boxes;
        boxes.answers = answers;
        RecordingDisplay display;
        QCOMPARE(table.CheckHighScore(score, boxes, display), slot);
        QCOMPARE(readFile(path), after);
        QCOMPARE(boxes.prompts,
                 slot ? QStringList{HighScoreTable::namePrompt() + " | Kubolt"} : QStringList());
        QCOMPARE(display.shown,
                 slot ? QStringList{text(HighScoreFile::parse(after))} : QStringList());
    }
    // A file that cannot be written: the table lives on in memory, silently.
    void unwritableFolderKeepsTheTableInMemory() {
        QVERIFY(writeFile(dir.filePath("plain"), "x")); // no folder can be made below a file
        HighScoreTable table(dir.filePath("plain/scores.lst"));
        FakeMessageBoxes boxes;
        boxes.answers = {"Kim", "Lou"};
        RecordingDisplay display;
        QCOMPARE(table.CheckHighScore(40, boxes, display), 1);
        QCOMPARE(table.CheckHighScore(30, boxes, display), 2);
        QCOMPARE(display.shown.last(), "Kim:40 | Lou:30");
        QVERIFY(boxes.shown.empty());
    }
    // An existing file that cannot be read is never replaced: the game goes on
    // with the table in memory and says once that the scores are not saved.
    void unreadableFileIsNeverReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::addRow("a folder where the file should be") << "folder";
        QTest::addRow("a link to a folder") << "link";
        QTest::addRow("no read permission") << "unreadable";
        QTest::addRow("readable at first, then a folder") << "later";
    }
    void unreadableFileIsNeverReplaced() {
        QFETCH(QString, kind);
        QTemporaryDir here;
        const QString path = here.filePath("scores.lst");
        const auto makeUnreadable = [&] {
            return kind == "link" ? QFile::link(here.path(), path)
                   : kind == "unreadable"
                       ? writeFile(path, Full) && QFile::setPermissions(path, QFile::WriteOwner)
                       : QDir(here.path()).mkdir("scores.lst");
        };
        if (kind == "unreadable" && ::geteuid() == 0)
            QSKIP("permissions do not stop the superuser");
        HighScoreTable table(path);
        if (kind == "later") {
            QVERIFY(writeFile(path, Full));
            table.LoadHighScores();
            QVERIFY(QFile::remove(path));
        }
        QVERIFY(makeUnreadable());
        FakeMessageBoxes boxes;
        boxes.answers = {"Kim", "Lou"};
        RecordingDisplay display;
        QCOMPARE(table.CheckHighScore(1000, boxes, display), 1);
        QCOMPARE(table.CheckHighScore(950, boxes, display), 2);
        QCOMPARE(boxes.prompts.size(), 2);
        QCOMPARE(display.shown.last(), kind == "later"
                                           ? "Kim:1000 | Lou:950 | Ana:900 | Bob:700 | Cyd:500"
                                           : "Kim:1000 | Lou:950");
        QCOMPARE(boxes.shown.size(), size_t(1));
        QCOMPARE(boxes.shown[0].text, "Les meilleurs scores n'ont pas pu être enregistrés : le "
                                      "fichier « " +
                                          QDir::toNativeSeparators(path) +
                                          " » existe mais ne peut pas être lu.");
        QCOMPARE(boxes.shown[0].style, int(MsgExclamation));
        if (kind == "unreadable") {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(readFile(path), Full);
        } else {
            QVERIFY(QFileInfo(path).isDir());
        }
    }
    void windowShowsTheTable() {
        QVERIFY(writeFile(dir.filePath("w.lst"), "Ana & Bob:12345678901\r\n<b>x</b>:7\r\n"));
        HighScoreTable table(dir.filePath("w.lst"));
        table.LoadHighScores();
        frmHighScore form;
        form.fill(table);
        QStringList shown;
        for (int i = 1; i <= 5; ++i)
            for (const char* label : {"lblName(%1)", "lblScore(%1)"})
                shown << form.control<QLabel>(QString::fromLatin1(label).arg(i))->text();
        QCOMPARE(shown.join(u' '), "Ana & Bob 12345678901 <b>x</b> 7 None 0 None 0 None 0");
        QCOMPARE(form.control<QLabel>("lblName(2)")->textFormat(), Qt::PlainText);
    }
};

QTEST_MAIN(TestHighScores)
#include "test_high_scores.moc"
