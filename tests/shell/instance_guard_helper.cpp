// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the single-instance lock as the program does and says "first" or
// "second" (after "no answer" when the first copy did not answer); the first
// then stays, saying "raised" when a later copy asks.
#include "qt_instance_guard.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 64);
    QtInstanceGuard guard(
        QStringLiteral("vorelle-test"), [] { std::puts("raised"); },
        [] { std::puts("no answer"); });
    const bool second = guard.anotherInstanceRunning();
    std::puts(second ? "second" : "first");
    return second ? 0 : QCoreApplication::exec();
}
