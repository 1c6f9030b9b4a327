// The exercise window itself: its controls by name, start state, draw, keys,
// menus, resizing and the single-instance rule.

#include "form1_fixture.h"
#include "number_words.h"
#include "program_end.h"
#include "units.h"

#include <QApplication>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <cmath>

namespace {
struct DesignControl {
    const char* name;
    const char* className;
    QRect twips;
    const char* caption; // nullptr: not checked
};

// The design: kind, place in twips (relative to the frame for frame
// children) and caption.
const DesignControl Design[] = {
    {"Label1", "QLabel", {128, 120, 4815, 735}, "??? ??? ??? ???"},
    {"CmdGenerer", "QPushButton", {5648, 120, 1695, 735}, "&Générer un nombre"},
    {"Frame1", "QGroupBox", {128, 960, 7215, 1095}, "Choisis la difficulté !"},
    {"Option1(0)", "QRadioButton", {240, 360, 1800, 300}, "< 100"},
    {"Option1(1)", "QRadioButton", {2760, 360, 1800, 300}, "< 1 000"},
    {"Option1(2)", "QRadioButton", {5280, 360, 1800, 300}, "< 10 000"},
    {"Option1(3)", "QRadioButton", {240, 720, 1800, 300}, "< 100 000"},
    {"Option1(4)", "QRadioButton", {2760, 720, 1800, 300}, "< 100 000 000"},
    {"Option1(5)", "QRadioButton", {5280, 720, 1800, 300}, "< 100 000 000 000"},
    {"Label2", "QLabel", {120, 2160, 5295, 975}, ""},
    {"CmdAide", "QPushButton", {128, 2280, 720, 735}, "&Solution"},
    {"CmdIndice", "QPushButton", {960, 2280, 735, 735}, "&Indices"},
    {"Label5", "QLabel", {1988, 2280, 3495, 495}, "Nombre de partie(s) jouée(s) :"},
    {"Label6", "QLabel", {3428, 2760, 615, 495}, "0"},
    {"Cmdverif", "QPushButton", {5648, 2280, 1695, 735}, "&Vérifier"},
    {"Text1", "AnswerBox", {120, 3240, 7215, 1455}, nullptr},
    {"Frame2", "QGroupBox", {135, 4920, 7200, 1095}, "Score :"},
    {"Image1", "QLabel", {360, 360, 480, 480}, nullptr},
    {"Label4(0)", "QLabel", {960, 360, 495, 495}, ""},
    {"Label3", "QLabel", {2520, 360, 2055, 495}, ""},
    {"Label4(1)", "QLabel", {5760, 360, 495, 495}, ""},
    {"Image2", "QLabel", {6360, 360, 480, 480}, nullptr},
};

QString captionOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

QMap<QString, QRect> geometries(const Form1& form) {
    QMap<QString, QRect> out;
    for (const DesignControl& c : Design)
        out[c.name] = form.control<QWidget>(c.name)->geometry();
    return out;
}
} // namespace

class TestForm1Window : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;
    int exits = 0;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsByName_data();
    void controlsByName();
    void startState();
    void fontsAndColours();
    void menus();
    void draw_data();
    void draw();
    void drawReseedsEveryTime();
    void typingBeforeFirstDraw();
    void answerBoxReadsBackWhatWasSet_data();
    void answerBoxReadsBackWhatWasSet();
    void enterChecksTheAnswer();
    void enterOnOptionChecksToo();
    void enterOnFocusedButtonPressesIt();
    void ctrlEnterBreaksTheLine();
    void enterAndEscapeWhenNothingToCheck();
    void keyboardOrder();
    void maximiseAndRestore();
    void minimiseChangesNothing();
    void hugeWindowKeepsLastSize();
    void reloadKeepsTheSeries();
    void secondInstanceEnds();
    void quitterEnds();
};

void TestForm1Window::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ProgramEnd::setExitHandler([this] { ++exits; });
}

void TestForm1Window::init() {
    exits = 0;
    f = std::make_unique<Form1Fixture>();
    f->show();
}

void TestForm1Window::cleanup() {
    f.reset();
}

void TestForm1Window::controlsByName_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(Design)); ++i)
        QTest::newRow(Design[i].name) << i;
}

