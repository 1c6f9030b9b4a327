#include "fakes.h"
#include "frm_high_score.h"
#include "high_scores.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Records what the table asked to show, as it was at that moment.
class RecordingDisplay : public HighScoreDisplay {
public:
    std::vector<HighScoreList> shown;
    void showHighScores(const HighScoreTable& table) override { shown.push_back(table.entries()); }
};

HighScoreList list(std::initializer_list<HighScoreEntry> entries) {
    HighScoreList l;
    int i = 0;
    for (const HighScoreEntry& e : entries)
        l[i++] = e;
    for (; i < 5; ++i)
        l[i] = {QStringLiteral("None"), 0};
    return l;
}

const QByteArray kFiveDefaults = "None:0\r\nNone:0\r\nNone:0\r\nNone:0\r\nNone:0\r\n";
const QByteArray kFull = "Ana:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\nEve:100\r\n";
const QString kPrompt =
    QStringLiteral("Congratulations!\r\nYou got a High Score!\r\nEnter your name:");

} // namespace

Q_DECLARE_METATYPE(HighScoreList)

class TestHighScores : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void scoreText_data();
    void scoreText();
    void parsesFiles_data();
    void parsesFiles();
    void hugeFilesAreReadFromTheirStart();
    void formatsExactBytes();

    void firstLoadCreatesTheDefaultFile();
    void loadLeavesAMalformedFileAsItIs();
    void checkPlacesTheScore_data();
    void checkPlacesTheScore();
    void lowScoreAsksAndWritesNothing();
    void cancelledNameKeepsTheScore();
    void nameWithAColonKeepsItsScore();
    void unwritableFolderKeepsTheTableInMemory();
    void unreadableFileIsNotReplacedAtLoad();
    void showUsesTheTableInMemory();

    void windowLayout();
    void windowShowsTheTableAndOkHidesIt();

private:
    QString scoresPath() const { return dir_->filePath(QStringLiteral("scores.lst")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestHighScores::scoreText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("score");
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    QTest::addRow("plain") << "1250" << qint64(1250);
    QTest::addRow("leading blanks") << " \t 42" << qint64(42);
    QTest::addRow("stops at a letter") << "12abc" << qint64(12);
    QTest::addRow("no number") << "abc" << qint64(0);
    QTest::addRow("empty") << "" << qint64(0);
    QTest::addRow("sign alone") << "-" << qint64(0);
    QTest::addRow("plus sign") << "+7" << qint64(7);
    QTest::addRow("negative") << "-5" << qint64(-5);
    QTest::addRow("beyond 32 bits") << "12345678901" << qint64(12345678901);
    QTest::addRow("largest") << "9223372036854775807" << max;
    QTest::addRow("beyond 64 bits") << "99999999999999999999999" << max;
    QTest::addRow("smallest") << "-9223372036854775808" << min;
    QTest::addRow("below 64 bits") << "-9223372036854775809" << min;
    QTest::addRow("fraction cut off") << "1.9" << qint64(1);
    QTest::addRow("fraction alone") << ".5" << qint64(0);
    QTest::addRow("exponent") << "1.5e3" << qint64(1500);
    QTest::addRow("tiny") << "1e-400" << qint64(0);
    QTest::addRow("huge") << "1e400" << max;
    QTest::addRow("huge negative") << "-2.5E+30" << min;
}

void TestHighScores::scoreText() {
    QFETCH(QString, text);
    QFETCH(qint64, score);
    QCOMPARE(HighScoreFile::parseScore(text), score);
}

void TestHighScores::parsesFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<HighScoreList>("entries");
    QTest::addRow("default file") << kFiveDefaults << list({});
    QTest::addRow("five entries")
        << kFull << list({{"Ana", 900}, {"Bob", 700}, {"Cyd", 500}, {"Dan", 300}, {"Eve", 100}});
    QTest::addRow("LF and CR line ends")
        << QByteArray("a:1\nb:2\rc:3\r\n\nd:4")
        << list({{"a", 1}, {"b", 2}, {"c", 3}, {"None", 0}, {"d", 4}});
    QTest::addRow("fewer than five lines")
        << QByteArray("a:5\r\nb:4\r\n") << list({{"a", 5}, {"b", 4}});
    QTest::addRow("line without a colon")
        << QByteArray("a:5\r\nbroken\r\nc:3\r\n") << list({{"a", 5}, {"None", 0}, {"c", 3}});
    QTest::addRow("score that is not a number")
        << QByteArray("a:lots\r\nb:7\r\n") << list({{"a", 0}, {"b", 7}});
    QTest::addRow("empty name") << QByteArray(":12\r\n") << list({{"", 12}});
    QTest::addRow("lines after the fifth")
        << kFull + "Zed:999\r\ngarbage" << HighScoreFile::parse(kFull);
    QTest::addRow("UTF-8 names") << QByteArray("\xEF\xBB\xBFZo\xC3\xA9:3\r\n")
                                 << list({{QString::fromUtf8("Zoé"), 3}});
    QTest::addRow("Windows-1252 names")
        << QByteArray("Zo\xE9 \x80:3\r\n") << list({{QString::fromUtf8("Zoé €"), 3}});
    QTest::addRow("two byte order marks")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFZ:4\r4e\r\r\r\v") << list({{"Z", 4}});
    QTest::addRow("long name cut")
        << QByteArray(300, 'a') + ":1" << list({{QString(HighScoreFile::MaxNameLength, 'a'), 1}});
    QTest::addRow("NUL bytes") << QByteArray("a\0b:1\r\n\0\0\0", 10)
                               << list({{QString("a") + QChar(0) + "b", 1}});
}

