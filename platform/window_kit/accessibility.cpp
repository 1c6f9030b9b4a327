// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTextDocument>
#include <QWindow>

namespace {

class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel* label)
        : QAccessibleWidget(label, label->pixmap().isNull() ? QAccessible::StaticText
                                                            : QAccessible::Graphic) {}

    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const QLabel*>(widget());
        switch (t) {
        case QAccessible::Name:
            if (!label->accessibleName().isEmpty())
                return label->accessibleName();
            return plainText(label);
        case QAccessible::Value:
            return QString();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

private:
    // The text as shown: rich text as plain text; a label with a buddy shows
    // its mnemonic mark as an underline, not as a character.
    static QString plainText(const QLabel* label) {
        QString text = label->text();
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
            QTextDocument doc;
            doc.setHtml(text);
            text = doc.toPlainText();
        }
        if (!label->buddy())
            return text;
        QString shown;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
                ++i;
            shown += text.at(i);
        }
        return shown;
    }
};

// A row read as one line: its accessible name, no children.
class RowAccessible : public QAccessibleWidget {
public:
    explicit RowAccessible(AccessibleRow* row) : QAccessibleWidget(row, QAccessible::StaticText) {}

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

// Where setMenuAccessibleName keeps a menu's name, on the menu's own action.
const char* const MenuNameProperty = "vorelleAccessibleName";

// A menu's title in a menu bar, read by the name given to its menu. It
// otherwise does what Qt's own title does: lies where the bar draws it,
// holds the menu, opens it.
class MenuTitleAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuTitleAccessible(QAction* action, QMenuBar* bar) : action_(action), bar_(bar) {}

    bool isValid() const override { return action_ && bar_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override {
        if (!bar_)
            return nullptr;
        QWidget* native = bar_->windowHandle() ? bar_.data() : bar_->nativeParentWidget();
        return native ? native->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_);
    }
    QAccessibleInterface* child(int index) const override {
        QMenu* menu = action_ ? action_->menu() : nullptr;
        return index == 0 && menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    int childCount() const override { return action_ && action_->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && action_ && action_->menu() && child->object() == action_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* menu = child(0);
        return menu && menu->rect().contains(x, y) ? menu : nullptr;
    }
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = bar_->actionGeometry(action_);
        return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.invisible = !bar_->isVisible() || !action_->isVisible();
        s.focused = bar_->activeAction() == action_;
        s.disabled = !action_->isEnabled();
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (!action_)
            return {};
        switch (t) {
        case QAccessible::Name:
            return action_->property(MenuNameProperty).toString();
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& name) override {
        if (name != showMenuAction() || !isValid() || !action_->isEnabled())
            return;
        if (action_->menu() && action_->menu()->isVisible())
            action_->menu()->hide();
        else
            bar_->setActiveAction(action_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> action_;
    QPointer<QMenuBar> bar_;
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel")) {
        if (auto* label = qobject_cast<QLabel*>(object))
            return new LabelAccessible(label);
    } else if (className == QLatin1String("AccessibleRow")) {
        if (auto* row = qobject_cast<AccessibleRow*>(object))
            return new RowAccessible(row);
    } else if (className == QLatin1String("QAction")) {
        auto* action = qobject_cast<QAction*>(object);
        if (!action || action->property(MenuNameProperty).toString().isEmpty())
            return nullptr; // Qt's own
        for (QObject* owner : action->associatedObjects())
            if (auto* bar = qobject_cast<QMenuBar*>(owner))
                return new MenuTitleAccessible(action, bar);
    }
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void setMenuAccessibleName(QMenu* menu, const QString& name) {
    installAccessibility();
    menu->setAccessibleName(name);
    QAction* title = menu->menuAction();
    title->setProperty(MenuNameProperty, name);
    // A title a reader has already met keeps the interface it was given
    // then: drop it, so that the next reader to ask gets the name.
    QAccessibleInterface* known = QAccessible::queryAccessibleInterface(title);
    if (known && !dynamic_cast<MenuTitleAccessible*>(known))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}
