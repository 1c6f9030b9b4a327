// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// A settings file of sections and keys:
//
//     [Section]
//     Key=Value
//
// Section and key names are compared without regard to case and to the blanks
// around them; the first matching section and, in it, the first matching key
// win. A value is read without the blanks around it, and a value between a
// pair of matching double or single quotes without the quotes (so `Key=" "`
// reads as one space). Lines starting with ';' are comments. Lines before the
// first section belong to none.
//
// A write replaces the key's line in place with exactly `Key=Value`, or adds
// the line after the last non-blank line of the section, or appends the
// section and the line at the end, creating the file when it is missing. All
// other bytes stay as they were. New lines end like the file's first line (CR
// LF or LF); a new file uses LF. The file is UTF-8 when its bytes are, else
// Windows-1252; new text is encoded the same way (a Windows-1252 file whose new
// text does not fit the code page is converted to UTF-8 as a whole, its text
// unchanged). Writes are atomic: a crash leaves the old file or the new one.
// A write that changes nothing leaves the file untouched.
//
// Size cap: only the first MaxFileSize bytes of a file are read (a line cut by
// the cap is dropped). A file over the cap, a file that exists but cannot be
// read, and anything that is not a regular file are never written: a write
// refuses rather than lose what it could not read. A named pipe or a device
// is never opened: it reads as a missing file.
class ProfileFile {
public:
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    explicit ProfileFile(QString path);
    virtual ~ProfileFile() = default;

    const QString& path() const { return path_; }

    // The key's value read into a buffer of bufferSize characters: at most
    // bufferSize - 1 of them (a character pair that would be cut is left out
    // whole). defaultValue, cut the same way, when the file, the section or
    // the key is missing. An empty value is read as empty, not as the default.
    virtual QString getString(const QString& section, const QString& key,
                              const QString& defaultValue, int bufferSize) const;

    // Writes Key=Value into the section. False when nothing was written: the
    // file could not be read whole or written, or the names or the value
    // cannot be stored (an empty name, a line break, a NUL, a ']' in the
    // section, a '=' in the key, a key starting with '[' or ';').
    virtual bool writeString(const QString& section, const QString& key, const QString& value);

    using KeyValue = std::pair<QString, QString>;
    // Writes several keys, in order, as one replacement of the file: all of
    // them or none. True when nothing needed writing.
    virtual bool writeStrings(const QString& section, const QList<KeyValue>& values);

    // The same on a file's contents in memory.
    static std::optional<QString> findValue(const QByteArray& content, const QString& section,
                                            const QString& key);
    // The contents after the write, or no value when the names or the value
    // cannot be stored.
    static std::optional<QByteArray> withValue(const QByteArray& content, const QString& section,
                                               const QString& key, const QString& value);

    // The text as the reader returns a stored value: blanks around it
    // removed, then one pair of matching quotes.
    static QString valueAsRead(QStringView stored);
    // text cut to what a buffer of bufferSize characters holds.
    static QString fitBuffer(const QString& text, int bufferSize);

private:
    QString path_;
};
