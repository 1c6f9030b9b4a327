// Tips files that are huge, binary or unreadable, and the shipped tips file.
#include "number_words.h"
#include "tips_file.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class TipsFileTest : public QObject {
    Q_OBJECT

private slots:
    void strangeFilesGiveSensibleTips_data() {
        QTest::addColumn<QString>("kind"); // a path, or what to make at the path
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count"); // -1: not read
        QTest::addColumn<QString>("first");
        // An odd line length puts the cut at the byte cap inside an "é".
        const QString accents = QString(QStringLiteral("é")).repeated(400) + "a";
        const QByteArray line = accents.toUtf8() + "\r\n";
        const int lines = int(TipsFile::maxBytes / line.size());
        QTest::addRow("missing") << "" << QByteArray() << -1 << QString();
        QTest::addRow("folder") << "folder" << QByteArray() << -1 << QString();
        QTest::addRow("pipe") << "pipe" << QByteArray() << -1 << QString();
        QTest::addRow("every read fails") << "/proc/self/mem" << QByteArray() << -1 << QString();
        QTest::addRow("NUL bytes") << "file" << QByteArray("A\r\nB\0C\r\n", 8) << -1 << QString();
        QTest::addRow("empty") << "file" << QByteArray() << 0 << QString();
        QTest::addRow("huge: UTF-8 kept, line cut dropped")
            << "file" << line.repeated(lines + 2) << lines << accents;
        QTest::addRow("huge line cut") << "file" << QByteArray(2 * TipsFile::maxBytes, 'x') << 1
                                       << QString(TipsFile::maxTipLength, 'x');
        QTest::addRow("too many lines")
            << "file" << QByteArray("x\n").repeated(TipsFile::maxTips + 1) << TipsFile::maxTips
            << "x";
    }
    void strangeFilesGiveSensibleTips() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QString, first);
        QTemporaryDir dir;
        const QString path = kind.startsWith('/') ? kind : dir.filePath("tips.txt");
        QFile file(path);
        if (kind == "file")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const auto tips = TipsFile::read(path);
        QCOMPARE(tips ? int(tips->size()) : -1, count);
        if (count > 0)
            QCOMPARE(tips->first(), first);
    }

    void shippedTipsAreUtf8AndSpellNumbersAsTheExercise() {
        QFile f(qEnvironmentVariable("VORELLE_TEST_DATA") + "/TIPOFDAY1.TXT");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes);
        QCOMPARE(bytes.count("\r") + bytes.count("\n"), 2 * bytes.count("\r\n"));
        const auto tips = TipsFile::parse(bytes);
        QVERIFY(tips && tips->size() >= 20);
        // Numbers of one or two groups, as the tips use them, and the words
        // named for themselves.
        QSet<QString> spelled{"et", "million", "milliard"};
        for (double a = 0; a < 1000; ++a)
            for (double n : {a, 1000 + a, a * 1e3, a * 1e6, a * 1e9, 1e6 + a * 1e3, 2e6 + a * 1e3})
                spelled.insert(Module1::NumberToWords(n));
        static const QRegularExpression quoted(QStringLiteral("«([^»]*)»"));
        int checked = 0;
        for (const QString& tip : *tips) {
            QVERIFY2(!tip.trimmed().isEmpty() && tip.count(u'«') == tip.count(u'»'),
                     qPrintable(tip));
            for (const auto& m : quoted.globalMatch(tip)) {
                QVERIFY2(spelled.contains(m.captured(1).trimmed()), qPrintable(m.captured(1)));
                ++checked;
            }
        }
        QVERIFY(checked >= 40);
    }
};

QTEST_GUILESS_MAIN(TipsFileTest)
#include "test_tips_file.moc"
