// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QString>

// The pupil's answer box: a multi-line text box whose text reads back as it
// was set, line breaks as CR LF.
//
// The document keeps each line as a paragraph; text() joins them with CR LF
// and setText() splits at CR LF (a lone CR or LF also breaks the line and
// reads back as CR LF). Non-breaking spaces and every other character read
// back unchanged. Setting the text it already holds changes nothing and
// raises no change.
//
// Keys: Enter (also with Shift, or on the keypad) is not typed into the box;
// the window sees it and presses its default button. Ctrl+Enter types a line
// break. Tab moves the focus on.
class AnswerBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit AnswerBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    // The colour of the whole text.
    QColor textColor() const;
    void setTextColor(const QColor& color);

    // Sets what a screen reader tells of the box besides its name and text
    // (its accessible description) and tells the reader that it changed, also
    // when the text is the same again: a number drawn twice in a row is told
    // twice. The reader reads it at once while the box has the focus, and
    // with the box whenever it takes the focus.
    void tellDescription(const QString& description);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
