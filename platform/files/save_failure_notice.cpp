// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_failure_notice.h"

#include "message_boxes.h"

#include <QDir>

QString SaveFailureNotice::message(const QString& what, const QString& path) {
    return QStringLiteral("Impossible d'enregistrer %1 dans le fichier « %2 » : ce fichier ou son "
                          "dossier ne peut pas être écrit.")
        .arg(what, QDir::toNativeSeparators(path));
}

bool SaveFailureNotice::report(MessageBoxes& boxes, const QString& path, const QString& text) {
    if (reported_.contains(path))
        return false;
    reported_.insert(path);
    boxes.msgBox(text, MsgExclamation);
    return true;
}
