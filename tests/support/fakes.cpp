#include "fakes.h"

#include <algorithm>

QDateTime FakeClock::now() const {
    return QDateTime(QDate(2026, 12, 6), QTime(0, 0).addMSecs(int(seconds * 1000.0)));
}

void FakeEventPump::at(double time, std::function<void()> action) {
    Item item{time, std::move(action)};
    auto pos = std::upper_bound(script_.begin(), script_.end(), item.time,
                                [](double t, const Item& i) { return t < i.time; });
    script_.insert(pos, std::move(item));
}

void FakeEventPump::doEvents() {
    ++pumps;
    while (!script_.empty() && script_.front().time <= clock_.seconds) {
        auto action = std::move(script_.front().action);
        script_.erase(script_.begin());
        action();
    }
}

void FakeEventPump::waitForEvents(double maxSeconds) {
    ++waits;
    const double deadline = clock_.seconds + std::max(0.0, maxSeconds);
    if (!script_.empty() && script_.front().time <= deadline) {
        if (script_.front().time > clock_.seconds)
            clock_.advance(script_.front().time - clock_.seconds);
        doEvents();
        return;
    }
    clock_.advance(deadline - clock_.seconds);
}
