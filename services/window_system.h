// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

class QWidget;

// What the window utilities ask of the window system: the free part of a
// window's screen, the application's title, and this process's top-level
// windows by caption.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // The part of the window's screen that task bars and docks leave free, in
    // pixels; an empty rectangle when there is no screen.
    virtual QRect availableGeometry(const QWidget& window) const = 0;
    // The name under which the running program is shown by the window system.
    virtual QString applicationTitle() const = 0;
    virtual void setApplicationTitle(const QString& title) = 0;
    // A top-level window of this process whose caption is exactly caption, or
    // nullptr.
    virtual QWidget* findWindow(const QString& caption) const = 0;
};
