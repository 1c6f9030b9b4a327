// SPDX-License-Identifier: GPL-3.0-or-later
// How the game waits on the real clock, driven by its session's timer: a game
// at level 0, left alone, on the offscreen platform. Prints
//
// - the processor time the process used (user + system, from
//   CLOCK_PROCESS_CPUTIME_ID) over the wall time: a waiting game must block in
//   the event loop, not poll (target: under 2 % of one core);
// - the intervals between two gravity steps of the same piece, timed with a
//   monotonic clock at each copy of the board to the screen (targets: median
//   within 1 ms of 0.5 s, 99th percentile of the deviation within 5 ms).
//
// The game is ended after the given time (30 seconds by default) by a timer
// that chooses "end game"; a game that ends by itself before then is followed
// by another. Message boxes answer at once. Run it on a quiet machine:
//
//     build/default/bin/bench_game_timing [seconds]
//
// The exit status is 0 when every target is met.

#include "bench_support.h"
#include "board_renderer.h"
#include "brikko.h"
#include "game_options.h"
#include "game_session.h"
#include "high_scores.h"
#include "media_control.h"
#include "message_boxes.h"
#include "profile_file.h"
#include "sound_player.h"
#include "system_clock.h"
#include "xoshiro_random.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

class AnsweringBoxes : public MessageBoxes {
public:
    void msgBox(const QString&, int, const QString&) override {}
    QString inputBox(const QString&, const QString&, const QString&) override {
        return QStringLiteral("banc d'essai");
    }
};

class NoDisplay : public HighScoreDisplay {
public:
    void showHighScores(const HighScoreTable&) override {}
};

class QuietWindow : public GameWindowPort {
public:
    void setGameMenus(const GameMenuStates&) override {}
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override { caption_ = caption; }
    GameWindowState windowState() const override { return GameWindowState::Normal; }
    void setLabel(GameLabel, const QString&) override {}
    void hideGameWindow() override {}
    void showExerciseWindow() override {}
    void handBackToExercise() override {
        if (onHandBack)
            onHandBack();
    }
    std::function<void()> onHandBack;

private:
    QString caption_ = QStringLiteral("Brikko32");
};

// The board as shown: each copy is timed with the piece's position.
class TimedScreen : public ImageBoardScreen {
public:
    struct Copy {
        Steady::time_point at;
        int game;
        qint16 piece;
        qint16 pieceY;
        bool dropping;
    };
    const Brikko* game = nullptr;
    int gameNumber = 0;
    std::vector<Copy> copies;

    void copyFromBuffer(const QImage& buffer, const QRect& source) override {
        ImageBoardScreen::copyFromBuffer(buffer, source);
        copies.push_back(
            {Steady::now(), gameNumber, game->game().Piece, game->game().PieceY, game->dropping()});
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 30.0;

    QTemporaryDir dir;
    bench::Silent sounds;
    bench::Silent& media = sounds;
    SystemClock clock;
    XoshiroRandom random(quint64(Steady::now().time_since_epoch().count()));
    AnsweringBoxes boxes;
    NoDisplay display;
    QuietWindow window;
    ProfileFile optionsFile(dir.filePath(GameOptions::FileName));
    GameOptions options(optionsFile);
    options.StartingLevel = 0.0;
    HighScoreTable scores(dir.filePath(HighScoreFile::FileName));

    Brikko brikko(
        BrikkoServices{sounds, media, clock, random, AppPaths(dir.path(), dir.path(), dir.path())});
    TimedScreen screen;
    screen.game = &brikko;
    screen.copies.reserve(100000);
    ImagePreviewView preview;
    BoardRenderer renderer;
    renderer.attach(&screen, &preview);
    brikko.setDrawing(&renderer);
    brikko.connectLoop({&options, &boxes, &scores, &display, &window});
    GameSession session(brikko);

    QTimer end;
    end.setSingleShot(true);
    end.setTimerType(Qt::PreciseTimer);
    QObject::connect(&end, &QTimer::timeout, [&session] { session.mnuEndGame_Click(); });

    const double cpuStart = bench::processCpuSeconds();
    const Steady::time_point wallStart = Steady::now();
    end.start(int(seconds * 1000));
    // A game that ends by itself before the time is up is followed by another.
    const auto newGame = [&] {
        ++screen.gameNumber;
        session.mnuNewGame_Click();
    };
    window.onHandBack = [&] {
        if (end.isActive())
            QTimer::singleShot(0, newGame);
        else
            QCoreApplication::quit();
    };
    newGame();
    QApplication::exec();
    const double wall = std::chrono::duration<double>(Steady::now() - wallStart).count();
    const double cpu = bench::processCpuSeconds() - cpuStart;

    std::vector<double> intervals;
    for (std::size_t i = 1; i < screen.copies.size(); ++i) {
        const TimedScreen::Copy& a = screen.copies[i - 1];
        const TimedScreen::Copy& b = screen.copies[i];
        if (a.game == b.game && a.piece == b.piece && b.pieceY == a.pieceY + 1 && !b.dropping)
            intervals.push_back(std::chrono::duration<double>(b.at - a.at).count());
    }
    if (intervals.empty()) {
        std::printf("no gravity step measured\n");
        return 1;
    }
    std::vector<double> deviations;
    for (const double v : intervals)
        deviations.push_back(std::abs(v - 0.5));
    const double median = bench::percentile(intervals, 0.5);
    const double p99 = bench::percentile(deviations, 0.99);
    const double share = cpu / wall * 100.0;

    std::printf("game left alone at level 0 for %.2f s of wall time (%d game(s)), "
                "SystemClock + GameSession timer, platform %s\n",
                wall, screen.gameNumber, qPrintable(QGuiApplication::platformName()));
    std::printf("processor: %.3f s user+system = %.3f %% of one core (target < 2 %%)\n", cpu,
                share);
    std::printf("gravity intervals: %zu, median %.3f ms (off by %.3f ms, target <= 1 ms), "
                "99th percentile of the deviation %.3f ms (target <= 5 ms), "
                "min %.3f ms, max %.3f ms\n",
                intervals.size(), median * 1000, std::abs(median - 0.5) * 1000, p99 * 1000,
                *std::min_element(intervals.begin(), intervals.end()) * 1000,
                *std::max_element(intervals.begin(), intervals.end()) * 1000);
    const bool met = share < 2.0 && std::abs(median - 0.5) <= 0.001 && p99 <= 0.005;
    std::printf("%s\n", met ? "all targets met" : "TARGET MISSED");
    return met ? 0 : 1;
}
