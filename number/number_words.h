#pragma once

#include <QString>

// The French words of a whole number, as the exercise expects them: lower case,
// single spaces, no hyphens, never empty.
namespace Module1 {
QString UnitSuffix(qint16 d, bool quatreVingt);
QString TensToWords(const QString& s);
QString HundredsToWords(const QString& g);
QString NumberToWords(double n);
} // namespace Module1
