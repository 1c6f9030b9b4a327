// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app_paths.h"
#include "clock.h"
#include "exercise_state.h"
#include "form.h"
#include "instance_guard.h"
#include "message_boxes.h"
#include "random.h"
#include "sound_player.h"
#include "spelling_choice.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <array>
#include <vector>

class AnswerBox;
class QGroupBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QRadioButton;

// What the exercise window needs from the platform.
struct ExerciseServices {
    Clock& clock;
    Random& random;
    SoundPlayer& sounds;
    MessageBoxes& boxes;
    InstanceGuard& instance;
    AppPaths paths;
};

// The main window: draws a number in the chosen range, checks the pupil's
// words against the reference words, keeps the counts and the score of the
// series, gives hints and the solution, and hands over to the reward game.
// objectName "Form1", caption "Vorelle".
class ExerciseWindow : public Form {
    Q_OBJECT
public:
    explicit ExerciseWindow(ExerciseServices services);
    ~ExerciseWindow() override;

    // The game's hand-back: Text1 emptied, Label1 "??? ??? ??? ???", the
    // counts and the score emptied, CmdGenerer enabled, CmdAide disabled,
    // one more game in Label6, then the window is shown (not modal).
    void resetAfterGame();

    // Ends the program at once when another copy runs; then the start state.
    void onLoad() override;
    // Lays every control out for the window's size: its geometry in twips
    // scaled by the current outer size over the outer size at load
    // (single-precision factors; frame children relative to their frame;
    // fonts unchanged), so that growing and shrinking back never drifts.
    // Nothing while minimised. The outer size is the window's own, menu bar
    // included, without the window manager's frame.
    void onResize() override;
    void onGenerateClicked();
    void onAnswerChanged();
    void onCheckClicked();
    void onHintClicked();
    void onSolutionClicked();
    void onQuitTriggered(); // ends the program at once
    void onTipTriggered();
    void onGuideTriggered();
    void onAboutTriggered();
    void onSpellingTriggered(); // "&Orthographe des nombres...": asks for the choice's window

    // The spelling of the numbers' words from the next draw on; the number
    // on screen keeps the answers it was drawn with.
    void setSpellingChoice(const SpellingChoice& choice) { spelling_ = choice; }
    const SpellingChoice& spellingChoice() const { return spelling_; }

    const ExerciseState& state() const { return state_; }
    // The selected difficulty, 0 to 5.
    int selectedOption() const;

    // The answer box's text before the first draw.
    static QString instructionText();
    // The answer's text colour, set again at each draw (the solution paints
    // it red): dark, on the box's forced light background.
    static QColor answerTextColor();
    // Label1's text before the first draw and after a game.
    static QString hiddenNumberText();

signals:
    // Menu commands that open windows of other folders, connected at start-up.
    void tipsRequested();     // onTipTriggered: the tip of the day, not modal
    void guideRequested();    // onGuideTriggered: the guide, not modal
    void aboutRequested();    // onAboutTriggered: the about box, not modal
    void spellingRequested(); // onSpellingTriggered: the spelling's window, modal
    // The reward: opens the game. While nothing is connected the main window
    // stays shown after a reward; otherwise it hides until resetAfterGame().
    void rewardRequested();

protected:
    QWidget* createWidget() override;
    void onUnload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect twips; // left, top, width, height in twips, relative to the container
    };
    template <typename W>
    W* place(W* widget, QWidget* container, const QString& name, int left, int top, int width,
             int height);
    void buildMenus(QMainWindow* window);
    void applyButtonStates();
    void playSound(const QString& fileName);
    void showCounts();
    void answerRight();
    void answerWrong();
    void pressDefaultButton();
    int outerWidthTwips() const;
    int outerHeightTwips() const;

    ExerciseServices services_;
    ExerciseState state_;
    ButtonStates buttons_;
    SpellingChoice spelling_;
    // The outer size at load: the controls are laid out from their twips
    // geometry scaled by the current size over this one.
    int loadWidth_ = 0;
    int loadHeight_ = 0;
    // Games handed back so far; a reward hides the window only when the game
    // has not already handed back while it was being opened.
    int handBacks_ = 0;
    std::vector<Placed> placed_;

    QPointer<QWidget> client_;
    QPointer<QLabel> numberLabel_, markLabel_, gamesPlayedCaption_, gamesPlayedLabel_;
    std::array<QPointer<QLabel>, 2> countLabels_;
    QPointer<QPushButton> generateButton_, checkButton_, hintButton_, solutionButton_;
    QPointer<AnswerBox> answerBox_;
    std::array<QPointer<QRadioButton>, 6> difficultyButtons_;
};
