// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: values read into a buffer of a given size, writes in
// place, and files it must neither read whole nor write.
#include "profile_file.h"
#include "strange_files.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestProfileFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const char* name = "Brikko32.ini") const { return dir_.filePath(name); }
    // A null content: no file.
    void writeAll(const QByteArray& bytes, const QString& name) {
        QFile::remove(name);
        QVERIFY(bytes.isNull() || writeBytes(name, bytes));
    }

private slots:
    // The value read into a buffer of the given size; "dflt" is the default.
    void reads_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* content, const char* section,
                            const char* key, int size, const char* expected) {
            QTest::addRow("%s", name) << QByteArray(content) << QString(section) << QString(key)
                                      << size << QString(expected);
        };
        // clang-format off
        row("blanks around", "  [ s ]  \r\n  k   =   a b  \r\n", "s", "k", 255, "a b");
        row("buffer of two", "[s]\nk=True\n", "s", "k", 2, "T");
        row("no file, default cut to the buffer", nullptr, "s", "k", 3, "df");
        row("byte order mark, comment", "\xEF\xBB\xBF[s]\r\n;k=1\r\nk=2\r\n", "s", "k", 255, "2");
        row("Windows-1252", "[s]\nk=caf\xE9 \x80\x81\x9F\n", "s", "k", 255, "café €\u0081Ÿ");
        row("character pair never cut", "[s]\nk=\xF0\x9F\x98\x80x\n", "s", "k", 2, "");
        // clang-format on
    }
    void reads() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, size);
        QFETCH(QString, expected);
        writeAll(content, path());
        QCOMPARE(ProfileFile(path()).getString(section, key, "dflt", size), expected);
    }

    // The bytes after writing the value 3 (a null `after`: refused, the same
    // bytes); the file created when there is none.
    void writes_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const char* before, const char* section,
                            const char* key, const char* after) {
            QTest::addRow("%s", name)
                << QByteArray(before) << QString::fromUtf8(section) << QString::fromUtf8(key)
                << QByteArray(after ? after : before);
        };
        // clang-format off
        row("file created", nullptr, "Brikko32", "Starting Level", "[Brikko32]\nStarting Level=3\n");
        row("in place, other lines and CR LF kept", "; top\r\n[Brikko32]\r\nStarting Level = 7 \r\nFill Lines=T\r\n",
            "brikko32", "STARTING LEVEL", "; top\r\n[Brikko32]\r\nSTARTING LEVEL=3\r\nFill Lines=T\r\n");
        row("after the section's last line", "[a]\nx=1\n\n[b]\ny=2\n", "a", "z", "[a]\nx=1\nz=3\n\n[b]\ny=2\n");
        row("section appended", "[a]\r\nx=1\r\n", "b", "z", "[a]\r\nx=1\r\n[b]\r\nz=3\r\n");
        row("Windows-1252 that cannot hold the text", "[a]\nn=\xE9\n", "a", "中", "[a]\nn=\xC3\xA9\n中=3\n");
        row("refused: bracket in the section", "[s]\nk=0\n", "s]", "k", nullptr);
        row("refused: equals sign in the key", "[s]\nk=0\n", "s", "a=b", nullptr);
        // clang-format on
    }
    void writes() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        writeAll(before, path());
        QCOMPARE(ProfileFile(path()).writeString(section, key, "3"), after != before);
        QCOMPARE(readBytes(path()), after);
        QVERIFY(!ProfileFile(path()).writeString("s", "k", "1\n[x]")); // a line break in a value
    }

    // Several keys in one replacement of the file: all of them or none. A
    // link is written through (the link stays, the file it leads to
    // changes), and the file keeps its permissions.
    void writesSeveralKeysAtOnceThroughALink() {
        writeAll("[s]\nk=0\n", path("target.ini"));
        QVERIFY(QFile::setPermissions(path("target.ini"), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(path("target.ini"), path("link.ini")));
        ProfileFile file(path("link.ini"));
        QVERIFY(!file.writeStrings("s", {{"k", "1"}, {"a=b", "2"}})); // a key it cannot store
        QCOMPARE(readBytes(path("target.ini")), "[s]\nk=0\n");
        QVERIFY(file.writeStrings("s", {{"k", "1"}, {"m", "2"}}));
        QCOMPARE(readBytes(path("target.ini")), "[s]\nk=1\nm=2\n");
        QVERIFY(QFileInfo(path("link.ini")).isSymLink());
        QCOMPARE(QFileInfo(path("target.ini")).permissions() &
                     ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    // Not a regular file (a named pipe would block its reader), a folder that
    // cannot exist (its parent is a file), a file over the cap (read up to the
    // cap only): the default is read, nothing is written.
    void neverWritesWhatItCannotReadWhole() {
        QCOMPARE(mkfifo(QFile::encodeName(path("pipe.ini")).constData(), 0600), 0);
        writeAll("x", path("plain"));
        const QByteArray big =
            "[s]\nk=first\n" + QByteArray(ProfileFile::MaxFileSize, ';') + "\n[t]\nm=late\n";
        writeAll(big, path("big.ini"));
        for (const char* name : {"pipe.ini", "plain/sub/b.ini", "big.ini"}) {
            ProfileFile file(path(name));
            QCOMPARE(file.getString("t", "m", "d", 255), QStringLiteral("d"));
            QVERIFY2(!file.writeString("s", "k", "1"), name);
        }
        QCOMPARE(readBytes(path("plain")) + readBytes(path("big.ini")), "x" + big);
        QCOMPARE(ProfileFile(path("big.ini")).getString("s", "k", "d", 255),
                 QStringLiteral("first"));
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
