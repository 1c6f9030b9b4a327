// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class SettingsStore;

// The per-user setting "Show Tips at Startup" (section "Options", under the
// executable's base name): "1" when the tip window opens at start-up, "0"
// when it does not.
namespace TipsSetting {

QString section();
QString key();

// The number a stored text stands for. An absent setting counts as 1, and so
// does a text that is not a number (the program itself never writes one), so
// that the tips come back and the window writes a clean value again. A number
// with decimals is rounded; one too large for 32 bits counts as not 0.
qint32 valueOf(const QString& storedText);

// True when the tip window should open at start-up.
bool showAtStartup(const SettingsStore& store);

// Stores the check box state as decimal text; nothing is written when the
// store holds it already. False when it could not be stored (the store says
// so to the user).
bool write(SettingsStore& store, int checkState);

} // namespace TipsSetting