void TestHighScores::parsesFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(HighScoreList, entries);
    QCOMPARE(HighScoreFile::parse(bytes), entries);
}

void TestHighScores::hugeFilesAreReadFromTheirStart() {
    // Five good lines followed by far more than is ever read.
    const QByteArray tail(8 * 1024 * 1024, '\xFF');
    QCOMPARE(HighScoreFile::parse(kFull + tail), HighScoreFile::parse(kFull));
    // A first line longer than what is read: the rest are missing, and valid
    // UTF-8 stays UTF-8 even when the cut splits a character.
    QByteArray oneLine = "Zo\xC3\xA9:1"; // odd length: the cut falls inside a pair
    oneLine += QByteArray("\xC3\xA9").repeated(HighScoreFile::MaxReadSize);
    QCOMPARE(HighScoreFile::parse(oneLine), list({{QString::fromUtf8("Zoé"), 1}}));
    // A table read from the largest file that is read saves to a file that
    // reads back as the same table, although UTF-8 takes more bytes.
    const QByteArray legacy = QByteArray("\xE9").repeated(HighScoreFile::MaxReadSize - 2) + ":5";
    const HighScoreList read = HighScoreFile::parse(legacy);
    QCOMPARE(read[0].score, qint64(5));
    QCOMPARE(HighScoreFile::parse(HighScoreFile::format(read)), read);
    // The colon beyond what is read: the line has none.
    QCOMPARE(HighScoreFile::parse(QByteArray(HighScoreFile::MaxReadSize, 'a') + ":1"), list({}));
}

void TestHighScores::formatsExactBytes() {
    const HighScoreList entries = list({{QString::fromUtf8("Zoé"), 12345678901},
                                        {"two\r\nlines", 5},
                                        {"", 0},
                                        {"a:b", -3},
                                        {QString(QChar(0xFEFF)) + "Bob", 1}});
    QCOMPARE(HighScoreFile::format(entries),
             QByteArray("Zo\xC3\xA9:12345678901\r\ntwo  lines:5\r\n:0\r\na:b:-3\r\nBob:1\r\n"));
    QCOMPARE(HighScoreFile::defaultContents(), kFiveDefaults);
}

void TestHighScores::firstLoadCreatesTheDefaultFile() {
    HighScoreTable table(scoresPath());
    QVERIFY(!table.isLoaded());
    QCOMPARE(table.HighNames(1), QString());
    QCOMPARE(table.HighScores(1), std::nullopt);
    table.LoadHighScores();
    QCOMPARE(readAll(scoresPath()), kFiveDefaults);
    QCOMPARE(table.HighNames(5), QStringLiteral("None"));
    QCOMPARE(table.HighScores(5), std::optional<qint64>(0));
    QCOMPARE(table.HighScores(6), std::nullopt);
    QCOMPARE(table.HighScores(0), std::nullopt);
}

void TestHighScores::loadLeavesAMalformedFileAsItIs() {
    const QByteArray malformed = "Ana:900\r\nbroken\r\n";
    writeAll(scoresPath(), malformed);
    HighScoreTable table(scoresPath());
    table.LoadHighScores();
    QCOMPARE(table.entries(), list({{"Ana", 900}}));
    QCOMPARE(readAll(scoresPath()), malformed);
}

