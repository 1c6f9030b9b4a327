// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes in one step (QSaveFile): a crash or a
// failed write leaves the old file or the new one, never part of one. False
// when the file could not be written; the old file then stays.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);
