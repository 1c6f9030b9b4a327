// SPDX-License-Identifier: GPL-3.0-or-later
// The game window: layout, menus, keys and the window's lifecycle.

#include "frm_brikko.h"

#include "brikko.h"
#include "cls_misc_form.h"
#include "frm_high_score.h"
#include "frm_instruct.h"
#include "frm_options.h"
#include "high_scores.h"
#include "key_codes.h"
#include "picture_box.h"
#include "program_end.h"
#include "render_pics.h"
#include "window_centring.h"

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

QFont sansSerif(double points) {
    QFont font(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial")});
    font.setPointSizeF(points);
    return font;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& r,
              double points) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setFont(sansSerif(points));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

// Every key pressed in the game window, whatever control has the focus, goes
// to Form_KeyDown; the menu bar keeps its own keys while the player walks
// through it. This watches the whole application, for keys only: the window's
// other events (its close request above all) are the form's, seen once and
// after the window's own filters, which refuse the close request first.
class frmBrikko::KeyForwarder : public QObject {
public:
    explicit KeyForwarder(frmBrikko& form) : form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !form_.widget())
            return false;
        auto* target = qobject_cast<QWidget*>(watched);
        if (!target || target->window() != form_.widget() || qobject_cast<QMenuBar*>(target))
            return false;
        if (const int code = designKeyCode(static_cast<QKeyEvent*>(event)->key())) {
            form_.Form_KeyDown(code);
            return true; // taken once, not again by each parent
        }
        return false;
    }

private:
    frmBrikko& form_;
};

frmBrikko::frmBrikko(Brikko& game, GameWindowLinks links, QObject* parent)
    : Form(QStringLiteral("frmBrikko"), parent), game_(game), session_(game),
      keys_(std::make_unique<KeyForwarder>(*this)), links_(links),
      caption_(QStringLiteral("Brikko32")) {
    // The game window is laid out in pixels.
    setScaleMode(ScaleMode::Pixels);
}

frmBrikko::~frmBrikko() = default;

