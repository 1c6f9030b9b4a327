// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a message box says it is: its icon and how a screen reader names it.
enum class MessageKind { Plain, Question, Warning };

// Message boxes and the input box. showMessage shows text with an OK button and
// waits until it is closed; an empty title means the application title.
// askText returns the typed text, or an empty text when cancelled.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void showMessage(const QString& text, MessageKind kind = MessageKind::Plain,
                             const QString& title = {}) = 0;
    virtual QString askText(const QString& prompt, const QString& title,
                            const QString& defaultText = {}) = 0;
};
