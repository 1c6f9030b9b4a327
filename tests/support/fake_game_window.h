#pragma once

// Fakes of the game's windows as the game loop sees them: the game window
// (menus, caption, window state, labels, hiding) and the high-score window.
// Header only: the game's tests link the game library, test_support does not.

#include "game_window_port.h"
#include "high_scores.h"

#include <QMap>
#include <QStringList>
#include <vector>

class FakeGameWindow : public GameWindowPort {
public:
    GameMenuStates menus = GameMenuStates::idle();
    std::vector<GameMenuStates> menuChanges;
    QString currentCaption = QStringLiteral("Brikko32");
    QStringList captions; // every caption set, in order
    GameWindowState state = GameWindowState::Normal;
    QMap<GameLabel, QString> labels;
    int hides = 0;
    int exerciseShows = 0;
    QStringList* journal = nullptr; // when set, hiding and the menus are noted in it

    void setGameMenus(const GameMenuStates& states) override {
        menus = states;
        menuChanges.push_back(states);
        note(states == GameMenuStates::idle() ? QStringLiteral("menus idle")
                                              : QStringLiteral("menus playing"));
    }
    QString caption() const override { return currentCaption; }
    void setCaption(const QString& caption) override {
        currentCaption = caption;
        captions << caption;
    }
    GameWindowState windowState() const override { return state; }
    void setLabel(GameLabel label, const QString& text) override { labels[label] = text; }
    void hideGameWindow() override {
        ++hides;
        note(QStringLiteral("hide"));
    }
    void showExerciseWindow() override {
        ++exerciseShows;
        note(QStringLiteral("exercise shown"));
    }

private:
    void note(const QString& what) {
        if (journal)
            *journal << what;
    }
};

class FakeHighScoreDisplay : public HighScoreDisplay {
public:
    int shows = 0;
    HighScoreList lastShown{};
    QStringList* journal = nullptr;
    void showHighScores(const HighScoreTable& table) override {
        ++shows;
        lastShown = table.entries();
        if (journal)
            *journal << QStringLiteral("high scores shown");
    }
};
