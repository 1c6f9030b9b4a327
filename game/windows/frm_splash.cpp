// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_splash.h"

#include "brikko.h"
#include "brikko_icon.h"
#include "cancel_dialog.h"
#include "dialog_font.h"
#include "game_options.h"
#include "units.h"
#include "window_centring.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(r);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

void line(QWidget* parent, const char* name, int top, const QColor& color) {
    auto* l = new QFrame(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(twipsToPixels(135), twipsToPixels(top), twipsToPixels(3915 - 135), 1);
    l->setFrameShape(QFrame::NoFrame);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, color);
    l->setPalette(p);
}

} // namespace

frmSplash::frmSplash(GameOptions& options, Brikko& game, QList<Form*> windows, Form& gameWindow,
                     QObject* parent)
    : Form(QStringLiteral("frmSplash"), parent), options_(options), game_(game),
      windows_(std::move(windows)), gameWindow_(gameWindow) {}

QWidget* frmSplash::createWidget() {
    // No close box. Escape and the window manager's close request do what OK
    // does once it is enabled, and nothing while loading: the splash never
    // goes away without leading to the game window.
    auto* w = new CancelDialog;
    connect(w, &CancelDialog::cancelRequested, this, [this] {
        if (auto* ok = control<QPushButton>(QStringLiteral("cmdOk")); ok && ok->isEnabled())
            cmdOk_Click();
    });
    w->setObjectName(name());
    w->setWindowTitle(loadingCaption());
    w->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                      Qt::CustomizeWindowHint);
    w->setFixedSize(twipsToPixels(4035), twipsToPixels(2040));
    w->setFont(dialogFont());
    // A light grey window with black text, whatever the desktop's palette.
    QPalette palette = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, QColor(0xd4, 0xd0, 0xc8));
        palette.setColor(group, QPalette::WindowText, Qt::black);
    }
    w->setPalette(palette);
    w->setAutoFillBackground(true);

    QLabel* title =
        label(w, "Label5", QStringLiteral("Brikko32"), twipsRect(720, 120, 3000, 255 + 60));
    title->setFont(dialogFont(12));
    auto* image = new QLabel(w);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twipsRect(120, 240, 480, 480));
    image->setPixmap(brikkoIcon(w->devicePixelRatioF()));
    image->setAccessibleName(QStringLiteral("Icône de Brikko"));
    label(w, "Label3", QStringLiteral("Version 1.00"), twipsRect(720, 480, 1005, 255));
    label(w, "Label4", QStringLiteral("Un jeu de l'équipe Vorelle"),
          twipsRect(720, 720, 3000, 315));
    line(w, "Line2", 1065, QColor(0x80, 0x80, 0x80));
    line(w, "Line3", 1095, Qt::white);
    QLabel* notice =
        label(w, "Label2", QStringLiteral("Ce jeu peut être donné et copié librement."),
              twipsRect(120, 1215, 3735, 240));
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(twipsRect(0, 1560, 1095, 300));
    ok->setEnabled(false);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    return w;
}

void frmSplash::Form_Load() {
    centreOnScreen(widget(), control<QPushButton>(QStringLiteral("cmdOk")));
    showAndLoad();
}

void frmSplash::Open() {
    if (!isLoaded())
        Load(); // its load shows it
    else
        showAndLoad();
}

void frmSplash::showAndLoad() {
    activatedSinceShown_ = false;
    // Shown again, it waits for its loading before OK does anything.
    if (auto* ok = control<QPushButton>(QStringLiteral("cmdOk")))
        ok->setEnabled(false);
    Show(false);
    // The window system may not make it the active window (or not yet): the
    // loading starts on the next pass anyway, unless the activation came first.
    QTimer::singleShot(0, this, [this] {
        if (!activatedSinceShown_)
            Form_Activate();
    });
}

void frmSplash::Form_Activate() {
    // Runs once at a time, and only while the splash is shown.
    if (loading_ || !isVisible())
        return;
    loading_ = true;
    activatedSinceShown_ = true;
    if (auto* ok = control<QPushButton>(QStringLiteral("cmdOk")))
        ok->setEnabled(false);
    runLater(Step::LoadOptions); // once the splash has painted itself
}

void frmSplash::runLater(Step step) {
    QTimer::singleShot(0, this, [this, step] { run(step); });
}

void frmSplash::run(Step step) {
    if (!isVisible()) { // hidden meanwhile (the program ending): no further
        loading_ = false;
        return;
    }
    switch (step) {
    case Step::LoadOptions:
        setCaption(QStringLiteral("Brikko32 - Loading Options"));
        options_.LoadOptions();
        runLater(Step::LoadWindows);
        return;
    case Step::LoadWindows:
        setCaption(QStringLiteral("Brikko32 - Loading Forms"));
        for (Form* f : windows_)
            f->Load();
        gameWindow_.Load();
        if (options_.SoundOn)
            game_.PlaySound(QStringLiteral("Sound4.wav"));
        runLater(Step::Finish);
        return;
    case Step::Finish:
        setCaption(QStringLiteral("Brikko32 - Finished Loading"));
        loading_ = false;
        if (options_.HideSplash) {
            Hide();
            gameWindow_.Show(false);
        } else if (auto* ok = control<QPushButton>(QStringLiteral("cmdOk"))) {
            ok->setEnabled(true);
        }
        return;
    }
}

void frmSplash::setCaption(const QString& caption) {
    if (QWidget* w = widget())
        w->setWindowTitle(caption);
}

void frmSplash::cmdOk_Click() {
    Hide();
    gameWindow_.Show(false);
}
