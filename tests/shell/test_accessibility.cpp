// SPDX-License-Identifier: GPL-3.0-or-later
// Every window as a screen reader meets it, offscreen, through the
// accessibility tree and the events a reader is sent: every control named,
// labels read as their own text (except where a caption reads wrongly, see
// docs/ARCHITECTURE.md), every command reached by the keyboard; each new
// number told through the answer box, the solution nowhere before it is asked.
#include "accessibility.h"
#include "difficulty.h"
#include "number_words.h"
#include "qt_message_boxes.h"
#include "strange_files.h"
#include "windows_on_fakes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <algorithm>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
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

// An option of a group that Tab enters at its chosen option: the arrows reach it.
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
    if (isCommand(a->role()) || a->role() == QAccessible::MenuItem) {
        // A reader says nothing for "?" and skips "<": "< 100" reads "cent".
        const bool words =
            std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); });
        if (!name.isEmpty() && (!words || name.contains('<') || name.contains('>')))
            found << describe(a) + ": reads \"" + name + "\" as nothing or wrongly";
    }
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
    // through): a picture, a board, a drawing (a standard scroll bar is read
    // by its role and value).
    if (a->childCount() == 0 && !isSilent(a->role()) && name.isEmpty())
        found << describe(a) + ": shows something without a name";
    if (a->childCount() == 0 && isSilent(a->role()) && widget &&
        typeid(*widget) != typeid(QWidget) && typeid(*widget) != typeid(QFrame) &&
        typeid(*widget) != typeid(QScrollBar) && name.isEmpty())
        found << describe(a) + ": a drawing without a name";
    return found;
}

// Everything a reader can get from an element, a text box's contents too.
QString readable(QAccessibleInterface* a) {
    QStringList texts;
    for (auto t : {QAccessible::Name, QAccessible::Description, QAccessible::Value,
                   QAccessible::Help, QAccessible::Accelerator})
        texts << a->text(t);
    if (QAccessibleTextInterface* text = a->textInterface())
        texts << text->text(0, text->characterCount());
    return texts.join('\n');
}

// The elements of a whole tree, hidden ones included, that give a reader text.
void holding(QAccessibleInterface* a, const QString& text, QStringList& found) {
    if (readable(a).contains(text))
        found << a->object()->objectName();
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface* child = a->child(i))
            holding(child, text, found);
}

// What a reader reads in a window, in order: the names of the showing leaves.
void readings(QAccessibleInterface* a, QStringList& out) {
    if (!a || a->state().invisible)
        return;
    if (a->childCount() == 0 && !isSilent(a->role()))
        out << a->text(QAccessible::Name);
    for (int i = 0; i < a->childCount(); ++i)
        readings(a->child(i), out);
}

// The accessibility events sent, with the element's texts at the time.
struct Heard {
    QAccessible::Event type;
    QString element, name, description;
    bool focused; // a reader speaks for the element that has the focus
};
QList<Heard> heard;
void listen(QAccessibleEvent* event) {
    QAccessibleInterface* a = event->accessibleInterface();
    const QObject* o = a ? a->object() : event->object();
    heard.append({event->type(), o ? o->objectName() : QString(),
                  a ? a->text(QAccessible::Name) : QString(),
                  a ? a->text(QAccessible::Description) : QString(), a && a->state().focused});
}

// The next draw gives number: its option selected, its fraction queued.
void queueNumber(WindowsOnFakes& w, double number) {
    int option = 0;
    while (option + 1 < DifficultyCount && number >= Difficulties[std::size_t(option + 1)].lower)
        ++option;
    const Difficulty& d = Difficulties[std::size_t(option)];
    w.form1.control<QRadioButton>(QStringLiteral("Option1(%1)").arg(option))->setChecked(true);
    w.random.queued.push_back((number - d.lower + 0.5) / d.span);
}

void walk(QAccessibleInterface* a, QStringList& found) {
    if (!a || a->state().invisible)
        return;
    found << problems(a);
    for (int i = 0; i < a->childCount(); ++i)
        walk(a->child(i), found);
}

