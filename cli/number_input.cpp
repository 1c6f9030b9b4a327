// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_input.h"

#include "number_spelling.h"

namespace NumberInput {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Groups apart from the first have three digits; the first has one to three;
// none is empty, so no space starts, ends or doubles.
bool wellGrouped(QByteArrayView text) {
    qsizetype start = 0;
    bool first = true;
    while (true) {
        const qsizetype space = text.indexOf(' ', start);
        const qsizetype length = (space < 0 ? text.size() : space) - start;
        if (first ? length < 1 || length > 3 : length != 3)
            return false;
        if (space < 0)
            return true;
        start = space + 1;
        first = false;
    }
}

} // namespace

Reading read(QByteArrayView text) {
    if (text.isEmpty())
        return {0, Fault::Empty};
    bool grouped = false;
    for (const char c : text) {
        if (c == ' ')
            grouped = true;
        else if (!isDigit(c))
            return {0, Fault::NotDigits};
    }
    if (grouped && !wellGrouped(text))
        return {0, Fault::Grouping};
    qint64 value = 0;
    for (const char c : text) {
        if (c == ' ')
            continue;
        value = value * 10 + (c - '0');
        // Stops before any overflow, however many digits follow.
        if (value > NumberSpelling::LargestNumber)
            return {0, Fault::TooLarge};
    }
    return {value, Fault::None};
}

} // namespace NumberInput
