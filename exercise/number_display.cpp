// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_display.h"

#include <cmath>

QString groupedDigits(double number) {
    if (!std::isfinite(number))
        return QString();
    const bool negative = number < 0;
    const QString digits = QString::number(std::fabs(std::trunc(number)), 'f', 0);
    QString out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (negative)
        out += QLatin1Char('-');
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += QLatin1Char(' ');
        out += digits.at(i);
    }
    return out;
}

QString numberToWriteDescription(double number) {
    return QStringLiteral("Nombre à écrire : ") + groupedDigits(number);
}
