// Start-up: the main window loads first, the tips come before it when the
// setting asks for them, and a second copy ends before any window shows.
#include "fake_instance_guard.h"
#include "fakes.h"
#include "form1.h"
#include "frm_tip.h"
#include "module2.h"
#include "program_end.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

class Module2Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    FakeClock clock_;
    FakeRandom random_;
    FakeSoundPlayer sounds_;
    FakeMessageBoxes boxes_;
    FakeInstanceGuard instance_;
    FakeSettingsStore settings_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<frmTip> tip_;
    int ends_ = 0;

    static QString settingKey() {
        return executableBaseName() + QStringLiteral("/Options/Show Tips at Startup");
    }
    QWidget* mainWindow() const { return form1_->widget(); }
    bool mainWindowShown() const { return form1_->isVisible(); }

    // What the start-up looked like while the tip window was open: Main()
    // only returns once it is closed, so a timer looks from inside.
    struct Seen {
        bool ran = false;
        bool tipShown = false;
        bool tipModal = false;
        bool mainLoaded = false;
        bool mainShown = true;
        QString tip;
    };
    Seen runStartUpClosingTheTips() {
        Seen seen;
        QTimer::singleShot(0, this, [this, &seen] {
            seen.ran = true;
            seen.tipShown = tip_->isVisible();
            seen.tipModal = QApplication::activeModalWidget() == tip_->widget() ||
                            (tip_->widget() && tip_->widget()->isModal());
            seen.mainLoaded = form1_->isLoaded();
            seen.mainShown = mainWindowShown();
            if (auto* label = tip_->control<QLabel>(QStringLiteral("lblTipText")))
                seen.tip = label->text();
            tip_->cmdOK_Click();
        });
        Module2::Main(*form1_, *tip_, settings_);
        return seen;
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QFile f(dir_->filePath(frmTip::tipsFileName()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("A\r\nB\r\n");
        f.close();
        const AppPaths paths(dir_->path(), dir_->path(), dir_->path());
        instance_.another = false;
        instance_.asked = 0;
        settings_ = FakeSettingsStore();
        form1_ = std::make_unique<Form1>(
            ExerciseServices{clock_, random_, sounds_, boxes_, instance_, paths});
        tip_ = std::make_unique<frmTip>(settings_, paths);
        ends_ = 0;
        ProgramEnd::setExitHandler([this] { ++ends_; });
    }

    void cleanup() {
        tip_.reset();
        form1_.reset();
        ProgramEnd::setExitHandler({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void firstRunShowsTheTipsBeforeTheMainWindow() {
        const Seen seen = runStartUpClosingTheTips();
        QVERIFY(seen.ran);
        QVERIFY(seen.tipShown);
        QVERIFY(seen.tipModal);
        QVERIFY(seen.mainLoaded);
        QVERIFY(!seen.mainShown);
        QCOMPARE(seen.tip, QStringLiteral("A"));
        QVERIFY(mainWindowShown());
        QVERIFY(!tip_->isLoaded());
        QCOMPARE(instance_.asked, 1);
        QCOMPARE(settings_.values.value(settingKey()), QStringLiteral("1"));
    }

    void settingDecidesWhetherTheTipsComeFirst_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("tipsFirst");
        QTest::addRow("ticked") << "1" << true;
        QTest::addRow("unticked") << "0" << false;
        QTest::addRow("not a number counts as ticked") << "peut-être" << true;
        QTest::addRow("empty counts as ticked") << "" << true;
        QTest::addRow("any other number") << "7" << true;
    }

    void settingDecidesWhetherTheTipsComeFirst() {
        QFETCH(QString, stored);
        QFETCH(bool, tipsFirst);
        settings_.values[settingKey()] = stored;
        const Seen seen = runStartUpClosingTheTips();
        // Without the tips, Main() returns before the timer can run.
        QCOMPARE(seen.ran && seen.tipShown && !seen.mainShown, tipsFirst);
        QVERIFY(mainWindowShown());
        // Showing the tips writes a clean "1"; not showing them writes nothing.
        QCOMPARE(settings_.values.value(settingKey()), tipsFirst ? QStringLiteral("1") : stored);
        QCOMPARE(settings_.writes.isEmpty(), !tipsFirst);
        QCoreApplication::processEvents(); // let a pending timer run
    }

    void secondCopyEndsBeforeAnyWindowShows() {
        instance_.another = true;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, Module2::Main(*form1_, *tip_, settings_));
        QCOMPARE(ends_, 1);
        QVERIFY(!mainWindowShown());
        QVERIFY(!tip_->isLoaded());
        QVERIFY(settings_.writes.isEmpty());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void tipsMenuOpensTheTipsBesideTheMainWindow() {
        settings_.values[settingKey()] = QStringLiteral("0");
        Module2::Main(*form1_, *tip_, settings_);
        QVERIFY(!tip_->isLoaded());
        form1_->astuce_Click();
        QVERIFY(tip_->isVisible());
        QCOMPARE(tip_->widget()->windowModality(), Qt::NonModal);
        QVERIFY(mainWindowShown());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The menu's opening ticks the box again.
        QCOMPARE(settings_.values.value(settingKey()), QStringLiteral("1"));
        // A second "Astuces" while open keeps the tip shown.
        form1_->astuce_Click();
        QCOMPARE(tip_->CurrentTip(), 1);
    }

    void closingTheMainWindowEndsTheProgram() {
        settings_.values[settingKey()] = QStringLiteral("0");
        Module2::Main(*form1_, *tip_, settings_);
        form1_->astuce_Click();
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, form1_->Unload());
        QCOMPARE(ends_, 1);
    }

    void laterCopyBringsForwardTheRightWindow() {
        settings_.values[settingKey()] = QStringLiteral("0");
        QCOMPARE(Module2::WindowToBringForward(), nullptr);
        Module2::Main(*form1_, *tip_, settings_);
        QCOMPARE(Module2::WindowToBringForward(), mainWindow());
        // The tip window open beside it does not take the main window's place.
        form1_->astuce_Click();
        QCOMPARE(Module2::WindowToBringForward(), mainWindow());
        tip_->cmdOK_Click();
        // While the main window is hidden (the game runs), the shown window.
        QWidget game;
        game.setObjectName(QStringLiteral("frmBrikko"));
        game.show();
        form1_->Hide();
        QCOMPARE(Module2::WindowToBringForward(), &game);
        game.hide();
        QCOMPARE(Module2::WindowToBringForward(), nullptr);
    }

    void laterCopyDuringStartUpBringsTheTips() {
        QWidget* found = nullptr;
        QTimer::singleShot(0, this, [this, &found] {
            found = Module2::WindowToBringForward();
            tip_->cmdOK_Click();
        });
        Module2::Main(*form1_, *tip_, settings_);
        QVERIFY(found);
        QCOMPARE(found->objectName(), QStringLiteral("frmTip"));
    }

    void bringingForwardRestoresAMinimizedWindow_data() {
        QTest::addColumn<bool>("maximized");
        QTest::addRow("normal") << false;
        QTest::addRow("maximized stays maximized") << true;
    }

    void bringingForwardRestoresAMinimizedWindow() {
        QFETCH(bool, maximized);
        settings_.values[settingKey()] = QStringLiteral("0");
        Module2::Main(*form1_, *tip_, settings_);
        QWidget* w = mainWindow();
        if (maximized)
            w->showMaximized();
        w->setWindowState(w->windowState() | Qt::WindowMinimized);
        QVERIFY(w->isMinimized());
        Module2::BringProgramForward();
        QVERIFY(!w->isMinimized());
        QCOMPARE(w->isMaximized(), maximized);
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(Module2Test)
#include "test_module2.moc"
