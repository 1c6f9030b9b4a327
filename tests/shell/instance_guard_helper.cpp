// A small program that takes the single-instance lock the way the real
// program does, for the tests that need two processes. It writes one word per
// event on its standard output:
//   first   it holds the lock (no other copy runs);
//   second  another copy runs (it has been asked to come forward);
//   raised  a later copy asked this one to come forward.
// Usage: instance_guard_helper <key> <mode>, where mode is
//   hold    stay running until killed, answering later copies;
//   ask     end at once after saying first or second;
//   vanish  when first, end at once without giving the lock back, as the
//           program does when it ends from any depth.
#include "instance_guard.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace {
void say(const char* word) {
    std::printf("%s\n", word);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString key = QString::fromLocal8Bit(argv[1]);
    const QByteArray mode = argv[2];
    QtInstanceGuard guard(key, [] { say("raised"); });
    if (guard.anotherInstanceRunning()) {
        say("second");
        return 0;
    }
    say("first");
    if (mode == "vanish")
        ::_exit(0);
    if (mode == "hold")
        return QCoreApplication::exec();
    return 0;
}
