#include "profile_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

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

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void writes_data();
    void writes();
    void neverWritesWhatItCannotReadWhole();

private:
    QString path(const char* name = "Brikko32.ini") const {
        return dir_.filePath(QLatin1String(name));
    }
    QTemporaryDir dir_;
};

// The value read into a buffer of the given size; "dflt" is the default. A
// null content: no file.
void TestProfileFile::reads_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");
    const QByteArray basic = "[Brikko32]\nStarting Level=7\nFill Lines=True\n";
    QTest::addRow("names in any case") << basic << "BRIKKO32"
                                       << "fill lines" << 255 << "True";
    QTest::addRow("blanks around") << QByteArray("  [ s ]  \r\n  k   =   a b  \r\n") << "s"
                                   << "k" << 255 << "a b";
    QTest::addRow("buffer of two") << basic << "Brikko32"
                                   << "Fill Lines" << 2 << "T";
    QTest::addRow("missing key") << basic << "Brikko32"
                                 << "Hide Splash" << 255 << "dflt";
    QTest::addRow("missing section") << basic << "Other"
                                     << "Fill Lines" << 255 << "dflt";
    QTest::addRow("no file, default cut to the buffer") << QByteArray() << "s"
                                                        << "k" << 3 << "df";
    QTest::addRow("empty value") << QByteArray("[s]\nk=\n") << "s"
                                 << "k" << 255 << "";
    QTest::addRow("quoted space") << QByteArray("[s]\nk=\" \"\n") << "s"
                                  << "k" << 2 << " ";
    QTest::addRow("equals sign in the value") << QByteArray("[s]\nk=a=b\n") << "s"
                                              << "k" << 255 << "a=b";
    QTest::addRow("first of two sections") << QByteArray("[s]\nk=1\n[S]\nk=2\n") << "s"
                                           << "k" << 255 << "1";
    QTest::addRow("key of another section") << QByteArray("k=0\n[a]\nk=1\n[s]\nj=2\n") << "s"
                                            << "k" << 255 << "dflt";
    QTest::addRow("comment") << QByteArray("[s]\n;k=1\nk=2\n") << "s"
                             << "k" << 255 << "2";
    QTest::addRow("byte order mark") << QByteArray("\xEF\xBB\xBF[s]\r\nk=1\r\n") << "s"
                                     << "k" << 255 << "1";
    QTest::addRow("UTF-8") << QByteArray("[s]\nk=caf\xC3\xA9\n") << "s"
                           << "k" << 255 << "café";
    QTest::addRow("Windows-1252") << QByteArray("[s]\nk=caf\xE9 \x80\x81\x9F\n") << "s"
                                  << "k" << 255 << "café €\u0081Ÿ";
    QTest::addRow("character pair never cut") << QByteArray("[s]\nk=\xF0\x9F\x98\x80x\n") << "s"
                                              << "k" << 2 << "";
}

void TestProfileFile::reads() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, size);
    QFETCH(QString, expected);
    QFile::remove(path());
    if (!content.isNull())
        writeAll(path(), content);
    QCOMPARE(ProfileFile(path()).getString(section, key, "dflt", size), expected);
}

