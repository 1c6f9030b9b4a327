#include "legacy_text.h"
#include "profile_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

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
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void readsValues_data();
    void readsValues();
    void writesExactLines_data();
    void writesExactLines();
    void refusesNamesAndValuesItCannotStore_data();
    void refusesNamesAndValuesItCannotStore();
    void createsTheFileOnFirstWrite();
    void writeIntoAMissingFolderFailsQuietly();
    void fileOverTheCapIsReadInPartAndNeverWritten();
    void notARegularFileGivesTheDefaultAndIsNotWritten();
    void binaryContentIsKeptByAWrite();
    void windows1252Table();

private:
    QString path(const QString& name = QStringLiteral("Brikko32.ini")) const {
        return dir_->filePath(name);
    }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestProfileFile::readsValues_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");

    const QByteArray basic = "[Brikko32]\nStarting Level=7\nFill Lines=True\n";
    QTest::addRow("plain value") << basic << "Brikko32"
                                 << "Starting Level" << 255 << "7";
    QTest::addRow("names without regard to case") << basic << "BRIKKO32"
                                                  << "fill lines" << 255 << "True";
    QTest::addRow("blanks around names and value")
        << QByteArray("  [ Brikko32 ]  \r\n  Fill Lines   =   True  \r\n") << "Brikko32"
        << "Fill Lines" << 255 << "True";
    QTest::addRow("buffer of two keeps one character") << basic << "Brikko32"
                                                       << "Fill Lines" << 2 << "T";
    QTest::addRow("buffer of one keeps nothing") << basic << "Brikko32"
                                                 << "Fill Lines" << 1 << "";
    QTest::addRow("missing key gives the default") << basic << "Brikko32"
                                                   << "Hide Splash" << 255 << "dflt";
    QTest::addRow("missing section gives the default") << basic << "Other"
                                                       << "Fill Lines" << 255 << "dflt";
    QTest::addRow("default cut to the buffer") << basic << "Other"
                                               << "x" << 3 << "df";
    QTest::addRow("empty value is not the default")
        << QByteArray("[Brikko32]\nFill Lines=\n") << "Brikko32"
        << "Fill Lines" << 255 << "";
    QTest::addRow("quoted single space")
        << QByteArray("[Brikko32]\nStarting Level=\" \"\n") << "Brikko32"
        << "Starting Level" << 2 << " ";
    QTest::addRow("unmatched quote kept") << QByteArray("[s]\nk=\"a\n") << "s"
                                          << "k" << 255 << "\"a";
    QTest::addRow("equals sign inside value") << QByteArray("[s]\nk=a=b\n") << "s"
                                              << "k" << 255 << "a=b";
    QTest::addRow("first of two sections") << QByteArray("[s]\nk=1\n[S]\nk=2\n") << "s"
                                           << "k" << 255 << "1";
    QTest::addRow("first of two keys") << QByteArray("[s]\nk=1\nK=2\n") << "s"
                                       << "k" << 255 << "1";
    QTest::addRow("key of another section") << QByteArray("[a]\nk=1\n[s]\nj=2\n") << "s"
                                            << "k" << 255 << "dflt";
    QTest::addRow("key before any section") << QByteArray("k=1\n[s]\n") << "s"
                                            << "k" << 255 << "dflt";
    QTest::addRow("comment line") << QByteArray("[s]\n;k=1\nk=2\n") << "s"
                                  << "k" << 255 << "2";
    QTest::addRow("header with trailing text") << QByteArray("[s] ; note\nk=1") << "s"
                                               << "k" << 255 << "1";
    QTest::addRow("byte order mark") << QByteArray("\xEF\xBB\xBF[s]\r\nk=1\r\n") << "s"
                                     << "k" << 255 << "1";
    QTest::addRow("UTF-8 value") << QByteArray("[s]\nk=caf\xC3\xA9\n") << "s"
                                 << "k" << 255 << QString::fromUtf8("café");
    QTest::addRow("Windows-1252 value") << QByteArray("[s]\nk=caf\xE9 \x80\n") << "s"
                                        << "k" << 255 << QString::fromUtf8("café €");
    QTest::addRow("character pair never cut") << QByteArray("[s]\nk=\xF0\x9F\x98\x80x\n") << "s"
                                              << "k" << 2 << "";
    QTest::addRow("CR only line ends are one line") << QByteArray("[s]\rk=1\r") << "s"
                                                    << "k" << 255 << "dflt";
}

void TestProfileFile::readsValues() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, size);
    QFETCH(QString, expected);
    writeAll(path(), content);
    QCOMPARE(ProfileFile(path()).getString(section, key, QStringLiteral("dflt"), size), expected);
}