// The top menus open from the keyboard (a mnemonic); every item has a caption.
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
        // Accessibility on, as when a screen reader runs: Qt then sends its
        // events (to the handler that init() installs).
        QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        installAccessibility(); // as the program's first window does
    }
    void init() {
        heard.clear();
        QAccessible::installUpdateHandler(listen);
    }
    void cleanup() { QAccessible::installUpdateHandler(nullptr); }

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

    void messageBoxCanBeRead_data() {
        QTest::addColumn<int>("style");
        QTest::addRow("plain") << int(MsgPlain);
        QTest::addRow("question") << int(MsgQuestion);
        QTest::addRow("exclamation") << int(MsgExclamation);
    }
    // The icon says what kind of message it is.
    void messageBoxCanBeRead() {
        QFETCH(int, style);
        QStringList found{"no box"};
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            found.clear();
            walk(QAccessible::queryAccessibleInterface(box), found);
            box->close();
        });
        QtMessageBoxes().msgBox(QStringLiteral("Relis-toi !!!"), style);
        QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
    }

    void captionsReadInWords_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("reading");
        const QStringList bounds{"100",     "1 000",       "10 000",
                                 "100 000", "100 000 000", "100 000 000 000"};
        for (int i = 0; i < DifficultyCount; ++i)
            QTest::addRow("Option1(%d)", i)
                << QString("Option1(%1)").arg(i) << "< " + bounds[i] << "moins de " + bounds[i];
        QTest::addRow("quoi") << "quoi"
                              << "&?"
                              << "Aide";
    }
    // Where a caption reads wrongly, its control has a name in words; the
    // caption stays as it is drawn.
    void captionsReadInWords() {
        QFETCH(QString, control);
        WindowsOnFakes windows;
        windows.form1.Show(false);
        QObject* object = windows.form1.widget()->findChild<QObject*>(control);
        QVERIFY(object);
        QAccessibleInterface* a = nullptr;
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            QTEST(menu->title(), "caption");
            // The menu's title in the menu bar, and the menu when open.
            auto* bar = QAccessible::queryAccessibleInterface(
                windows.form1.widget()->findChild<QMenuBar*>());
            for (int i = 0; i < bar->childCount(); ++i)
                if (bar->child(i)->object() == menu->menuAction())
                    a = bar->child(i);
            QVERIFY(a && a->childCount() == 1);
            QTEST(a->child(0)->text(QAccessible::Name), "reading");
        } else {
            QTEST(object->property("text").toString(), "caption");
            a = QAccessible::queryAccessibleInterface(object);
        }
        QVERIFY(a);
        QTEST(a->text(QAccessible::Name), "reading");
    }

    void newNumberReachesTheReader_data() {
        QTest::addColumn<QList<double>>("draws"); // each after a right answer to the one before
        QTest::addColumn<QString>("told");
        QTest::addRow("first draw: the focus comes to the box")
            << QList<double>{1234567} << "Nombre à écrire : 1 234 567";
        QTest::addRow("right answer: the focus stays in the box")
            << QList<double>{21, 2000345} << "Nombre à écrire : 2 000 345";
        QTest::addRow("the same number again") << QList<double>{5, 5} << "Nombre à écrire : 5";
        QTest::addRow("grouped by plain spaces")
            << QList<double>{7, 100899994046} << "Nombre à écrire : 100 899 994 046";
    }
    // After each draw, an event on the focused answer box tells the new
    // number; the box tells it again whenever it takes the focus.
    void newNumberReachesTheReader() {
        QFETCH(QList<double>, draws);
        QFETCH(QString, told);
        WindowsOnFakes w;
        w.form1.Show(false);
        QVERIFY(QTest::qWaitForWindowActive(w.form1.widget()));
        auto* box = w.form1.control<AnswerBox>("Text1");
        w.form1.control<QWidget>("CmdGenerer")->setFocus();
        for (qsizetype i = 0; i < draws.size(); ++i) {
            queueNumber(w, draws[i]);
            heard.clear();
            if (i == 0) {
                QTest::mouseClick(w.form1.control<QWidget>("CmdGenerer"), Qt::LeftButton);
            } else {
                box->setText(Module1::NumberToWords(draws[i - 1]));
                QTest::keyClick(box, Qt::Key_Return);
            }
        }
        QCOMPARE(QApplication::focusWidget(), box);
        // A reader says it for each such event on the focused box: once.
        const auto timesTold = [&] {
            return std::count_if(heard.begin(), heard.end(), [&](const Heard& h) {
                return h.focused && h.element == "Text1" && h.description == told &&
                       (h.type == QAccessible::Focus || h.type == QAccessible::DescriptionChanged);
            });
        };
        QVERIFY2(timesTold() == 1, "the answer box does not tell the new number, once");
        w.form1.control<QWidget>("CmdIndice")->setFocus();
        heard.clear();
        box->setFocus();
        QVERIFY2(timesTold() == 1, "the answer box does not tell its number when focused");
    }

    // After a draw, no element of the window and no event names the words
    // of the number: a reader cannot read the solution before it is asked.
    void solutionCannotBeRead() {
        WindowsOnFakes w;
        w.form1.Show(false);
        queueNumber(w, 1234567);
        QTest::mouseClick(w.form1.control<QWidget>("CmdGenerer"), Qt::LeftButton);
        const QString words = Module1::NumberToWords(1234567);
        QStringList inTree, told;
        holding(QAccessible::queryAccessibleInterface(w.form1.widget()), words, inTree);
        for (const Heard& h : heard)
            if ((h.name + h.description).contains(words))
                told << h.element;
        QCOMPARE(inTree.join(", "), QString()); // elements that hold the solution
        QCOMPARE(told.join(", "), QString());   // elements whose events tell it
    }

    void highScoresReadAsRows_data() {
        QTest::addColumn<QByteArray>("line"); // the first line of the file
        QTest::addColumn<QString>("reading"); // what a reader gets for it
        QTest::addRow("points") << QByteArray("Léa:60") << "1. Léa, 60 points";
        QTest::addRow("one point") << QByteArray("Noé:1") << "1. Noé, 1 point";
        QTest::addRow("no point") << QByteArray("None:0") << "1. None, 0 point";
        QTest::addRow("no name") << QByteArray(":1250") << "1. sans nom, 1250 points";
    }
    // Each line of the table reads as one; the captions stay as drawn.
    void highScoresReadAsRows() {
        QFETCH(QByteArray, line);
        QFETCH(QString, reading);
        WindowsOnFakes w;
        QVERIFY(writeBytes(w.scores.filePath(), line + "\r\n"));
        w.scores.LoadHighScores();
        w.highScore.fill(w.scores);
        w.highScore.Show(false);
        QStringList read;
        readings(QAccessible::queryAccessibleInterface(w.highScore.widget()), read);
        const QStringList rows{reading, "2. None, 0 point", "3. None, 0 point", "4. None, 0 point",
                               "5. None, 0 point"};
        QCOMPARE(read.join(" | "), (QStringList{"Trophée"} + rows + QStringList{"OK"}).join(" | "));
        const QString slot1 = QString::fromUtf8(line);
        QCOMPARE((QStringList{w.highScore.control<QLabel>("Label1(0)")->text(),
                              w.highScore.control<QLabel>("lblName(1)")->text(),
                              w.highScore.control<QLabel>("lblScore(1)")->text()}),
                 (QStringList{"1.", slot1.section(':', 0, 0), slot1.section(':', 1)}));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
