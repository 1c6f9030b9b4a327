// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_end.h"

#include <QApplication>
#include <QWidget>
#include <vector>

namespace {
struct EndState {
    std::vector<std::function<void()>> hooks;
    std::function<void()> exitHandler;
    bool requested = false;
};
EndState& state() {
    static EndState s;
    return s;
}
} // namespace

namespace ProgramEnd {
void addShutdownHook(std::function<void()> hook) {
    state().hooks.push_back(std::move(hook));
}

void setExitHandler(std::function<void()> handler) {
    state().exitHandler = std::move(handler);
}

void endProgram() {
    EndState& s = state();
    if (s.requested)
        return;
    s.requested = true;
    const auto pending = std::move(s.hooks);
    s.hooks.clear();
    for (const auto& hook : pending) {
        if (hook)
            hook();
    }
    if (s.exitHandler) {
        s.exitHandler();
        return;
    }
    // The windows go at once; their objects are destroyed as main() returns.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows)
            w->hide();
    }
    // Every running event loop returns, the modal ones included, and none
    // started afterwards waits; exec() then returns 0.
    QCoreApplication::exit(0);
}

bool requested() {
    return state().requested;
}

void resetForTest() {
    state().requested = false;
}
} // namespace ProgramEnd
