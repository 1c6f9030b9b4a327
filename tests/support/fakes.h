#pragma once

// Fakes of the platform services: they record what was asked of them and
// answer from what the test set up.

#include "clock.h"
#include "event_pump.h"
#include "media_control.h"
#include "message_boxes.h"
#include "random.h"
#include "settings_store.h"
#include "sound_player.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class FakeClock : public Clock {
public:
    double seconds = 36000.0; // 10:00:00
    qint64 ticks = 1000;
    double secondsSinceMidnight() const override { return seconds; }
    qint64 tickCount() const override { return ticks; }
    QDateTime now() const override;
    void advance(double s) {
        seconds += s;
        ticks += qRound64(s * 1000.0); // rounded: float noise must not lose a tick
    }
};

// Returns the queued fractions in order, then `fallback` forever.
class FakeRandom : public Random {
public:
    std::deque<double> queued;
    double fallback = 0.0;
    int reseeds = 0;
    void reseed(double) override { ++reseeds; }
    double next() override {
        if (queued.empty())
            return fallback;
        const double v = queued.front();
        queued.pop_front();
        return v;
    }
};

class FakeSoundPlayer : public SoundPlayer {
public:
    QStringList played; // full paths, in order
    void play(const QString& path) override { played << path; }
};

class FakeMediaControl : public MediaControl {
public:
    QStringList commands;
    void send(const QString& command) override { commands << command; }
};

class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        int style;
        QString title;
    };
    std::vector<Shown> shown;
    QStringList prompts;
    QStringList answers;            // returned by inputBox in order; empty text when none left
    std::function<void()> onMsgBox; // runs while a box is "open"
    void msgBox(const QString& text, int style, const QString& title) override {
        shown.push_back({text, style, title});
        if (onMsgBox)
            onMsgBox();
    }
    QString inputBox(const QString& prompt, const QString& title, const QString&) override {
        prompts << prompt + QStringLiteral(" | ") + title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

class FakeSettingsStore : public SettingsStore {
public:
    QMap<QString, QString> values; // "app/section/key" -> value
    QStringList writes;
    QString getSetting(const QString& app, const QString& section, const QString& key,
                       const QString& def) const override {
        return values.value(app + '/' + section + '/' + key, def);
    }
    void saveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override {
        values[app + '/' + section + '/' + key] = value;
        writes << app + '/' + section + '/' + key + '=' + value;
    }
};

// An event pump on a fake clock. Scripted actions run when the clock reaches
// their time; waitForEvents() moves the clock to the next action or to the
// deadline, whichever comes first, so simulated waits cost no real time.
class FakeEventPump : public EventPump {
public:
    explicit FakeEventPump(FakeClock& clock) : clock_(clock) {}
    void at(double secondsSinceMidnight, std::function<void()> action);
    void after(double delay, std::function<void()> action) {
        at(clock_.seconds + delay, std::move(action));
    }
    void doEvents() override;
    void waitForEvents(double maxSeconds) override;
    int pumps = 0;
    int waits = 0;
    bool pending() const { return !script_.empty(); }

private:
    struct Item {
        double time;
        std::function<void()> action;
    };
    FakeClock& clock_;
    std::vector<Item> script_; // sorted by time
};
