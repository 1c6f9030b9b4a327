// The program itself, started as a process offscreen: a second copy ends
// before any window shows, and a settings folder that cannot be written
// does not stop it.
#include "process_fixture.h"

namespace {
const QString kProgram = QStringLiteral(VORELLE_PROGRAM);
} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private:
    ProcessFixture f_;

    QProcess* program(const QString& config) {
        return f_.start(kProgram, {}, f_.environment(f_.path(QStringLiteral("run")), config));
    }
    QString socket() const { return f_.path(QStringLiteral("run/vorelle.socket")); }

private slots:
    void init() { QVERIFY(f_.setUp()); }
    void cleanup() { f_.tearDown(); }

    void secondCopyEndsBeforeAnyWindow() {
        QProcess* first = program(f_.path(QStringLiteral("config")));
        QVERIFY(first->waitForStarted(ProcessFixture::waitMs));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket()), ProcessFixture::waitMs);

        // Its own settings folder tells whether the second copy opened the
        // tip window: opening it writes the setting.
        const QString config2 = f_.path(QStringLiteral("config2"));
        QProcess* second = program(config2);
        QVERIFY(ProcessFixture::endsWithCodeZero(second));
        QVERIFY(QDir(config2).isEmpty());

        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(ProcessFixture::askToComeForward(socket()), QByteArray("ok\n"));
        // The first copy did open its tip window and store the setting.
        QVERIFY(QFile::exists(f_.path(QStringLiteral("config/vorelle/vorelle.ini"))));
    }

    void runsWithoutAWritableSettingsFolder_data() {
        QTest::addColumn<QString>("config");
        QTest::addColumn<bool>("created");
        // A file where the folder should be: nothing can be created below it.
        QTest::addRow("file in the way") << QStringLiteral("config-file") << false;
        // A folder nobody may create anything in, root included.
        QTest::addRow("read-only folder") << QStringLiteral("/proc/self") << false;
        // A missing folder is created.
        QTest::addRow("missing folder") << QStringLiteral("no/such/folder") << true;
    }

    void runsWithoutAWritableSettingsFolder() {
        QFETCH(QString, config);
        QFETCH(bool, created);
        if (!config.startsWith(QLatin1Char('/')))
            config = f_.path(config);
        if (config.endsWith(QLatin1String("config-file"))) {
            QFile file(config);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a folder\n");
        }
        QProcess* p = program(config);
        QVERIFY(p->waitForStarted(ProcessFixture::waitMs));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket()), ProcessFixture::waitMs);
        // It answers from inside the tip window, after storing the setting
        // failed silently (or worked, in a folder it could create).
        QCOMPARE(ProcessFixture::askToComeForward(socket()), QByteArray("ok\n"));
        QCOMPARE(p->state(), QProcess::Running);
        QCOMPARE(QFile::exists(config + QStringLiteral("/vorelle/vorelle.ini")), created);
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "test_program.moc"