void TestForm1Window::controlsByName() {
    QFETCH(int, index);
    const DesignControl& c = Design[index];
    QWidget* w = f->form->control<QWidget>(c.name);
    QVERIFY(w);
    QCOMPARE(w->metaObject()->className(), c.className);
    QCOMPARE(w->geometry(), twipsRect(c.twips.x(), c.twips.y(), c.twips.width(), c.twips.height()));
    const bool inFrame1 = QString(c.name).startsWith("Option1");
    const bool inFrame2 = QString(c.name).startsWith("Image") ||
                          QString(c.name).startsWith("Label4") || QString(c.name) == "Label3";
    const QString container = inFrame1 ? "Frame1" : inFrame2 ? "Frame2" : QString();
    if (!container.isEmpty())
        QCOMPARE(w->parentWidget()->objectName(), container);
    else
        QCOMPARE(w->parentWidget(), qobject_cast<QMainWindow*>(f->form->widget())->centralWidget());
    if (c.caption)
        QCOMPARE(captionOf(w), QString::fromUtf8(c.caption));
}

void TestForm1Window::startState() {
    auto* window = qobject_cast<QMainWindow*>(f->form->widget());
    QVERIFY(window);
    QCOMPARE(window->objectName(), QString("Form1"));
    QCOMPARE(window->windowTitle(), QString("Vorelle"));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->centralWidget()->size(), QSize(498, 416)); // 7 470 × 6 240 twips
    QCOMPARE(f->text1()->text(),
             QString::fromUtf8("Génère un nombre, lis-le, écris-le en lettres ici.        \r\n"
                               "Fais attention aux accords des mots :\r\n"
                               "vingt, cent,\r\n"
                               "million, milliard !!!\r\n"));
    QCOMPARE(f->caption("Label1"), QString("??? ??? ??? ???"));
    QCOMPARE(f->caption("Label2"), QString());
    QVERIFY(!f->label("Label2")->isVisible());
    QCOMPARE(f->caption("Label6"), QString("0"));
    QVERIFY(f->option(0)->isChecked());
    QCOMPARE(f->form->selectedOption(), 0);
    QCOMPARE(f->buttons(), (QList<bool>{true, false, false, false}));
    QVERIFY(f->button("Cmdverif")->isDefault());
    QCOMPARE(f->form->state().CurrentNumber, 0.0);
    QCOMPARE(f->instance.asked, 1);
    QCOMPARE(f->form->LastWidth(), qint16(window->width() * 15));
    QCOMPARE(f->form->LastHeight(), qint16(window->height() * 15));
    // What has no text of its own is named for screen readers.
    QVERIFY(!f->text1()->accessibleName().isEmpty());
    QVERIFY(!f->label("Image1")->accessibleName().isEmpty());
    QVERIFY(!f->label("Image2")->accessibleName().isEmpty());
    QCOMPARE(f->label("Image1")->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    QCOMPARE(f->label("Image2")->pixmap().deviceIndependentSize(), QSizeF(32, 32));
    QVERIFY(f->label("Label4(0)")->accessibleName().isEmpty());
}

