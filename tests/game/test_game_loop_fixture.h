#pragma once

// Shared by the game loop's tests: a Brikko wired to fakes (clock, event pump,
// random, sounds, music, message boxes, game window, high-score window), real
// options and high-score files in a temporary folder, and an off-screen board
// whose every copy to the screen is recorded with the simulated time.

#include "brikko.h"
#include "fake_game_window.h"
#include "fakes.h"
#include "game_controls.h"
#include "game_options.h"
#include "high_scores.h"
#include "profile_file.h"
#include "units.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <vector>

// The visible board, off screen, telling the test of each copy.
class RecordingScreen : public ImageBoardScreen {
public:
    std::function<void()> onCopy;
    void copyFromBuffer(const QImage& buffer, const QRect& source) override {
        ImageBoardScreen::copyFromBuffer(buffer, source);
        if (onCopy)
            onCopy();
    }
};

// What the screen showed at one copy, and when.
struct Draw {
    double time;
    BoardCells board;
    qint16 piece;
    qint16 pieceY;
    qint16 orientation;
    bool landed;
    bool dropping;
    bool paused;
    qint64 score;
    qint32 lines;
    qint32 level;
    double stepDelay;
    qint64 tileCopies; // so far, in this game module
};

// Music commands with the simulated time at which each was sent.
class TimedMediaControl : public FakeMediaControl {
public:
    explicit TimedMediaControl(const FakeClock& clock) : clock_(clock) {}
    QList<double> times;
    void send(const QString& command) override {
        FakeMediaControl::send(command);
        times << clock_.seconds;
    }

private:
    const FakeClock& clock_;
};

// Row r of a board as text: '.' for an empty cell, else the kind's digit.
inline QString rowText(const BoardCells& board, int row) {
    QString text;
    for (int c = 1; c <= BoardColumns; ++c) {
        const qint16 v = board(c, row);
        text += v == 0 ? QLatin1Char('.') : QLatin1Char(char('0' + v));
    }
    return text;
}

inline QStringList rowsText(const BoardCells& board, int from, int to) {
    QStringList rows;
    for (int r = from; r <= to; ++r)
        rows << rowText(board, r);
    return rows;
}

// Character i of a row's text; '.' past its end.
inline QChar cellChar(const QString& row, int i) {
    return i < row.size() ? row[i] : QLatin1Char('.');
}

// The fraction that FakeRandom must give for the loop to draw this kind.
inline double kindDraw(int kind) {
    return (kind - 0.5) / PieceKindCount;
}

// Queues the draws of NewGame's filled rows: rows[0] is row 10, rows[8] row
// 18, one character per column, '.' empty or a kind's digit. Every empty
// cell's draw is too high for any level, every filled cell's draw is 0.
inline void queueFilledRows(FakeRandom& random, const QStringList& rows) {
    for (int c = 1; c <= BoardColumns; ++c) {
        for (int r = 10; r <= BoardRows; ++r) {
            const QChar ch = cellChar(rows.value(r - 10), c - 1);
            if (ch == QLatin1Char('.')) {
                random.queued.push_back(0.999);
            } else {
                random.queued.push_back(0.0);
                random.queued.push_back(kindDraw(ch.digitValue()));
            }
        }
    }
}

inline void queuePieces(FakeRandom& random, std::initializer_list<int> kinds) {
    for (const int k : kinds)
        random.queued.push_back(kindDraw(k));
}

// A FakeRandom that also notes each reseed: the value given and how many
// fractions had been drawn before it.
class RecordingRandom : public FakeRandom {
public:
    struct Reseed {
        double seconds;
        int drawsBefore;
    };
    std::vector<Reseed> reseedLog;
    int draws = 0;
    void reseed(double seconds) override {
        FakeRandom::reseed(seconds);
        reseedLog.push_back({seconds, draws});
    }
    double next() override {
        ++draws;
        return FakeRandom::next();
    }
};

struct LoopFixture {
    static constexpr double Start = 36000.0; // 10:00:00, when every game starts

    explicit LoopFixture(bool realRandom = false)
        : brikko(BrikkoServices{
              sounds, media, clock,
              realRandom ? static_cast<Random&>(xoshiro) : static_cast<Random&>(random), events,
              AppPaths(QStringLiteral("/opt/vorelle/data"), dir.path(), dir.path())}) {
        clock.seconds = Start;
        window.journal = &journal;
        display.journal = &journal;
        boxes.onMsgBox = [this] {
            journal << QStringLiteral("msgBox ") + boxes.shown.back().text;
            timeOfMessage = clock.seconds;
        };
        brikko.picBoard = &screen;
        brikko.picNext = &preview;
        brikko.connectLoop({&options, &boxes, &scores, &display, &window, [this] {
                                ++handBacks;
                                journal << QStringLiteral("hand-back");
                            }});
        screen.onCopy = [this] { recordDraw(); };
    }

