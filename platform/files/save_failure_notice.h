// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

class MessageBoxes;

// Tells the user that something was not saved, once per file: a file that
// cannot be written fails every save of the run, and one message says it.
class SaveFailureNotice {
public:
    // "Impossible d'enregistrer <what> dans le fichier « <path> » : ce fichier
    // ou son dossier ne peut pas être écrit."
    static QString message(const QString& what, const QString& path);

    // Shows text with an exclamation mark, unless a message about path was
    // shown already. True when it was shown.
    bool report(MessageBoxes& boxes, const QString& path, const QString& text);

private:
    QSet<QString> reported_;
};