// The bytes after the write, the file created when there is none; the same
// bytes when the write is refused.
void TestProfileFile::writes_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("sectionKeyValue");
    QTest::addColumn<QByteArray>("after");
    const auto row = [](const char* name, const char* before, QStringList sectionKeyValue,
                        const char* after) {
        QTest::addRow("%s", name) << QByteArray(before) << sectionKeyValue
                                  << QByteArray(after ? after : before);
    };
    row("file created", nullptr, {"Brikko32", "Starting Level", "0"},
        "[Brikko32]\nStarting Level=0\n");
    row("in place, other lines and CR LF kept",
        "; top\r\n[Brikko32]\r\nStarting Level = 7 \r\nFill Lines=True\r\n",
        {"brikko32", "STARTING LEVEL", "3"},
        "; top\r\n[Brikko32]\r\nSTARTING LEVEL=3\r\nFill Lines=True\r\n");
    row("first of two sections", "[a]\nx=1\n[a]\nx=2\n", {"a", "x", "9"}, "[a]\nx=9\n[a]\nx=2\n");
    row("after the section's last line", "[a]\nx=1\n\n[b]\ny=2\n", {"a", "z", "3"},
        "[a]\nx=1\nz=3\n\n[b]\ny=2\n");
    row("after a last line without line end", "[a]\r\nx=1", {"a", "z", "3"},
        "[a]\r\nx=1\r\nz=3\r\n");
    row("section appended", "[a]\r\nx=1\r\n", {"b", "z", ""}, "[a]\r\nx=1\r\n[b]\r\nz=\r\n");
    row("Windows-1252 kept", "[a]\nn=\xE9\n", {"a", "m", "€é"}, "[a]\nn=\xE9\nm=\x80\xE9\n");
    row("Windows-1252 that cannot hold the text", "[a]\nn=\xE9\n", {"a", "m", "中"},
        "[a]\nn=\xC3\xA9\nm=\xE4\xB8\xAD\n");
    row("Windows-1252 that would read as UTF-8", "[a]\nk=\xFF\nn=\xC3\xA9\n", {"a", "k", "x"},
        "[a]\nk=x\nn=\xC3\x83\xC2\xA9\n");
    row("refused: line break in the value", "[s]\nk=0\n", {"s", "k", "1\n[x]"}, nullptr);
    row("refused: NUL in the value", "[s]\nk=0\n", {"s", "k", QString(QChar(0))}, nullptr);
    row("refused: bracket in the section", "[s]\nk=0\n", {"s]", "k", "1"}, nullptr);
    row("refused: equals sign in the key", "[s]\nk=0\n", {"s", "a=b", "1"}, nullptr);
    row("refused: empty key", "[s]\nk=0\n", {"s", "  ", "1"}, nullptr);
}

void TestProfileFile::writes() {
    QFETCH(QByteArray, before);
    QFETCH(QStringList, sectionKeyValue);
    QFETCH(QByteArray, after);
    QFile::remove(path());
    if (!before.isNull())
        writeAll(path(), before);
    const bool written =
        ProfileFile(path()).writeString(sectionKeyValue[0], sectionKeyValue[1], sectionKeyValue[2]);
    QCOMPARE(written, after != before);
    QCOMPARE(readAll(path()), after);
}

// Not a regular file (a named pipe would block its reader), a dangling link, a
// folder that cannot exist (its parent is a file), a file over the cap (read
// up to the cap only), a write that would take a file over the cap: the
// default is read, nothing is written.
void TestProfileFile::neverWritesWhatItCannotReadWhole() {
    QVERIFY(QDir(dir_.path()).mkdir("folder.ini"));
    QCOMPARE(mkfifo(QFile::encodeName(path("pipe.ini")).constData(), 0600), 0);
    QVERIFY(QFile::link(path("target.ini"), path("link.ini")));
    writeAll(path("plain"), "x");
    for (const char* name : {"folder.ini", "pipe.ini", "link.ini", "plain/sub/b.ini"}) {
        ProfileFile file(path(name));
        QCOMPARE(file.getString("s", "k", "d", 255), QStringLiteral("d"));
        QVERIFY2(!file.writeString("s", "k", "1"), name);
    }
    QCOMPARE(readAll(path("plain")), QByteArray("x"));

    const QByteArray cap(ProfileFile::MaxFileSize, ';');
    const QByteArray big = "[s]\nk=first\n" + cap + "\n[t]\nm=late\n";
    writeAll(path(), big);
    ProfileFile file(path());
    QCOMPARE(file.getString("s", "k", "d", 255), QStringLiteral("first"));
    QCOMPARE(file.getString("t", "m", "d", 255), QStringLiteral("d"));
    QVERIFY(!file.writeString("s", "k", "second"));
    QCOMPARE(readAll(path()), big);
    const QByteArray nearly = "[s]\n" + cap.first(cap.size() - 6) + "\n";
    writeAll(path(), nearly);
    QVERIFY(!file.writeString("s", "k", "1"));
    QCOMPARE(readAll(path()), nearly);
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
