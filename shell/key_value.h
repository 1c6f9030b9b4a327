// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class Registry;

// Turns a registry value read into the text the about box uses.
//
// The data are first trimmed: when the last of its `data.size()` bytes is
// NUL, that byte goes; otherwise every byte stays. Then, by type:
// - a text: KeyVal becomes the trimmed text (UTF-8);
// - a 32-bit number: the upper-case hexadecimal form of each trimmed byte,
//   from the last to the first and each without leading zeros, is appended to
//   KeyVal, and "&h" is put in front of the whole (so 0x00123456 stored least
//   significant byte first gives "&h123456", and a byte below 16 gives one
//   digit);
// - any other type: KeyVal is left as it was.
// Always true: the value was read.
bool keyValueFromData(quint32 type, const QByteArray& data, QString& KeyVal);

// Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into KeyVal as
// keyValueFromData() does. False, with KeyVal emptied, when the key or the
// value cannot be read or the value is longer than the read buffer.
bool GetKeyValue(const Registry& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);
