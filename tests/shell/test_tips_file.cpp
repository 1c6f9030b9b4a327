// SPDX-License-Identifier: GPL-3.0-or-later
// Which tips file the tip window reads (a teacher's, a school's, the
// installed one) and what it says of a file it cannot read, offscreen
// through the window's controls.
#include "fakes.h"
#include "strange_files.h"
#include "tip_window.h"
#include "tips_file.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

class TestTipsFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeSettingsStore settings_;

    QString folder(const QString& name) const { return dir_.filePath(name); }
    // user: the teacher's own folder; school1, school2: the system's
    // configuration folders; data: the installed data.
    AppPaths paths() const {
        return AppPaths(folder("data"), folder("userdata"), folder("user"),
                        {folder("school1"), folder("school2")});
    }
    QString tipsPath(const QString& where) const {
        return folder(where) + '/' + TipWindow::tipsFileName();
    }
    // What the window shows when it opens, and the tips it holds.
    std::pair<QString, QStringList> openWindow() {
        TipWindow tip(settings_, paths());
        tip.show(false);
        return {tip.control<QLabel>("lblTipText")->text(), tip.tips()};
    }

private slots:
    void init() {
        for (const char* name : {"data", "userdata", "user", "school1", "school2"}) {
            QDir(folder(name)).removeRecursively();
            QVERIFY(QDir().mkpath(folder(name)));
        }
    }

    void teachersTipsComeBeforeTheInstalledOnes_data() {
        QTest::addColumn<QStringList>("present"); // folders holding a tips file
        QTest::addColumn<QString>("shown");       // the folder whose tip shows
        using L = QStringList;
        QTest::addRow("installed only") << L{"data"} << "data";
        QTest::addRow("school before installed") << L{"school2", "data"} << "school2";
        QTest::addRow("first school folder first") << L{"school1", "school2", "data"} << "school1";
        QTest::addRow("teacher before school") << L{"user", "school1", "data"} << "user";
    }
    void teachersTipsComeBeforeTheInstalledOnes() {
        QFETCH(QStringList, present);
        QFETCH(QString, shown);
        for (const QString& where : present)
            QVERIFY(writeBytes(tipsPath(where), where.toUtf8() + " tip\r\n"));
        QCOMPARE(openWindow(), std::pair(shown + " tip", QStringList{shown + " tip"}));
    }

    // No file anywhere: the message names the teacher's own folder.
    void missingFileNamesTheTeachersFolder() {
        QVERIFY(QDir().mkpath(tipsPath("school1"))); // a folder of that name is no file
        QCOMPARE(openWindow().first, TipWindow::missingFileMessage(folder("user")));
        QVERIFY(TipWindow::missingFileMessage(QDir::homePath() + "/.config/vorelle")
                    .endsWith("Puis placez le dans le dossier ~/.config/vorelle."));
    }

    // A file that is there but is not text is told as such, with its place,
    // rather than passed over or called missing; a pipe is never opened
    // (its reader would wait for ever).
    void fileThatIsNotTextHasItsOwnMessage_data() {
        QTest::addColumn<QString>("kind");
        QTest::addRow("NUL bytes") << "binary";
        QTest::addRow("pipe") << "fifo";
        QTest::addRow("link to a device that reads empty") << "/dev/null";
        QTest::addRow("link to a device that reads NULs") << "/dev/zero";
        QTest::addRow("not readable") << "unreadable";
    }
    void fileThatIsNotTextHasItsOwnMessage() {
        QFETCH(QString, kind);
        const QString path = tipsPath("user");
        const QByteArray name = QFile::encodeName(path);
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind.startsWith('/')) {
            QVERIFY(QFile::link(kind, path));
        } else {
            QVERIFY(writeBytes(path, QByteArray("A\r\nB\0C\r\n", 8)));
            if (kind == "unreadable") {
                if (::geteuid() == 0)
                    QSKIP("root reads any file");
                QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
            }
        }
        QVERIFY(writeBytes(tipsPath("data"), "installed\r\n"));
        QCOMPARE(openWindow(), std::pair(TipWindow::unreadableFileMessage(path), QStringList()));
        QCOMPARE(TipsFile::load(path).outcome, TipsFile::Outcome::NotText);
        QCOMPARE(TipsFile::load(tipsPath("school1")).outcome, TipsFile::Outcome::Missing);
    }

    // The real folders: the user's own, then those of XDG_CONFIG_DIRS in
    // their order (/etc/xdg when unset), then the installed data.
    void realFoldersFollowTheSystemsConfigurationFolders_data() {
        QTest::addColumn<QByteArray>("configDirs"); // null: unset
        QTest::addColumn<QStringList>("system");
        QTest::addRow("unset") << QByteArray() << QStringList{"/etc/xdg/vorelle"};
        QTest::addRow("two folders") << QByteArray("/srv/school:/opt/conf")
                                     << QStringList{"/srv/school/vorelle", "/opt/conf/vorelle"};
    }
    void realFoldersFollowTheSystemsConfigurationFolders() {
        QFETCH(QByteArray, configDirs);
        QFETCH(QStringList, system);
        const QByteArray saved = qgetenv("XDG_CONFIG_DIRS");
        const QString savedName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName("vorelle");
        if (configDirs.isNull())
            qunsetenv("XDG_CONFIG_DIRS");
        else
            qputenv("XDG_CONFIG_DIRS", configDirs);
        const AppPaths real = AppPaths::system();
        qputenv("XDG_CONFIG_DIRS", saved);
        QCoreApplication::setApplicationName(savedName);
        QCOMPARE(TipWindow::tipsFolders(real),
                 QStringList{qEnvironmentVariable("XDG_CONFIG_HOME") + "/vorelle"} + system +
                     QStringList{real.dataDir()});
    }
};

QTEST_MAIN(TestTipsFile)
#include "test_tips_file.moc"
