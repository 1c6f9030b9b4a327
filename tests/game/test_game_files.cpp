// SPDX-License-Identifier: GPL-3.0-or-later
// The game's files: the high-score file and table (and the high-score
// window's labels), and the options file.

#include "atomic_file.h"
#include "game_fixture.h"
#include "high_score_window.h"
#include "strange_files.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

namespace {

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

QString notSaved(const QString& what, const QString& path) {
    return "Impossible d'enregistrer " + what + " dans le fichier « " + path +
           " » : ce fichier ou son dossier ne peut pas être écrit.";
}

QByteArray ini(const QByteArray& level, const QByteArray& flag) {
    return "[brikko32]\r\nStarting Level=" + level + "\r\nFill Lines=" + flag +
           "\r\nPlay Sounds=" + flag + "\r\nHide Splash=" + flag + "\r\n";
}

} // namespace

class TestGameFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
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
            << QByteArrayLiteral("Ana:900\r\nnocolon\r\nCyd:x\r\n\xFF\0:7") << qint64(50) << kim
            << 2 << QByteArrayLiteral("Ana:900\r\nKim:50\r\nNone:0\r\nCyd:0\r\n\xC3\xBF\0:7\r\n");
        QTest::addRow("huge file: the first five lines")
            << Full + QByteArray(4 * HighScoreFile::MaxReadSize, '\xFF') << qint64(950) << kim << 1
            << QByteArray("Kim:950\r\nAna:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\n");
        QTest::addRow("beyond 32 bits, line breaks in the name")
            << Full << qint64(5000000000) << QStringList{"Z\r\nB"} << 1
            << QByteArray("Z  B:5000000000\r\nAna:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\n");
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
        QCOMPARE(table.checkHighScore(score, boxes, display), slot);
        QCOMPARE(readFile(path), after);
        QCOMPARE(boxes.prompts,
                 slot ? QStringList{HighScoreTable::namePrompt() + " | Kubolt"} : QStringList());
        QCOMPARE(display.shown,
                 slot ? QStringList{text(HighScoreFile::parse(after))} : QStringList());
    }
    // An existing file that cannot be read is never replaced: the game goes on
    // with the table in memory and says once that the scores are not saved.
    void unreadableFile_data() {
        QTest::addColumn<bool>("readAtFirst"); // then replaced by a folder
        QTest::addColumn<QString>("shown");
        QTest::addRow("a folder where the file should be") << false << "Kim:1000 | Lou:950";
        QTest::addRow("readable at first, then a folder")
            << true << "Kim:1000 | Lou:950 | Ana:900 | Bob:700 | Cyd:500";
    }
    void unreadableFile() {
        QFETCH(bool, readAtFirst);
        QTemporaryDir here;
        const QString path = here.filePath("scores.lst");
        HighScoreTable table(path);
        if (readAtFirst) {
            QVERIFY(writeFile(path, Full));
            table.loadHighScores();
            QVERIFY(QFile::remove(path));
        }
        QVERIFY(QDir(here.path()).mkdir("scores.lst"));
        FakeMessageBoxes boxes;
        boxes.answers = {"Kim", "Lou"};
        RecordingDisplay display;
        QCOMPARE(table.checkHighScore(1000, boxes, display), 1);
        QCOMPARE(table.checkHighScore(950, boxes, display), 2);
        QTEST(display.shown.last(), "shown");
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].text,
                 "Les meilleurs scores n'ont pas pu être enregistrés : le fichier « " +
                     QDir::toNativeSeparators(path) + " » existe mais ne peut pas être lu.");
        QVERIFY(QFileInfo(path).isDir());
    }
    void windowShowsTheTable() {
        QVERIFY(writeFile(dir.filePath("w.lst"), "Ana & Bob:12345678901\r\n<b>x</b>:7\r\n"));
        HighScoreTable table(dir.filePath("w.lst"));
        table.loadHighScores();
        HighScoreWindow form;
        form.fill(table);
        const auto label = [&form](const char* name) { return form.control<QLabel>(name); };
        QCOMPARE(QStringList({label("lblName(1)")->text(), label("lblScore(1)")->text(),
                              label("lblName(2)")->text(), label("lblScore(5)")->text()}),
                 QStringList({"Ana & Bob", "12345678901", "<b>x</b>", "0"}));
        QCOMPARE(label("lblName(2)")->textFormat(), Qt::PlainText);
    }
    // Only a value's first character counts; a level of one space resets and
    // writes every setting; a missing file gives the defaults, writes nothing.
    void loadOptions_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QByteArray>("after"); // null: as before
        QTest::addRow("7, True") << ini("7", "True") << "7" << true << QByteArray();
        QTest::addRow("12 gives 1") << ini("12", "T") << "1" << true << QByteArray();
        QTest::addRow("x gives 0") << ini("x", "False") << "0" << false << QByteArray();
        QTest::addRow("lower-case true") << ini("9", "true") << "9" << false << QByteArray();
        QTest::addRow("1 is not True") << ini("0", "1") << "0" << false << QByteArray();
        QTest::addRow("no file") << QByteArray() << "0" << false << QByteArray();
        QTest::addRow("single space resets")
            << QByteArray("[Brikko32]\r\nStarting Level=\" \"\r\nFill Lines=True\r\n; mine\r\n")
            << "0" << false
            << QByteArray("[Brikko32]\r\nStarting Level=0\r\nFill Lines=False\r\n; mine\r\n"
                          "Play Sounds=False\r\nHide Splash=False\r\n");
    }
    void loadOptions() {
        QFETCH(QByteArray, before);
        QFETCH(bool, flag);
        QFETCH(QByteArray, after);
        GameServices s;
        s.options.setSoundOn(true);
        QVERIFY(before.isNull() || writeFile(s.optionsFile.path(), before));
        s.options.loadOptions();
        QTEST(s.options.startingLevelText(), "level");
        QCOMPARE(QList<bool>({s.options.fillLines(), s.options.soundOn(), s.options.hideSplash()}),
                 QList<bool>(3, flag));
        QCOMPARE(QFile::exists(s.optionsFile.path()), !before.isNull());
        QCOMPARE(readFile(s.optionsFile.path()), after.isNull() ? before : after);
    }

    // A save killed before it was done leaves its temporary file: the next
    // save removes it.
    void killedSaveLeftoverRemovedAtTheNextSave() {
        GameServices s;
        const QString leftover = atomicWriteTemporary(s.optionsFile.path());
        QVERIFY(writeFile(leftover, "[Brikko32]\nStarting Le"));
        s.options.setStartingLevel(4);
        s.options.saveOptions();
        QVERIFY2(!QFile::exists(leftover), "a killed save's temporary file was left behind");
        QCOMPARE(readFile(s.optionsFile.path()), QByteArray("[Brikko32]\nStarting Level=4\n"
                                                            "Fill Lines=False\nPlay Sounds=False\n"
                                                            "Hide Splash=False\n"));
    }

    // An options file that cannot be written: what is there stays as it was
    // (also the file that the save would grow past the reader's cap: not
    // part of the options written, as separate writes did), and one message
    // for the file says that the options were not saved and where, however
    // many saves fail.
    void unsavableOptionsAreSaidOncePerFile_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QByteArray>("bytes");
        // The level fits, the three flags added after it do not.
        const QByteArray near = "[Brikko32]\r\nStarting Level=0\r\n;" +
                                QByteArray(ProfileFile::MaxFileSize - 40, ';') + "\r\n";
        QTest::addRow("near the cap") << "file" << near;
        QTest::addRow("over the cap") << "file" << near + QByteArray(40, ';');
        for (const char* what : {"pipe", "device", "folder", "in a file"})
            QTest::addRow("%s", what) << what << QByteArray();
        if (::geteuid() != 0) // root writes it all the same
            QTest::addRow("read-only") << "read-only" << ini("0", "False");
    }
    void unsavableOptionsAreSaidOncePerFile() {
        QFETCH(QString, what);
        QFETCH(QByteArray, bytes);
        QTemporaryDir here;
        const QString path = here.filePath("in/Brikko32.ini");
        QVERIFY(makeAt(path, what, bytes));
        const QString kind = kindOf(path);
        const auto bytesOf = [&] { return kind == "file" ? readFile(path) : QByteArray(); };
        const QByteArray before = bytesOf();
        ProfileFile file(path);
        FakeMessageBoxes boxes;
        GameOptions options(file, &boxes);
        options.setFillLines(true);
        options.setSoundOn(true);
        options.setHideSplash(true);
        for (int level : {3, 4}) {
            options.setStartingLevel(level);
            options.saveOptions();
        }
        QVERIFY2(
            kindOf(path) == kind && bytesOf() == before,
            qPrintable("the " + kind + " was changed: replaced, or part of the options written"));
        QVERIFY2(boxes.shown.size() == 1, "options that were not saved were shown as saved");
        QCOMPARE(boxes.shown[0].text, notSaved("les options de Brikko32", path));
        QCOMPARE(kindName(boxes.shown[0].kind), "warning");
        makeWritable(QFileInfo(path).path());
    }

    // Scores that cannot be saved: the table goes on in memory, and one
    // message for the file says that they were not saved and where. A default
    // file that could not be made is not worth a message.
    void unsavableScoresAreSaidOncePerFile_data() {
        QTest::addColumn<QString>("where"); // a path, or what to make in a folder of its own
        QTest::addRow("its folder is a file") << "in a file";
        QTest::addRow("a file that no one may write") << "/proc/version";
        if (::geteuid() != 0) // root writes it all the same
            QTest::addRow("read-only, in a read-only folder") << "read-only";
    }
    void unsavableScoresAreSaidOncePerFile() {
        QFETCH(QString, where);
        QTemporaryDir here;
        QString path = where;
        if (!where.startsWith('/')) {
            path = here.filePath("in/scores.lst");
            QVERIFY(makeAt(path, where, Full));
        }
        HighScoreTable table(path);
        FakeMessageBoxes boxes;
        boxes.answers = {"Kim", "Lou"};
        RecordingDisplay display;
        QCOMPARE(table.checkHighScore(5000000000000, boxes, display), 1);
        QVERIFY(table.checkHighScore(4000000000000, boxes, display) > 0);
        QVERIFY(display.shown.size() == 2 && display.shown[0].startsWith("Kim:5000000000000"));
        QVERIFY2(boxes.shown.size() == 1, "scores that were not saved were shown as saved");
        QCOMPARE(boxes.shown[0].text, notSaved("les meilleurs scores", path));
        if (where == "read-only")
            makeWritable(QFileInfo(path).path());
    }
};

QTEST_MAIN(TestGameFiles)
#include "test_game_files.moc"
