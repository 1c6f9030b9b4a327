// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one call of Brikko's piece operations and of DrawBoard, in
// microseconds, off screen (the visible board is an image). Build with the
// default preset, then run
//
//     build/default/bin/bench_game_moves
//
// MoveDown: one gravity step of a piece on an empty board (a landed piece is
// put back at the top, one call in seventeen). MoveSideways: MoveLeft and
// MoveRight in turn, which also run DrawBoard; without the pictures attached
// DrawBoard only compares the boards. DrawBoard after a move: the positions
// before and after a move loaded in turn, so that the cells the move changed
// are copied each time (two tiles for a sideways step, eight for an I falling
// one row) and then the block to the screen. DrawBoardUnchanged: the block
// copy alone.

#include "bench_support.h"
#include "board_renderer.h"
#include "brikko.h"
#include "media_control.h"
#include "sound_player.h"
#include "system_clock.h"
#include "xoshiro_random.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Bench {
    bench::Silent sounds;
    bench::Silent& media = sounds;
    SystemClock clock;
    XoshiroRandom random;
    Brikko brikko{BrikkoServices{
        sounds, media, clock, random,
        AppPaths(QStringLiteral("/tmp"), QStringLiteral("/tmp"), QStringLiteral("/tmp"))}};
    ImageBoardScreen screen;
    BoardRenderer renderer;

    void attachPictures() {
        renderer.attach(&screen, nullptr);
        brikko.setDrawing(&renderer);
    }
    // A piece at (x, y) on a board with a settled floor row.
    static GamePosition position(qint16 kind, qint16 orientation, qint16 x, qint16 y) {
        GamePosition p{{}, kind, x, y, orientation, 0, 0};
        for (int c = 1; c <= 9; ++c)
            p.Board(c, 18) = qint16(c % 7 + 1);
        for (const BoardCell cell : cellsAt(*shapeOf(kind, orientation), x, y))
            p.Board(cell.column, cell.row) = kind;
        return p;
    }
    void place(qint16 kind, qint16 orientation, qint16 x, qint16 y) {
        brikko.loadPosition(position(kind, orientation, x, y));
    }
    // The current position, to be loaded again.
    GamePosition current() const {
        const GameState& g = brikko.game();
        return {g.Board, g.Piece, g.PieceX, g.PieceY, g.Orientation, g.Lines, g.Level};
    }
};

void MoveDown(benchmark::State& state) {
    Bench b;
    b.place(PieceKindO, 1, 5, 2);
    for (auto _ : state) {
        b.brikko.MoveDown();
        if (b.brikko.landed())
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
    GamePosition before = b.current();
    if (sideways)
        b.brikko.MoveRight();
    else
        b.brikko.MoveDown();
    GamePosition after = b.current();
    for (auto _ : state) {
        b.brikko.loadPosition(before); // draws the cells that differ from `after`
        std::swap(before, after);
    }
    state.SetLabel(sideways ? "sideways step, 2 tiles" : "I one row down, 8 tiles");
}
BENCHMARK(DrawBoardAfterMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void DrawBoardUnchanged(benchmark::State& state) {
    Bench b;
    b.attachPictures();
    for (auto _ : state)
        b.brikko.RepaintBoard(); // the block copy alone
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
