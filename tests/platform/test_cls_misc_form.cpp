#include "cls_misc_form.h"
#include "fake_instance_guard.h"
#include "fake_window_system.h"
#include "fakes.h"
#include "system_menu.h"

#include <QWidget>
#include <QWindow>
#include <QtTest>
#include <limits>
#include <memory>
#include <stdexcept>

namespace {
constexpr qint64 kMaxTick = std::numeric_limits<qint32>::max();
constexpr qint64 kMinTick = std::numeric_limits<qint32>::min();

class TestForm : public Form {
public:
    TestForm(QSize size, Qt::WindowFlags flags)
        : Form(QStringLiteral("frmTest")), size_(size), flags_(flags) {}
    QWidget* createWidget() override {
        auto* w = new QWidget(nullptr, flags_);
        w->resize(size_);
        w->setWindowTitle(QStringLiteral("Vorelle"));
        return w;
    }

private:
    QSize size_;
    Qt::WindowFlags flags_;
};
} // namespace

// A fake pump that stops a pause gone wrong (a loop that never ends, or one
// that polls without waiting) instead of hanging the test: every pause polls
// through doEvents.
class GuardedPump : public FakeEventPump {
public:
    using FakeEventPump::FakeEventPump;
    void doEvents() override {
        if (++calls_ > 10000)
            throw std::runtime_error("the pause never ends");
        FakeEventPump::doEvents();
    }

private:
    int calls_ = 0;
};

class TestClsMiscForm : public QObject {
    Q_OBJECT

    FakeClock clock_;
    std::unique_ptr<GuardedPump> pump_;
    FakeInstanceGuard guard_;
    FakeWindowSystem windows_;
    std::unique_ptr<clsMiscForm> misc_;

    std::unique_ptr<TestForm> loadedForm(QSize size = {300, 200}, Qt::WindowFlags flags = {}) {
        auto form = std::make_unique<TestForm>(size, flags);
        form->Load();
        return form;
    }

private slots:
    void init() {
        clock_ = FakeClock();
        pump_ = std::make_unique<GuardedPump>(clock_);
        guard_ = FakeInstanceGuard();
        windows_ = FakeWindowSystem();
        misc_ = std::make_unique<clsMiscForm>(MiscFormServices{clock_, *pump_, guard_, windows_});
    }