    FakeSoundPlayer sounds;
    FakeClock clock;
    TimedMediaControl media{clock};
    RecordingRandom random;
    XoshiroRandom xoshiro{0x1234'5678'9ABCULL};
    FakeEventPump events{clock};
    QTemporaryDir dir;
    ProfileFile optionsFile{dir.filePath(GameOptions::FileName)};
    GameOptions options{optionsFile};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    FakeMessageBoxes boxes;
    FakeGameWindow window;
    FakeHighScoreDisplay display;
    Brikko brikko;
    RecordingScreen screen;
    ImagePreviewView preview;
    GameControls controls{brikko};

    QStringList journal;
    std::vector<Draw> draws;
    int handBacks = 0;
    double timeOfMessage = -1.0;
    // Runs after each copy to the screen has been recorded.
    std::function<void()> afterDraw;
    // When set, every copy to the screen is checked against the live board.
    bool checkScreen = false;
    int screenMismatches = 0;

    // Once, the first time a copy to the screen finds `condition` true, the
    // action is queued as an event of that moment: it runs at the loop's next
    // yield, as a key pressed then would.
    void whenDrawn(std::function<bool(const Brikko&)> condition, std::function<void()> action) {
        triggers.push_back({std::move(condition), std::move(action), false});
    }
    // A key pressed as an event of the given moment.
    void keyAt(double time, int keyCode) {
        events.at(time, [this, keyCode] { controls.Form_KeyDown(keyCode); });
    }
    void endGameAt(double time) {
        events.at(time, [this] { controls.mnuEndGame_Click(); });
    }

    void play() { controls.mnuNewGame_Click(); }

    // Draws of the game's passes and steps, after those of NewGame.
    const Draw& lastDraw() const { return draws.back(); }

    // Whether the visible board shows exactly the cells of `board`.
    bool screenShows(const BoardCells& board) {
        const QImage& shown = screen.image();
        for (int r = 1; r <= BoardRows; ++r)
            for (int c = 1; c <= BoardColumns; ++c) {
                const QImage* tile = brikko.frmPics.Kubolt(board(c, r));
                const QImage cell =
                    shown.copy((c - 1) * TileSize, (r - 1) * TileSize, TileSize, TileSize);
                if (!tile || cell != tile->copy(0, 0, TileSize, TileSize))
                    return false;
            }
        return true;
    }

private:
    struct Trigger {
        std::function<bool(const Brikko&)> condition;
        std::function<void()> action;
        bool fired;
    };
    std::vector<Trigger> triggers;

    void recordDraw() {
        const GameState& g = brikko.Game;
        draws.push_back({clock.seconds, g.Board, g.Piece, g.PieceY, g.Orientation, brikko.Landed,
                         brikko.Dropping, brikko.Paused, g.Score, g.Lines, g.Level,
                         brikko.StepDelay, brikko.tileCopies()});
        if (checkScreen && !screenShows(g.Board))
            ++screenMismatches;
        for (Trigger& t : triggers) {
            if (!t.fired && t.condition(brikko)) {
                t.fired = true;
                events.at(clock.seconds, t.action);
            }
        }
        if (afterDraw)
            afterDraw();
    }
};

// Plays every piece of kind I the same way: after its first gravity step it
// is turned upright, moved to the next column of 1..10 in turn and dropped, so
// that each ten pieces complete rows 15 to 18 together and leave the board
// empty. The keys are events of the moment the piece reached row 2.
class AutoPlayer {
public:
    explicit AutoPlayer(LoopFixture& f) : f_(f) {
        f.afterDraw = [this] { onDraw(); };
    }
    int placed() const { return placed_; }

private:
    void onDraw() {
        const Brikko& b = f_.brikko;
        if (b.Game.Piece != PieceKindI || b.Game.Orientation != 1 || b.Game.PieceY != 2 ||
            b.Landed || b.Dropping || !b.Game.Playing)
            return;
        const int column = placed_++ % BoardColumns + 1;
        f_.events.at(f_.clock.seconds, [this, column] {
            GameControls& keys = f_.controls;
            keys.Form_KeyDown(KeyUp);
            for (int x = SpawnColumn; x > column; --x)
                keys.Form_KeyDown(KeyLeft);
            for (int x = SpawnColumn; x < column; ++x)
                keys.Form_KeyDown(KeyRight);
            keys.Form_KeyDown(KeyDown);
        });
    }
    LoopFixture& f_;
    int placed_ = 0;
};

// The times of the gravity steps that moved the falling piece one row down.
inline std::vector<double> gravitySteps(const std::vector<Draw>& draws) {
    std::vector<double> times;
    for (std::size_t i = 1; i < draws.size(); ++i)
        if (draws[i].piece == draws[i - 1].piece && draws[i].pieceY == draws[i - 1].pieceY + 1 &&
            !draws[i].dropping)
            times.push_back(draws[i].time);
    return times;
}