void TestProfileFile::writesExactLines_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::addRow("new section in an empty file")
        << QByteArray() << "Brikko32"
        << "Starting Level"
        << "0" << QByteArray("[Brikko32]\nStarting Level=0\n");
    QTest::addRow("replaced in place, other lines and CR LF kept")
        << QByteArray("; top\r\n[Brikko32]\r\nStarting Level = 7 \r\nFill Lines=True\r\n")
        << "brikko32"
        << "STARTING LEVEL"
        << "3" << QByteArray("; top\r\n[Brikko32]\r\nSTARTING LEVEL=3\r\nFill Lines=True\r\n");
    QTest::addRow("added after the section's last line, before the blank line")
        << QByteArray("[a]\nx=1\n\n[b]\ny=2\n") << "a"
        << "z"
        << "3" << QByteArray("[a]\nx=1\nz=3\n\n[b]\ny=2\n");
    QTest::addRow("added to a last section without final line end")
        << QByteArray("[a]\r\nx=1") << "a"
        << "z"
        << "3" << QByteArray("[a]\r\nx=1\r\nz=3\r\n");
    QTest::addRow("section appended with the file's CR LF")
        << QByteArray("[a]\r\nx=1\r\n") << "b"
        << "z"
        << "" << QByteArray("[a]\r\nx=1\r\n[b]\r\nz=\r\n");
    QTest::addRow("section appended after a last line without line end")
        << QByteArray("[a]\nx=1") << "b"
        << "z"
        << "3" << QByteArray("[a]\nx=1\n[b]\nz=3\n");
    QTest::addRow("first of two sections") << QByteArray("[a]\nx=1\n[a]\nx=2\n") << "a"
                                           << "x"
                                           << "9" << QByteArray("[a]\nx=9\n[a]\nx=2\n");
    QTest::addRow("Windows-1252 file stays Windows-1252")
        << QByteArray("[a]\nn=\xE9\n") << "a"
        << "m" << QString::fromUtf8("€é") << QByteArray("[a]\nn=\xE9\nm=\x80\xE9\n");
    QTest::addRow("Windows-1252 file that would read as UTF-8 once written becomes UTF-8")
        << QByteArray("[a]\nk=\xFF\nn=\xC3\xA9\n") << "a"
        << "k"
        << "x" << QByteArray("[a]\nk=x\nn=\xC3\x83\xC2\xA9\n");
    QTest::addRow("Windows-1252 file that cannot hold the text becomes UTF-8")
        << QByteArray("[a]\nn=\xE9\n") << "a"
        << "m" << QString::fromUtf8("中") << QByteArray("[a]\nn=\xC3\xA9\nm=\xE4\xB8\xAD\n");
}

void TestProfileFile::writesExactLines() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    writeAll(path(), before);
    QVERIFY(ProfileFile(path()).writeString(section, key, value));
    QCOMPARE(readAll(path()), after);
}

void TestProfileFile::refusesNamesAndValuesItCannotStore_data() {
    QTest::addColumn<QStringList>("sectionKeyValue");
    QTest::addRow("line break in value") << QStringList{"s", "k", "1\n[x]"};
    QTest::addRow("carriage return in key") << QStringList{"s", "k\rx", "1"};
    QTest::addRow("NUL in value") << QStringList{"s", "k", QString(QChar(0))};
    QTest::addRow("bracket in section") << QStringList{"s]", "k", "1"};
    QTest::addRow("equals sign in key") << QStringList{"s", "a=b", "1"};
    QTest::addRow("key that reads as a section") << QStringList{"s", "[k", "1"};
    QTest::addRow("key that reads as a comment") << QStringList{"s", ";k", "1"};
    QTest::addRow("empty key") << QStringList{"s", "  ", "1"};
    QTest::addRow("empty section") << QStringList{"", "k", "1"};
}

void TestProfileFile::refusesNamesAndValuesItCannotStore() {
    QFETCH(QStringList, sectionKeyValue);
    const QByteArray before = "[s]\nk=0\n";
    writeAll(path(), before);
    QVERIFY(!ProfileFile(path()).writeString(sectionKeyValue[0], sectionKeyValue[1],
                                             sectionKeyValue[2]));
    QCOMPARE(readAll(path()), before);
}

void TestProfileFile::createsTheFileOnFirstWrite() {
    ProfileFile file(path());
    QCOMPARE(file.getString("Brikko32", "Fill Lines", "", 2), QString());
    QVERIFY(!QFile::exists(path())); // reading never creates it
    QVERIFY(file.writeString("Brikko32", "Fill Lines", "False"));
    QVERIFY(file.writeString("Brikko32", "Hide Splash", "True"));
    QVERIFY(file.writeString("Brikko32", "Fill Lines", "True"));
    QCOMPARE(readAll(path()), QByteArray("[Brikko32]\nFill Lines=True\nHide Splash=True\n"));
}

