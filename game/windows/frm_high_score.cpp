// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_high_score.h"

#include "accessibility.h"
#include "cancel_dialog.h"
#include "svg_pixmap.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kTops[HighScoreTable::Slots] = {8, 32, 56, 80, 104};
constexpr int RowLeft = 64, RowRight = 297; // from the rank's left edge to the score's right one

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setTextFormat(Qt::PlainText); // names are shown as typed
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

} // namespace

frmHighScore::frmHighScore(QObject* parent) : Form(QStringLiteral("frmHighScore"), parent) {}

QWidget* frmHighScore::createWidget() {
    // Enter presses OK; Escape does what OK does.
    auto* w = CancelDialog::fixedSize(QStringLiteral("Meilleurs Scores"), QSize(313, 156));
    connect(w, &CancelDialog::cancelRequested, this, [this] { cmdOk_Click(); });

    auto* image = new QLabel(w);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(16, 45, 32, 32);
    image->setPixmap(
        svgPixmap(QStringLiteral("trophy.svg"), QSize(32, 32), w->devicePixelRatioF()));
    image->setAccessibleName(QStringLiteral("Trophée"));

    // Each line of the table, rank, name and score, is one row that a screen
    // reader reads as one: "1. Léa, 60 points".
    for (int i = 0; i < HighScoreTable::Slots; ++i) {
        auto* row = new AccessibleRow(w);
        row->setObjectName(indexed("row", i + 1));
        row->setGeometry(RowLeft, kTops[i], RowRight - RowLeft, 17);
        row->setAccessibleName(highScoreRowReading(i + 1, QString(), std::nullopt));
        label(row, indexed("Label1", i), QStringLiteral("%1.").arg(i + 1),
              QRect(64 - RowLeft, 0, 20, 17));
        label(row, indexed("lblName", i + 1), QString(), QRect(88 - RowLeft, 0, 137, 17));
        QLabel* score =
            label(row, indexed("lblScore", i + 1), QString(), QRect(232 - RowLeft, 0, 65, 17));
        score->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(0, 128, 73, 20);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    ok->setFocus();
    return w;
}

void frmHighScore::Form_Load() {
    if (auto* ok = control<QPushButton>(QStringLiteral("cmdOk")))
        ok->move((widget()->width() - ok->width()) / 2, ok->y());
}

void frmHighScore::fill(const HighScoreTable& table) {
    Load();
    for (int i = 1; i <= HighScoreTable::Slots; ++i) {
        if (auto* name = control<QLabel>(indexed("lblName", i)))
            name->setText(table.HighNames(i));
        if (auto* score = control<QLabel>(indexed("lblScore", i)))
            score->setText(table.scoreText(i));
        if (auto* row = control<AccessibleRow>(indexed("row", i)))
            row->setAccessibleName(highScoreRowReading(i, table.HighNames(i), table.HighScores(i)));
    }
}

QString highScoreRowReading(int slot, const QString& name, std::optional<qint64> score) {
    const QString rank = QStringLiteral("%1.").arg(slot);
    if (!score)
        return rank;
    // French keeps the singular below two: "0 point", "1 point", "2 points".
    const QString points =
        *score > -2 && *score < 2 ? QStringLiteral("%1 point") : QStringLiteral("%1 points");
    const QString who = name.trimmed().isEmpty() ? QStringLiteral("sans nom") : name;
    return QStringLiteral("%1 %2, %3").arg(rank, who, points.arg(*score));
}

void frmHighScore::showHighScores(const HighScoreTable& table) {
    fill(table);
    Show(true);
}

void frmHighScore::cmdOk_Click() {
    Hide();
}
