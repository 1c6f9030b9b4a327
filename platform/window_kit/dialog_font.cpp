// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_font.h"

#include <QStringList>

QFont dialogFont(double points) {
    QFont font(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial")});
    font.setPointSizeF(points);
    return font;
}
