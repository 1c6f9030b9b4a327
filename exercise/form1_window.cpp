// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window's controls, menus, keys and layout.

#include "accessibility.h"
#include "answer_box.h"
#include "dialog_font.h"
#include "difficulty.h"
#include "form1.h"
#include "icons.h"
#include "units.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <limits>

namespace {

// The client area at start, in twips (the menu bar comes on top of it).
constexpr int ClientWidthTwips = 7470;
constexpr int ClientHeightTwips = 6240;

QFont arialBold(double points) {
    QFont font(QStringLiteral("Arial"));
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
W* Form1::place(W* widget, QWidget* container, const QString& name, int left, int top, int width,
                int height) {
    widget->setParent(container);
    widget->setObjectName(name);
    const QRect twips(left, top, width, height);
    widget->setGeometry(twipsRect(left, top, width, height));
    placed_.push_back({widget, twips});
    return widget;
}

QWidget* Form1::createWidget() {
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

    Label1_ = place(new QLabel(hiddenNumberText()), client, QStringLiteral("Label1"), 128, 120,
                    4815, 735);
    Label1_->setFont(arialBold(27.75));
    Label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Label1_->setLineWidth(1);
    // A forced light background takes a forced dark text: a dark desktop
    // palette would otherwise paint light text on it.
    Label1_->setAutoFillBackground(true);
    Label1_->setPalette(withColor(withColor(Label1_->palette(), QPalette::Window, numberBackground),
                                  QPalette::WindowText, Qt::black));
    Label1_->setAccessibleDescription(QStringLiteral("Nombre à écrire en lettres"));

    CmdGenerer_ = place(new QPushButton(QStringLiteral("&Générer un nombre")), client,
                        QStringLiteral("CmdGenerer"), 5648, 120, 1695, 735);

    Frame1_ = place(new QGroupBox(QStringLiteral("Choisis la difficulté !")), client,
                    QStringLiteral("Frame1"), 128, 960, 7215, 1095);
    static constexpr int OptionLeft[3] = {240, 2760, 5280};
    for (int i = 0; i < DifficultyCount; ++i) {
        Option1_[std::size_t(i)] = place(new QRadioButton(difficultyCaption(i)), Frame1_.data(),
                                         QStringLiteral("Option1(%1)").arg(i), OptionLeft[i % 3],
                                         i < 3 ? 360 : 720, 1800, 300);
        Option1_[std::size_t(i)]->setAccessibleName(difficultySpokenName(i));
    }
    Option1_[0]->setChecked(true);

    // Never visible and always empty: the reference words are kept by the
    // exercise state, where no screen reader can read them.
    Label2_ = place(new QLabel, client, QStringLiteral("Label2"), 120, 2160, 5295, 975);
    Label2_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2_->setWordWrap(true);
    Label2_->setVisible(false);

    CmdAide_ = place(new QPushButton(QStringLiteral("&Solution")), client,
                     QStringLiteral("CmdAide"), 128, 2280, 720, 735);
    CmdIndice_ = place(new QPushButton(QStringLiteral("&Indices")), client,
                       QStringLiteral("CmdIndice"), 960, 2280, 735, 735);

    Label5_ = place(new QLabel, client, QStringLiteral("Label5"), 1988, 2280, 3495, 495);
    Label5_->setFont(arialBold(12));
    Label5_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5_->setWordWrap(true);
    Label6_ = place(new QLabel, client, QStringLiteral("Label6"), 3428, 2760, 615, 495);
    Label6_->setFont(arialBold(12));
    Label6_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Cmdverif_ = place(new QPushButton(QStringLiteral("&Vérifier")), client,
                      QStringLiteral("Cmdverif"), 5648, 2280, 1695, 735);
    Cmdverif_->setDefault(true);

    Text1_ = place(new AnswerBox, client, QStringLiteral("Text1"), 120, 3240, 7215, 1455);
    Text1_->setFont(arialBold(14.25));
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setPalette(withColor(withColor(Text1_->palette(), QPalette::Base, answerBackground),
                                 QPalette::Text, answerTextColor()));
    Text1_->setText(instructionText());
    Text1_->setAccessibleName(QStringLiteral("Ta réponse en lettres"));

    Frame2_ = place(new QGroupBox(QStringLiteral("Score :")), client, QStringLiteral("Frame2"), 135,
                    4920, 7200, 1095);
    Image1_ = place(new QLabel, Frame2_.data(), QStringLiteral("Image1"), 360, 360, 480, 480);
    Image1_->setPixmap(smilingFace(window->devicePixelRatioF()));
    Image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1_->setAccessibleName(QStringLiteral("Visage souriant : bonnes réponses"));
    Label4_[0] = place(new QLabel, Frame2_.data(), QStringLiteral("Label4(0)"), 960, 360, 495, 495);
    Label4_[0]->setAccessibleDescription(QStringLiteral("Nombre de bonnes réponses"));
    Label3_ = place(new QLabel, Frame2_.data(), QStringLiteral("Label3"), 2520, 360, 2055, 495);
    Label3_->setAccessibleDescription(QStringLiteral("Note de la série sur 10"));
    Label4_[1] =
        place(new QLabel, Frame2_.data(), QStringLiteral("Label4(1)"), 5760, 360, 495, 495);
    Label4_[1]->setAccessibleDescription(QStringLiteral("Nombre de mauvaises réponses"));
    for (QLabel* label : {Label4_[0].data(), Label3_.data(), Label4_[1].data()}) {
        label->setFont(arialBold(20.25));
        label->setAlignment(Qt::AlignCenter);
    }
    Image2_ = place(new QLabel, Frame2_.data(), QStringLiteral("Image2"), 6360, 360, 480, 480);
    Image2_->setPixmap(sadFace(window->devicePixelRatioF()));
    Image2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2_->setAccessibleName(QStringLiteral("Visage triste : mauvaises réponses"));

    // Enter on a focused button presses that button; elsewhere the window's
    // default button, Cmdverif, takes it.
    for (QPushButton* button :
         {CmdGenerer_.data(), CmdAide_.data(), CmdIndice_.data(), Cmdverif_.data()})
        button->setAutoDefault(true);

    QWidget::setTabOrder(CmdGenerer_, Text1_);
    QWidget::setTabOrder(Text1_, Cmdverif_);
    QWidget::setTabOrder(Cmdverif_, CmdAide_);
    QWidget::setTabOrder(CmdAide_, CmdIndice_);
    QWidget* previous = CmdIndice_;
    for (auto& option : Option1_) {
        QWidget::setTabOrder(previous, option);
        previous = option;
    }

    buildMenus(window);

    connect(CmdGenerer_, &QPushButton::clicked, this, [this] { CmdGenerer_Click(); });
    connect(Cmdverif_, &QPushButton::clicked, this, [this] { Cmdverif_Click(); });
    connect(CmdIndice_, &QPushButton::clicked, this, [this] { CmdIndice_Click(); });
    connect(CmdAide_, &QPushButton::clicked, this, [this] { CmdAide_Click(); });
    connect(Text1_, &QPlainTextEdit::textChanged, this, [this] { Text1_Change(); });

    window->resize(twipsToPixels(ClientWidthTwips),
                   twipsToPixels(ClientHeightTwips) + window->menuBar()->sizeHint().height());
    return window;
}

void Form1::buildMenus(QMainWindow* window) {
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

    connect(quitter, &QAction::triggered, this, [this] { quitter_Click(); });
    connect(astuce, &QAction::triggered, this, [this] { astuce_Click(); });
    connect(guide, &QAction::triggered, this, [this] { guide_Click(); });
    connect(apropos, &QAction::triggered, this, [this] { apropos_Click(); });
    connect(spelling, &QAction::triggered, this, [this] { mnuSpelling_Click(); });
}

void Form1::Form_Unload() {
    placed_.clear();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
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

void Form1::pressDefaultButton() {
    if (Cmdverif_ && Cmdverif_->isEnabled() && Cmdverif_->isVisible())
        Cmdverif_->click();
}

int Form1::outerWidthTwips() const {
    return widget() ? int(pixelsToTwips(widget()->width())) : 0;
}

int Form1::outerHeightTwips() const {
    return widget() ? int(pixelsToTwips(widget()->height())) : 0;
}

void Form1::Form_Resize() {
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
    if (width <= std::numeric_limits<qint16>::max())
        lastWidth_ = qint16(width);
    if (height <= std::numeric_limits<qint16>::max())
        lastHeight_ = qint16(height);
}
