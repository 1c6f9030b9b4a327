// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise_window.h"

#include "answer_box.h"
#include "answer_check.h"
#include "app_info.h"
#include "difficulty.h"
#include "number_display.h"
#include "program_end.h"

#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>

ExerciseWindow::ExerciseWindow(ExerciseServices services)
    : Form(QStringLiteral("Form1")), services_(std::move(services)) {}

ExerciseWindow::~ExerciseWindow() = default;

QString ExerciseWindow::instructionText() {
    return QStringLiteral("Génère un nombre, lis-le, écris-le en lettres ici.        \r\n"
                          "Fais attention aux accords des mots :\r\n"
                          "vingt, cent,\r\n"
                          "million, milliard !!!\r\n");
}

QColor ExerciseWindow::answerTextColor() {
    // The answer box's background is always light green, whatever the
    // desktop's palette: its text is always dark. (The palette's button-text
    // colour is light under a dark palette, and unreadable there.)
    return QColor(Qt::black);
}

QString ExerciseWindow::hiddenNumberText() {
    return QStringLiteral("??? ??? ??? ???");
}

void ExerciseWindow::onLoad() {
    // One copy of the program at a time: a second one ends here, silently,
    // before any window shows.
    if (services_.instance.anotherInstanceRunning()) {
        ProgramEnd::endProgram();
        return;
    }

    loadWidth_ = outerWidthTwips();
    loadHeight_ = outerHeightTwips();

    gamesPlayedCaption_->setText(QStringLiteral("Nombre de partie(s) jouée(s) :"));
    gamesPlayedLabel_->setText(QStringLiteral("0"));
    buttons_ = ButtonStates::atLoad();
    applyButtonStates();
}

int ExerciseWindow::selectedOption() const {
    for (int i = 0; i < DifficultyCount; ++i) {
        if (difficultyButtons_[std::size_t(i)] && difficultyButtons_[std::size_t(i)]->isChecked())
            return i;
    }
    return 0;
}

void ExerciseWindow::applyButtonStates() {
    if (generateButton_)
        generateButton_->setEnabled(buttons_.CmdGenerer);
    if (checkButton_)
        checkButton_->setEnabled(buttons_.Cmdverif);
    if (hintButton_)
        hintButton_->setEnabled(buttons_.CmdIndice);
    if (solutionButton_)
        solutionButton_->setEnabled(buttons_.CmdAide);
}

void ExerciseWindow::playSound(const QString& fileName) {
    services_.sounds.play(services_.paths.dataFile(fileName));
}

void ExerciseWindow::onGenerateClicked() {
    if (!isLoaded())
        return;
    answerBox_->setTextColor(answerTextColor());
    services_.random.reseed(services_.clock.secondsSinceMidnight());
    state_.setDrawnNumber(drawNumber(selectedOption(), services_.random.next()), spelling_);
    numberLabel_->setText(groupedDigits(state_.currentNumber()));
    answerBox_->setText(QString());
    // The new number reaches a screen reader through the answer box, where
    // the pupil types: told at once when the box already has the focus (after
    // a right answer), read with the box when it takes the focus.
    answerBox_->tellDescription(numberToWriteDescription(state_.currentNumber()));
    answerBox_->setFocus();
    buttons_.numberDrawn();
    applyButtonStates();
}

void ExerciseWindow::onAnswerChanged() {
    buttons_.textChanged();
    applyButtonStates();
}

void ExerciseWindow::onCheckClicked() {
    if (!isLoaded())
        return;
    // Runs of spaces are halved pass after pass until none is left, then the
    // text is lower-cased; the pupil sees the corrected text in the box. The
    // passes run on a copy and the box takes the result once: every write
    // lays the whole text out again, and nothing can see the passes between.
    const QString answer = lowerCased(collapseSpaces(answerBox_->text()));
    answerBox_->setText(answer);
    if (answer.isEmpty()) {
        // (The message is split so that "??!" is not read as a trigraph.)
        services_.boxes.showMessage(QStringLiteral("Tu as écris quelque chose ?"
                                                   "?!!"),
                                    MessageKind::Question, QStringLiteral("KEZACO!!??"));
        if (!isLoaded())
            return;
        answerBox_->setFocus();
    } else if (state_.drawnWords().accepts(answer)) {
        answerRight();
    } else {
        answerWrong();
    }
    if (!isLoaded())
        return;

    showCounts();
    state_.updateScore();
    markLabel_->setText(state_.scoreText());

    if (rewardDue(state_.right(), selectedOption())) {
        const int handBacks = handBacks_;
        const bool game =
            isSignalConnected(QMetaMethod::fromSignal(&ExerciseWindow::rewardRequested));
        if (game)
            emit rewardRequested();
        state_.resetSeries();
        if (game && handBacks_ == handBacks)
            hide();
    }
}

void ExerciseWindow::answerRight() {
    playSound(QStringLiteral("gagner.wav"));
    state_.addRight();
    buttons_.rightAnswer();
    applyButtonStates();
    onGenerateClicked();
}

void ExerciseWindow::answerWrong() {
    services_.boxes.showMessage(QStringLiteral("Relis-toi !!!"), MessageKind::Warning,
                                QStringLiteral("Attention!"));
    playSound(QStringLiteral("perdu.wav"));
    state_.addWrong();
    if (answerBox_)
        answerBox_->setFocus();
}

void ExerciseWindow::showCounts() {
    countLabels_[0]->setText(state_.rightCountText());
    countLabels_[1]->setText(state_.wrongCountText());
}

void ExerciseWindow::onHintClicked() {
    if (!isLoaded())
        return;
    services_.boxes.showMessage(state_.drawnWords().hintText(), MessageKind::Plain,
                                AppInfo::title());
    if (answerBox_)
        answerBox_->setFocus();
}

void ExerciseWindow::onSolutionClicked() {
    if (!isLoaded())
        return;
    answerBox_->setTextColor(QColor(255, 0, 0));
    answerBox_->setText(state_.referenceWords());
    playSound(QStringLiteral("perdu.wav"));
    state_.addWrong();
    countLabels_[1]->setText(state_.wrongCountText());
    buttons_.solutionShown();
    applyButtonStates();
}

void ExerciseWindow::resetAfterGame() {
    ++handBacks_;
    load();
    if (!isLoaded())
        return;
    answerBox_->setText(QString());
    numberLabel_->setText(hiddenNumberText());
    answerBox_->setAccessibleDescription(QString()); // no number shown, none told
    countLabels_[0]->setText(QString());
    countLabels_[1]->setText(QString());
    markLabel_->setText(QString());
    buttons_.gameEnded();
    applyButtonStates();
    gamesPlayedLabel_->setText(QString::number(gamesPlayedLabel_->text().toLongLong() + 1));
    show(false);
}

void ExerciseWindow::onQuitTriggered() {
    ProgramEnd::endProgram();
}

void ExerciseWindow::onTipTriggered() {
    emit tipsRequested();
}

void ExerciseWindow::onGuideTriggered() {
    emit guideRequested();
}

void ExerciseWindow::onAboutTriggered() {
    emit aboutRequested();
}

void ExerciseWindow::onSpellingTriggered() {
    emit spellingRequested();
}