void TestHighScores::checkPlacesTheScore_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<qint64>("score");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QByteArray>("after");
    QTest::addRow("no file: a score of 0 takes slot 1")
        << QByteArray() << qint64(0) << 1 << "Kim:0\r\n" + kFiveDefaults.left(32);
    QTest::addRow("equal to the best goes above it")
        << kFull << qint64(900) << 1
        << QByteArray("Kim:900\r\nAna:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\n");
    QTest::addRow("middle slot moves the lower ones down")
        << kFull << qint64(600) << 3
        << QByteArray("Ana:900\r\nBob:700\r\nKim:600\r\nCyd:500\r\nDan:300\r\n");
    QTest::addRow("last slot replaces it")
        << kFull << qint64(100) << 5
        << QByteArray("Ana:900\r\nBob:700\r\nCyd:500\r\nDan:300\r\nKim:100\r\n");
    QTest::addRow("beyond 32 bits")
        << kFull << qint64(5000000000) << 1 << "Kim:5000000000\r\n" + kFull.left(kFull.size() - 9);
    QTest::addRow("bytes after the five lines are not kept")
        << kFull + "old tail bytes" << qint64(1000) << 1
        << "Kim:1000\r\n" + kFull.left(kFull.size() - 9);
    QTest::addRow("malformed file keeps its valid entries")
        << QByteArray("Ana:900\r\nnocolon\r\nCyd:x\r\n") << qint64(50) << 2
        << QByteArray("Ana:900\r\nKim:50\r\nNone:0\r\nCyd:0\r\nNone:0\r\n");
}

void TestHighScores::checkPlacesTheScore() {
    QFETCH(QByteArray, before);
    QFETCH(qint64, score);
    QFETCH(int, slot);
    QFETCH(QByteArray, after);
    if (!before.isNull())
        writeAll(scoresPath(), before);
    HighScoreTable table(scoresPath());
    FakeMessageBoxes boxes;
    boxes.answers << QStringLiteral("Kim");
    RecordingDisplay display;
    QCOMPARE(table.CheckHighScore(score, boxes, display), slot);
    QCOMPARE(boxes.prompts, QStringList{kPrompt + QStringLiteral(" | Kubolt")});
    QCOMPARE(readAll(scoresPath()), after);
    QCOMPARE(display.shown.size(), std::size_t(1));
    QCOMPARE(display.shown[0], HighScoreFile::parse(after));
    QCOMPARE(table.HighNames(slot), QStringLiteral("Kim"));
    QCOMPARE(table.HighScores(slot), std::optional<qint64>(score));
}

void TestHighScores::lowScoreAsksAndWritesNothing() {
    const QByteArray before = kFull + "tail";
    writeAll(scoresPath(), before);
    HighScoreTable table(scoresPath());
    FakeMessageBoxes boxes;
    RecordingDisplay display;
    QCOMPARE(table.CheckHighScore(99, boxes, display), 0);
    QVERIFY(boxes.prompts.isEmpty());
    QVERIFY(display.shown.empty());
    QCOMPARE(readAll(scoresPath()), before);
}

void TestHighScores::cancelledNameKeepsTheScore() {
    writeAll(scoresPath(), kFull);
    HighScoreTable table(scoresPath());
    FakeMessageBoxes boxes; // no answer: the dialog was cancelled
    RecordingDisplay display;
    QCOMPARE(table.CheckHighScore(800, boxes, display), 2);
    QCOMPARE(readAll(scoresPath()),
             QByteArray("Ana:900\r\n:800\r\nBob:700\r\nCyd:500\r\nDan:300\r\n"));
    QCOMPARE(display.shown.size(), std::size_t(1));
}

void TestHighScores::nameWithAColonKeepsItsScore() {
    HighScoreTable table(scoresPath());
    FakeMessageBoxes boxes;
    boxes.answers << QStringLiteral("Léa: la reine");
    RecordingDisplay display;
    QCOMPARE(table.CheckHighScore(70, boxes, display), 1);
    HighScoreTable again(scoresPath());
    again.LoadHighScores();
    QCOMPARE(again.HighNames(1), QStringLiteral("Léa: la reine"));
    QCOMPARE(again.HighScores(1), std::optional<qint64>(70));
}

void TestHighScores::unwritableFolderKeepsTheTableInMemory() {
    // A folder below a regular file cannot be created, even by root.
    writeAll(dir_->filePath("plain"), "x");
    HighScoreTable table(dir_->filePath("plain/scores.lst"));
    table.LoadHighScores();
    QCOMPARE(table.entries(), list({}));
    FakeMessageBoxes boxes;
    boxes.answers << QStringLiteral("Kim") << QStringLiteral("Lou");
    RecordingDisplay display;
    QCOMPARE(table.CheckHighScore(40, boxes, display), 1);
    QCOMPARE(table.CheckHighScore(30, boxes, display), 2);
    QCOMPARE(table.entries(), list({{"Kim", 40}, {"Lou", 30}}));
    QCOMPARE(display.shown.size(), std::size_t(2));
    QVERIFY(!table.SaveHighScores());
}

