// SPDX-License-Identifier: GPL-3.0-or-later
// The game window: layout, menus, keys and the window's lifecycle.

#include "game_window.h"

#include "brikko.h"
#include "dialog_font.h"
#include "game_caption.h"
#include "high_score_window.h"
#include "high_scores.h"
#include "instructions_window.h"
#include "key_codes.h"
#include "options_window.h"
#include "picture_box.h"
#include "program_end.h"
#include "render_pics.h"
#include "window_centring.h"
#include "window_utilities.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

constexpr int ClientWidth = 288;
constexpr int ClientHeight = 304;

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& r,
              double points) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setFont(dialogFont(points));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

// Every key pressed in the game window, whatever control has the focus, goes
// to onKeyDown; the menu bar keeps its own keys while the player walks
// through it. This watches the whole application, for keys only: the window's
// other events (its close request above all, which it refuses) are the
// form's.
class GameWindow::KeyForwarder : public QObject {
public:
    explicit KeyForwarder(GameWindow& form) : form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !form_.widget())
            return false;
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != form_.widget() || qobject_cast<QMenuBar*>(target))
            return false;
        if (const int code = designKeyCode(static_cast<QKeyEvent*>(event)->key())) {
            form_.onKeyDown(code);
            return true; // taken once, not again by each parent
        }
        return false;
    }

private:
    GameWindow& form_;
};

GameWindow::GameWindow(Brikko& game, GameWindowLinks links, QObject* parent)
    : Form(QStringLiteral("frmBrikko"), parent), game_(game), session_(game),
      keys_(std::make_unique<KeyForwarder>(*this)), links_(links), caption_(gameCaption()) {
    // The game window is laid out in pixels.
    setScaleMode(ScaleMode::Pixels);
}

GameWindow::~GameWindow() = default;

