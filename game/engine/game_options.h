// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "save_failure_notice.h"

#include <QString>
#include <optional>

class MessageBoxes;
class ProfileFile;

// Brikko's four settings and their file "Brikko32.ini", section "Brikko32".
// Before LoadOptions (or the options window) sets them, StartingLevel has no
// value (it counts as 0 and shows as an empty text) and the flags are false.
class GameOptions {
public:
    static inline const QString FileName = QStringLiteral("Brikko32.ini");
    static inline const QString Section = QStringLiteral("Brikko32");
    static inline const QString StartingLevelKey = QStringLiteral("Starting Level");
    static inline const QString FillLinesKey = QStringLiteral("Fill Lines");
    static inline const QString PlaySoundsKey = QStringLiteral("Play Sounds");
    static inline const QString HideSplashKey = QStringLiteral("Hide Splash");

    // file: the settings file (AppPaths::configFile(GameOptions::FileName));
    // boxes: where a failed save is reported (nowhere when null).
    explicit GameOptions(ProfileFile& file, MessageBoxes* boxes = nullptr)
        : file_(file), boxes_(boxes) {}

    std::optional<double> StartingLevel; // 0 to 9
    bool FillLines = false;
    bool SoundOn = false;
    bool HideSplash = false;

    // StartingLevel as a number: 0 while it has no value.
    double startingLevel() const { return StartingLevel.value_or(0.0); }
    // StartingLevel as text: empty while it has no value, else its shortest
    // decimal text with a '.' ("7", "2.5").
    QString startingLevelText() const;

    // Reads the four settings; only the first character of each value is
    // looked at. A level stored as exactly one space resets every setting and
    // writes the defaults. A missing file or key gives the defaults and
    // writes nothing.
    void LoadOptions();
    // Writes the four keys in order, as one replacement of the file: all of
    // them or none. When they cannot be written, a message box says so, once
    // for the file. False when they were not written.
    bool SaveOptions();
    // The text of that message.
    QString unsavedMessage() const;
    // Level 0, flags false, then SaveOptions.
    void ResetOptions();

    // The level a player typed, when it is acceptable: a whole number from 0
    // to 9, blanks around it allowed, written with the user's or the C
    // locale's conventions ("7", "07", "7.0", "7,0"). No value otherwise.
    static std::optional<double> parseStartingLevel(const QString& text);

private:
    ProfileFile& file_;
    MessageBoxes* boxes_;
    SaveFailureNotice notice_;
};