void TestForm1Window::fontsAndColours() {
    const struct {
        const char* name;
        double points;
    } bold[] = {{"Label1", 27.75},    {"Label5", 12},    {"Label6", 12},      {"Text1", 14.25},
                {"Label4(0)", 20.25}, {"Label3", 20.25}, {"Label4(1)", 20.25}};
    for (const auto& b : bold) {
        QWidget* w = f->form->control<QWidget>(b.name);
        const QFontInfo info(w->font());
        QVERIFY2(info.bold(), b.name);
        QCOMPARE(w->font().pointSizeF(), b.points);
        // Arial's metric twin, found through fontconfig.
        QCOMPARE(info.family(), QString("Liberation Sans"));
    }
    QCOMPARE(f->label("Label1")->palette().color(QPalette::Window), QColor(255, 255, 192));
    QVERIFY(f->label("Label1")->autoFillBackground());
    QVERIFY(f->label("Label1")->alignment() & Qt::AlignRight);
    QCOMPARE(f->text1()->palette().color(QPalette::Base), QColor(192, 255, 192));
    QCOMPARE(f->text1()->textColor(),
             QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
}

void TestForm1Window::menus() {
    auto* window = qobject_cast<QMainWindow*>(f->form->widget());
    auto* fichier = window->menuBar()->findChild<QMenu*>("fichier");
    auto* quoi = window->menuBar()->findChild<QMenu*>("quoi");
    QVERIFY(fichier && quoi);
    QCOMPARE(fichier->title(), QString("&Fichier"));
    QCOMPARE(quoi->title(), QString("&?"));
    const QList<QAction*> items = fichier->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), QString("quitter"));
    QCOMPARE(items[0]->text(), QString("&Quitter"));
    QCOMPARE(items[1]->objectName(), QString("astuce"));
    QCOMPARE(items[1]->text(), QString("&Astuces"));
    QCOMPARE(quoi->actions().size(), 1);
    QCOMPARE(quoi->actions()[0]->objectName(), QString("apropos"));
    QCOMPARE(quoi->actions()[0]->text(), QString("&A propos"));

    int tips = 0, about = 0;
    f->form->onTips = [&] { ++tips; };
    f->form->onAbout = [&] { ++about; };
    items[1]->trigger();
    QCOMPARE(tips, 1);
    quoi->actions()[0]->trigger();
    QCOMPARE(about, 1);
    QVERIFY(f->form->isVisible()); // the exercise stays usable
    f->form->onTips = nullptr;
    items[1]->trigger(); // nothing wired yet: nothing happens
}

void TestForm1Window::draw_data() {
    QTest::addColumn<int>("opt");
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("shown");
    const double top = 1.0 - std::ldexp(1.0, -24);
    QTest::newRow("0 lowest: zero") << 0 << 0.0 << "0";
    QTest::newRow("0 highest") << 0 << top << "99";
    QTest::newRow("1 lowest") << 1 << 0.0 << "100";
    QTest::newRow("1 highest") << 1 << top << "1 000";
    QTest::newRow("2 lowest") << 2 << 0.0 << "1 000";
    QTest::newRow("2 highest") << 2 << top << "10 000";
    QTest::newRow("3 lowest") << 3 << 0.0 << "10 000";
    QTest::newRow("3 highest") << 3 << top << "100 000";
    QTest::newRow("4 lowest") << 4 << 0.0 << "1 000 000";
    QTest::newRow("4 highest") << 4 << top << "99 999 995";
    QTest::newRow("5 lowest") << 5 << 0.0 << "1 000 000 000";
    QTest::newRow("5 highest") << 5 << top << "100 899 994 046";
    QTest::newRow("seven") << 0 << Form1Fixture::fractionFor(0, 7) << "7";
    QTest::newRow("1 234") << 2 << Form1Fixture::fractionFor(2, 1234) << "1 234";
    QTest::newRow("12 345 678 901")
        << 5 << Form1Fixture::fractionFor(5, 12345678901.0) << "12 345 678 901";
}

void TestForm1Window::draw() {
    QFETCH(int, opt);
    QFETCH(double, r);
    QFETCH(QString, shown);
    f->select(opt);
    QCOMPARE(f->form->selectedOption(), opt);
    f->random.queued.push_back(r);
    f->press("CmdGenerer");
    QCOMPARE(f->caption("Label1"), shown);
    QCOMPARE(f->form->state().CurrentNumber, QString(shown).remove(' ').toDouble());
    QCOMPARE(f->caption("Label2"), Module1::NumberToWords(f->form->state().CurrentNumber));
    if (shown == "0")
        QCOMPARE(f->caption("Label2"), QString::fromUtf8("zéro"));
    QCOMPARE(f->text1()->text(), QString());
    QCOMPARE(f->buttons(), (QList<bool>{false, true, true, true}));
}

void TestForm1Window::drawReseedsEveryTime() {
    f->random.fallback = 0.5;
    f->clock.seconds = 3600.25;
    f->draw(0, 10);
    f->answerRight(); // draws again
    f->clock.seconds = 7200.5;
    f->press("CmdAide");
    f->press("CmdGenerer");
    QCOMPARE(f->random.seeds, (std::vector<double>{3600.25, 3600.25, 7200.5}));
}

void TestForm1Window::typingBeforeFirstDraw() {
    AnswerBox* box = f->text1();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "a");
    QCOMPARE(f->buttons(), (QList<bool>{true, true, true, true}));
    QVERIFY(box->text().endsWith("!!!\r\na"));
}

