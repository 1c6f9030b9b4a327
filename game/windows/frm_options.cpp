// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_options.h"

#include "cancel_dialog.h"
#include "game_options.h"
#include "message_boxes.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

const QString kLevel = QStringLiteral("txtStartingLevel");
const QString kFillLines = QStringLiteral("chkFillLines");
const QString kPlaySounds = QStringLiteral("chkPlaySounds");
const QString kSkipIntro = QStringLiteral("chkSkipIntro");

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, const QRect& r) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(r);
    return box;
}

// An etched separator: a shadow line with a light line just below it.
void etchedLine(QWidget* parent, int top, const QString& darkName, const QString& lightName) {
    const struct {
        const QString& name;
        int y;
        QPalette::ColorRole role;
    } lines[] = {{darkName, top, QPalette::Dark}, {lightName, top + 1, QPalette::Light}};
    for (const auto& l : lines) {
        auto* line = new QFrame(parent);
        line->setObjectName(l.name);
        line->setGeometry(8, l.y, 161, 1);
        line->setFrameShape(QFrame::NoFrame);
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, p.color(l.role));
        line->setPalette(p);
    }
}

} // namespace

frmOptions::frmOptions(GameOptions& options, MessageBoxes& boxes, const Form* gameWindow,
                       QObject* parent)
    : Form(QStringLiteral("frmOptions"), parent), options_(options), boxes_(boxes),
      gameWindow_(gameWindow) {}

QWidget* frmOptions::createWidget() {
    // Enter presses the default button; Escape does what "&Annuler" does.
    auto* w = CancelDialog::fixedSize(QStringLiteral("Options Brikko32 "), QSize(177, 172));
    connect(w, &CancelDialog::cancelRequested, this, [this] { Command1_Click(); });

    auto* label = new QLabel(QStringLiteral("Niveau de départ(0 - 9):"), w);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 10, 113, 17);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* level = new QLineEdit(QStringLiteral("0"), w);
    level->setObjectName(kLevel);
    level->setGeometry(144, 8, 25, 19);
    // The fonts here are wider than the one the layout was made for: the
    // label widens to the right to show its whole text, up to the level's box.
    label->resize(
        std::clamp(label->sizeHint().width(), label->width(), level->x() - 2 - label->x()),
        label->height());
    level->setAccessibleName(QStringLiteral("Niveau de départ"));
    level->installEventFilter(this);
    label->setBuddy(level);

    QCheckBox* fill =
        checkBox(w, kFillLines, QStringLiteral("Lignes remplies au départ"), QRect(8, 32, 155, 25));
    QCheckBox* sounds =
        checkBox(w, kPlaySounds, QStringLiteral("Jouer la musique"), QRect(8, 72, 123, 25));
    QCheckBox* skip =
        checkBox(w, kSkipIntro, QStringLiteral("Passer l'intro"), QRect(8, 112, 123, 25));

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(8, 144, 61, 20);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });

    auto* cancel = new QPushButton(QStringLiteral("&Annuler"), w);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setGeometry(84, 144, 61, 20);
    connect(cancel, &QPushButton::clicked, this, [this] { Command1_Click(); });

    etchedLine(w, 64, QStringLiteral("Line1"), QStringLiteral("Line2"));
    etchedLine(w, 104, QStringLiteral("Line3"), QStringLiteral("Line4"));

    QWidget::setTabOrder(level, fill);
    QWidget::setTabOrder(fill, sounds);
    QWidget::setTabOrder(sounds, skip);
    QWidget::setTabOrder(skip, ok);
    QWidget::setTabOrder(ok, cancel);
    level->setFocus();
    return w;
}

void frmOptions::Form_Load() {
    const QWidget* gameWidget = gameWindow_ ? gameWindow_->widget() : nullptr;
    const QRect game = gameWidget ? gameWidget->frameGeometry() : QRect();
    if (!game.isValid())
        return;
    QWidget* w = widget();
    QPoint topLeft(game.left() + (game.width() - w->width()) / 2,
                   game.top() + (game.height() - w->height()) / 2);
    // Kept on the screen, whatever the game window's position.
    QScreen* screen = QGuiApplication::screenAt(game.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(),
                                std::max(area.left(), area.right() + 1 - w->width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(),
                                std::max(area.top(), area.bottom() + 1 - w->height())));
    }
    w->move(topLeft);
}

void frmOptions::fillFromSettings() {
    Load();
    if (auto* level = control<QLineEdit>(kLevel))
        level->setText(options_.startingLevelText());
    if (auto* box = control<QCheckBox>(kFillLines))
        box->setChecked(options_.FillLines);
    if (auto* box = control<QCheckBox>(kPlaySounds))
        box->setChecked(options_.SoundOn);
    if (auto* box = control<QCheckBox>(kSkipIntro))
        box->setChecked(options_.HideSplash);
}

void frmOptions::ShowOptions() {
    fillFromSettings();
    Show(true);
}

bool frmOptions::txtStartingLevel_LostFocus() {
    auto* level = control<QLineEdit>(kLevel);
    if (!level)
        return false;
    if (GameOptions::parseStartingLevel(level->text()))
        return true;
    // The text goes back first, so that whatever runs while the message is
    // open sees an acceptable level.
    level->setText(options_.startingLevelText());
    boxes_.msgBox(levelMessage(), MsgPlain, QStringLiteral("Brikko32"));
    return false;
}

void frmOptions::cmdOk_Click() {
    auto* level = control<QLineEdit>(kLevel);
    if (!level)
        return;
    const std::optional<double> value = GameOptions::parseStartingLevel(level->text());
    if (!value) {
        txtStartingLevel_LostFocus();
        level->setFocus();
        return;
    }
    const auto ticked = [this](const QString& name) {
        auto* box = control<QCheckBox>(name);
        return box && box->checkState() == Qt::Checked;
    };
    options_.StartingLevel = *value;
    options_.FillLines = ticked(kFillLines);
    options_.SoundOn = ticked(kPlaySounds);
    options_.HideSplash = ticked(kSkipIntro);
    options_.SaveOptions();
    Hide();
}

void frmOptions::Command1_Click() {
    Hide();
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && watched == control<QLineEdit>(kLevel)) {
        // Only a move to another control of this window counts: not the
        // window losing activation (to the message box, too) nor a popup.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // Checked once the focus has moved, and only while the window is
            // still shown: "&Annuler" hides it without a word about the level.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (isVisible())
                        txtStartingLevel_LostFocus();
                },
                Qt::QueuedConnection);
        }
    }
    return Form::eventFilter(watched, event);
}
