// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling_choice.h"

#include "app_paths.h"
#include "settings_store.h"

namespace SpellingSetting {

QString section() {
    return QStringLiteral("Options");
}

QString spellingKey() {
    return QStringLiteral("Spelling");
}

QString regionKey() {
    return QStringLiteral("Region");
}

namespace {

QString stored(const SettingsStore& store, const QString& key) {
    return store.getSetting(executableBaseName(), section(), key, QString());
}

} // namespace

SpellingChoice read(const SettingsStore& store) {
    const SpellingChoice defaults;
    return {
        NumberSpelling::spellingFromKey(stored(store, spellingKey())).value_or(defaults.spelling),
        NumberSpelling::regionFromKey(stored(store, regionKey())).value_or(defaults.region)};
}

void write(SettingsStore& store, const SpellingChoice& choice) {
    const std::pair<QString, QStringView> values[] = {
        {spellingKey(), NumberSpelling::key(choice.spelling)},
        {regionKey(), NumberSpelling::key(choice.region)}};
    for (const auto& [key, value] : values) {
        if (stored(store, key) != value)
            store.saveSetting(executableBaseName(), section(), key, value.toString());
    }
}

} // namespace SpellingSetting