void TestForm1Window::answerBoxReadsBackWhatWasSet_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("instructions") << Form1::instructionText() << Form1::instructionText();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("CR LF at both ends") << "\r\nun\r\n"
                                        << "\r\nun\r\n";
    QTest::newRow("lone LF") << "un\ndeux"
                             << "un\r\ndeux";
    QTest::newRow("lone CR") << "un\rdeux"
                             << "un\r\ndeux";
    QTest::newRow("non-breaking spaces")
        << QString::fromUtf8("vingt\u00a0et\u202Fun") << QString::fromUtf8("vingt\u00a0et\u202Fun");
    QTest::newRow("tabs and runs") << "a\t\t  b   "
                                   << "a\t\t  b   ";
}

void TestForm1Window::answerBoxReadsBackWhatWasSet() {
    QFETCH(QString, set);
    QFETCH(QString, readBack);
    f->text1()->setText(set);
    QCOMPARE(f->text1()->text(), readBack);
}

void TestForm1Window::enterChecksTheAnswer() {
    f->random.fallback = 0.5;
    f->draw(0, 21);
    f->answer("vingt et un");
    QTest::keyClick(f->text1(), Qt::Key_Return);
    QCOMPARE(f->form->state().right(), 1);
    f->answer("faux");
    QTest::keyClick(f->text1(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f->form->state().WrongCount, qint16(1));
    QCOMPARE(f->text1()->text(), QString("faux")); // no line break typed
}

void TestForm1Window::enterOnOptionChecksToo() {
    f->draw(0, 21);
    f->answer("faux");
    QTest::keyClick(f->option(2), Qt::Key_Return);
    QCOMPARE(f->form->state().WrongCount, qint16(1));
}

void TestForm1Window::enterOnFocusedButtonPressesIt() {
    f->draw(0, 21);
    f->answer("faux");
    QTest::keyClick(f->button("CmdIndice"), Qt::Key_Return);
    QCOMPARE(int(f->boxes.shown.size()), 1);
    QVERIFY(f->boxes.shown[0].text.startsWith("Ce nombre"));
    QCOMPARE(f->form->state().WrongCount, qint16(0));
}

void TestForm1Window::ctrlEnterBreaksTheLine() {
    f->draw(0, 21);
    AnswerBox* box = f->text1();
    QTest::keyClicks(box, "vingt");
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(box, "et un");
    QCOMPARE(box->text(), QString("vingt\r\net un"));
    QVERIFY(f->boxes.shown.empty());
    QCOMPARE(f->form->state().WrongCount, qint16(0));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f->form->state().WrongCount, qint16(1)); // a line break is wrong
}

void TestForm1Window::enterAndEscapeWhenNothingToCheck() {
    // At start the check button is disabled: Enter does nothing.
    QTest::keyClick(f->text1(), Qt::Key_Return);
    QVERIFY(f->boxes.shown.empty());
    QCOMPARE(f->text1()->text(), Form1::instructionText());
    f->draw(0, 21);
    f->answer("vingt et un");
    QTest::keyClick(f->text1(), Qt::Key_Escape);
    QCOMPARE(f->text1()->text(), QString("vingt et un"));
    QVERIFY(f->form->isVisible());
    QVERIFY(!f->form->state().RightCount);
    QVERIFY(f->boxes.shown.empty());
}

void TestForm1Window::keyboardOrder() {
    const QStringList expected{"CmdGenerer", "Text1",      "Cmdverif",   "CmdAide",
                               "CmdIndice",  "Option1(0)", "Option1(1)", "Option1(2)",
                               "Option1(3)", "Option1(4)", "Option1(5)"};
    QWidget* w = f->button("CmdGenerer");
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        seen << w->objectName();
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty() ||
               w->objectName().startsWith("qt_"));
    }
    QCOMPARE(seen, expected);
}

