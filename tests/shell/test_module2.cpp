// Start-up, the tips menu, and the window a later copy brings forward.
#include "fake_instance_guard.h"
#include "fakes.h"
#include "form1.h"
#include "frm_tip.h"
#include "program_end.h"
#include "startup.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class Module2Test : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakeClock clock_;
    FakeRandom random_;
    FakeSoundPlayer sounds_;
    FakeMessageBoxes boxes_;
    FakeInstanceGuard guard_;
    FakeSettingsStore settings_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<frmTip> tip_;
    bool tipsFirst_ = false;
    const QString key_ = executableBaseName() + QStringLiteral("/Options/Show Tips at Startup");

    // Main() returns once the modal tips are closed: a timer looks from inside.
    void startUp() {
        tipsFirst_ = false;
        QTimer::singleShot(0, this, [this] {
            tipsFirst_ = tip_->isVisible() && tip_->widget()->isModal() && form1_->isLoaded() &&
                         !form1_->isVisible() && Module2::WindowToBringForward() == tip_->widget();
            tip_->cmdOK_Click();
        });
        Module2::Main(*form1_, *tip_, settings_);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() {
        ProgramEnd::setExitHandler([] {});
    }
    void init() {
        const AppPaths paths(dir_.path(), dir_.path(), dir_.path());
        guard_ = FakeInstanceGuard();
        settings_ = FakeSettingsStore();
        form1_ = std::make_unique<Form1>(
            ExerciseServices{clock_, random_, sounds_, boxes_, guard_, paths});
        tip_ = std::make_unique<frmTip>(settings_, paths);
    }
    void cleanup() {
        tip_.reset();
        form1_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void settingDecidesWhetherTheTipsComeFirst_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("tipsFirst");
        QTest::addRow("none stored") << "<none>" << true;
        QTest::addRow("0") << "0" << false;
        QTest::addRow("not a number counts as 1") << "peut-être" << true;
        QTest::addRow("empty counts as 1") << "" << true;
        QTest::addRow("0,4 rounds to 0") << " 0,4 " << false;
        QTest::addRow("too large for 32 bits") << "99999999999" << true;
    }
    void settingDecidesWhetherTheTipsComeFirst() {
        QFETCH(QString, stored);
        QFETCH(bool, tipsFirst);
        if (stored != "<none>")
            settings_.values[key_] = stored;
        startUp();
        QCOMPARE(tipsFirst_, tipsFirst);
        QVERIFY(form1_->isVisible() && guard_.asked == 1);
        QCOMPARE(settings_.writes, tipsFirst ? QStringList{key_ + "=1"} : QStringList{});
    }

    void secondCopyEndsBeforeAnyWindowShows() {
        guard_.another = true;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, Module2::Main(*form1_, *tip_, settings_));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void tipsMenuAndBringingForwardOnceStarted() {
        settings_.values[key_] = QStringLiteral("0");
        startUp();
        QWidget* main = form1_->widget();
        form1_->astuce_Click();
        QVERIFY(tip_->isVisible() && !tip_->widget()->isModal());
        QCOMPARE(Module2::WindowToBringForward(), main);
        QDialog box; // a box over the main window comes first
        box.setModal(true);
        box.show();
        QCOMPARE(Module2::WindowToBringForward(), &box);
        box.hide();
        main->showMaximized();
        main->setWindowState(main->windowState() | Qt::WindowMinimized);
        Module2::BringProgramForward();
        QVERIFY(!main->isMinimized() && main->isMaximized());
        tip_->cmdOK_Click();
        // While the game runs, the main window is hidden.
        QWidget game;
        game.show();
        form1_->Hide();
        QCOMPARE(Module2::WindowToBringForward(), &game);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, form1_->Unload());
    }
};

QTEST_MAIN(Module2Test)
#include "test_module2.moc"
