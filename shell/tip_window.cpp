// SPDX-License-Identifier: GPL-3.0-or-later
#include "tip_window.h"

#include "bulb_picture.h"
#include "cancel_dialog.h"
#include "settings_store.h"
#include "tips_file.h"
#include "tips_setting.h"
#include "units.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

QLabel* whiteLabel(QWidget* parent, const QString& name, const QString& text, const QRect& r) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(r);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    return label;
}

// A text too long for the tip label at the window's font is drawn smaller,
// down to a size still easy to read; past that it is cut at the bottom.
constexpr qreal kSmallestTipPointSize = 7.0;

void showTipText(QLabel* label, const QString& text) {
    QFont font = label->parentWidget() ? label->parentWidget()->font() : label->font();
    label->setFont(font);
    label->setText(text);
    if (font.pointSizeF() <= 0)
        return; // a pixel-sized font: left as it is
    while (label->heightForWidth(label->width()) > label->height() &&
           font.pointSizeF() > kSmallestTipPointSize) {
        font.setPointSizeF(std::max(kSmallestTipPointSize, font.pointSizeF() - 0.5));
        label->setFont(font);
    }
}

// A path as a user writes it: "~" for the home folder.
QString displayPath(const QString& path) {
    const QString home = QDir::homePath();
    if (home.size() > 1 && (path == home || path.startsWith(home + QLatin1Char('/'))))
        return QLatin1Char('~') + path.mid(home.size());
    return QDir::toNativeSeparators(path);
}

} // namespace

TipWindow::TipWindow(SettingsStore& settings, AppPaths paths, QObject* parent)
    : Form(QStringLiteral("frmTip"), parent), settings_(settings), paths_(std::move(paths)) {}

QString TipWindow::tipsFileName() {
    return QStringLiteral("TIPOFDAY1.TXT");
}

QStringList TipWindow::tipsFolders(const AppPaths& paths) {
    return QStringList{paths.configDir()} + paths.systemConfigDirs() + QStringList{paths.dataDir()};
}

QString TipWindow::missingFileMessage(const QString& folder) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Le fichier ") + tipsFileName() +
           QStringLiteral(" n'a pas été trouvé? ") + crlf + crlf +
           QStringLiteral("Créez un fichier texte nommé ") + tipsFileName() +
           QStringLiteral(" en utilisant le Bloc-notes avec une astuce par ligne. ") +
           QStringLiteral("Puis placez le dans le dossier ") + displayPath(folder) +
           QLatin1Char('.');
}

QString TipWindow::unreadableFileMessage(const QString& path) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Le fichier ") + displayPath(path) +
           QStringLiteral(" ne peut pas être lu comme un texte.") + crlf + crlf +
           QStringLiteral("Remplacez-le par un fichier texte nommé ") + tipsFileName() +
           QStringLiteral(", avec une astuce par ligne.");
}

QWidget* TipWindow::createWidget() {
    // The window itself: Enter presses the default button, Escape and the title
    // bar's close box act as "OK".
    auto* w = new CancelDialog;
    connect(w, &CancelDialog::cancelRequested, this, [this] { onOkClicked(); });
    w->setWindowTitle(QStringLiteral("Astuce du jour"));
    w->setFixedSize(twipsToPixels(5895), twipsToPixels(3285));

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twipsRect(4080, 120, 1335, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { onOkClicked(); });

    auto* next = new QPushButton(QStringLiteral("Astuce &suivante"), w);
    next->setObjectName(QStringLiteral("cmdNextTip"));
    next->setGeometry(twipsRect(4080, 600, 1335, 375));
    connect(next, &QPushButton::clicked, this, [this] { onNextTipClicked(); });

    auto* picture = new BulbPicture(w);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(twipsRect(120, 120, 3735, 2715));
    picture->setAccessibleName(QStringLiteral("Astuce du jour, avec une ampoule"));

    // Positions inside the picture box count from inside its border.
    const QPoint inside = picture->contentsRect().topLeft();
    whiteLabel(picture, QStringLiteral("Label1"), QStringLiteral("Savez-vous..."),
               twipsRect(540, 180, 2655, 255).translated(inside));
    QLabel* tip = whiteLabel(picture, QStringLiteral("lblTipText"), QString(),
                             twipsRect(180, 840, 3255, 1635).translated(inside));
    tip->setTextFormat(Qt::PlainText); // a tip is shown as written
    tip->setWordWrap(true);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* check = new QCheckBox(QStringLiteral("&Afficher les astuces au démarrage"), w);
    check->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    check->setGeometry(twipsRect(120, 2940, 2895, 315));
    check->setChecked(false);
    // Every change of the box, by the pupil or by the window, stores it.
    connect(check, &QCheckBox::toggled, this, [this] { onShowAtStartupClicked(); });

    // The toolkit's font may be wider than the one the layout was made for: a caption that does
    // not fit widens its control to the right, up to the window's margin.
    const int rightEdge = w->width() - twipsToPixels(120);
    const int buttons = std::max({ok->width(), ok->sizeHint().width(), next->sizeHint().width()});
    for (QWidget* b : {static_cast<QWidget*>(ok), static_cast<QWidget*>(next)})
        b->resize(std::min(buttons, rightEdge - b->x()), b->height());
    check->resize(
        std::min(std::max(check->width(), check->sizeHint().width()), rightEdge - check->x()),
        check->height());

    ok->setFocus();
    return w;
}

void TipWindow::onLoad() {
    // Opening the window turns the start-up display back on.
    if (auto* check = control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup")))
        check->setChecked(true);
    const QString file = TipsFile::find(tipsFolders(paths_), tipsFileName());
    if (!loadTips(file)) {
        if (auto* tip = control<QLabel>(QStringLiteral("lblTipText")))
            showTipText(tip, lastFileUnreadable_ ? unreadableFileMessage(file)
                                                 : missingFileMessage(paths_.configDir()));
    }
}

bool TipWindow::loadTips(const QString& fileName) {
    TipsFile::Reading reading = TipsFile::load(fileName);
    lastFileUnreadable_ = reading.outcome == TipsFile::Outcome::NotText;
    if (reading.outcome != TipsFile::Outcome::Read)
        return false;
    tips_.append(reading.tips);
    advanceTip();
    return true;
}

void TipWindow::displayCurrentTip() {
    if (tips_.isEmpty())
        return;
    if (auto* tip = control<QLabel>(QStringLiteral("lblTipText")))
        showTipText(tip, tips_.currentTip());
}

void TipWindow::advanceTip() {
    tips_.advance();
    displayCurrentTip();
}

void TipWindow::onNextTipClicked() {
    advanceTip();
}

void TipWindow::onOkClicked() {
    unload();
}

void TipWindow::onShowAtStartupClicked() {
    auto* check = control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup"));
    if (!check)
        return;
    TipsSetting::write(settings_, check->isChecked() ? 1 : 0);
}
