#pragma once

// Whole games on a fake clock and event pump, with real files in a temporary
// folder (the file helpers serve the other game tests too). The fixture is the
// game and high-score windows, the music and the board: `journal`, `music` and
// `draws` note what each was asked, the last two with the simulated time.

#include "brikko_fixture.h"
#include "game_controls.h"
#include "game_options.h"
#include "high_scores.h"
#include "key_codes.h"
#include "profile_file.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <utility>

inline bool near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Board rows as text from row `first` on: '.' empty, else the kind's digit.
inline BoardCells boardOf(const QStringList& rows, int first = 1) {
    BoardCells board;
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            board(c + 1, first + r) = qint16(std::max(rows[r][c].digitValue(), 0));
    return board;
}

struct Draw {
    double time;
    BoardCells board;
    qint16 piece, pieceY;
    bool landed, dropping;
};

struct LoopFixture : GameWindowPort, HighScoreDisplay, MediaControl, BoardScreen {
    static constexpr double Start = 36000.0; // 10:00:00

    explicit LoopFixture(bool realRandom = false)
        : brikko({sounds, *this, clock,
                  realRandom ? static_cast<Random&>(xoshiro) : static_cast<Random&>(random), events,
                  AppPaths(QStringLiteral("/opt/vorelle/data"), dir.path(), dir.path())}) {
        clock.seconds = Start;
        boxes.onMsgBox = [this] {
            const FakeMessageBoxes::Shown& m = boxes.shown.back();
            journal << QStringLiteral("%1 (%2, %3)").arg(m.text).arg(m.style).arg(m.title);
            timeOfMessage = clock.seconds;
        };
        renderer.attach(this, &preview);
        brikko.setDrawing(&renderer);
        brikko.connectLoop({&options, &boxes, &scores, this, this});
    }

    FakeSoundPlayer sounds;
    FakeClock clock;
    FakeRandom random; // every piece an I unless queued
    XoshiroRandom xoshiro{0x1234'5678'9ABCULL};
    FakeEventPump events{clock};
    QTemporaryDir dir;
    ProfileFile optionsFile{dir.filePath(GameOptions::FileName)};
    GameOptions options{optionsFile};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    FakeMessageBoxes boxes;
    Brikko brikko;
    BoardRenderer renderer;
    ImageBoardScreen screen;
    ImagePreviewView preview;
    GameControls controls{brikko};

    QStringList journal, captions, music;
    QString currentCaption = QStringLiteral("Brikko32");
    GameWindowState state = GameWindowState::Normal;
    QMap<GameLabel, QString> labels;
    std::vector<Draw> draws;
    int landings = 0, screenMismatches = 0;
    double timeOfMessage = -1.0;
    bool checkScreen = false; // compare the screen with the live board at each copy

    void setGameMenus(const GameMenuStates& s) override {
        journal << (s == GameMenuStates::idle()      ? "menus idle"
                    : s == GameMenuStates::playing() ? "menus playing"
                                                     : "menus ?");
    }
    QString caption() const override { return currentCaption; }
    void setCaption(const QString& c) override { captions << (currentCaption = c); }
    GameWindowState windowState() const override { return state; }
    void setLabel(GameLabel label, const QString& text) override { labels[label] = text; }
    void hideGameWindow() override { journal << "hide"; }
    void showExerciseWindow() override { journal << "exercise shown"; }
    void handBackToExercise() override { journal << "hand-back"; }
    void showHighScores(const HighScoreTable&) override { journal << "high scores shown"; }
    void send(const QString& command) override { // as "verb seconds"
        music << command.section(u' ', 0, 0) + u' ' + QString::number(clock.seconds, 'f', 1);
    }
    void copyFromBuffer(const QImage& buffer, const QRect& source) override {
        screen.copyFromBuffer(buffer, source);
        const GameState& g = brikko.game();
        landings += brikko.landed() && (draws.empty() || !draws.back().landed);
        draws.push_back(
            {clock.seconds, g.Board, g.Piece, g.PieceY, brikko.landed(), brikko.dropping()});
        for (int i = 0; checkScreen && i < BoardCellCount; ++i) {
            const QImage* tile = renderer.pictures().Kubolt(g.Board.cells[std::size_t(i)]);
            const QRect cell(i % BoardColumns * TileSize, i / BoardColumns * TileSize, TileSize,
                             TileSize);
            screenMismatches += screen.image().copy(cell) != tile->copy(0, 0, TileSize, TileSize);
        }
        for (auto& [condition, action] : triggers)
            if (action && condition(brikko))
                events.at(clock.seconds, std::exchange(action, {}));
    }

    // The first copy to the screen that finds `condition` true queues the
    // action as an event of that moment, as a key pressed then would be.
    void whenDrawn(std::function<bool(const Brikko&)> condition, std::function<void()> action) {
        triggers.push_back({std::move(condition), std::move(action)});
    }
    // Keys pressed when the falling piece is first drawn in `row`.
    void keysAtRow(int row, std::vector<int> keys) {
        whenDrawn([row](const Brikko& b) { return b.game().PieceY == row; },
                  [this, keys] {
                      for (const int key : keys)
                          controls.Form_KeyDown(key);
                  });
    }
    void keyAt(double time, int key) {
        events.at(time, [this, key] { controls.Form_KeyDown(key); });
    }
    void endGameAt(double time) {
        events.at(time, [this] { controls.mnuEndGame_Click(); });
    }
    void play() { controls.mnuNewGame_Click(); }

    // Queues the draws by which NewGame fills rows 10 to 18 as `rows` shows.
    void queueFill(const QStringList& rows) {
        const BoardCells board = boardOf(rows, 10);
        for (int c = 1; c <= BoardColumns; ++c)
            for (int r = 10; r <= BoardRows; ++r)
                if (const qint16 kind = board(c, r))
                    random.queued.insert(random.queued.end(), {0.0, (kind - 0.5) / PieceKindCount});
                else
                    random.queued.push_back(0.999); // above any level's chance
    }

private:
    std::vector<std::pair<std::function<bool(const Brikko&)>, std::function<void()>>> triggers;
};
