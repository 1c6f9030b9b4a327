// SPDX-License-Identifier: GPL-3.0-or-later
// 100 000 random numbers piped through `vorelle --words`, for each spelling:
// the real program, its input written and its output read through pipes, as
// in `generate | vorelle --words --spelling 1990 > answers`. The numbers come
// from a fixed seed: digit counts 1 to 12 equally likely, half of them written
// in groups of three ("12 345 678"), one a line. Prints, for each spelling, the
// median over the runs of the wall time of the whole pipe, the time per line
// and the processor time of the program (user + system); then, for scale, the
// start of the program alone (`vorelle --version`) and the same lines answered
// inside this process, into /dev/null, with no program start and no pipe.
// Build with the default preset, then run
//
//     build/default/bin/bench_words_pipe [runs]
//
// (5 runs by default). The exit status is 0 when every run answered every
// line, with nothing on the error stream.

#include "words_command.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kLines = 100'000;

QByteArray randomNumbers() {
    std::mt19937_64 generator(20'240'518);
    QByteArray input;
    for (int i = 0; i < kLines; ++i) {
        const int digits = 1 + int(generator() % 12);
        qint64 low = 1;
        for (int d = 1; d < digits; ++d)
            low *= 10;
        const qint64 n =
            digits == 1 ? qint64(generator() % 10) : low + qint64(generator() % quint64(9 * low));
        QByteArray text = QByteArray::number(n);
        if (generator() % 2) {
            for (qsizetype at = text.size() - 3; at > 0; at -= 3)
                text.insert(at, ' ');
        }
        input += text + '\n';
    }
    return input;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Timing {
    double wall = 0; // seconds
    double cpu = 0;  // seconds of the program
    bool ok = false;
};

Timing pipeThrough(const QStringList& arguments, const QByteArray& input, int expectedLines) {
    QProcess program;
    const double cpuBefore = childCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    program.start(QStringLiteral(VORELLE_PROGRAM), arguments);
    program.write(input);
    program.closeWriteChannel();
    const bool ended = program.waitForFinished(600'000);
    Timing t;
    t.wall = double(clock.nsecsElapsed()) / 1e9;
    t.cpu = childCpuSeconds() - cpuBefore;
    const QByteArray out = program.readAllStandardOutput();
    const QByteArray err = program.readAllStandardError();
    t.ok = ended && program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0 &&
           err.isEmpty() && out.count('\n') == expectedLines;
    if (!t.ok)
        std::fprintf(stderr, "bad run of %s: %s\n", qPrintable(arguments.join(u' ')),
                     err.left(300).constData());
    return t;
}

double inProcess(const QByteArray& input, WordsCommand::Style style) {
    QByteArray bytes = input;
    std::FILE* in = fmemopen(bytes.data(), std::size_t(bytes.size()), "r");
    std::FILE* out = std::fopen("/dev/null", "w");
    QElapsedTimer clock;
    clock.start();
    WordsCommand::answerLines(in, style, out, stderr);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::fclose(in);
    std::fclose(out);
    return seconds;
}

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QByteArray input = randomNumbers();
    bool ok = true;
    std::printf("%d lines (%lld bytes) through vorelle --words, median of %d runs\n\n", kLines,
                qlonglong(input.size()), runs);
    std::printf("%-12s %10s %10s %12s %10s %14s\n", "spelling", "pipe ms", "us/line", "lines/s",
                "cpu ms", "in-process ms");
    const struct {
        const char* key;
        NumberSpelling::Spelling spelling;
    } spellings[] = {{"classic", NumberSpelling::Spelling::Classic},
                     {"traditional", NumberSpelling::Spelling::Traditional},
                     {"1990", NumberSpelling::Spelling::Rectified1990}};
    for (const auto& s : spellings) {
        std::vector<double> wall, cpu, local;
        for (int r = 0; r < runs; ++r) {
            const Timing t = pipeThrough(
                {QStringLiteral("--words"), QStringLiteral("--spelling"), QString::fromUtf8(s.key)},
                input, kLines);
            ok = ok && t.ok;
            wall.push_back(t.wall);
            cpu.push_back(t.cpu);
            local.push_back(inProcess(input, {s.spelling, NumberSpelling::Region::France}));
        }
        const double w = median(wall);
        std::printf("%-12s %10.1f %10.3f %12.0f %10.1f %14.1f\n", s.key, w * 1e3, w / kLines * 1e6,
                    kLines / w, median(cpu) * 1e3, median(local) * 1e3);
    }
    std::vector<double> start;
    for (int r = 0; r < runs; ++r) {
        const Timing t = pipeThrough({QStringLiteral("--version")}, {}, 1);
        ok = ok && t.ok;
        start.push_back(t.wall);
    }
    std::printf("\nstart of the program alone (vorelle --version): %.1f ms\n", median(start) * 1e3);
    return ok ? 0 : 1;
}
