// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QMenu;

// What a screen reader hears in the program's windows (docs/ARCHITECTURE.md,
// "Screen readers"). Installed once for the whole program; every window's
// Load() makes sure of it.
// - A label reads its own text, or the name given to a label that shows a
//   picture. An empty label says nothing: it never borrows the title of the
//   frame around it, so a reader going through a score area hears the counts
//   and the score, not the frame's title again for each empty one.
// - An AccessibleRow reads as one line (below).
// - A menu named by setMenuAccessibleName reads that name in the menu bar.
void installAccessibility();

// A row of labels that a screen reader reads as one line: the row's
// accessible name, which its window keeps up to date, rather than label by
// label. The labels inside are drawn as usual and keep their objectNames, but
// a reader does not see them.
class AccessibleRow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// Gives a menu the name that a screen reader says in place of its caption,
// both for its title in the menu bar and for the open menu: for a caption
// that reads as nothing, such as "?". (A menu bar's titles have no accessible
// name of their own in Qt 6.4: they read their caption.)
void setMenuAccessibleName(QMenu* menu, const QString& name);
