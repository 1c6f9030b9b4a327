// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_font.h"

QStringList dialogFontFamilies() {
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial")};
}

QStringList arialFamilies() {
    return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
}

QFont dialogFont(double points) {
    QFont font(dialogFontFamilies());
    font.setPointSizeF(points);
    return font;
}
