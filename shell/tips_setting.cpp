// SPDX-License-Identifier: GPL-3.0-or-later
#include "tips_setting.h"

#include "app_paths.h"
#include "settings_store.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace TipsSetting {

QString section() {
    return QStringLiteral("Options");
}

QString key() {
    return QStringLiteral("Show Tips at Startup");
}

qint32 valueOf(const QString& storedText) {
    const QString text = storedText.trimmed();
    bool ok = false;
    const qlonglong whole = text.toLongLong(&ok);
    if (ok) {
        if (whole < std::numeric_limits<qint32>::min() ||
            whole > std::numeric_limits<qint32>::max())
            return 1;
        return qint32(whole);
    }
    // "0.4" and "0,4" both read as a number (the C and the French way).
    double real = QLocale::c().toDouble(text, &ok);
    if (!ok)
        real = QLocale(QLocale::French).toDouble(text, &ok);
    if (!ok || !std::isfinite(real))
        return 1;
    if (std::fabs(real) > double(std::numeric_limits<qint32>::max()))
        return 1;
    // A half goes to the even neighbour.
    return qint32(std::nearbyint(real));
}

bool showAtStartup(const SettingsStore& store) {
    const QString stored =
        store.getSetting(executableBaseName(), section(), key(), QStringLiteral("1"));
    return valueOf(stored) != 0;
}

bool write(SettingsStore& store, int checkState) {
    return store.saveSetting(executableBaseName(), section(), key(), QString::number(checkState),
                             QStringLiteral("le réglage « Afficher les astuces au démarrage »"));
}

} // namespace TipsSetting
