// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_boxes.h"

// QMessageBox and QInputDialog, titled with the application's title.
class QtMessageBoxes : public MessageBoxes {
public:
    void msgBox(const QString& text, int style = MsgPlain, const QString& title = {}) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText = {}) override;
};
