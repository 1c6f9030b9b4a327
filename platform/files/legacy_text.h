// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// Text files written by older versions of the program are single-byte text in
// the Windows-1252 code page; the program writes UTF-8. Readers take a file as
// UTF-8 when its bytes are valid UTF-8, else as Windows-1252.

// True when bytes are well-formed UTF-8 (an empty text is).
bool isValidUtf8(QByteArrayView bytes);

// Windows-1252: 0x80-0x9F through the code page's table (its five unassigned
// bytes map to the control characters of the same value, as Windows does), the
// rest as Latin-1. Every byte sequence decodes; nothing is lost.
QString fromWindows1252(QByteArrayView bytes);

// The Windows-1252 bytes of text, or no value when a character has no byte in
// the code page.
std::optional<QByteArray> toWindows1252(QStringView text);

// bytes without a UTF-8 sequence cut short at their end (bytes cut at an
// arbitrary place): valid UTF-8 stays valid once cut.
QByteArrayView utf8CompletePrefix(QByteArrayView bytes);

// UTF-8 when valid, else Windows-1252. A leading UTF-8 byte order mark is
// skipped.
QString decodeUtf8OrWindows1252(QByteArrayView bytes);
