// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on real files: which of the user's and the system's
// files a value comes from, files that are not regular files (never opened,
// never replaced), writes only of a change, and a save that fails said once.
#include "fakes.h"
#include "qt_settings_store.h"
#include "strange_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kSection = QStringLiteral("Options");
const QString kKey = QStringLiteral("Show Tips at Startup");
const QString kWhat = QStringLiteral("le réglage « Afficher les astuces au démarrage »");

// The user's configuration folder and two system ones, named in the
// environment as the desktop does, once for the whole test (the toolkit reads
// the environment once); emptied for each case.
struct Folders {
    QTemporaryDir dir;
    Folders() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("user")));
        qputenv("XDG_CONFIG_DIRS",
                QFile::encodeName(dir.filePath("sys1") + ':' + dir.filePath("sys2")));
    }
    void empty() {
        makeWritable(dir.filePath("user/vorelle"));
        for (const char* root : {"user", "sys1", "sys2"}) {
            QDir(dir.filePath(root)).removeRecursively();
            QFile::remove(dir.filePath(root)); // a file left where a folder goes
            QDir(dir.path()).mkpath(QString(root) + "/vorelle");
        }
    }
    // "user", "user-org", "sys1", "sys1-org", "sys2", "sys2-org".
    QString file(const QString& place) const {
        const QString root = place.section('-', 0, 0);
        return dir.filePath(place.endsWith("-org") ? root + "/vorelle.ini"
                                                   : root + "/vorelle/vorelle.ini");
    }
    // What to put at a place: a value of the key, or what makeAt makes
    // ("|pipe", "|device", ...; "|read-only" holds the value 0).
    bool make(const QString& place, const QString& what) {
        const bool made = what.startsWith('|');
        return makeAt(file(place), made ? what.mid(1) : "file",
                      "[Options]\nShow%20Tips%20at%20Startup=" + (made ? "0" : what.toUtf8()) +
                          "\n");
    }
    QStringList pipes() const {
        QStringList found;
        for (const char* place : {"user", "user-org", "sys1", "sys1-org", "sys2", "sys2-org"})
            if (kindOf(file(place)) == "pipe")
                found << file(place);
        return found;
    }
};

ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
    Folders folders;

private slots:
    void init() { folders.empty(); }

    // The first file in order that holds the key gives its value: the user's
    // own file, the user's organisation file, then each system folder's file,
    // then each system folder's organisation file. A named pipe or a device
    // in any of those places is passed over without being opened.
    void readsTheFirstFileThatHoldsTheKey_data() {
        QTest::addColumn<QStringList>("files"); // place=content
        QTest::addColumn<QString>("value");
        using L = QStringList;
        QTest::addRow("none: the default") << L{} << "default";
        QTest::addRow("a system file, as a school sets it") << L{"sys2=s2"} << "s2";
        QTest::addRow("the user's file first") << L{"user=u", "user-org=o", "sys1=s1"} << "u";
        QTest::addRow("the organisation file before the system's")
            << L{"user-org=o", "sys1=s1"} << "o";
        QTest::addRow("system files before system organisation files")
            << L{"sys1-org=o1", "sys2=s2"} << "s2";
        QTest::addRow("pipes in every place") << L{"user=|pipe", "user-org=|pipe", "sys1=|pipe",
                                                   "sys2=|pipe", "sys1-org=|pipe", "sys2-org=|pipe"}
                                              << "default";
        QTest::addRow("a link to a device") << L{"user=|device", "sys2-org=o2"} << "o2";
    }
    void readsTheFirstFileThatHoldsTheKey() {
        QFETCH(QStringList, files);
        for (const QString& f : files)
            QVERIFY2(folders.make(f.section('=', 0, 0), f.section('=', 1)), qPrintable(f));
        QtSettingsStore store;
        QString value;
        const bool opened = opensAPipe(folders.pipes(), [&] {
            value = store.getSetting("vorelle", kSection, kKey, "default");
        });
        QVERIFY2(!opened, "reading the settings opened a named pipe: the program would wait "
                          "for ever at start-up");
        QTEST(value, "value");
    }

    // Saving the value the store already holds writes nothing (not even to a
    // file that could not be written); a new value is written to the user's
    // file.
    void writesOnlyAChange() {
        const QString user = folders.file("user");
        QVERIFY(folders.make("user", "1"));
        FakeMessageBoxes boxes;
        QtSettingsStore store(&boxes);
        const ino_t before = inodeOf(user);
        QVERIFY(store.saveSetting("vorelle", kSection, kKey, "1", kWhat));
        QVERIFY2(inodeOf(user) == before, "the unchanged value was written again");
        QVERIFY(store.saveSetting("vorelle", kSection, kKey, "0", kWhat));
        QCOMPARE(store.getSetting("vorelle", kSection, kKey, "default"), "0");
        QVERIFY(inodeOf(user) != before);
        // Held by a system file; the user's file cannot be made.
        folders.empty();
        QVERIFY(folders.make("sys1", "0") && folders.make("user", "|folder"));
        QVERIFY(store.saveSetting("vorelle", kSection, kKey, "0", kWhat));
        QCOMPARE(boxes.shown.size(), std::size_t(0));
    }

    // A user's file that cannot be written: the save fails, what is there
    // stays as it was (a device is not replaced by a file, a pipe is not
    // opened), the value reads as before, and one message for the file says
    // what was not saved and where, however many saves fail.
    void unsavableSettingIsSaidOncePerFile_data() {
        QTest::addColumn<QString>("user");
        QTest::addRow("a folder in its place") << "|folder";
        QTest::addRow("a named pipe") << "|pipe";
        QTest::addRow("a link to a device") << "|device";
        QTest::addRow("its folder is a file") << "|in a file";
        if (::geteuid() != 0) // root writes it all the same
            QTest::addRow("read-only") << "|read-only";
    }
    void unsavableSettingIsSaidOncePerFile() {
        QFETCH(QString, user);
        const QString path = folders.file("user");
        QVERIFY(folders.make("user", user));
        const QString kind = kindOf(path);
        FakeMessageBoxes boxes;
        QtSettingsStore store(&boxes);
        QString before, after;
        bool saved = true;
        const bool opened = opensAPipe(folders.pipes(), [&] {
            before = store.getSetting("vorelle", kSection, kKey, "1");
            saved = store.saveSetting("vorelle", kSection, kKey, "1" + before, kWhat) ||
                    store.saveSetting("vorelle", kSection, kKey, "2" + before, kWhat);
            after = store.getSetting("vorelle", kSection, kKey, "1");
        });
        QVERIFY2(!opened, "the settings opened a named pipe");
        QVERIFY2(kindOf(path) == kind, qPrintable("the " + kind + " was replaced"));
        QVERIFY2(!saved, "a save that could not be made was reported as done");
        QCOMPARE(after, before);
        QCOMPARE(boxes.shown.size(), std::size_t(1));
        QCOMPARE(boxes.shown[0].text,
                 "Impossible d'enregistrer le réglage « Afficher les astuces au démarrage » dans "
                 "le fichier « " +
                     path + " » : ce fichier ou son dossier ne peut pas être écrit.");
        QCOMPARE(boxes.shown[0].style, int(MsgExclamation));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
