// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_instruct.h"

#include "brikko_icon.h"
#include "cancel_dialog.h"
#include "units.h"
#include "window_centring.h"

#include <QLabel>
#include <QPushButton>

frmInstruct::frmInstruct(QObject* parent) : Form(QStringLiteral("frmInstruct"), parent) {}

QWidget* frmInstruct::createWidget() {
    // Enter presses OK; Escape does what OK does.
    auto* w = CancelDialog::fixedSize(QStringLiteral("Brikko32 Instructions"),
                                      QSize(twipsToPixels(5535), twipsToPixels(2625)));
    connect(w, &CancelDialog::cancelRequested, this, [this] { cmdOk_Click(); });

    const struct {
        const char* name;
        int top;
        int height;
        const char* text;
    } lines[] = {
        {"Label1", 120, 255, "Brikko est très simple à jouer."},
        {"Label2", 480, 510,
         "Pour bouger les pièces à droite ou à gauche, utilise les flèches \"droite\" ou "
         "\"gauche\"."},
        {"Label3", 1080, 255, "Pour la rotation des pièces, utilise la flèche \"haut\"."},
        {"Label4", 1440, 255, "Pour faire tomber la pièce, utilise la flèche \"bas\"."},
        {"Label5", 1800, 255, "Pour mettre en pause, utilise la touche \"P\"."},
    };
    for (const auto& l : lines) {
        auto* label = new QLabel(QString::fromUtf8(l.text), w);
        label->setObjectName(QLatin1String(l.name));
        label->setGeometry(twipsRect(840, l.top, 5535 - 840 - 120, l.height));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    auto* image = new QLabel(w);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twipsRect(240, 240, 480, 480));
    image->setPixmap(brikkoIcon(w->devicePixelRatioF()));
    image->setAccessibleName(QStringLiteral("Icône de Brikko"));

    auto* ok = new QPushButton(QStringLiteral("OK"), w);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(twipsRect(0, 2220, 1095, 300));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    ok->setFocus();
    return w;
}

void frmInstruct::Form_Load() {
    centreOnScreen(widget(), control<QPushButton>(QStringLiteral("cmdOk")));
}

void frmInstruct::cmdOk_Click() {
    Hide();
}
