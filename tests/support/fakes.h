// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fakes of the platform services: they record what was asked of them and
// answer from what the test set up.

#include "clock.h"
#include "event_pump.h"
#include "instance_guard.h"
#include "media_control.h"
#include "message_boxes.h"
#include "random.h"
#include "settings_store.h"
#include "sound_player.h"

#include <QMap>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

struct FakeClock : Clock {
    double seconds = 36000.0; // 10:00:00
    qint64 ticks = 1000;
    double secondsSinceMidnight() const override { return seconds; }
    qint64 tickCount() const override { return ticks; }
    QDateTime now() const override {
        return QDateTime(QDate(2026, 12, 6), QTime(0, 0).addMSecs(int(seconds * 1000.0)));
    }
    void advance(double s) {
        seconds += s;
        ticks += qRound64(s * 1000.0); // rounded: float noise must not lose a tick
    }
};

// Returns the queued fractions in order, then `fallback` forever.
struct FakeRandom : Random {
    std::deque<double> queued;
    double fallback = 0.0;
    int reseeds = 0;
    void reseed(double) override { ++reseeds; }
    double next() override {
        const double v = queued.empty() ? fallback : queued.front();
        if (!queued.empty())
            queued.pop_front();
        return v;
    }
};

struct FakeSoundPlayer : SoundPlayer {
    QStringList played; // full paths, in order
    void play(const QString& path) override { played << path; }
};

// Notes the music asked for: "open <path>", "play <path>", "close".
struct FakeMediaControl : MediaControl {
    QStringList calls;
    void openMusic(const QString& path) override { calls << "open " + path; }
    void playMusic(const QString& path) override { calls << "play " + path; }
    void closeMusic() override { calls << "close"; }
};

// A message box's kind as tests write it.
inline QString kindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Question:
        return QStringLiteral("question");
    case MessageKind::Warning:
        return QStringLiteral("warning");
    case MessageKind::Plain:
        break;
    }
    return QStringLiteral("plain");
}

struct FakeMessageBoxes : MessageBoxes {
    // clang-format off
    struct Shown { QString text; MessageKind kind; QString title; };
    // clang-format on
    std::vector<Shown> shown;
    // The prompts asked; the answers returned by askText in order, empty text when none left.
    QStringList prompts, answers;
    std::function<void()> whileShown; // runs while a box is "open"
    void showMessage(const QString& text, MessageKind kind, const QString& title) override {
        shown.push_back({text, kind, title});
        if (whileShown)
            whileShown();
    }
    QString askText(const QString& prompt, const QString& title, const QString&) override {
        prompts << prompt + QStringLiteral(" | ") + title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

struct FakeSettingsStore : SettingsStore {
    QMap<QString, QString> values; // "app/section/key" -> value
    QStringList writes;            // "app/section/key=value", in order
    QString getSetting(const QString& app, const QString& section, const QString& key,
                       const QString& def) const override {
        return values.value(app + '/' + section + '/' + key, def);
    }
    bool saveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value, const QString&) override {
        values[app + '/' + section + '/' + key] = value;
        writes << app + '/' + section + '/' + key + '=' + value;
        return true;
    }
};

// Says whether another copy of the program runs, as the test set it, and
// counts the questions.
struct FakeInstanceGuard : InstanceGuard {
    bool another = false;
    int asked = 0;
    bool anotherInstanceRunning() override { return ++asked, another; }
};

// An event pump on a fake clock. Scripted actions run when the clock reaches
// their time; waitForEvents() moves the clock to the next action or to the
// deadline, whichever comes first, so simulated waits cost no real time.
struct FakeEventPump : EventPump {
    explicit FakeEventPump(FakeClock& clock) : clock_(clock) {}
    int pumps = 0, waits = 0;
    void at(double secondsSinceMidnight, std::function<void()> action) {
        const auto later = [](double t, const Item& i) { return t < i.time; };
        script_.insert(
            std::upper_bound(script_.begin(), script_.end(), secondsSinceMidnight, later),
            Item{secondsSinceMidnight, std::move(action)});
    }
    // The time of the next scripted action; none: a time no game reaches.
    double nextTime() const { return script_.empty() ? 1e300 : script_.front().time; }
    void doEvents() override {
        ++pumps;
        while (!script_.empty() && script_.front().time <= clock_.seconds) {
            auto action = std::move(script_.front().action);
            script_.erase(script_.begin());
            action();
        }
    }
    void waitForEvents(double maxSeconds) override {
        ++waits;
        const double deadline = clock_.seconds + std::max(0.0, maxSeconds);
        const bool due = !script_.empty() && script_.front().time <= deadline;
        clock_.advance(std::max(0.0, (due ? script_.front().time : deadline) - clock_.seconds));
        if (due)
            doEvents();
    }

private:
    // clang-format off
    struct Item { double time; std::function<void()> action; };
    // clang-format on
    FakeClock& clock_;
    std::vector<Item> script_; // sorted by time
};

// Runs a game on the fake clock through its session's timer: the scripted
// actions at their times, and the timer's firing at the time it was armed
// for, whichever comes first, until neither is left. Simulated waits cost no
// real time. The number of times the timer fired.
template <typename Session>
int runOnFakeClock(FakeEventPump& events, FakeClock& clock, Session& session) {
    int fired = 0;
    for (int step = 0; step < 1'000'000; ++step) {
        const double action = events.nextTime();
        const double timer = session.isArmed() ? session.wakeTime() : 1e300;
        if (action >= 1e300 && timer >= 1e300)
            return fired;
        const double at = std::min(action, timer);
        clock.advance(std::max(0.0, at - clock.seconds));
        if (action <= timer) {
            events.doEvents();
        } else {
            ++fired;
            session.onTimer();
        }
    }
    qFatal("the game never ended");
}
