// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_options.h"

#include "profile_file.h"

#include <QLocale>
#include <cmath>

namespace {

// "Only the first character": the values are read into a buffer of two.
constexpr int kBufferSize = 2;

QString flagText(bool flag) {
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

QString GameOptions::startingLevelText() const {
    if (!StartingLevel)
        return QString();
    return QString::number(*StartingLevel, 'g', QLocale::FloatingPointShortest);
}

void GameOptions::LoadOptions() {
    const QString level = file_.getString(Section, StartingLevelKey, QString(), kBufferSize);
    if (level == QStringLiteral(" ")) {
        ResetOptions();
        StartingLevel = 0.0;
    } else if (!level.isEmpty() && level[0] >= QLatin1Char('0') && level[0] <= QLatin1Char('9')) {
        StartingLevel = double(level[0].unicode() - '0');
    } else {
        StartingLevel = 0.0;
    }
    const auto flag = [this](const QString& key) {
        return file_.getString(Section, key, QString(), kBufferSize) == QStringLiteral("T");
    };
    FillLines = flag(FillLinesKey);
    SoundOn = flag(PlaySoundsKey);
    HideSplash = flag(HideSplashKey);
}

bool GameOptions::SaveOptions() {
    const bool saved = file_.writeStrings(Section, {{StartingLevelKey, startingLevelText()},
                                                    {FillLinesKey, flagText(FillLines)},
                                                    {PlaySoundsKey, flagText(SoundOn)},
                                                    {HideSplashKey, flagText(HideSplash)}});
    if (!saved && boxes_)
        notice_.report(*boxes_, file_.path(), unsavedMessage());
    return saved;
}

QString GameOptions::unsavedMessage() const {
    return SaveFailureNotice::message(QStringLiteral("les options de Brikko32"), file_.path());
}

void GameOptions::ResetOptions() {
    StartingLevel = 0.0;
    FillLines = false;
    SoundOn = false;
    HideSplash = false;
    SaveOptions();
}

std::optional<double> GameOptions::parseStartingLevel(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value) || value < 0.0 || value > 9.0 || value != std::floor(value))
        return std::nullopt;
    return value == 0.0 ? 0.0 : value; // no "-0"
}
