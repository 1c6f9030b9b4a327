// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_end.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {
std::vector<std::function<void()>>& hooks() {
    static std::vector<std::function<void()>> h;
    return h;
}
std::function<void()>& exitHandler() {
    static std::function<void()> h;
    return h;
}
} // namespace

namespace ProgramEnd {
void addShutdownHook(std::function<void()> hook) {
    hooks().push_back(std::move(hook));
}

void setExitHandler(std::function<void()> handler) {
    exitHandler() = std::move(handler);
}

void endProgram() {
    auto pending = std::move(hooks());
    hooks().clear();
    for (auto& hook : pending) {
        if (hook)
            hook();
    }
    if (exitHandler()) {
        exitHandler()();
        throw ProgramEnded{};
    }
    std::fflush(nullptr);
    ::_exit(0);
}
} // namespace ProgramEnd
