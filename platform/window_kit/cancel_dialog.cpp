// SPDX-License-Identifier: GPL-3.0-or-later
#include "cancel_dialog.h"

#include "dialog_font.h"

CancelDialog::CancelDialog(QWidget* parent) : QDialog(parent) {}

CancelDialog* CancelDialog::fixedSize(const QString& title, QSize size) {
    auto* w = new CancelDialog;
    w->setWindowTitle(title);
    w->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint);
    w->setFixedSize(size);
    w->setFont(dialogFont());
    return w;
}

void CancelDialog::reject() {
    emit cancelRequested();
}
