// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "save_failure_notice.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

class MessageBoxes;
class HighScoreTable;

// One line of the high-score file: a name and its score.
struct HighScoreEntry {
    QString name;
    qint64 score = 0;
    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};

using HighScoreList = std::array<HighScoreEntry, 5>;

// The file "scores.lst": five lines "name:score", each ended by CR LF, written
// UTF-8 and read as UTF-8 when valid, else Windows-1252.
namespace HighScoreFile {
inline constexpr qint64 MaxReadSize = 64 * 1024; // five lines never need more
inline const QString FileName = QStringLiteral("scores.lst");
inline constexpr qsizetype MaxNameLength = 255; // characters kept of a name

// The five entries held by a file's bytes. A line ends at CR LF, LF or CR.
// The name is the text before the line's last colon, the score the number at
// the start of the text after it. A missing line or a line without a colon
// gives "None" with 0. Only the first MaxReadSize bytes are looked at. Names
// are kept as storedName keeps them.
HighScoreList parse(const QByteArray& bytes);

// The file's bytes for the entries; line breaks in a name become spaces.
QByteArray format(const HighScoreList& entries);

// The default file: "None:0" CR LF, five times.
QByteArray defaultContents();

// The number at the start of text: blanks skipped, an optional sign, digits,
// optionally a fraction and an exponent; reading stops at the first character
// that cannot continue the number. No number gives 0. Whole numbers beyond
// the 64-bit range are held at its ends; a fraction is cut off.
qint64 parseScore(QStringView text);

// A name as it is stored: CR and LF become spaces, a leading U+FEFF (which
// would read as a byte order mark at the file's start) is dropped, and the
// name is cut to MaxNameLength characters, a character pair kept whole.
QString storedName(const QString& name);
} // namespace HighScoreFile

// Shows the table to the player and returns when they have closed it.
class HighScoreDisplay {
public:
    virtual ~HighScoreDisplay() = default;
    virtual void showHighScores(const HighScoreTable& table) = 0;
};

// The table of the five best scores and its file. Slots are numbered 1 to 5,
// slot 1 the best; they have no value until the first load.
class HighScoreTable {
public:
    static constexpr int Slots = 5;

    // filePath: the file of the table (AppPaths::userDataFile("scores.lst")).
    explicit HighScoreTable(QString filePath);

    const QString& filePath() const { return filePath_; }
    bool isLoaded() const { return loaded_; }

    // The name and score of slot 1..5: empty text and no value before the
    // first load or outside 1..5.
    QString HighNames(int slot) const;
    std::optional<qint64> HighScores(int slot) const;
    // The score of a slot as shown: plain decimal text, empty without value.
    QString scoreText(int slot) const;
    const HighScoreList& entries() const { return entries_; }

    // Reads the file into slots 1 to 5. A missing file is first created with
    // the default contents, and the default table is then read. A file that
    // exists is never rewritten here. When the file can be neither read nor
    // created, a table already in memory stays as it is; a table never loaded
    // takes the defaults. Nothing is reported; an existing file that could not
    // be read (a folder in its place, a named pipe or a device, which are
    // never opened, no permission, a read error) is remembered until a later
    // load reads it.
    void LoadHighScores();
    bool fileUnreadable() const { return fileUnreadable_; }

    // Writes slots 1 to 5 atomically as a whole new file. False when the file
    // could not be written, when the table was never loaded, and when the
    // last load found an existing file it could not read: a file whose
    // entries were not read is never replaced. The table in memory stays.
    bool SaveHighScores() const;

    // At the end of a game: reads the file, and when score reaches a slot
    // (the first whose score is less than or equal to it), moves the lower
    // slots down, asks the player's name, stores both, saves and shows the
    // table. Returns the slot taken, or 0 when the score does not qualify
    // (then nothing is asked, saved or shown). When the save fails (the file
    // or its folder cannot be written) or is refused (the file could not be
    // read), a message box says so before the table shows, once for the
    // table's lifetime.
    int CheckHighScore(qint64 score, MessageBoxes& boxes, HighScoreDisplay& display);

    // The text of that message, after a failed save.
    QString unsavedMessage() const;

    // Shows the table in memory, without reading the file.
    void ShowHighScores(HighScoreDisplay& display) const { display.showHighScores(*this); }

    // The prompt and title of the name dialog.
    static QString namePrompt();
    static QString nameTitle() { return QStringLiteral("Kubolt"); }

private:
    QString filePath_;
    HighScoreList entries_{};
    bool loaded_ = false;
    bool fileUnreadable_ = false;
    SaveFailureNotice notice_;
};
