// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window_system.h"

// The application title is QGuiApplication::applicationDisplayName (which is
// the application name until it is set).
class QtWindowSystem : public WindowSystem {
public:
    QRect availableGeometry(const QWidget& window) const override;
    QString applicationTitle() const override;
    void setApplicationTitle(const QString& title) override;
    QWidget* findWindow(const QString& caption) const override;
};
