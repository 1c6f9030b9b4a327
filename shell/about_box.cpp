// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box.h"

#include "about_commands.h"
#include "about_pictures.h"
#include "app_info.h"
#include "brikko_icon.h"
#include "desktop_shell.h"
#include "dialog_font.h"
#include "game_caption.h"
#include "link_label.h"
#include "units.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <functional>

namespace {

// Client area, in twips.
constexpr int ClientWidthTwips = 5730;
constexpr int ClientHeightTwips = 4425;

// Enter presses the default button; Escape and the title bar's close box act
// as "OK".
class AboutDialog : public QDialog {
public:
    std::function<void()> onCancel;
    void reject() override {
        if (onCancel)
            onCancel();
    }
};

QFont font(const QStringList& families, double points, bool bold = false, bool underline = false) {
    QFont f(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

template <typename W> W* place(W* widget, QWidget* parent, const QString& name, const QRect& r) {
    widget->setParent(parent);
    widget->setObjectName(name);
    widget->setGeometry(r);
    return widget;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& r) {
    return place(new QLabel(text), parent, name, r);
}

// Blue link text; its background is forced with it so that a dark desktop
// palette keeps it readable.
void linkLook(QLabel* link) {
    link->setAutoFillBackground(true);
    QPalette p = link->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::WindowText, QColor(0, 0, 255));
        p.setColor(group, QPalette::Window, QColor(240, 240, 240));
    }
    link->setPalette(p);
}

} // namespace

AboutLinks AboutLinks::built() {
    return {AppInfo::mailAddress(), AppInfo::webAddress()};
}

AboutBox::AboutBox(const SystemInformation& info, DesktopShell& shell, MessageBoxes& boxes,
                   QObject* parent)
    : AboutBox(info, shell, boxes, AboutLinks::built(), parent) {}

AboutBox::AboutBox(const SystemInformation& info, DesktopShell& shell, MessageBoxes& boxes,
                   AboutLinks links, QObject* parent)
    : Form(QStringLiteral("frmAbout"), parent), info_(info), shell_(shell), boxes_(boxes),
      links_(std::move(links)) {}

QString AboutBox::gameName() {
    return gameCaption();
}

QString AboutBox::gameDescription() {
    return QStringLiteral("Des blocs tombent : complète des lignes !");
}

QString AboutBox::gameCredit() {
    return QStringLiteral("Par l'équipe de Vorelle");
}

