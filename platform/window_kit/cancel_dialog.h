// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// A dialog window whose cancel (the Escape key, the title bar's close box)
// is the form's to decide: reject() only tells, through cancelRequested(),
// and the window stays as it is until the form hides or unloads it. Enter
// still presses the default button.
class CancelDialog : public QDialog {
    Q_OBJECT
public:
    explicit CancelDialog(QWidget* parent = nullptr);

    // A small window of fixed size with a title bar and its close box, in the
    // dialog font.
    static CancelDialog* fixedSize(const QString& title, QSize size);

    void reject() override;

signals:
    void cancelRequested();
};
