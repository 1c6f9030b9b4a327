// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_menu.h"

#include <QCloseEvent>
#include <QWidget>

namespace {
constexpr char kObjectName[] = "systemMenu";

// The caption buttons a window shows with its current flags.
Qt::WindowFlags shownButtons(const QWidget* window) {
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::CustomizeWindowHint))
        return flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                        Qt::WindowCloseButtonHint);
    if (window->windowType() == Qt::Window)
        return Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    return Qt::WindowCloseButtonHint;
}

bool hasSystemMenu(const QWidget* window) {
    if (!window || !window->isWindow())
        return false;
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::FramelessWindowHint))
        return false;
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Window && type != Qt::Dialog)
        return false;
    return !flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowSystemMenuHint);
}
} // namespace

SystemMenu::SystemMenu(QWidget* window)
    : QObject(window),
      window_(window), items_{Command::Restore,  Command::Move,     Command::Size,
                              Command::Minimize, Command::Maximize, Command::Separator,
                              Command::Close},
      buttons_(shownButtons(window)) {
    setObjectName(QString::fromLatin1(kObjectName));
    window->installEventFilter(this);
}

bool SystemMenu::RemoveMenu(int position) {
    if (position < 0 || position >= items_.size())
        return false;
    items_.removeAt(position);
    return true;
}

void SystemMenu::apply() {
    Qt::WindowFlags flags = window_->windowFlags();
    flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (contains(Command::Minimize))
        flags |= buttons_ & Qt::WindowMinimizeButtonHint;
    if (contains(Command::Maximize))
        flags |= buttons_ & Qt::WindowMaximizeButtonHint;
    if (contains(Command::Close))
        flags |= buttons_ & Qt::WindowCloseButtonHint;
    refuseClose_ = !contains(Command::Close);
    if (flags == window_->windowFlags())
        return;
    // New flags hide a shown window; it comes back where it was.
    const bool visible = window_->isVisible();
    window_->setWindowFlags(flags);
    if (visible)
        window_->show();
}

bool SystemMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && refuseClose_) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

SystemMenu* GetSystemMenu(QWidget* window) {
    if (!hasSystemMenu(window))
        return nullptr;
    auto* menu = window->findChild<SystemMenu*>(QString::fromLatin1(kObjectName),
                                                Qt::FindDirectChildrenOnly);
    return menu ? menu : new SystemMenu(window);
}

void DrawMenuBar(QWidget* window) {
    if (!window)
        return;
    if (auto* menu = window->findChild<SystemMenu*>(QString::fromLatin1(kObjectName),
                                                    Qt::FindDirectChildrenOnly))
        menu->apply();
}
