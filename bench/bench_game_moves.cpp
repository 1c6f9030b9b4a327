// The cost of one call of Brikko's piece operations and of DrawBoard, in
// microseconds, off screen (the visible board is an image). Build with the
// default preset, then run
//
//     build/default/bin/bench_game_moves
//
// MoveDown: one gravity step of a piece on an empty board (a landed piece is
// put back at the top, one call in seventeen). MoveSideways: MoveLeft and
// MoveRight in turn, which also run DrawBoard; without the pictures attached
// DrawBoard only compares the boards. DrawBoard after a move: the drawing
// alone, the boards before and after a move given to it in turn, so that the
// cells the move changed are copied each time (two tiles for a sideways step,
// eight for an I falling one row) and then the block to the screen.

#include "brikko.h"
#include "clock.h"
#include "event_pump.h"
#include "media_control.h"
#include "random.h"
#include "sound_player.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class SilentPlayer : public SoundPlayer {
public:
    void play(const QString&) override {}
};

class SilentMedia : public MediaControl {
public:
    void send(const QString&) override {}
};

class IdlePump : public EventPump {
public:
    void doEvents() override {}
    void waitForEvents(double) override {}
};

struct Bench {
    SilentPlayer sounds;
    SilentMedia media;
    SystemClock clock;
    XoshiroRandom random;
    IdlePump events;
    Brikko brikko{BrikkoServices{
        sounds, media, clock, random, events,
        AppPaths(QStringLiteral("/tmp"), QStringLiteral("/tmp"), QStringLiteral("/tmp"))}};
    ImageBoardScreen screen;

    void attachPictures() {
        brikko.picBoard = &screen;
        brikko.TakeHandles();
    }
    // A piece at (x, y) on a board with a settled floor row.
    void place(qint16 kind, qint16 orientation, qint16 x, qint16 y) {
        GameState& g = brikko.Game;
        g.Board.clear();
        for (int c = 1; c <= 9; ++c)
            g.Board(c, 18) = qint16(c % 7 + 1);
        g.Piece = kind;
        g.Orientation = orientation;
        g.PieceX = x;
        g.PieceY = y;
        for (const BoardCell cell : cellsAt(*shapeOf(kind, orientation), x, y))
            g.Board(cell.column, cell.row) = kind;
        brikko.PrevGame = g;
        brikko.Landed = false;
    }
};

void MoveDown(benchmark::State& state) {
    Bench b;
    b.place(PieceKindO, 1, 5, 2);
    for (auto _ : state) {
        b.brikko.MoveDown();
        if (b.brikko.Landed)
            b.place(PieceKindO, 1, 5, 2);
    }
}
BENCHMARK(MoveDown)->Unit(benchmark::kMicrosecond);

void MoveSideways(benchmark::State& state) {
    Bench b;
    const bool drawn = state.range(0) != 0;
    if (drawn)
        b.attachPictures();
    b.place(6, 1, 5, 9);
    bool left = true;
    for (auto _ : state) {
        if (left)
            b.brikko.MoveLeft();
        else
            b.brikko.MoveRight();
        left = !left;
    }
    state.SetLabel(drawn ? "with DrawBoard onto the pictures" : "no pictures attached");
}
BENCHMARK(MoveSideways)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void DrawBoardAfterMove(benchmark::State& state) {
    Bench b;
    b.attachPictures();
    const bool sideways = state.range(0) == 0;
    b.place(PieceKindI, 1, 5, 9);
    BoardCells before = b.brikko.Game.Board;
    if (sideways)
        b.brikko.MoveRight();
    else
        b.brikko.MoveDown();
    BoardCells after = b.brikko.Game.Board;
    for (auto _ : state) {
        b.brikko.PrevGame.Board = before;
        b.brikko.Game.Board = after;
        b.brikko.DrawBoard();
        std::swap(before, after);
    }
    state.SetLabel(sideways ? "sideways step, 2 tiles" : "I one row down, 8 tiles");
}
BENCHMARK(DrawBoardAfterMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void DrawBoardUnchanged(benchmark::State& state) {
    Bench b;
    b.attachPictures();
    for (auto _ : state)
        b.brikko.DrawBoard(); // nothing changed: the block copy alone
}
BENCHMARK(DrawBoardUnchanged)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