void TestForm1Window::maximiseAndRestore() {
    QWidget* window = f->form->widget();
    const QSize before = window->size();
    const QMap<QString, QRect> design = geometries(*f->form);
    window->showMaximized();
    QTRY_VERIFY(window->size() != before);
    const QSize big = window->size();
    QVERIFY(big.width() > before.width() && big.height() > before.height());
    const double sx = double(big.width()) / before.width();
    const double sy = double(big.height()) / before.height();
    const QMap<QString, QRect> grown = geometries(*f->form);
    for (const DesignControl& c : Design) {
        const QRect d = design[c.name], g = grown[c.name];
        QVERIFY2(std::abs(g.x() - d.x() * sx) <= 1.5 && std::abs(g.y() - d.y() * sy) <= 1.5 &&
                     std::abs(g.width() - d.width() * sx) <= 1.5 &&
                     std::abs(g.height() - d.height() * sy) <= 1.5,
                 c.name);
    }
    QCOMPARE(f->form->LastWidth(), qint16(big.width() * 15));
    QCOMPARE(f->label("Label1")->font().pointSizeF(), 27.75); // fonts keep their size

    window->showNormal();
    QTRY_COMPARE(window->size(), before);
    QCOMPARE(geometries(*f->form), design);
    // Again and again: nothing drifts.
    for (int i = 0; i < 5; ++i) {
        window->resize(before.width() * 3 / 2 + i, before.height() + 37 * i);
        window->resize(before);
    }
    QCOMPARE(geometries(*f->form), design);
}

void TestForm1Window::minimiseChangesNothing() {
    QWidget* window = f->form->widget();
    const QMap<QString, QRect> design = geometries(*f->form);
    const qint16 lastWidth = f->form->LastWidth();
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    QCOMPARE(geometries(*f->form), design);
    QCOMPARE(f->form->LastWidth(), lastWidth);
    window->showNormal();
    QTRY_VERIFY(!window->isMinimized());
    QCOMPARE(geometries(*f->form), design);
}

void TestForm1Window::hugeWindowKeepsLastSize() {
    // 2 200 pixels are 33 000 twips, past what LastWidth can hold; the
    // controls still scale, and the way back is exact.
    QWidget* window = f->form->widget();
    const QSize before = window->size();
    const QMap<QString, QRect> design = geometries(*f->form);
    const qint16 lastHeight = f->form->LastHeight();
    window->resize(before.width(), 2200);
    QTRY_COMPARE(window->height(), 2200);
    QCOMPARE(f->form->LastHeight(), lastHeight);
    QCOMPARE(f->form->LastWidth(), qint16(before.width() * 15));
    QVERIFY(f->text1()->height() > 5 * design["Text1"].height());
    window->resize(before);
    QTRY_COMPARE(window->size(), before);
    QCOMPARE(geometries(*f->form), design);
}

void TestForm1Window::reloadKeepsTheSeries() {
    // Closing the window unloads it; showing it again builds it afresh and
    // runs the load again, but the series lives on in the form.
    f->random.fallback = 0.5;
    f->draw(0, 21);
    f->answerRight();
    f->form->widget()->close();
    QTRY_VERIFY(!f->form->isLoaded());
    f->show();
    QCOMPARE(f->caption("Label1"), QString("??? ??? ??? ???"));
    QCOMPARE(f->text1()->text(), Form1::instructionText());
    QCOMPARE(f->buttons(), (QList<bool>{true, false, false, false}));
    QCOMPARE(f->instance.asked, 2);
    QCOMPARE(f->form->state().right(), 1);
    f->draw(0, 21);
    f->answerRight();
    QCOMPARE(f->caption("Label4(0)"), QString("2"));
    // The rebuilt window scales from its own design geometry too.
    const QMap<QString, QRect> design = geometries(*f->form);
    const QSize before = f->form->widget()->size();
    f->form->widget()->resize(700, 600);
    QVERIFY(geometries(*f->form) != design);
    f->form->widget()->resize(before);
    QCOMPARE(geometries(*f->form), design);
}

void TestForm1Window::secondInstanceEnds() {
    FakeClock clock;
    FakeRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard another;
    another.another = true;
    Form1 second({clock, random, sounds, boxes, another, AppPaths("/d", "/u", "/c")});
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, second.Load());
    QCOMPARE(exits, 1);
    QCOMPARE(another.asked, 1);
    QVERIFY(!second.isVisible());
    QVERIFY(boxes.shown.empty());
    QCOMPARE(second.control<QLabel>("Label5")->text(), QString()); // the load stopped at once
}

void TestForm1Window::quitterEnds() {
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, f->form->quitter_Click());
    QCOMPARE(exits, 1);
}

QTEST_MAIN(TestForm1Window)
#include "test_form1_window.moc"
