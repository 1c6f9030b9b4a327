// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_message_boxes.h"

#include "app_info.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

void QtMessageBoxes::msgBox(const QString& text, int style, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? AppInfo::title() : title);
    box.setText(text);
    // The icon's name is what a screen reader says for it.
    QString iconName;
    switch (style) {
    case MsgQuestion:
        box.setIcon(QMessageBox::Question);
        iconName = QStringLiteral("Question");
        break;
    case MsgExclamation:
        box.setIcon(QMessageBox::Warning);
        iconName = QStringLiteral("Avertissement");
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    for (QLabel* label : box.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            label->setAccessibleName(iconName);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString QtMessageBoxes::inputBox(const QString& prompt, const QString& title,
                                 const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(),
                                               title.isEmpty() ? AppInfo::title() : title, prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}
