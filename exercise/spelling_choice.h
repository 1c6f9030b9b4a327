// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number_spelling.h"

#include <QString>

class SettingsStore;

// The spelling of numbers the teacher chose for the exercise: the program's
// own simplified spelling in France unless chosen otherwise.
struct SpellingChoice {
    NumberSpelling::Spelling spelling = NumberSpelling::Spelling::Classic;
    NumberSpelling::Region region = NumberSpelling::Region::France;

    friend bool operator==(const SpellingChoice&, const SpellingChoice&) = default;
};

// The choice kept per user in the program's settings (vorelle.ini), section
// "Options", keys "Spelling" (classic, traditional, 1990, either) and
// "Region" (fr, be, ch). A school sets defaults for all its pupils in the
// system-wide file, which the settings read when the user's file has no value.
namespace SpellingSetting {

QString section();
QString spellingKey();
QString regionKey();

// The stored choice; an absent, unknown or damaged value is the default, and
// nothing is said about it.
SpellingChoice read(const SettingsStore& store);

// Writes each key whose stored text is not already the choice's, and only
// those.
void write(SettingsStore& store, const SpellingChoice& choice);

} // namespace SpellingSetting
