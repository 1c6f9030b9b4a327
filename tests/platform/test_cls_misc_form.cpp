// SPDX-License-Identifier: GPL-3.0-or-later
// The window utilities on a fake clock, event pump and screen: the pauses,
// the close command's removal and centring.
#include "cls_misc_form.h"
#include "fakes.h"
#include "qt_window_system.h"

#include <QWidget>
#include <QWindow>
#include <QtTest>
#include <limits>
#include <stdexcept>

namespace {
constexpr qint64 kMaxTick = std::numeric_limits<qint32>::max();

class TestForm : public Form {
public:
    explicit TestForm(QSize size) : Form("frmTest"), size_(size) {}
    QWidget* createWidget() override {
        auto* w = new QWidget;
        w->resize(size_);
        return w;
    }

private:
    QSize size_;
};

// A screen whose free area the test sets, and an application title kept here
// rather than in the application.
struct FakeWindowSystem : QtWindowSystem {
    QRect freeArea{0, 0, 1024, 768};
    QString title = QStringLiteral("Vorelle");
    QRect availableGeometry(const QWidget&) const override { return freeArea; }
    QString applicationTitle() const override { return title; }
    void setApplicationTitle(const QString& t) override { title = t; }
};

// Stops a pause gone wrong (a loop that never ends, or one that polls without
// waiting) instead of hanging the test: every pause polls through doEvents.
struct GuardedPump : FakeEventPump {
    using FakeEventPump::FakeEventPump;
    void doEvents() override {
        pumps > 10000 ? throw std::runtime_error("the pause never ends")
                      : FakeEventPump::doEvents();
    }
};
} // namespace

class TestClsMiscForm : public QObject {
    Q_OBJECT

    FakeClock clock_;
    std::optional<GuardedPump> pump_;
    FakeInstanceGuard guard_;
    FakeWindowSystem windows_;
    std::optional<clsMiscForm> misc_;

private slots:
    void init() {
        clock_ = FakeClock();
        pump_.emplace(clock_);
        guard_ = FakeInstanceGuard();
        windows_ = FakeWindowSystem();
        misc_.emplace(MiscFormServices{clock_, *pump_, guard_, windows_});
    }

    // The clock after the pause; an end of -1: the unit's code is refused
    // before any wait.
    void delay_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("amount");
        QTest::addColumn<QString>("code");
        QTest::addColumn<double>("end");
        QTest::addRow("5 s from 10:00:00.3 ends at 10:00:06") << 36000.3 << 5 << "s" << 36006.0;
        QTest::addRow("0 waits for the next second") << 36000.3 << 0 << "s" << 36001.0;
        QTest::addRow("negative amount returns at once") << 36000.3 << -5 << "s" << 36000.3;
        QTest::addRow("end at 23:59:59 ends at midnight") << 86390.0 << 9 << "s" << 86400.0;
        QTest::addRow("1 minute, code in capitals") << 36000.3 << 1 << "N" << 36061.0;
        QTest::addRow("refused: doubled hour") << 36000.3 << 1 << "hh" << -1.0;
    }
    // Events run while it waits; it blocks between polls, about one wait per
    // second, not a busy loop.
    void delay() {
        QFETCH(double, start);
        QFETCH(int, amount);
        QFETCH(QString, code);
        QFETCH(double, end);
        clock_.seconds = start;
        bool ran = false;
        pump_->at(start + 0.5, [&] { ran = true; });
        qint16 n = qint16(amount);
        if (end < 0) {
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, misc_->Delay(n, code));
            QCOMPARE(pump_->pumps + pump_->waits, 0);
            return;
        }
        misc_->Delay(n, code); // a hang throws
        QCOMPARE(qRound64(clock_.seconds * 1000), qRound64(end * 1000));
        QCOMPARE(ran, end > start);
        QVERIFY(pump_->pumps >= 1 && pump_->waits <= int(end - start) + 2);
    }

    // The tick after the pause; refused, before any event pass, when its end
    // lies outside the 32-bit counter.
    void miniDelay_data() {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("amount");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<bool>("refused");
        QTest::addRow("250 ms") << qint64(1000) << 250 << qint64(1250) << false;
        QTest::addRow("end at the largest tick") << kMaxTick - 10 << 10 << kMaxTick << false;
        QTest::addRow("past the largest tick") << kMaxTick - 10 << 11 << kMaxTick - 10 << true;
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
    }

    // No close button, the other caption buttons kept, once or more, loaded
    // or shown; a close request from the window system (title bar, Alt+F4) or
    // from code is refused: the window stays, loaded. Built again, it closes.
    void removeX_data() {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("calls");
        QTest::addRow("at its load, once") << false << 1;
        QTest::addRow("on the screen, twice") << true << 2;
    }
    void removeX() {
        QFETCH(bool, shown);
        QFETCH(int, calls);
        TestForm form({300, 200});
        shown ? form.Show() : form.Load();
        QWidget* w = form.widget();
        for (int i = 0; i < calls; ++i)
            misc_->RemoveX(form);
        form.Show();
        QCOMPARE(w->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::WindowMinMaxButtonsHint);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->windowHandle()->close();
        QVERIFY2(!w->close(), "a close request went through");
        QCoreApplication::processEvents();
        QVERIFY(form.isLoaded() && w->isVisible());
        form.Unload();
        form.Show();
        QVERIFY2(form.widget()->close(), "the window built again refuses to close");
    }

    // Centred in the free area, halves going to the even neighbour in twips;
    // a window laid out in pixels stays where it is.
    void centerForm_data() {
        QTest::addColumn<QRect>("freeArea");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("pixels");
        QTest::addColumn<QPoint>("position");
        QTest::addRow("odd sizes: half of 15 375 twips is 7 688")
            << QRect(0, 0, 1025, 769) << QSize(300, 200) << false << QPoint(363, 285);
        QTest::addRow("task bars on the left and at the top")
            << QRect(48, 40, 1232, 1024) << QSize(401, 301) << false << QPoint(48 + 415, 40 + 361);
        QTest::addRow("laid out in pixels")
            << QRect(0, 0, 1023, 767) << QSize(301, 201) << true << QPoint(5, 7);
    }
    void centerForm() {
        QFETCH(QRect, freeArea);
        QFETCH(QSize, window);
        QFETCH(bool, pixels);
        QFETCH(QPoint, position);
        windows_.freeArea = freeArea;
        TestForm form(window);
        form.Load();
        form.setScaleMode(pixels ? Form::ScaleMode::Pixels : form.scaleMode());
        form.widget()->move(5, 7);
        QCOMPARE(misc_->CenterForm(form), false);
        QCOMPARE(form.widget()->geometry(), QRect(position, window));
    }
};

QTEST_MAIN(TestClsMiscForm)
#include "test_cls_misc_form.moc"