QWidget* AboutBox::createWidget() {
    auto* w = new AboutDialog;
    w->onCancel = [this] { onOkClicked(); };
    w->setFont(font(dialogFontFamilies(), 8));
    w->setFixedSize(twipsToPixels(ClientWidthTwips), twipsToPixels(ClientHeightTwips));

    QLabel* title = label(w, QStringLiteral("lblTitle"), QStringLiteral("Titre de l'application"),
                          twipsRect(203, 240, 5325, 480));
    title->setFont(font(arialFamilies(), 14.25, true));
    // The title starts left of the logo's right edge: it is centred in the
    // part of its label beside the logo, so the two never overlap.
    const QRect logoRect = twipsRect(120, 360, 630, 1695);
    title->setContentsMargins(logoRect.right() + 1 - title->x(), 0, 0, 0);
    title->setAlignment(Qt::AlignCenter);
    QLabel* version = label(w, QStringLiteral("lblVersion"), QStringLiteral("Version"),
                            twipsRect(923, 720, 3885, 225));
    version->setFont(font(arialFamilies(), 12, true));
    version->setAlignment(Qt::AlignCenter);

    QLabel* logo = label(w, QStringLiteral("Image2"), QString(), logoRect);
    logo->setPixmap(AboutPictures::logo(w->devicePixelRatioF()));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo->setAccessibleName(QStringLiteral("Logo de Vorelle"));

    QLabel* game = label(w, QStringLiteral("Label1"), gameName(), twipsRect(840, 1200, 1695, 255));
    game->setFont(font(dialogFontFamilies(), 12));
    label(w, QStringLiteral("Label2"), gameDescription(), twipsRect(840, 1515, 3855, 255));
    label(w, QStringLiteral("Label3"), AppInfo::gameVersionText(), twipsRect(840, 1845, 1695, 255));
    label(w, QStringLiteral("Label4"), gameCredit(), twipsRect(840, 2160, 2055, 255));

    addBrikkoIcon(w, twipsRect(4920, 1800, 480, 480));

    // An etched separator: a grey line over a white one.
    auto* line = place(
        new QFrame, w, QStringLiteral("Line1"),
        QRect(twipsToPixels(90), twipsToPixels(2445), twipsToPixels(5654) - twipsToPixels(90), 2));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* ok = place(new QPushButton(QStringLiteral("OK")), w, QStringLiteral("cmdOK"),
                     twipsRect(4245, 2625, 1260, 345));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { onOkClicked(); });
    auto* sysInfo = place(new QPushButton(QStringLiteral("&Infos système...")), w,
                          QStringLiteral("cmdSysInfo"), twipsRect(4260, 3075, 1245, 345));
    sysInfo->setAutoDefault(false);
    connect(sysInfo, &QPushButton::clicked, this, [this] { onSystemInfoClicked(); });
    // A caption wider than its button in the toolkit's font widens the button
    // to the left, keeping the right edges in line.
    for (QPushButton* b : {ok, sysInfo}) {
        const int wanted = std::max(b->width(), b->sizeHint().width());
        b->setGeometry(b->geometry().right() + 1 - wanted, b->y(), wanted, b->height());
    }

    auto* mail = place(new LinkLabel(links_.mail), w, QStringLiteral("lblMail"),
                       twipsRect(240, 3600, 2175, 255));
    mail->setFont(font(dialogFontFamilies(), 9.75, true));
    mail->setToolTip(QStringLiteral("Contactez moi !"));
    mail->setCursor(AboutPictures::letterCursor());
    linkLook(mail);
    connect(mail, &LinkLabel::clicked, this, [this] { onMailClicked(); });

    auto* url = place(new LinkLabel(links_.web), w, QStringLiteral("lblUrl"),
                      twipsRect(240, 3960, 4095, 255));
    url->setFont(font(dialogFontFamilies(), 9.75, true, true));
    url->setCursor(AboutPictures::infoCursor());
    linkLook(url);
    connect(url, &LinkLabel::clicked, this, [this] { onWebClicked(); });

    // A caption longer than its link widens it, up to the window's margin.
    // A link without an address is not shown: nothing to click, to reach
    // with Tab or to read out.
    const int rightEdge = w->width() - twipsToPixels(120);
    for (QLabel* link : {static_cast<QLabel*>(mail), static_cast<QLabel*>(url)}) {
        link->resize(
            std::min(std::max(link->width(), link->sizeHint().width()), rightEdge - link->x()),
            link->height());
        link->setVisible(!link->text().isEmpty());
    }

    QWidget::setTabOrder(ok, sysInfo);
    QWidget::setTabOrder(sysInfo, mail);
    QWidget::setTabOrder(mail, url);
    ok->setFocus();
    return w;
}

void AboutBox::onLoad() {
    const QString title = AppInfo::title();
    widget()->setWindowTitle(QStringLiteral("À propos de ") + title);
    if (auto* version = control<QLabel>(QStringLiteral("lblVersion")))
        version->setText(AppInfo::versionText());
    if (auto* label = control<QLabel>(QStringLiteral("lblTitle")))
        label->setText(title);
}

void AboutBox::onOkClicked() {
    unload();
}

void AboutBox::onSystemInfoClicked() {
    startSystemInformation();
}

void AboutBox::startSystemInformation() {
    AboutCommands::startSystemInformation(info_, shell_, boxes_);
}

void AboutBox::onMailClicked() {
    const auto* mail = control<QLabel>(QStringLiteral("lblMail"));
    if (const auto target = AboutCommands::mailTarget(mail ? mail->text() : QString()))
        shell_.openLink(*target);
}

void AboutBox::onWebClicked() {
    const auto* url = control<QLabel>(QStringLiteral("lblUrl"));
    if (const auto target = AboutCommands::webTarget(url ? url->text() : QString()))
        shell_.openLink(*target);
}
