// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QVector>
#include <Qt>

class QWidget;

// A window's system menu, as a model: its commands by position. A window gets
// its own copy on first access (GetSystemMenu); the copy is a child of the
// window, so it lives and dies with the window's on-screen part, and a window
// built again starts with the standard menu again.
//
// The caption buttons follow the menu once DrawMenuBar has applied it: without
// its close command a window has no close button and refuses every close
// request (the title bar, the window manager's Alt+F4, QWidget::close()).
class SystemMenu : public QObject {
    Q_OBJECT
public:
    enum class Command { Restore, Move, Size, Minimize, Maximize, Separator, Close };

    // The standard menu: Restore, Move, Size, Minimize, Maximize, a separator,
    // Close.
    explicit SystemMenu(QWidget* window);

    int GetMenuItemCount() const { return int(items_.size()); }
    Command item(int position) const { return items_.at(position); }
    bool contains(Command command) const { return items_.contains(command); }

    // Removes the item at a 0-based position; false (and nothing removed) when
    // there is no such position.
    bool RemoveMenu(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend void DrawMenuBar(QWidget* window);
    void apply();

    QWidget* window_;
    QVector<Command> items_;
    Qt::WindowFlags buttons_; // the caption buttons the window had at first
    bool refuseClose_ = false;
};

// The window's own copy of its system menu, created on first access; nullptr
// when window is null, is not a top-level window, or was built without a
// system menu (no frame, or a customised frame without one).
SystemMenu* GetSystemMenu(QWidget* window);

// Makes the window's caption buttons follow its system menu. Does nothing for
// a window that has no copy of its menu.
void DrawMenuBar(QWidget* window);
