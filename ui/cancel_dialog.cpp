#include "cancel_dialog.h"

CancelDialog::CancelDialog(QWidget* parent) : QDialog(parent) {}

void CancelDialog::reject() {
    emit cancelRequested();
}