    // The clock after the pause; an end of -1: the unit's code is refused
    // before any wait. A null code stands for the default one.
    void delay_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("amount");
        QTest::addColumn<QString>("code");
        QTest::addColumn<double>("end");
        QTest::addRow("5 s from 10:00:00.3 ends at 10:00:06") << 36000.3 << 5 << "s" << 36006.0;
        QTest::addRow("default unit is the second") << 36000.3 << 5 << QString() << 36006.0;
        QTest::addRow("0 waits for the next second") << 36000.3 << 0 << "s" << 36001.0;
        QTest::addRow("negative amount returns at once") << 36000.3 << -5 << "s" << 36000.3;
        QTest::addRow("end after midnight returns at once") << 86398.5 << 5 << "s" << 86398.5;
        QTest::addRow("end at 23:59:59 ends at midnight") << 86390.0 << 9 << "s" << 86400.0;
        QTest::addRow("1 minute") << 36000.3 << 1 << "n" << 36061.0;
        QTest::addRow("codes in capitals") << 36000.3 << 1 << "N" << 36061.0;
        QTest::addRow("a day compares equal, then greater") << 36000.3 << 1 << "d" << 36001.0;
        QTest::addRow("refused: x") << 36000.3 << 1 << "x" << -1.0;
        QTest::addRow("refused: empty") << 36000.3 << 1 << "" << -1.0;
        QTest::addRow("refused: doubled hour") << 36000.3 << 1 << "hh" << -1.0;
    }
    void delay() {
        QFETCH(double, start);
        QFETCH(int, amount);
        QFETCH(QString, code);
        QFETCH(double, end);
        clock_.seconds = start;
        qint16 n = qint16(amount);
        if (end < 0) {
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, misc_->Delay(n, code));
            QCOMPARE(pump_->pumps + pump_->waits, 0);
            return;
        }
        code.isNull() ? misc_->Delay(n) : misc_->Delay(n, code); // a hang throws
        QCOMPARE(qRound64(clock_.seconds * 1000), qRound64(end * 1000));
        QVERIFY(pump_->pumps >= 2);
        // Blocked between polls: about one wait per second, not a busy loop.
        QVERIFY(pump_->waits <= int(end - start) + 2);
    }

    void delayRunsEventsWhileItWaits() {
        bool ran = false;
        pump_->after(2.5, [&] { ran = true; });
        qint16 n = 4;
        misc_->Delay(n);
        QVERIFY(ran);
    }

    // The tick after the pause; refused, before any event pass, when its end
    // lies outside the 32-bit counter.
    void miniDelay_data() {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("amount");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<bool>("refused");
        QTest::addRow("250 ms") << qint64(1000) << 250 << qint64(1250) << false;
        QTest::addRow("0 is one event pass") << qint64(1000) << 0 << qint64(1000) << false;
        QTest::addRow("negative is one event pass")
            << qint64(1000) << -100 << qint64(1000) << false;
        QTest::addRow("end at the largest tick") << kMaxTick - 10 << 10 << kMaxTick << false;
        QTest::addRow("negative ticks") << kMinTick + 5 << 20 << kMinTick + 25 << false;
        QTest::addRow("past the largest tick") << kMaxTick - 10 << 11 << kMaxTick - 10 << true;
        QTest::addRow("below the smallest tick") << kMinTick + 5 << -6 << kMinTick + 5 << true;
        QTest::addRow("counter wrapped") << kMaxTick + 1 << -1 << kMaxTick + 1 << true;
    }
    void miniDelay() {
        QFETCH(qint64, start);
        QFETCH(int, amount);
        QFETCH(qint64, end);
        QFETCH(bool, refused);
        clock_.ticks = start;
        qint32 n = amount;
        if (refused)
            QVERIFY_THROWS_EXCEPTION(std::overflow_error, misc_->Mini_Delay(n));
        else
            misc_->Mini_Delay(n); // a hang throws
        QCOMPARE(clock_.ticks, end);
        QCOMPARE(pump_->pumps >= 1, !refused);
        if (end == start)
            QCOMPARE(pump_->waits, 0);
    }

    void removeX_data() {
        QTest::addColumn<int>("calls");
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("minimizeButton");
        QTest::addRow("once: close and separator go") << 1 << 5 << true;
        QTest::addRow("twice: maximise and minimise go too") << 2 << 3 << false;
    }
    void removeX() {
        QFETCH(int, calls);
        QFETCH(int, items);
        QFETCH(bool, minimizeButton);
        auto form = loadedForm();
        QWidget* w = form->widget();
        for (int i = 0; i < calls; ++i)
            misc_->RemoveX(*form);
        SystemMenu* menu = GetSystemMenu(w);
        QVERIFY(menu);
        QCOMPARE(menu->GetMenuItemCount(), items);
        QVERIFY(!menu->contains(SystemMenu::Command::Close));
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(w->windowFlags().testFlag(Qt::WindowTitleHint));
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), minimizeButton);

        // A close request from the window system (the title bar, Alt+F4) and
        // one from code are both refused.
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->windowHandle()->close();
        QVERIFY(!w->close());
        QCoreApplication::processEvents();
        QVERIFY(form->isLoaded() && w->isVisible());
    }

    void removeXLastsAsLongAsTheWindow() {
        auto form = loadedForm();
        misc_->RemoveX(*form);
        form->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form->widget()));
        QCOMPARE(GetSystemMenu(form->widget())->GetMenuItemCount(), 7);
        QVERIFY(form->widget()->close());
    }

    void removeXWithoutSystemMenu() {
        auto form = loadedForm({300, 200}, Qt::Window | Qt::FramelessWindowHint);
        const Qt::WindowFlags before = form->widget()->windowFlags();
        misc_->RemoveX(*form);
        QVERIFY(!GetSystemMenu(form->widget()));
        QCOMPARE(form->widget()->windowFlags(), before);
        form->Show();
        QVERIFY(form->widget()->close());
    }

    void centredTopLeftRoundsHalvesToEven_data() {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("topLeft");
        // 15345 / 2 = 7672.5 -> 7672; 7672 - 2257.5 = 5414.5 -> 5414.
        QTest::addRow("halves down to even")
            << QSize(15345, 11505) << QSize(4515, 3015) << QPoint(5414, 4244);
        // 15315 / 2 = 7657.5 -> 7658; 7658 - 2272.5 = 5385.5 -> 5386.
        QTest::addRow("halves up to even")
            << QSize(15315, 11475) << QSize(4545, 3045) << QPoint(5386, 4216);
        QTest::addRow("window larger than the area")
            << QSize(3000, 3000) << QSize(4515, 4515) << QPoint(-758, -758);
    }
    void centredTopLeftRoundsHalvesToEven() {
        QFETCH(QSize, area);
        QFETCH(QSize, window);
        QFETCH(QPoint, topLeft);
        QCOMPARE(
            miscform::centredTopLeft(area.width(), area.height(), window.width(), window.height()),
            topLeft);
    }

    void centerForm_data() {
        QTest::addColumn<QRect>("freeArea");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("position");
        QTest::addRow("odd sizes") << QRect(0, 0, 1023, 767) << QSize(301, 201) << QPoint(361, 283);
        QTest::addRow("odd window, even area")
            << QRect(0, 0, 1024, 768) << QSize(301, 201) << QPoint(361, 283);
        QTest::addRow("task bar on the left")
            << QRect(48, 0, 1232, 1024) << QSize(401, 301) << QPoint(48 + 415, 361);
        QTest::addRow("task bar at the top")
            << QRect(0, 30, 1280, 994) << QSize(300, 200) << QPoint(490, 30 + 397);
    }
    void centerForm() {
        QFETCH(QRect, freeArea);
        QFETCH(QSize, window);
        QFETCH(QPoint, position);
        windows_.freeArea = freeArea;
        auto form = loadedForm(window);
        form->widget()->move(5, 5);
        QCOMPARE(misc_->CenterForm(*form), false);
        QCOMPARE(form->widget()->pos(), position);
        QCOMPARE(form->widget()->size(), window);
    }

    // A window laid out in pixels stays where it is; one not loaded is an
    // error, which the result reports.
    void centerFormLeavesPixelAndUnloadedWindows() {
        auto form = loadedForm({301, 201});
        form->setScaleMode(Form::ScaleMode::Pixels);
        form->widget()->move(5, 7);
        QCOMPARE(misc_->CenterForm(*form), false);
        QCOMPARE(form->widget()->pos(), QPoint(5, 7));
        TestForm unloaded({300, 200}, {});
        QCOMPARE(misc_->CenterForm(unloaded), true);
        QVERIFY(!unloaded.isLoaded());
    }

    void alwaysOnTop_data() {
        QTest::addColumn<bool>("onTop");
        QTest::addRow("into the band") << true;
        QTest::addRow("out of the band") << false;
    }
    void alwaysOnTop() {
        QFETCH(bool, onTop);
        auto form = loadedForm({320, 240}, onTop ? Qt::Window : Qt::WindowStaysOnTopHint);
        form->widget()->move(40, 50);
        form->Show();
        QVERIFY(QTest::qWaitForWindowExposed(form->widget()));
        const QRect before = form->widget()->geometry();
        misc_->AlwaysOnTop(*form, onTop);
        QCOMPARE(form->widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        QVERIFY(form->widget()->isVisible());
        QCOMPARE(form->widget()->geometry(), before);
    }

    void isAnotherInstance_data() {
        QTest::addColumn<bool>("another");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("stateAfter");
        QTest::addColumn<QString>("titleAfter");
        const int min = Qt::WindowMinimized, max = Qt::WindowMaximized, normal = Qt::WindowNoState;
        QTest::addRow("no earlier copy changes nothing") << false << min << min << "Vorelle";
        QTest::addRow("minimised window restored") << true << min << normal << "Autre";
        QTest::addRow("maximised window keeps its size") << true << max << max << "Autre";
        QTest::addRow("normal window only raised") << true << normal << normal << "Autre";
    }
    void isAnotherInstance() {
        QFETCH(bool, another);
        QFETCH(int, state);
        QFETCH(int, stateAfter);
        QFETCH(QString, titleAfter);
        guard_.another = another;
        auto form = loadedForm();
        form->Show();
        form->widget()->setWindowState(Qt::WindowStates(state));
        QCOMPARE(misc_->IsAnotherInstance(QStringLiteral("Autre")), another);
        QCOMPARE(int(form->widget()->windowState()), stateAfter);
        QCOMPARE(windows_.title, titleAfter);
        QCOMPARE(guard_.asked, 1);
    }
};

QTEST_MAIN(TestClsMiscForm)
#include "test_cls_misc_form.moc"