QAction* frmBrikko::addCommand(QMenu* menu, const QString& name, const QString& caption,
                               const QKeySequence& shortcut, void (frmBrikko::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

QWidget* frmBrikko::createWidget() {
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

    const QColor board = FrmPics::backgroundColor();
    picBoard_ = new PictureBox(client, QStringLiteral("picBoard"), QRect(8, 8, 164, 292), board,
                               QStringLiteral("Plateau de jeu"));
    picNext_ = new PictureBox(client, QStringLiteral("picNext"), QRect(182, 24, 100, 68), board,
                              QStringLiteral("Pièce suivante"));
    label(client, QStringLiteral("Label1"), QStringLiteral(" Piece suivante :"),
          QRect(186, 8, 89, 17), 8.25);
    label(client, QStringLiteral("Label2"), QStringLiteral("Score:"), QRect(186, 113, 109, 17),
          8.25);
    lblScore_ = label(client, QStringLiteral("lblScore"), QStringLiteral("0"),
                      QRect(182, 130, 100, 28), 13.5);
    label(client, QStringLiteral("Label5"), QStringLiteral("Lignes:"), QRect(186, 177, 109, 17),
          8.25);
    lblLines_ = label(client, QStringLiteral("lblLines"), QStringLiteral("0"),
                      QRect(182, 194, 100, 28), 13.5);
    label(client, QStringLiteral("Label3"), QStringLiteral("Niveau :"), QRect(186, 241, 109, 17),
          8.25);
    lblLevel_ = label(client, QStringLiteral("lblLevel"), QStringLiteral("0"),
                      QRect(182, 258, 100, 28), 13.5);

    QMenuBar* bar = w->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuNewGame_ = addCommand(file, QStringLiteral("mnuNewGame"), QStringLiteral("&Nouveau jeu"),
                             Qt::Key_F2, &frmBrikko::mnuNewGame_Click);
    mnuPause_ = addCommand(file, QStringLiteral("mnuPause"), QStringLiteral("&Pause"), {},
                           &frmBrikko::mnuPause_Click);
    mnuEndGame_ =
        addCommand(file, QStringLiteral("mnuEndGame"), QStringLiteral("&Arrêter la partie"), {},
                   &frmBrikko::mnuEndGame_Click);
    file->addSeparator()->setObjectName(QStringLiteral("mnuBar1"));
    mnuHighScore_ = addCommand(file, QStringLiteral("mnuHighScore"), QStringLiteral("&High Scores"),
                               Qt::Key_F4, &frmBrikko::mnuHighScore_Click);
    addCommand(file, QStringLiteral("mnuOptions"), QStringLiteral("&Options..."), {},
               &frmBrikko::mnuOptions_Click);
    file->addSeparator()->setObjectName(QStringLiteral("mnuBar2"));
    addCommand(file, QStringLiteral("mnuExit"), QStringLiteral("&Quitter"), {},
               &frmBrikko::mnuExit_Click);
    QMenu* help = bar->addMenu(QStringLiteral("&Aide"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addCommand(help, QStringLiteral("mnuInstruct"), QStringLiteral("&Instructions"), Qt::Key_F1,
               &frmBrikko::mnuInstruct_Click);
    help->addSeparator()->setObjectName(QStringLiteral("mnubar3"));
    addCommand(help, QStringLiteral("mnuAbout"), QStringLiteral("&A propos"), {},
               &frmBrikko::mnuAbout_Click);
    setGameMenus(GameMenuStates::idle());

    w->layout()->setSizeConstraint(QLayout::SetFixedSize);
    w->adjustSize();
    return w;
}

void frmBrikko::Form_Load() {
    // The preview pictures are drawn once, here; picNext stays empty until
    // the first spawn.
    attachToGame();
    links_.highScores.LoadHighScores();
    // No close command, hence no close button and no closing from the title
    // bar or with Alt+F4. Laid out in pixels, the game window centres itself
    // in the free part of the screen.
    clsMiscForm::RemoveX(*this);
    centreOnScreen(widget(), nullptr, ScreenArea::Free);
    qApp->installEventFilter(keys_.get());
}

void frmBrikko::Form_Activate() {
    repaintBoardFromBuffer();
}

void frmBrikko::Form_Resize() {
    session_.Form_Resize(windowState());
}

void frmBrikko::Form_Unload() {
    // Errors are of no interest any more: the program ends here. A game
    // under way stops where it is, without its end ("Perdu !", high score).
    qApp->removeEventFilter(keys_.get());
    session_.abandon();
    closeMusic();
    ProgramEnd::endProgram();
}

void frmBrikko::Form_KeyDown(int keyCode) {
    session_.Form_KeyDown(keyCode);
}

void frmBrikko::mnuNewGame_Click() {
    session_.mnuNewGame_Click();
}

void frmBrikko::mnuPause_Click() {
    session_.mnuPause_Click();
}

void frmBrikko::mnuEndGame_Click() {
    session_.mnuEndGame_Click();
}

void frmBrikko::mnuHighScore_Click() {
    links_.highScores.ShowHighScores(links_.highScoreWindow);
}

void frmBrikko::mnuOptions_Click() {
    session_.pauseIfPlaying();
    links_.options.ShowOptions();
    session_.poll(); // the sounds may have been switched off
}

void frmBrikko::mnuInstruct_Click() {
    session_.pauseIfPlaying();
    links_.instruct.Show(true);
    session_.poll();
}

void frmBrikko::mnuAbout_Click() {
    session_.pauseIfPlaying();
    emit aboutRequested();
    session_.poll();
}

void frmBrikko::mnuExit_Click() {
    showExerciseWindow();
    Unload();
}

// --- What the game loop sees ------------------------------------------------------

void frmBrikko::setGameMenus(const GameMenuStates& states) {
    menus_ = states;
    if (mnuNewGame_)
        mnuNewGame_->setEnabled(states.mnuNewGame);
    if (mnuPause_)
        mnuPause_->setEnabled(states.mnuPause);
    if (mnuEndGame_)
        mnuEndGame_->setEnabled(states.mnuEndGame);
    if (mnuHighScore_)
        mnuHighScore_->setEnabled(states.mnuHighScore);
}

QString frmBrikko::caption() const {
    return caption_;
}

void frmBrikko::setCaption(const QString& caption) {
    caption_ = caption;
    if (QWidget* w = widget())
        w->setWindowTitle(caption);
}

GameWindowState frmBrikko::windowState() const {
    const QWidget* w = widget();
    if (!w)
        return GameWindowState::Normal;
    if (w->isMinimized())
        return GameWindowState::Minimized;
    if (w->isMaximized())
        return GameWindowState::Maximized;
    return GameWindowState::Normal;
}

void frmBrikko::setLabel(GameLabel which, const QString& text) {
    QLabel* l = which == GameLabel::lblScore   ? lblScore_.data()
                : which == GameLabel::lblLines ? lblLines_.data()
                                               : lblLevel_.data();
    if (l)
        l->setText(text);
}

void frmBrikko::hideGameWindow() {
    Hide();
}

void frmBrikko::showExerciseWindow() {
    emit exerciseWindowRequested();
}

void frmBrikko::handBackToExercise() {
    emit gameHandedBack();
}

void frmBrikko::copyFromBuffer(const QImage& buffer, const QRect& source) {
    if (picBoard_)
        picBoard_->copyFrom(buffer, source);
}

void frmBrikko::setPicture(const QImage* picture) {
    if (picNext_)
        picNext_->setPicture(picture);
}

// --- The game module's own calls ------------------------------------------------

void frmBrikko::attachToGame() {
    renderer_.attach(this, this);
    renderer_.setDevicePixelRatio(widget()->devicePixelRatioF());
    game_.setDrawing(&renderer_);
    renderer_.showPreview(1);
    renderer_.showPreview(0);
}

void frmBrikko::repaintBoardFromBuffer() {
    // The window may have moved to a screen of another density meanwhile.
    renderer_.setDevicePixelRatio(widget()->devicePixelRatioF());
    game_.RepaintBoard();
}

void frmBrikko::closeMusic() {
    game_.StopMusic();
}
