// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window's controls, menus, keys and layout.

#include "accessibility.h"
#include "answer_box.h"
#include "dialog_font.h"
#include "difficulty.h"
#include "exercise_window.h"
#include "icons.h"
#include "units.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The client area at start, in twips (the menu bar comes on top of it).
constexpr int ClientWidthTwips = 7470;
constexpr int ClientHeightTwips = 6240;

QFont arialBold(double points) {
    QFont font(arialFamilies());
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

const QColor numberBackground(255, 255, 192); // light yellow
const QColor answerBackground(192, 255, 192); // light green

QPalette withColor(QPalette palette, QPalette::ColorRole role, const QColor& color) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, color);
    return palette;
}

} // namespace

template <typename W>
W* ExerciseWindow::place(W* widget, QWidget* container, const QString& name, int left, int top,
                         int width, int height) {
    widget->setParent(container);
    widget->setObjectName(name);
    const QRect twips(left, top, width, height);
    widget->setGeometry(twipsRect(left, top, width, height));
    placed_.push_back({widget, twips});
    return widget;
}

QWidget* ExerciseWindow::createWidget() {
    placed_.clear();
    auto* window = new QMainWindow;
    window->setObjectName(QStringLiteral("Form1"));
    window->setWindowTitle(QStringLiteral("Vorelle"));
    // The controls without a font of their own use the classic dialog font.
    window->setFont(dialogFont());

    auto* client = new QWidget(window);
    client_ = client;
    window->setCentralWidget(client);
    client->installEventFilter(this);

    numberLabel_ = place(new QLabel(hiddenNumberText()), client, QStringLiteral("Label1"), 128, 120,
                         4815, 735);
    numberLabel_->setFont(arialBold(27.75));
    numberLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    numberLabel_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    numberLabel_->setLineWidth(1);
    // A forced light background takes a forced dark text: a dark desktop
    // palette would otherwise paint light text on it.
    numberLabel_->setAutoFillBackground(true);
    numberLabel_->setPalette(
        withColor(withColor(numberLabel_->palette(), QPalette::Window, numberBackground),
                  QPalette::WindowText, Qt::black));
    numberLabel_->setAccessibleDescription(QStringLiteral("Nombre à écrire en lettres"));

    generateButton_ = place(new QPushButton(QStringLiteral("&Générer un nombre")), client,
                            QStringLiteral("CmdGenerer"), 5648, 120, 1695, 735);

    auto* difficultyFrame = place(new QGroupBox(QStringLiteral("Choisis la difficulté !")), client,
                                  QStringLiteral("Frame1"), 128, 960, 7215, 1095);
    static constexpr int OptionLeft[3] = {240, 2760, 5280};
    for (int i = 0; i < DifficultyCount; ++i) {
        difficultyButtons_[std::size_t(i)] = place(
            new QRadioButton(difficultyCaption(i)), difficultyFrame,
            QStringLiteral("Option1(%1)").arg(i), OptionLeft[i % 3], i < 3 ? 360 : 720, 1800, 300);
        difficultyButtons_[std::size_t(i)]->setAccessibleName(difficultySpokenName(i));
    }
    difficultyButtons_[0]->setChecked(true);

    // Never visible and always empty: the reference words are kept by the
    // exercise state, where no screen reader can read them.
    auto* reference = place(new QLabel, client, QStringLiteral("Label2"), 120, 2160, 5295, 975);
    reference->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    reference->setWordWrap(true);
    reference->setVisible(false);

    solutionButton_ = place(new QPushButton(QStringLiteral("&Solution")), client,
                            QStringLiteral("CmdAide"), 128, 2280, 720, 735);
    hintButton_ = place(new QPushButton(QStringLiteral("&Indices")), client,
                        QStringLiteral("CmdIndice"), 960, 2280, 735, 735);

    gamesPlayedCaption_ =
        place(new QLabel, client, QStringLiteral("Label5"), 1988, 2280, 3495, 495);
    gamesPlayedCaption_->setFont(arialBold(12));
    gamesPlayedCaption_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    gamesPlayedCaption_->setWordWrap(true);
    gamesPlayedLabel_ = place(new QLabel, client, QStringLiteral("Label6"), 3428, 2760, 615, 495);
    gamesPlayedLabel_->setFont(arialBold(12));
    gamesPlayedLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    checkButton_ = place(new QPushButton(QStringLiteral("&Vérifier")), client,
                         QStringLiteral("Cmdverif"), 5648, 2280, 1695, 735);
    checkButton_->setDefault(true);

    answerBox_ = place(new AnswerBox, client, QStringLiteral("Text1"), 120, 3240, 7215, 1455);
    answerBox_->setFont(arialBold(14.25));
    answerBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    answerBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    answerBox_->setPalette(
        withColor(withColor(answerBox_->palette(), QPalette::Base, answerBackground),
                  QPalette::Text, answerTextColor()));
    answerBox_->setText(instructionText());
    answerBox_->setAccessibleName(QStringLiteral("Ta réponse en lettres"));

    auto* scoreFrame = place(new QGroupBox(QStringLiteral("Score :")), client,
                             QStringLiteral("Frame2"), 135, 4920, 7200, 1095);
    auto* smiling = place(new QLabel, scoreFrame, QStringLiteral("Image1"), 360, 360, 480, 480);
    smiling->setPixmap(smilingFace(window->devicePixelRatioF()));
    smiling->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    smiling->setAccessibleName(QStringLiteral("Visage souriant : bonnes réponses"));
    countLabels_[0] =
        place(new QLabel, scoreFrame, QStringLiteral("Label4(0)"), 960, 360, 495, 495);
    countLabels_[0]->setAccessibleDescription(QStringLiteral("Nombre de bonnes réponses"));
    markLabel_ = place(new QLabel, scoreFrame, QStringLiteral("Label3"), 2520, 360, 2055, 495);
    markLabel_->setAccessibleDescription(QStringLiteral("Note de la série sur 10"));
    countLabels_[1] =
        place(new QLabel, scoreFrame, QStringLiteral("Label4(1)"), 5760, 360, 495, 495);
    countLabels_[1]->setAccessibleDescription(QStringLiteral("Nombre de mauvaises réponses"));
    for (QLabel* label : {countLabels_[0].data(), markLabel_.data(), countLabels_[1].data()}) {
        label->setFont(arialBold(20.25));
        label->setAlignment(Qt::AlignCenter);
    }
    auto* sad = place(new QLabel, scoreFrame, QStringLiteral("Image2"), 6360, 360, 480, 480);
    sad->setPixmap(sadFace(window->devicePixelRatioF()));
    sad->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sad->setAccessibleName(QStringLiteral("Visage triste : mauvaises réponses"));

    // Enter on a focused button presses that button; elsewhere the window's
    // default button, Cmdverif, takes it.
    for (QPushButton* button :
         {generateButton_.data(), solutionButton_.data(), hintButton_.data(), checkButton_.data()})
        button->setAutoDefault(true);

    QWidget::setTabOrder(generateButton_, answerBox_);
    QWidget::setTabOrder(answerBox_, checkButton_);
    QWidget::setTabOrder(checkButton_, solutionButton_);
    QWidget::setTabOrder(solutionButton_, hintButton_);
    QWidget* previous = hintButton_;
    for (auto& option : difficultyButtons_) {
        QWidget::setTabOrder(previous, option);
        previous = option;
    }

    buildMenus(window);

    connect(generateButton_, &QPushButton::clicked, this, [this] { onGenerateClicked(); });
    connect(checkButton_, &QPushButton::clicked, this, [this] { onCheckClicked(); });
    connect(hintButton_, &QPushButton::clicked, this, [this] { onHintClicked(); });
    connect(solutionButton_, &QPushButton::clicked, this, [this] { onSolutionClicked(); });
    connect(answerBox_, &QPlainTextEdit::textChanged, this, [this] { onAnswerChanged(); });

    window->resize(twipsToPixels(ClientWidthTwips),
                   twipsToPixels(ClientHeightTwips) + window->menuBar()->sizeHint().height());
    return window;
}

