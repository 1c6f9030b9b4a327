// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>

// With VORELLE_STARTUP_PROBE set in the environment, the program prints one
// line, "first window shown", on its standard output as soon as its first
// window is exposed on the screen (whichever window that is), so that a
// start-up benchmark can time it from outside. Nothing happens without the
// variable. Header only: the benchmark's bare program uses it too.
class StartupProbe : public QObject {
public:
    static constexpr const char* Marker = "first window shown";

    static void installIfAsked(QCoreApplication& app) {
        if (qEnvironmentVariableIsSet("VORELLE_STARTUP_PROBE"))
            app.installEventFilter(new StartupProbe(&app));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !done_) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                done_ = true;
                std::fprintf(stdout, "%s\n", Marker);
                std::fflush(stdout);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    explicit StartupProbe(QObject* parent) : QObject(parent) {}
    bool done_ = false;
};
