// Reading the tips file: line ends, encodings, and files that are huge,
// binary or unreadable.
#include "tip_list.h"
#include "tips_file.h"
#include "tips_setting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

class TipsFileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        f.write(bytes);
        return path;
    }

private slots:
    void linesBecomeTips_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("tips");
        const QStringList abc{"A", "B", "C"};
        QTest::addRow("CR LF") << QByteArray("A\r\nB\r\nC") << abc;
        QTest::addRow("final CR LF adds no tip") << QByteArray("A\r\nB\r\nC\r\n") << abc;
        QTest::addRow("CR alone") << QByteArray("A\rB\rC\r") << abc;
        QTest::addRow("LF alone") << QByteArray("A\nB\nC\n") << abc;
        QTest::addRow("mixed ends") << QByteArray("A\rB\nC\r\n") << abc;
        QTest::addRow("empty line is an empty tip")
            << QByteArray("A\r\n\r\nC\r\n") << QStringList{"A", "", "C"};
        QTest::addRow("empty last line") << QByteArray("A\r\n\r\n") << QStringList{"A", ""};
        QTest::addRow("CR then CR LF") << QByteArray("A\r\r\nB") << QStringList{"A", "", "B"};
        QTest::addRow("empty file") << QByteArray() << QStringList{};
        QTest::addRow("only a line end") << QByteArray("\r\n") << QStringList{""};
        QTest::addRow("spaces and markup kept")
            << QByteArray("  <b>gras</b>  \r\n") << QStringList{"  <b>gras</b>  "};
        QTest::addRow("tab kept, other controls dropped") << QByteArray("a\tb\x01\x1b"
                                                                        "c\x7f\r\n\x1a")
                                                          << QStringList{"a\tbc", ""};
    }

    void linesBecomeTips() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, tips);
        const auto read = TipsFile::parse(bytes);
        QVERIFY(read.has_value());
        QCOMPARE(*read, tips);
    }

    void encodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("tip");
        const QString accents = QStringLiteral("Élève : « déjà » œuvre… 20 €");
        QTest::addRow("UTF-8") << accents.toUtf8() + "\r\n" << accents;
        QTest::addRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + accents.toUtf8() + "\r\n"
                                        << accents;
        QTest::addRow("Windows-1252")
            << QByteArray("\xC9l\xE8ve : \xAB d\xE9j\xE0 \xBB \x9Cuvre\x85 20 \x80\r\n") << accents;
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (QChar c : accents + QStringLiteral("\r\n")) {
            le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
            be += char(c.unicode() >> 8), be += char(c.unicode() & 0xFF);
        }
        QTest::addRow("UTF-16 LE with BOM") << le << accents;
        QTest::addRow("UTF-16 BE with BOM") << be << accents;
        // One bad byte makes the whole file Windows-1252.
        QTest::addRow("mostly UTF-8 with one stray byte")
            << QByteArray("d\xC3\xA9j\xC3\xA0 \xE9t\xE9\r\n") << QStringLiteral("dÃ©jÃ\u00A0 été");
        QTest::addRow("unassigned Windows-1252 bytes are dropped")
            << QByteArray("a\x81\x8D\x8F\x90\x9Dz\r\n") << QStringLiteral("az");
    }

    void encodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, tip);
        const auto read = TipsFile::parse(bytes);
        QVERIFY(read.has_value());
        QCOMPARE(*read, QStringList{tip});
    }

    void binaryIsNotATipsFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("NUL in text") << QByteArray("astuce\0suite\r\n", 14);
        QTest::addRow("image header") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QByteArray utf16NoBom;
        for (char c : QByteArray("astuce"))
            utf16NoBom += c, utf16NoBom += '\0';
        QTest::addRow("UTF-16 without BOM") << utf16NoBom;
    }

    void binaryIsNotATipsFile() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!TipsFile::parse(bytes).has_value());
        QVERIFY(!TipsFile::read(write(QStringLiteral("binary.txt"), bytes)).has_value());
    }

    void hugeFileIsCapped() {
        // Long lines well past the byte cap, with accents so that the cut
        // falls inside a UTF-8 sequence.
        const QByteArray line = QString(QStringLiteral("é")).repeated(400).toUtf8() + "ab\r\n";
        QByteArray bytes;
        while (bytes.size() < 3 * TipsFile::maxBytes)
            bytes += line;
        const auto read = TipsFile::read(write(QStringLiteral("huge.txt"), bytes));
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), int(TipsFile::maxBytes / line.size()));
        // Still read as UTF-8, and the line cut by the cap is left out.
        for (const QString& tip : *read)
            QCOMPARE(tip, QString(QStringLiteral("é")).repeated(400) + QStringLiteral("ab"));
    }

    void hugeSingleLineIsCut() {
        const QByteArray bytes(3 * TipsFile::maxBytes, 'x');
        const auto read = TipsFile::read(write(QStringLiteral("one-line.txt"), bytes));
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), 1);
        QCOMPARE(read->first().size(), TipsFile::maxTipLength);
    }

    void tooManyLinesAreCapped() {
        const QByteArray bytes = QByteArray("x\r\n").repeated(TipsFile::maxTips + 10);
        const auto read = TipsFile::parse(bytes);
        QVERIFY(read.has_value());
        QCOMPARE(read->size(), TipsFile::maxTips);
    }

    void unreadableFilesAreNotRead() {
        QVERIFY(!TipsFile::read(QString()).has_value());
        QVERIFY(!TipsFile::read(dir_.filePath(QStringLiteral("missing.txt"))).has_value());
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("folder.txt")));
        QVERIFY(!TipsFile::read(dir_.filePath(QStringLiteral("folder.txt"))).has_value());
        // A hidden file does not count, as in a directory listing.
        QVERIFY(!TipsFile::read(write(QStringLiteral(".hidden.txt"), "A\r\n")).has_value());
        // A pipe would block a reader for ever.
        const QString fifo = dir_.filePath(QStringLiteral("pipe.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!TipsFile::read(fifo).has_value());
        // Opened, but every read fails.
        QVERIFY(!TipsFile::read(QStringLiteral("/proc/self/mem")).has_value());
    }

    void fileWithoutReadPermissionIsNotRead() {
        const QString path = write(QStringLiteral("locked.txt"), "A\r\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files whatever their permissions");
        QVERIFY(!TipsFile::read(path).has_value());
    }

    void tipListAdvancesEvenWhenEmpty() {
        TipList list;
        list.advance();
        QCOMPARE(list.current(), 1);
        QCOMPARE(list.currentTip(), QString());
        list.append({"A"});
        list.advance();
        QCOMPARE(list.currentTip(), QStringLiteral("A"));
    }

    void tipListStopsGrowingAtItsCap() {
        TipList list;
        const QStringList many(TipList::maxSize - 1, QStringLiteral("x"));
        list.append(many);
        list.append({"y", "z"});
        QCOMPARE(list.tips().size(), TipList::maxSize);
        QCOMPARE(list.tips().last(), QStringLiteral("y"));
    }

    void storedSettingValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addRow("written ticked") << "1" << 1;
        QTest::addRow("written unticked") << "0" << 0;
        QTest::addRow("spaces around") << " 0 " << 0;
        QTest::addRow("negative") << "-1" << -1;
        QTest::addRow("decimal below a half") << "0.4" << 0;
        QTest::addRow("decimal comma") << "0,4" << 0;
        QTest::addRow("half rounds to even") << "0.5" << 0;
        QTest::addRow("above a half") << "0.6" << 1;
        QTest::addRow("not a number") << "oui" << 1;
        QTest::addRow("empty text") << "" << 1;
        QTest::addRow("too large for 32 bits") << "99999999999" << 1;
        QTest::addRow("infinite") << "inf" << 1;
    }

    void storedSettingValue() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(TipsSetting::valueOf(text), value);
    }
};

QTEST_GUILESS_MAIN(TipsFileTest)
#include "test_tips_file.moc"
