// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

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

Form1::Form1(ExerciseServices services)
    : Form(QStringLiteral("Form1")), services_(std::move(services)) {}

Form1::~Form1() = default;

QString Form1::instructionText() {
    return QStringLiteral("Génère un nombre, lis-le, écris-le en lettres ici.        \r\n"
                          "Fais attention aux accords des mots :\r\n"
                          "vingt, cent,\r\n"
                          "million, milliard !!!\r\n");
}

QColor Form1::answerTextColor() {
    // The answer box's background is always light green, whatever the
    // desktop's palette: its text is always dark. (The palette's button-text
    // colour is light under a dark palette, and unreadable there.)
    return QColor(Qt::black);
}

QString Form1::hiddenNumberText() {
    return QStringLiteral("??? ??? ??? ???");
}

void Form1::Form_Load() {
    // One copy of the program at a time: a second one ends here, silently,
    // before any window shows.
    if (services_.instance.anotherInstanceRunning()) {
        ProgramEnd::endProgram();
        return;
    }

    loadWidth_ = outerWidthTwips();
    loadHeight_ = outerHeightTwips();

    Label5_->setText(QStringLiteral("Nombre de partie(s) jouée(s) :"));
    Label6_->setText(QStringLiteral("0"));
    buttons_ = ButtonStates::atLoad();
    applyButtonStates();
}

int Form1::selectedOption() const {
    for (int i = 0; i < DifficultyCount; ++i) {
        if (Option1_[std::size_t(i)] && Option1_[std::size_t(i)]->isChecked())
            return i;
    }
    return 0;
}

void Form1::applyButtonStates() {
    if (CmdGenerer_)
        CmdGenerer_->setEnabled(buttons_.CmdGenerer);
    if (Cmdverif_)
        Cmdverif_->setEnabled(buttons_.Cmdverif);
    if (CmdIndice_)
        CmdIndice_->setEnabled(buttons_.CmdIndice);
    if (CmdAide_)
        CmdAide_->setEnabled(buttons_.CmdAide);
}

void Form1::playSound(const QString& fileName) {
    services_.sounds.play(services_.paths.dataFile(fileName));
}

void Form1::CmdGenerer_Click() {
    if (!isLoaded())
        return;
    Text1_->setTextColor(answerTextColor());
    services_.random.reseed(services_.clock.secondsSinceMidnight());
    state_.setDrawnNumber(drawNumber(selectedOption(), services_.random.next()), spelling_);
    Label1_->setText(groupedDigits(state_.CurrentNumber()));
    Text1_->setText(QString());
    // The new number reaches a screen reader through the answer box, where
    // the pupil types: told at once when the box already has the focus (after
    // a right answer), read with the box when it takes the focus.
    Text1_->tellDescription(numberToWriteDescription(state_.CurrentNumber()));
    Text1_->setFocus();
    buttons_.numberDrawn();
    applyButtonStates();
}

void Form1::Text1_Change() {
    buttons_.textChanged();
    applyButtonStates();
}

void Form1::Cmdverif_Click() {
    if (!isLoaded())
        return;
    // Runs of spaces are halved pass after pass until none is left, then the
    // text is lower-cased; the pupil sees the corrected text in the box. The
    // passes run on a copy and the box takes the result once: every write
    // lays the whole text out again, and nothing can see the passes between.
    const QString answer = lowerCased(collapseSpaces(Text1_->text()));
    Text1_->setText(answer);
    if (answer.isEmpty()) {
        // (The message is split so that "??!" is not read as a trigraph.)
        services_.boxes.msgBox(QStringLiteral("Tu as écris quelque chose ?"
                                              "?!!"),
                               MsgQuestion, QStringLiteral("KEZACO!!??"));
        if (!isLoaded())
            return;
        Text1_->setFocus();
    } else if (state_.drawnWords().accepts(answer)) {
        answerRight();
    } else {
        answerWrong();
    }
    if (!isLoaded())
        return;

    showCounts();
    state_.updateScore();
    Label3_->setText(state_.scoreText());

    if (rewardDue(state_.right(), selectedOption())) {
        const int handBacks = handBacks_;
        const bool game = isSignalConnected(QMetaMethod::fromSignal(&Form1::rewardRequested));
        if (game)
            emit rewardRequested();
        state_.resetSeries();
        if (game && handBacks_ == handBacks)
            Hide();
    }
}

void Form1::answerRight() {
    playSound(QStringLiteral("gagner.wav"));
    state_.addRight();
    buttons_.rightAnswer();
    applyButtonStates();
    CmdGenerer_Click();
}

void Form1::answerWrong() {
    services_.boxes.msgBox(QStringLiteral("Relis-toi !!!"), MsgExclamation,
                           QStringLiteral("Attention!"));
    playSound(QStringLiteral("perdu.wav"));
    state_.addWrong();
    if (Text1_)
        Text1_->setFocus();
}

void Form1::showCounts() {
    Label4_[0]->setText(state_.rightCountText());
    Label4_[1]->setText(state_.wrongCountText());
}

void Form1::CmdIndice_Click() {
    if (!isLoaded())
        return;
    services_.boxes.msgBox(state_.drawnWords().hintText(), MsgPlain, AppInfo::title());
    if (Text1_)
        Text1_->setFocus();
}

void Form1::CmdAide_Click() {
    if (!isLoaded())
        return;
    Text1_->setTextColor(QColor(255, 0, 0));
    Text1_->setText(state_.referenceWords());
    playSound(QStringLiteral("perdu.wav"));
    state_.addWrong();
    Label4_[1]->setText(state_.wrongCountText());
    buttons_.solutionShown();
    applyButtonStates();
}

void Form1::ResetAfterGame() {
    ++handBacks_;
    Load();
    if (!isLoaded())
        return;
    Text1_->setText(QString());
    Label1_->setText(hiddenNumberText());
    Text1_->setAccessibleDescription(QString()); // no number shown, none told
    Label4_[0]->setText(QString());
    Label4_[1]->setText(QString());
    Label3_->setText(QString());
    buttons_.gameEnded();
    applyButtonStates();
    Label6_->setText(QString::number(Label6_->text().toLongLong() + 1));
    Show(false);
}

void Form1::quitter_Click() {
    ProgramEnd::endProgram();
}

void Form1::astuce_Click() {
    emit tipsRequested();
}

void Form1::guide_Click() {
    emit guideRequested();
}

void Form1::apropos_Click() {
    emit aboutRequested();
}

void Form1::mnuSpelling_Click() {
    emit spellingRequested();
}