void ExerciseWindow::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    QMenu* fichier = bar->addMenu(QStringLiteral("&Fichier"));
    fichier->setObjectName(QStringLiteral("fichier"));
    QAction* quitter = fichier->addAction(QStringLiteral("&Quitter"));
    quitter->setObjectName(QStringLiteral("quitter"));
    QAction* astuce = fichier->addAction(QStringLiteral("&Astuces"));
    astuce->setObjectName(QStringLiteral("astuce"));
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    QAction* spelling = options->addAction(QStringLiteral("&Orthographe des nombres..."));
    spelling->setObjectName(QStringLiteral("mnuSpelling"));
    QMenu* quoi = bar->addMenu(QStringLiteral("&?"));
    quoi->setObjectName(QStringLiteral("quoi"));
    // A reader says nothing for "?".
    setMenuAccessibleName(quoi, QStringLiteral("Aide"));
    QAction* guide = quoi->addAction(QStringLiteral("&Guide de Vorelle"));
    guide->setObjectName(QStringLiteral("guide"));
    guide->setShortcut(Qt::Key_F1);
    QAction* apropos = quoi->addAction(QStringLiteral("&A propos"));
    apropos->setObjectName(QStringLiteral("apropos"));

    connect(quitter, &QAction::triggered, this, [this] { onQuitTriggered(); });
    connect(astuce, &QAction::triggered, this, [this] { onTipTriggered(); });
    connect(guide, &QAction::triggered, this, [this] { onGuideTriggered(); });
    connect(apropos, &QAction::triggered, this, [this] { onAboutTriggered(); });
    connect(spelling, &QAction::triggered, this, [this] { onSpellingTriggered(); });
}

void ExerciseWindow::onUnload() {
    placed_.clear();
}

bool ExerciseWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_.data() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & Qt::ControlModifier)) {
            pressDefaultButton();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void ExerciseWindow::pressDefaultButton() {
    if (checkButton_ && checkButton_->isEnabled() && checkButton_->isVisible())
        checkButton_->click();
}

int ExerciseWindow::outerWidthTwips() const {
    return widget() ? int(pixelsToTwips(widget()->width())) : 0;
}

int ExerciseWindow::outerHeightTwips() const {
    return widget() ? int(pixelsToTwips(widget()->height())) : 0;
}

void ExerciseWindow::onResize() {
    QWidget* window = widget();
    if (!window || window->isMinimized())
        return;
    const int width = outerWidthTwips();
    const int height = outerHeightTwips();
    if (width <= 0 || height <= 0)
        return;
    if (loadWidth_ > 0 && loadHeight_ > 0) {
        // Every control, frame children included (their geometry is relative
        // to the frame), from its geometry in twips: growing and shrinking back
        // gives the very same pixels.
        const float sx = float(width) / float(loadWidth_);
        const float sy = float(height) / float(loadHeight_);
        for (const Placed& p : placed_) {
            if (!p.widget)
                continue;
            const QRect& r = p.twips;
            p.widget->setGeometry(twipsToPixels(double(float(r.left()) * sx)),
                                  twipsToPixels(double(float(r.top()) * sy)),
                                  twipsToPixels(double(float(r.width()) * sx)),
                                  twipsToPixels(double(float(r.height()) * sy)));
        }
    }
}
