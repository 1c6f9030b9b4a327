// Every window as a screen reader meets it: offscreen, through the
// accessibility tree. A control that a reader could not name, a label that
// would read something other than its own text, or a command that the
// keyboard could not reach fails the test. One row per window.
#include "accessible_labels.h"
#include "brikko.h"
#include "fake_desktop_shell.h"
#include "fakes.h"
#include "form1.h"
#include "frm_about.h"
#include "frm_brikko.h"
#include "frm_high_score.h"
#include "frm_instruct.h"
#include "frm_options.h"
#include "frm_splash.h"
#include "frm_tip.h"
#include "game_options.h"
#include "high_scores.h"
#include "profile_file.h"
#include "registry.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <typeinfo>

namespace {

// The services the windows are made with.
struct Services {
    QTemporaryDir dir;
    FakeClock clock;
    FakeRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    FakeSettingsStore settings;
    FakeDesktopShell shell;
    FixedRegistry registry;
    AppPaths paths{qEnvironmentVariable("VORELLE_TEST_DATA"), dir.path(), dir.path()};
    ProfileFile profile{dir.filePath(QStringLiteral("Brikko32.ini"))};
    GameOptions options{profile};
    FakeMediaControl media;
    FakeEventPump events{clock};
    Brikko game{{sounds, media, clock, random, events, paths}};
    HighScoreTable scores{dir.filePath(HighScoreFile::FileName)};
    frmHighScore highScoreWindow;
    frmOptions optionsWindow{options, boxes};
    frmInstruct instruct;
};

using WindowMaker = std::function<std::unique_ptr<Form>(Services&)>;

// The program's windows. A new window is one more line here.
const std::vector<std::pair<const char*, WindowMaker>>& windows() {
    static const std::vector<std::pair<const char*, WindowMaker>> list{
        {"Form1",
         [](Services& s) -> std::unique_ptr<Form> {
             return std::make_unique<Form1>(
                 ExerciseServices{s.clock, s.random, s.sounds, s.boxes, s.instance, s.paths});
         }},
        {"frmTip",
         [](Services& s) -> std::unique_ptr<Form> {
             return std::make_unique<frmTip>(s.settings, s.paths);
         }},
        {"frmAbout",
         [](Services& s) -> std::unique_ptr<Form> {
             return std::make_unique<frmAbout>(s.registry, s.shell, s.boxes);
         }},
        {"frmHighScore",
         [](Services&) -> std::unique_ptr<Form> { return std::make_unique<frmHighScore>(); }},
        {"frmOptions",
         [](Services& s) -> std::unique_ptr<Form> {
             return std::make_unique<frmOptions>(s.options, s.boxes);
         }},
        {"frmBrikko",
         [](Services& s) -> std::unique_ptr<Form> {
             return std::make_unique<frmBrikko>(
                 s.game, GameWindowLinks{s.scores, s.highScoreWindow, s.optionsWindow, s.instruct});
         }},
        {"frmSplash", // the instructions stand in for the window it opens
         [](Services& s) -> std::unique_ptr<Form> {
             return std::make_unique<frmSplash>(s.options, s.game, s.events, QList<Form*>{},
                                                s.instruct);
         }},
        {"frmInstruct",
         [](Services&) -> std::unique_ptr<Form> { return std::make_unique<frmInstruct>(); }},
    };
    return list;
}

bool isCommand(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Link:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return false;
    }
}

// Roles that carry nothing to read: containers are read through their
// children, lines only separate.
bool isSilent(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Separator:
    case QAccessible::Border:
    case QAccessible::Grouping:
    case QAccessible::Pane:
    case QAccessible::Window:
    case QAccessible::Dialog:
    case QAccessible::Client:
    case QAccessible::MenuBar:
    case QAccessible::PopupMenu:
    case QAccessible::ScrollBar:
        return true;
    default:
        return false;
    }
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
        if (widget && widget->isEnabled() && !(widget->focusPolicy() & Qt::TabFocus))
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

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QAccessible::setActive(true);
    }

    void everyWindowCanBeReadAndWorked_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < windows().size(); ++i)
            QTest::addRow("%s", windows()[i].first) << int(i);
    }
    void everyWindowCanBeReadAndWorked() {
        QFETCH(int, index);
        Services services;
        std::unique_ptr<Form> form = windows()[size_t(index)].second(services);
        form->Show(false);
        QWidget* window = form->widget();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        QVERIFY(root);
        QStringList found;
        if (root->text(QAccessible::Name).trimmed().isEmpty())
            found << "the window has no title";
        walk(root, found);
        found << menuProblems(window);
        QVERIFY2(found.isEmpty(), qPrintable(found.join("\n")));
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