void TestProfileFile::writeIntoAMissingFolderFailsQuietly() {
    // A folder whose parent is a regular file cannot exist, even for root.
    writeAll(path("plain"), "x");
    ProfileFile file(path("plain/sub/Brikko32.ini"));
    QVERIFY(!file.writeString("s", "k", "1"));
    QCOMPARE(file.getString("s", "k", "d", 255), QStringLiteral("d"));
    QCOMPARE(readAll(path("plain")), QByteArray("x"));
}

void TestProfileFile::fileOverTheCapIsReadInPartAndNeverWritten() {
    QByteArray big = "[s]\nk=first\n";
    big += QByteArray(ProfileFile::MaxFileSize, ';') + "\n[t]\nm=late\n";
    writeAll(path(), big);
    ProfileFile file(path());
    QCOMPARE(file.getString("s", "k", "d", 255), QStringLiteral("first"));
    QCOMPARE(file.getString("t", "m", "d", 255), QStringLiteral("d")); // past the cap
    QVERIFY(!file.writeString("s", "k", "second"));
    QCOMPARE(readAll(path()), big);

    // A write that would take a file over the cap is refused as well.
    QByteArray nearly = "[s]\n" + QByteArray(ProfileFile::MaxFileSize - 6, ';') + "\n";
    writeAll(path(), nearly);
    QVERIFY(!file.writeString("s", "k", "1"));
    QCOMPARE(readAll(path()), nearly);
}

void TestProfileFile::notARegularFileGivesTheDefaultAndIsNotWritten() {
    QVERIFY(QDir(dir_->path()).mkdir("folder.ini"));
    ProfileFile folder(path("folder.ini"));
    QCOMPARE(folder.getString("s", "k", "d", 255), QStringLiteral("d"));
    QVERIFY(!folder.writeString("s", "k", "1"));

    // A named pipe would block a reader that opened it.
    const QByteArray fifo = QFile::encodeName(path("pipe.ini"));
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    ProfileFile pipe(path("pipe.ini"));
    QCOMPARE(pipe.getString("s", "k", "d", 255), QStringLiteral("d"));
    QVERIFY(!pipe.writeString("s", "k", "1"));

    // A dangling link is not followed to create its target.
    QVERIFY(QFile::link(path("nowhere/target.ini"), path("link.ini")));
    QVERIFY(!ProfileFile(path("link.ini")).writeString("s", "k", "1"));
}

void TestProfileFile::binaryContentIsKeptByAWrite() {
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) % 256));
    binary.append('\n');
    writeAll(path(), binary);
    ProfileFile file(path());
    QCOMPARE(file.getString("Brikko32", "Fill Lines", "d", 2), QStringLiteral("d"));
    QVERIFY(file.writeString("Brikko32", "Fill Lines", "True"));
    const QByteArray after = readAll(path());
    QVERIFY(after.startsWith(binary));
    QCOMPARE(file.getString("Brikko32", "Fill Lines", "d", 255), QStringLiteral("True"));
}

void TestProfileFile::windows1252Table() {
    QCOMPARE(fromWindows1252("\x80\x81\x8A\x9F\xA0\xE9\xFF"),
             QString::fromUtf8("€\u0081Š\u0178\u00A0éÿ"));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(toWindows1252(fromWindows1252(all)), std::optional<QByteArray>(all));
    QVERIFY(!toWindows1252(QString::fromUtf8("中")));
    QVERIFY(isValidUtf8("caf\xC3\xA9"));
    QVERIFY(!isValidUtf8("caf\xE9"));
    QVERIFY(!isValidUtf8("\xC0\xAF"));     // overlong
    QVERIFY(!isValidUtf8("\xED\xA0\x80")); // a surrogate
    QVERIFY(!isValidUtf8("\xC3"));         // cut short
    QCOMPARE(utf8CompletePrefix("ab\xC3"), QByteArrayView("ab"));
    QCOMPARE(utf8CompletePrefix("ab\xE2\x82"), QByteArrayView("ab"));
    QCOMPARE(utf8CompletePrefix("ab\xE2\x82\xAC"), QByteArrayView("ab\xE2\x82\xAC"));
    QCOMPARE(decodeUtf8OrWindows1252("\xEF\xBB\xBF"
                                     "a\xEF\xBB\xBF"),
             QString::fromUtf8("a\uFEFF"));
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
