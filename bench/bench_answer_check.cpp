// SPDX-License-Identifier: GPL-3.0-or-later
// Checking a pasted megabyte through the real exercise window, offscreen:
// the space-collapse passes (each written back into the answer box), the
// lower-casing, the comparison and the repaint that follows.
//
//   build/default/bin/bench_answer_check
//
// Each run pastes the text into the answer box outside the timing, then
// times onCheckClicked() and one pass of the event loop (the repaint). On a
// busy machine read the CPU column. Pastes: 0 one word, a megabyte of spaces,
// one word; 1 words between runs of 1 000 spaces; 2 French words in short
// CR LF lines; 3 a single megabyte-long word; 4 any Unicode (many scripts,
// emoji, tabs, LF, U+2028, non-breaking spaces).

#include "answer_box.h"
#include "exercise_window.h"

#include <QApplication>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

struct QuietClock : Clock {
    double secondsSinceMidnight() const override { return 36000.0; }
    qint64 tickCount() const override { return 0; }
    QDateTime now() const override { return {}; }
};
struct FixedRandom : Random {
    void reseed(double) override {}
    double next() override { return 0.21; }
};
struct SilentSounds : SoundPlayer {
    void play(const QString&) override {}
};
struct ClosedBoxes : MessageBoxes {
    int shown = 0;
    void showMessage(const QString&, MessageKind, const QString&) override { ++shown; }
    QString askText(const QString&, const QString&, const QString&) override { return {}; }
};
struct OnlyCopy : InstanceGuard {
    bool anotherInstanceRunning() override { return false; }
};

constexpr int Megabyte = 1 << 20;

QString repeatTo(const QString& chunk, int size) {
    QString out;
    out.reserve(size + chunk.size());
    while (out.size() < size)
        out += chunk;
    out.truncate(size);
    return out;
}

// The pastes, by name.
QString paste(int kind) {
    switch (kind) {
    case 0: // one word, a megabyte of spaces, one word: 20 halving passes
        return QStringLiteral("vingt") + QString(Megabyte, QLatin1Char(' ')) + QStringLiteral("un");
    case 1: // words between runs of a thousand spaces, no line break
        return repeatTo(QStringLiteral("Vingt") + QString(1000, QLatin1Char(' ')), Megabyte);
    case 2: // French words in lines of about 60 characters, CR LF, double spaces
        return repeatTo(QString::fromUtf8("Quatre  Vingt   DIX  Sept  MILLIONS  ÉLÈVES\r\n"),
                        Megabyte);
    case 3: // one megabyte-long word: no space to wrap at
        return repeatTo(QString::fromUtf8("Abcdéfghij"), Megabyte);
    default: { // any Unicode: letters of many scripts, blanks, line breaks
        QRandomGenerator gen(42);
        QString s;
        s.reserve(Megabyte);
        const char32_t pool[] = {U' ', U' ', U' ', U'\n', U'\t',   U'a',      U'Z',      U'É',
                                 U'ß', U'Ω', U'Ж', U'中', U'🙂', U'\u00a0', U'\u2028', U'İ'};
        while (s.size() < Megabyte)
            s += QString::fromUcs4(&pool[gen.bounded(int(std::size(pool)))], 1);
        return s;
    }
    }
}

void BM_CheckPaste(benchmark::State& state) {
    QuietClock clock;
    FixedRandom random;
    SilentSounds sounds;
    ClosedBoxes boxes;
    OnlyCopy instance;
    ExerciseWindow form({clock, random, sounds, boxes, instance, AppPaths("/d", "/u", "/c")});
    form.show();
    QApplication::processEvents();
    form.onGenerateClicked();
    auto* box = form.control<AnswerBox>(QStringLiteral("Text1"));
    const QString text = paste(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        box->setText(text);
        QApplication::processEvents();
        state.ResumeTiming();
        form.onCheckClicked();
        QApplication::processEvents();
    }
    state.counters["boxChars"] = double(box->text().size());
    state.SetBytesProcessed(state.iterations() * text.size() * qint64(sizeof(QChar)));
}

} // namespace

BENCHMARK(BM_CheckPaste)
    ->ArgName("paste")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
