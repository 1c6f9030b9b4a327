// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_tip.h"

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

frmTip::frmTip(SettingsStore& settings, AppPaths paths, QObject* parent)
    : Form(QStringLiteral("frmTip"), parent), settings_(settings), paths_(std::move(paths)) {}

QString frmTip::tipsFileName() {
    return QStringLiteral("TIPOFDAY1.TXT");
}

QStringList frmTip::tipsFolders(const AppPaths& paths) {
    return QStringList{paths.configDir()} + paths.systemConfigDirs() + QStringList{paths.dataDir()};
}

QString frmTip::missingFileMessage(const QString& folder) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Le fichier ") + tipsFileName() +
           QStringLiteral(" n'a pas été trouvé? ") + crlf + crlf +
           QStringLiteral("Créez un fichier texte nommé ") + tipsFileName() +
           QStringLiteral(" en utilisant le Bloc-notes avec une astuce par ligne. ") +
           QStringLiteral("Puis placez le dans le dossier ") + displayPath(folder) +
           QLatin1Char('.');
}

QString frmTip::unreadableFileMessage(const QString& path) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Le fichier ") + displayPath(path) +
           QStringLiteral(" ne peut pas être lu comme un texte.") + crlf + crlf +
           QStringLiteral("Remplacez-le par un fichier texte nommé ") + tipsFileName() +
           QStringLiteral(", avec une astuce par ligne.");
}

QWidget* frmTip::createWidget() {
    // The window itself: Enter presses the default button, Escape and the title
    // bar's close box act as "OK".
    auto* w = new CancelDialog;
    connect(w, &CancelDialog::cancelRequested, this, [this] { cmdOK_Click(); });
    w->setWindowTitle(QStringLiteral("Astuce du jour"));
    w->setFixedSize(twipsToPixels(5895), twipsToPixels(3285));

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twipsRect(4080, 120, 1335, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    auto* next = new QPushButton(QStringLiteral("Astuce &suivante"), w);
    next->setObjectName(QStringLiteral("cmdNextTip"));
    next->setGeometry(twipsRect(4080, 600, 1335, 375));
    connect(next, &QPushButton::clicked, this, [this] { cmdNextTip_Click(); });

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
    connect(check, &QCheckBox::toggled, this, [this] { chkLoadTipsAtStartup_Click(); });

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

void frmTip::Form_Load() {
    // Opening the window turns the start-up display back on.
    if (auto* check = control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup")))
        check->setChecked(true);
    const QString file = TipsFile::find(tipsFolders(paths_), tipsFileName());
    if (!LoadTips(file)) {
        if (auto* tip = control<QLabel>(QStringLiteral("lblTipText")))
            showTipText(tip, lastFileUnreadable_ ? unreadableFileMessage(file)
                                                 : missingFileMessage(paths_.configDir()));
    }
}

bool frmTip::LoadTips(const QString& sFile) {
    TipsFile::Reading reading = TipsFile::load(sFile);
    lastFileUnreadable_ = reading.outcome == TipsFile::Outcome::NotText;
    if (reading.outcome != TipsFile::Outcome::Read)
        return false;
    tips_.append(reading.tips);
    AdvanceTip();
    return true;
}

void frmTip::DisplayCurrentTip() {
    if (tips_.isEmpty())
        return;
    if (auto* tip = control<QLabel>(QStringLiteral("lblTipText")))
        showTipText(tip, tips_.currentTip());
}

void frmTip::AdvanceTip() {
    tips_.advance();
    DisplayCurrentTip();
}

void frmTip::cmdNextTip_Click() {
    AdvanceTip();
}

void frmTip::cmdOK_Click() {
    Unload();
}

void frmTip::chkLoadTipsAtStartup_Click() {
    auto* check = control<QCheckBox>(QStringLiteral("chkLoadTipsAtStartup"));
    if (!check)
        return;
    TipsSetting::write(settings_, check->isChecked() ? 1 : 0);
}
