#include "program_windows.h"

#include "form1.h"

#include <QWidget>

ProgramWindows::ProgramWindows(Form1& form1, Form& about, BrikkoServices services,
                               MessageBoxes& boxes, QObject* parent)
    : QObject(parent), form1_(form1),
      optionsFile_(services.paths.configFile(GameOptions::FileName)), options_(optionsFile_),
      highScores_(services.paths.userDataFile(HighScoreFile::FileName)), game_(services),
      optionsWindow_(options_, boxes,
                     [this] {
                         const QWidget* w = gameWindow_.widget();
                         return w ? w->frameGeometry() : QRect();
                     }),
      gameWindow_(game_, {highScores_, highScoreWindow_, optionsWindow_, instruct_}),
      splash_(options_, game_, services.events, {&highScoreWindow_, &about, &instruct_},
              gameWindow_) {
    game_.connectLoop({&options_, &boxes, &highScores_, &highScoreWindow_, &gameWindow_,
                       [this] { form1_.ResetAfterGame(); }});
    connect(&gameWindow_, &frmBrikko::exerciseWindowRequested, &form1_,
            [this] { form1_.Show(false); });
    // A running game is already paused; the box holds the game until it closes.
    connect(&gameWindow_, &frmBrikko::aboutRequested, &about, [&about] { about.Show(true); });
    form1_.onReward = [this] { openGame(); };
}

ProgramWindows::~ProgramWindows() {
    form1_.onReward = nullptr;
}
