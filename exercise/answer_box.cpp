// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_box.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QTextDocument>

namespace {
const QString CrLf = QStringLiteral("\r\n");
}

AnswerBox::AnswerBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Lines wrap between words. A word wider than the box runs on past its
    // edge rather than being cut anywhere: cutting long words makes Qt scan
    // ahead to the next word boundary on every line, which turns a pasted
    // megabyte without spaces into minutes of layout.
    setWordWrapMode(QTextOption::WordWrap);
}

QString AnswerBox::text() const {
    // toPlainText() would turn non-breaking spaces into spaces; the raw text
    // keeps every character and marks paragraph ends with U+2029.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, CrLf);
    raw.replace(QChar::LineSeparator, CrLf);
    return raw;
}

void AnswerBox::setText(const QString& text) {
    if (text == this->text())
        return;
    // CR LF, lone CR and lone LF each start a new paragraph.
    setPlainText(text);
}

QColor AnswerBox::textColor() const {
    return palette().color(QPalette::Text);
}

void AnswerBox::setTextColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Text, color);
    p.setColor(QPalette::Inactive, QPalette::Text, color);
    p.setColor(QPalette::Disabled, QPalette::Text, color);
    setPalette(p);
}

void AnswerBox::tellDescription(const QString& description) {
    if (description != accessibleDescription()) {
        setAccessibleDescription(description); // Qt tells the change
        return;
    }
    QAccessibleEvent again(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&again);
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (event->modifiers() & Qt::ControlModifier) {
            textCursor().insertBlock();
            ensureCursorVisible();
            event->accept();
            return;
        }
        // Left to the window: Enter presses its default button.
        event->ignore();
        return;
    }
    if (key == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