void TestHighScores::unreadableFileIsNotReplacedAtLoad() {
    QVERIFY(QDir(dir_->path()).mkdir("scores.lst"));
    HighScoreTable table(scoresPath());
    table.LoadHighScores();
    QVERIFY(QFileInfo(scoresPath()).isDir());
    QCOMPARE(table.entries(), list({}));
    // A table never loaded is never saved over the file.
    writeAll(dir_->filePath("other.lst"), kFull);
    QVERIFY(!HighScoreTable(dir_->filePath("other.lst")).SaveHighScores());
    QCOMPARE(readAll(dir_->filePath("other.lst")), kFull);
}

void TestHighScores::showUsesTheTableInMemory() {
    writeAll(scoresPath(), kFull);
    HighScoreTable table(scoresPath());
    table.LoadHighScores();
    writeAll(scoresPath(), kFiveDefaults);
    RecordingDisplay display;
    table.ShowHighScores(display);
    QCOMPARE(display.shown.at(0), HighScoreFile::parse(kFull));
}

void TestHighScores::windowLayout() {
    frmHighScore form;
    form.Load();
    QWidget* w = form.widget();
    QCOMPARE(w->objectName(), QStringLiteral("frmHighScore"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Meilleurs Scores"));
    QCOMPARE(w->size(), QSize(313, 156));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    auto* image = form.control<QLabel>("Image1");
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(16, 45, 32, 32));
    QVERIFY(!image->pixmap().isNull());
    QVERIFY(!image->accessibleName().isEmpty());
    const int tops[] = {8, 32, 56, 80, 104};
    for (int i = 1; i <= 5; ++i) {
        auto* number = form.control<QLabel>(QStringLiteral("Label1(%1)").arg(i - 1));
        auto* name = form.control<QLabel>(QStringLiteral("lblName(%1)").arg(i));
        auto* score = form.control<QLabel>(QStringLiteral("lblScore(%1)").arg(i));
        QVERIFY(number && name && score);
        QCOMPARE(number->text(), QStringLiteral("%1.").arg(i));
        QCOMPARE(number->pos(), QPoint(64, tops[i - 1]));
        QCOMPARE(name->geometry(), QRect(88, tops[i - 1], 137, 17));
        QCOMPARE(score->geometry(), QRect(232, tops[i - 1], 65, 17));
        QVERIFY(score->alignment() & Qt::AlignRight);
    }
    auto* ok = form.control<QPushButton>("cmdOk");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->geometry(), QRect(120, 128, 73, 20)); // (313 - 73) / 2
}

void TestHighScores::windowShowsTheTableAndOkHidesIt() {
    frmHighScore form;
    HighScoreTable never(scoresPath());
    form.fill(never); // before any load: empty texts
    QCOMPARE(form.control<QLabel>("lblName(1)")->text(), QString());
    QCOMPARE(form.control<QLabel>("lblScore(1)")->text(), QString());

    writeAll(scoresPath(), "Ana & Bob:12345678901\r\n<b>x</b>:7\r\n");
    HighScoreTable table(scoresPath());
    table.LoadHighScores();
    bool shownWhileModal = false;
    QTimer::singleShot(0, &form, [&] {
        shownWhileModal = form.isVisible();
        QCOMPARE(form.control<QLabel>("lblName(1)")->text(), QStringLiteral("Ana & Bob"));
        QCOMPARE(form.control<QLabel>("lblScore(1)")->text(), QStringLiteral("12345678901"));
        QCOMPARE(form.control<QLabel>("lblName(2)")->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(form.control<QLabel>("lblName(2)")->textFormat(), Qt::PlainText);
        QCOMPARE(form.control<QLabel>("lblName(5)")->text(), QStringLiteral("None"));
        QCOMPARE(form.control<QLabel>("lblScore(5)")->text(), QStringLiteral("0"));
        form.control<QPushButton>("cmdOk")->click();
    });
    table.ShowHighScores(form); // returns once OK hides the window
    QVERIFY(shownWhileModal);
    QVERIFY(!form.isVisible());
    QVERIFY(form.isLoaded());
}

QTEST_MAIN(TestHighScores)
#include "test_high_scores.moc"
