// SPDX-License-Identifier: GPL-3.0-or-later
// Every window as a screen reader meets it: offscreen, through the
// accessibility tree. A control that a reader could not name, a label that
// would read something other than its own text, or a command that the
// keyboard could not reach (Tab, or the arrows within a group of options)
// fails the test. One row per window.
#include "windows_on_fakes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QtTest>
#include <typeinfo>

namespace {

bool isCommand(QAccessible::Role role) {
    using A = QAccessible;
    static const QSet<int> commands{
        A::PushButton, A::CheckBox, A::RadioButton, A::EditableText, A::ComboBox,
        A::SpinBox,    A::Slider,   A::Link,        A::ButtonMenu,   A::ButtonDropDown};
    return commands.contains(role);
}

// Roles that carry nothing to read: containers are read through their
// children, lines only separate.
bool isSilent(QAccessible::Role role) {
    using A = QAccessible;
    static const QSet<int> silent{A::Separator, A::Border, A::Grouping, A::Pane,      A::Window,
                                  A::Dialog,    A::Client, A::MenuBar,  A::PopupMenu, A::ScrollBar};
    return silent.contains(role);
}

// An option of a group that Tab enters at its chosen option (the one Tab
// stops at): the arrow keys reach the others.
bool reachedByArrows(const QWidget* widget) {
    const auto* option = qobject_cast<const QAbstractButton*>(widget);
    if (!option || !option->autoExclusive() || !option->parentWidget())
        return false;
    for (const QAbstractButton* sibling :
         option->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (sibling->autoExclusive() && sibling->isEnabled() &&
            (sibling->focusPolicy() & Qt::TabFocus))
            return true;
    }
    return false;
}

QString describe(QAccessibleInterface* a) {
    const QObject* o = a->object();
    return QStringLiteral("%1 (%2, role %3)")
        .arg(o ? o->objectName() : QString(), o ? o->metaObject()->className() : "",
             QString::number(int(a->role()), 16));
}

// What is wrong with one element of the tree, or nothing.
QStringList problems(QAccessibleInterface* a) {
    QStringList found;
    const QString name = a->text(QAccessible::Name).trimmed();
    auto* widget = qobject_cast<QWidget*>(a->object());
    if (isCommand(a->role())) {
        if (name.isEmpty())
            found << describe(a) + ": a command without a name";
        if (widget && widget->isEnabled() && !(widget->focusPolicy() & Qt::TabFocus) &&
            !reachedByArrows(widget))
            found << describe(a) + ": a command the keyboard does not reach";
        return found;
    }
    if (auto* label = qobject_cast<QLabel*>(a->object())) {
        if (!label->pixmap().isNull()) {
            if (name.isEmpty())
                found << describe(a) + ": a picture without a name";
        } else if (!label->accessibleName().isEmpty()) {
            found << describe(a) + ": a name that hides the label's text";
        } else if (a->text(QAccessible::Name) != label->text()) {
            found << describe(a) + ": reads \"" + a->text(QAccessible::Name) +
                         "\" instead of its text \"" + label->text() + "\"";
        }
        return found;
    }
    if (a->role() == QAccessible::MenuItem) {
        if (name.isEmpty() && !a->state().invisible)
            found << describe(a) + ": a menu item without a name";
        return found;
    }
    // Anything else that shows something of its own (no children to read it
    // through): a picture, a board, a drawing.
    if (a->childCount() == 0 && !isSilent(a->role()) && name.isEmpty())
        found << describe(a) + ": shows something without a name";
    if (a->childCount() == 0 && isSilent(a->role()) && widget &&
        typeid(*widget) != typeid(QWidget) && typeid(*widget) != typeid(QFrame) && name.isEmpty())
        found << describe(a) + ": a drawing without a name";
    return found;
}

void walk(QAccessibleInterface* a, QStringList& found) {
    if (!a || a->state().invisible)
        return;
    found << problems(a);
    for (int i = 0; i < a->childCount(); ++i)
        walk(a->child(i), found);
}

// The top menus open from the keyboard (a mnemonic), and every command in
// them has a caption.
QStringList menuProblems(QWidget* window) {
    QStringList found;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* top : bar->actions()) {
            if (!top->text().contains('&'))
                found << "menu \"" + top->text() + "\": no key opens it";
            if (QMenu* menu = top->menu())
                for (QAction* item : menu->actions())
                    if (!item->isSeparator() && item->text().remove('&').trimmed().isEmpty())
                        found << "menu \"" + top->text() + "\": an item without a caption";
        }
    }
    return found;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QAccessible::setActive(true);
    }

    void everyWindowCanBeReadAndWorked_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : WindowsOnFakes::names())
            QTest::addRow("%s", qPrintable(name)) << name;
    }
    void everyWindowCanBeReadAndWorked() {
        QFETCH(QString, name);
        WindowsOnFakes windows;
        Form& form = windows.form(name);
        if (name == "frmSplash")
            windows.splash.Open();
        else
            form.Show(false);
        QWidget* window = form.widget();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        QVERIFY(root);
        QStringList found;
        if (root->text(QAccessible::Name).trimmed().isEmpty())
            found << "the window has no title";
        walk(root, found);
        found << menuProblems(window);
        QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
