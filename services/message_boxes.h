// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Message box styles (docs/ARCHITECTURE.md, "The window model").
enum MsgBoxStyle { MsgPlain = 0, MsgQuestion = 32, MsgExclamation = 48 };

// Message boxes and the input box. msgBox shows text with an OK button and
// waits until it is closed; an empty title means the application title.
// inputBox returns the typed text, or an empty text when cancelled.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void msgBox(const QString& text, int style = MsgPlain, const QString& title = {}) = 0;
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText = {}) = 0;
};