QAction* GameWindow::addCommand(QMenu* menu, const QString& name, const QString& caption,
                                const QKeySequence& shortcut, void (GameWindow::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

QWidget* GameWindow::createWidget() {
    auto* w = new QMainWindow;
    w->setWindowTitle(caption_);
    // No close button and no maximise button: the window has a fixed size and
    // ends only through "&Quitter".
    w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* client = new QWidget(w);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    w->setCentralWidget(client);

    const QColor board = GamePictures::backgroundColor();
    boardPicture_ = new PictureBox(client, QStringLiteral("picBoard"), QRect(8, 8, 164, 292), board,
                                   QStringLiteral("Plateau de jeu"));
    previewPicture_ = new PictureBox(client, QStringLiteral("picNext"), QRect(182, 24, 100, 68),
                                     board, QStringLiteral("Pièce suivante"));
    label(client, QStringLiteral("Label1"), QStringLiteral(" Piece suivante :"),
          QRect(186, 8, 89, 17), 8.25);
    label(client, QStringLiteral("Label2"), QStringLiteral("Score:"), QRect(186, 113, 109, 17),
          8.25);
    scoreLabel_ = label(client, QStringLiteral("lblScore"), QStringLiteral("0"),
                        QRect(182, 130, 100, 28), 13.5);
    label(client, QStringLiteral("Label5"), QStringLiteral("Lignes:"), QRect(186, 177, 109, 17),
          8.25);
    linesLabel_ = label(client, QStringLiteral("lblLines"), QStringLiteral("0"),
                        QRect(182, 194, 100, 28), 13.5);
    label(client, QStringLiteral("Label3"), QStringLiteral("Niveau :"), QRect(186, 241, 109, 17),
          8.25);
    levelLabel_ = label(client, QStringLiteral("lblLevel"), QStringLiteral("0"),
                        QRect(182, 258, 100, 28), 13.5);

    QMenuBar* bar = w->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("mnuFile"));
    newGameAction_ = addCommand(file, QStringLiteral("mnuNewGame"), QStringLiteral("&Nouveau jeu"),
                                Qt::Key_F2, &GameWindow::onNewGameTriggered);
    pauseAction_ = addCommand(file, QStringLiteral("mnuPause"), QStringLiteral("&Pause"), {},
                              &GameWindow::onPauseTriggered);
    endGameAction_ =
        addCommand(file, QStringLiteral("mnuEndGame"), QStringLiteral("&Arrêter la partie"), {},
                   &GameWindow::onEndGameTriggered);
    file->addSeparator()->setObjectName(QStringLiteral("mnuBar1"));
    highScoresAction_ =
        addCommand(file, QStringLiteral("mnuHighScore"), QStringLiteral("&High Scores"), Qt::Key_F4,
                   &GameWindow::onHighScoresTriggered);
    addCommand(file, QStringLiteral("mnuOptions"), QStringLiteral("&Options..."), {},
               &GameWindow::onOptionsTriggered);
    file->addSeparator()->setObjectName(QStringLiteral("mnuBar2"));
    addCommand(file, QStringLiteral("mnuExit"), QStringLiteral("&Quitter"), {},
               &GameWindow::onExitTriggered);
    QMenu* help = bar->addMenu(QStringLiteral("&Aide"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addCommand(help, QStringLiteral("mnuInstruct"), QStringLiteral("&Instructions"), Qt::Key_F1,
               &GameWindow::onInstructionsTriggered);
    help->addSeparator()->setObjectName(QStringLiteral("mnubar3"));
    addCommand(help, QStringLiteral("mnuAbout"), QStringLiteral("&A propos"), {},
               &GameWindow::onAboutTriggered);
    setGameMenus(GameMenuStates::idle());

    w->layout()->setSizeConstraint(QLayout::SetFixedSize);
    w->adjustSize();
    return w;
}

void GameWindow::onLoad() {
    // The preview pictures are drawn once, here; picNext stays empty until
    // the first spawn.
    attachToGame();
    links_.highScores.loadHighScores();
    // No close command, hence no close button and no closing from the title
    // bar or with Alt+F4. Laid out in pixels, the game window centres itself
    // in the free part of the screen.
    WindowUtilities::removeCloseCommand(*this);
    centreOnScreen(widget(), nullptr, ScreenArea::Free);
    qApp->installEventFilter(keys_.get());
}

void GameWindow::onActivate() {
    repaintBoardFromBuffer();
}

void GameWindow::onResize() {
    session_.onResize(windowState());
}

void GameWindow::onUnload() {
    // Errors are of no interest any more: the program ends here. A game
    // under way stops where it is, without its end ("Perdu !", high score).
    qApp->removeEventFilter(keys_.get());
    session_.abandon();
    closeMusic();
    ProgramEnd::endProgram();
}

void GameWindow::onKeyDown(int keyCode) {
    session_.onKeyDown(keyCode);
}

void GameWindow::onNewGameTriggered() {
    session_.onNewGameTriggered();
}

void GameWindow::onPauseTriggered() {
    session_.onPauseTriggered();
}

void GameWindow::onEndGameTriggered() {
    session_.onEndGameTriggered();
}

void GameWindow::onHighScoresTriggered() {
    links_.highScores.showHighScores(links_.highScoreWindow);
}

void GameWindow::onOptionsTriggered() {
    session_.pauseIfPlaying();
    links_.options.showOptions();
    session_.poll(); // the sounds may have been switched off
}

void GameWindow::onInstructionsTriggered() {
    session_.pauseIfPlaying();
    links_.instruct.show(true);
    session_.poll();
}

void GameWindow::onAboutTriggered() {
    session_.pauseIfPlaying();
    emit aboutRequested();
    session_.poll();
}

void GameWindow::onExitTriggered() {
    showExerciseWindow();
    unload();
}

// --- What the game loop sees ------------------------------------------------------

void GameWindow::setGameMenus(const GameMenuStates& states) {
    menus_ = states;
    if (newGameAction_)
        newGameAction_->setEnabled(states.newGame);
    if (pauseAction_)
        pauseAction_->setEnabled(states.pause);
    if (endGameAction_)
        endGameAction_->setEnabled(states.endGame);
    if (highScoresAction_)
        highScoresAction_->setEnabled(states.highScores);
}

QString GameWindow::caption() const {
    return caption_;
}

void GameWindow::setCaption(const QString& caption) {
    caption_ = caption;
    if (QWidget* w = widget())
        w->setWindowTitle(caption);
}

GameWindowState GameWindow::windowState() const {
    const QWidget* w = widget();
    if (!w)
        return GameWindowState::Normal;
    if (w->isMinimized())
        return GameWindowState::Minimized;
    if (w->isMaximized())
        return GameWindowState::Maximized;
    return GameWindowState::Normal;
}

void GameWindow::setLabel(GameLabel which, const QString& text) {
    QLabel* l = which == GameLabel::Score   ? scoreLabel_.data()
                : which == GameLabel::Lines ? linesLabel_.data()
                                            : levelLabel_.data();
    if (l)
        l->setText(text);
}

void GameWindow::hideGameWindow() {
    hide();
}

void GameWindow::showExerciseWindow() {
    emit exerciseWindowRequested();
}

void GameWindow::handBackToExercise() {
    emit gameHandedBack();
}

void GameWindow::copyFromBuffer(const QImage& buffer, const QRect& source) {
    if (boardPicture_)
        boardPicture_->copyFrom(buffer, source);
}

void GameWindow::setPicture(const QImage* picture) {
    if (previewPicture_)
        previewPicture_->setPicture(picture);
}

// --- The game module's own calls ------------------------------------------------

void GameWindow::attachToGame() {
    renderer_.attach(this, this);
    renderer_.setDevicePixelRatio(widget()->devicePixelRatioF());
    game_.setDrawing(&renderer_);
    renderer_.showPreview(1);
    renderer_.showPreview(0);
}

void GameWindow::repaintBoardFromBuffer() {
    // The window may have moved to a screen of another density meanwhile.
    renderer_.setDevicePixelRatio(widget()->devicePixelRatioF());
    game_.repaintBoard();
}

void GameWindow::closeMusic() {
    game_.stopMusic();
}
