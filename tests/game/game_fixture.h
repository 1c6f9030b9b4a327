// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the game's tests share: the services of a game on a fake clock with its
// files in a fresh folder, and a whole game module whose windows, music and
// board are this fixture. `journal`, `music` ("verb seconds") and `draws` (the
// record at each copy to the screen) note what each was asked.

#include "board_renderer.h"
#include "brikko.h"
#include "brikko_test_access.h"
#include "fakes.h"
#include "game_options.h"
#include "game_session.h"
#include "high_scores.h"
#include "key_codes.h"
#include "profile_file.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <functional>
#include <utility>

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

struct GameServices {
    static constexpr double Start = 36000.0; // the fake clock's 10:00:00
    FakeSoundPlayer sounds;
    FakeClock clock;
    FakeRandom random; // every piece an I unless queued
    FakeEventPump events{clock};
    FakeMessageBoxes boxes;
    QTemporaryDir dir;
    ProfileFile optionsFile{dir.filePath(GameOptions::FileName)};
    GameOptions options{optionsFile, &boxes};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
};

struct Draw {
    double time;
    BoardCells board;
    qint16 piece, pieceY;
    bool landed;
};

struct GameFixture : GameServices, GameWindowPort, HighScoreDisplay, MediaControl, BoardScreen {
    // A folder name with spaces and double quotes: the music's path goes as it is.
    inline static const QString DataDir = QStringLiteral("/opt/quote \"x\" dir");

    GameFixture() : brikko({sounds, *this, clock, random, AppPaths(DataDir, "", "")}) {
        boxes.whileShown = [this] {
            const FakeMessageBoxes::Shown& m = boxes.shown.back();
            journal << QStringLiteral("%1 (%2, %3)").arg(m.text, kindName(m.kind), m.title);
            timeOfMessage = clock.seconds;
        };
        renderer.attach(this, &preview);
        brikko.setDrawing(&renderer);
        brikko.connectLoop({&options, &boxes, &scores, this, this});
    }

    Brikko brikko;
    BoardRenderer renderer;
    ImageBoardScreen screen;
    ImagePreviewView preview;
    GameSession session{brikko};
    QStringList journal, music;
    QString caption_ = QStringLiteral("Brikko32"), musicPath; // the last path opened or played
    GameWindowState state = GameWindowState::Normal;
    QMap<GameLabel, QString> labels;
    std::vector<Draw> draws;
    int screenMismatches = 0;
    double timeOfMessage = -1.0;

    void setGameMenus(const GameMenuStates& s) override {
        journal << (s == GameMenuStates::idle() ? "menus idle" : "menus playing");
    }
    QString caption() const override { return caption_; }
    void setCaption(const QString& c) override { caption_ = c; }
    GameWindowState windowState() const override { return state; }
    void setLabel(GameLabel label, const QString& text) override { labels[label] = text; }
    void hideGameWindow() override { journal << "hide"; }
    void showExerciseWindow() override { journal << "exercise shown"; }
    void handBackToExercise() override { journal << "hand-back"; }
    void showHighScores(const HighScoreTable&) override { journal << "high scores shown"; }
    void openMusic(const QString& path) override { noteMusic("open", path); }
    void playMusic(const QString& path) override { noteMusic("play", path); }
    void closeMusic() override { noteMusic("close", {}); }
    void noteMusic(const char* call, const QString& path) {
        music << QLatin1String(call) + u' ' + QString::number(clock.seconds, 'f', 1);
        if (!path.isNull())
            musicPath = path;
    }
    // Notes the record, and counts the cells the screen shows otherwise than
    // the live board.
    void copyFromBuffer(const QImage& buffer, const QRect& source) override {
        screen.copyFromBuffer(buffer, source);
        const GameState& g = brikko.game();
        draws.push_back({clock.seconds, g.Board, g.Piece, g.PieceY, brikko.landed()});
        for (int i = 0; i < BoardCellCount; ++i) {
            const QImage* tile = renderer.pictures().tileImage(g.Board.cells[std::size_t(i)]);
            const QRect cell(QPoint(i % BoardColumns, i / BoardColumns) * TileSize,
                             QSize(TileSize, TileSize));
            screenMismatches += screen.image().copy(cell) != tile->copy(0, 0, TileSize, TileSize);
        }
        for (auto& [condition, action] : triggers)
            if (action && condition(brikko))
                events.at(clock.seconds, std::exchange(action, {}));
    }

    void loadPosition(const GamePosition& position) {
        BrikkoTestAccess::loadPosition(brikko, position);
    }
    // The first copy to the screen that finds `condition` true queues the
    // action as an event of that moment, as a key pressed then would be.
    void whenDrawn(std::function<bool(const Brikko&)> condition, std::function<void()> action) {
        triggers.push_back({std::move(condition), std::move(action)});
    }
    // At `seconds` after the start: a key, or 0 "&Arrêter la partie".
    void keyAt(double seconds, int key) {
        events.at(Start + seconds,
                  [this, key] { key ? session.onKeyDown(key) : session.onEndGameTriggered(); });
    }
    // "&Nouveau jeu", then the game to its end and the hand-back. The number
    // of times the session's timer fired.
    int play() {
        session.onNewGameTriggered();
        return runOnFakeClock(events, clock, session);
    }

private:
    std::vector<std::pair<std::function<bool(const Brikko&)>, std::function<void()>>> triggers;
};
