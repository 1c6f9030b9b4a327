// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_boxes.h"

// QMessageBox and QInputDialog, titled with the application's title.
class QtMessageBoxes : public MessageBoxes {
public:
    void showMessage(const QString& text, MessageKind kind = MessageKind::Plain,
                     const QString& title = {}) override;
    QString askText(const QString& prompt, const QString& title,
                    const QString& defaultText = {}) override;
};
