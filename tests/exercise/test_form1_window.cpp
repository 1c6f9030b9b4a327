// The exercise window: controls by name, start state, draw, keys, resizing, menus, single
// instance, and its look in pixels (saved as PNG files in VORELLE_GRAB_DIR when it is set).

#include "form1_fixture.h"
#include "number_words.h"
#include "program_end.h"
#include "units.h"

#include <QDir>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {
QMap<QString, QRect> geometries(QWidget* window) {
    QMap<QString, QRect> out;
    for (auto* w : qobject_cast<QMainWindow*>(window)->centralWidget()->findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            out[w->objectName()] = w->geometry();
    return out;
}

QImage grab(QWidget* w, const char* saveAs = nullptr) {
    const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString dir = qEnvironmentVariable("VORELLE_GRAB_DIR");
    if (saveAs && !dir.isEmpty() && QDir().mkpath(dir))
        image.save(dir + "/" + saveAs + ".png");
    return image;
}

// The share of the widget's pixels that are exactly this colour.
double share(QWidget* w, QColor colour) {
    const QImage image = grab(w);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour.rgb();
    return double(n) / (image.width() * image.height());
}
} // namespace

class TestForm1Window : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1Fixture> f;
    int exits = 0;

private slots:
    void initTestCase() {
        ProgramEnd::setExitHandler([this] { ++exits; });
    }
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    void controlsByName_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption"); // the text or title it shows
        const char* rows[][3] = {
            {"Form1", "QMainWindow", ""},
            {"Label1", "QLabel", "??? ??? ??? ???"},
            {"CmdGenerer", "QPushButton", "&Générer un nombre"},
            {"Frame1", "QGroupBox", "Choisis la difficulté !"},
            {"Option1(0)", "QRadioButton", "< 100"},
            {"Option1(1)", "QRadioButton", "< 1 000"},
            {"Option1(2)", "QRadioButton", "< 10 000"},
            {"Option1(3)", "QRadioButton", "< 100 000"},
            {"Option1(4)", "QRadioButton", "< 100 000 000"},
            {"Option1(5)", "QRadioButton", "< 100 000 000 000"},
            {"Label2", "QLabel", ""},
            {"CmdAide", "QPushButton", "&Solution"},
            {"CmdIndice", "QPushButton", "&Indices"},
            {"Label5", "QLabel", "Nombre de partie(s) jouée(s) :"},
            {"Label6", "QLabel", "0"},
            {"Cmdverif", "QPushButton", "&Vérifier"},
            {"Text1", "AnswerBox",
             "Génère un nombre, lis-le, écris-le en lettres ici.        \r\n"
             "Fais attention aux accords des mots :\r\nvingt, cent,\r\nmillion, milliard !!!\r\n"},
            {"Frame2", "QGroupBox", "Score :"},
            {"Image1", "QLabel", ""},
            {"Label4(0)", "QLabel", ""},
            {"Label3", "QLabel", ""},
            {"Label4(1)", "QLabel", ""},
            {"Image2", "QLabel", ""},
            {"fichier", "QMenu", "&Fichier"},
            {"quitter", "QAction", "&Quitter"},
            {"astuce", "QAction", "&Astuces"},
            {"quoi", "QMenu", "&?"},
            {"apropos", "QAction", "&A propos"},
        };
        for (const auto& r : rows)
            QTest::addRow("%s", r[0]) << QString(r[1]) << QString::fromUtf8(r[2]);
    }
    void controlsByName() {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        const QString name = QTest::currentDataTag();
        QWidget* window = f->form.widget();
        QObject* o = name == "Form1" ? window : window->findChild<QObject*>(name);
        QVERIFY(o);
        QCOMPARE(o->objectName(), name);
        QCOMPARE(o->metaObject()->className(), kind);
        if (auto* answer = qobject_cast<AnswerBox*>(o))
            QCOMPARE(answer->text(), caption);
        else
            QCOMPARE(o->property(o->property("title").isValid() ? "title" : "text").toString(),
                     caption);
    }

    void startState() {
        auto* window = qobject_cast<QMainWindow*>(f->form.widget());
        QCOMPARE(window->windowTitle(), QString("Vorelle"));
        QCOMPARE(window->centralWidget()->size(), QSize(498, 416)); // 7 470 x 6 240 twips
        QCOMPARE(f->get("Label1")->geometry(), twipsRect(128, 120, 4815, 735));
        QCOMPARE(f->get("Option1(5)")->geometry(), twipsRect(5280, 720, 1800, 300)); // in Frame1
        QCOMPARE(f->get("Label4(1)")->geometry(), twipsRect(5760, 360, 495, 495));   // in Frame2
        QVERIFY(!f->get("Label2")->isVisible());
        QVERIFY(f->get<QRadioButton>("Option1(0)")->isChecked());
        QVERIFY(f->get<QPushButton>("Cmdverif")->isDefault());
        QCOMPARE(f->buttons(), (Buttons{true, false, false, false}));
        QCOMPARE(f->instance.asked, 1);
        // Screen readers: names for what has no text of its own, and only that.
        for (const char* name : {"Text1", "Image1", "Image2"})
            QVERIFY2(!f->get(name)->accessibleName().isEmpty(), name);
        QVERIFY(f->get("Label4(0)")->accessibleName().isEmpty());

        QTest::keyClicks(f->text1(), "a"); // typing before the first draw
        QCOMPARE(f->buttons(), (Buttons{true, true, true, true}));
    }

    void draw_data() {
        QTest::addColumn<int>("opt");
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("shown");
        const double top = 1.0 - std::ldexp(1.0, -24);
        const char* lowest[] = {"0", "100", "1 000", "10 000", "1 000 000", "1 000 000 000"};
        const char* highest[] = {"99",      "1 000",      "10 000",
                                 "100 000", "99 999 995", "100 899 994 046"};
        for (int opt = 0; opt < 6; ++opt) {
            QTest::addRow("%d lowest", opt) << opt << 0.0 << QString(lowest[opt]);
            QTest::addRow("%d highest", opt) << opt << top << QString(highest[opt]);
        }
        QTest::addRow("7") << 0 << 0.075 << "7";
        QTest::addRow("1 234") << 2 << 234.5 / 9001 << "1 234";
        QTest::addRow("12 345 678 901") << 5 << 11345678901.5 / 99900000001 << "12 345 678 901";
    }
    void draw() {
        QFETCH(int, opt);
        QFETCH(double, r);
        QFETCH(QString, shown);
        f->click(QString("Option1(%1)").arg(opt));
        f->random.queued.push_back(r);
        f->click("CmdGenerer");
        QCOMPARE(f->random.reseeds, 1);
        QCOMPARE(f->caption("Label1"), shown);
        QCOMPARE(f->caption("Label2"),
                 Module1::NumberToWords(QString(shown).remove(' ').toDouble()));
        QCOMPARE(f->text1()->text(), QString());
        QCOMPARE(f->buttons(), (Buttons{false, true, true, true}));
    }

    // Keyboard order: CmdGenerer, Text1, Cmdverif, CmdAide, CmdIndice, the
    // options; Tab in the answer box moves on rather than typing a tab.
    void tabFollowsTheKeyboardOrder() {
        QTest::keyClicks(f->text1(), "a"); // every button enabled
        f->get("CmdGenerer")->setFocus();
        QStringList order{"CmdGenerer"};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(f->form.widget()->focusWidget(), Qt::Key_Tab);
            order << f->form.widget()->focusWidget()->objectName();
        }
        QCOMPARE(order, (QStringList{"CmdGenerer", "Text1", "Cmdverif", "CmdAide", "CmdIndice",
                                     "Option1(0)"}));
        QVERIFY(!f->text1()->text().contains('\t'));
    }

    // The pupil can type at once after each of these.
    void focusReturnsToTheAnswer_data() {
        QTest::addColumn<bool>("drawFirst");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addRow("draw") << false << ""
                              << "CmdGenerer";
        QTest::addRow("empty answer") << true << ""
                                      << "Cmdverif";
        QTest::addRow("wrong answer") << true << "faux"
                                      << "Cmdverif";
        QTest::addRow("right answer") << true << "vingt et un"
                                      << "Cmdverif";
        QTest::addRow("hint") << true << "vingt"
                              << "CmdIndice";
    }
    void focusReturnsToTheAnswer() {
        QFETCH(bool, drawFirst);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        if (drawFirst)
            f->draw(0, 21);
        f->text1()->setText(typed);
        f->get("Option1(0)")->setFocus();
        f->click(button);
        QCOMPARE(f->form.widget()->focusWidget(), f->text1());
    }

    void enterChecksCtrlEnterBreaksTheLine() {
        f->draw(0, 21);
        AnswerBox* box = f->text1();
        QTest::keyClicks(box, "vingt");
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(box, "et un");
        QCOMPARE(box->text(), QString("vingt\r\net un"));
        QVERIFY(f->boxes.shown.empty());
        QTest::keyClick(box, Qt::Key_Return); // a line break is wrong
        QCOMPARE(f->form.state().WrongCount, qint16(1));
        box->setText("vingt et un");
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f->form.state().right(), 1);
    }

    void resizing() {
        QWidget* window = f->form.widget();
        const QSize before = window->size();
        const QMap<QString, QRect> design = geometries(window);
        window->showMaximized();
        QTRY_VERIFY(window->size() != before);
        const double sx = double(window->width()) / before.width();
        const double sy = double(window->height()) / before.height();
        QVERIFY(sx > 1 && sy > 1);
        const QMap<QString, QRect> grown = geometries(window);
        for (const QString& name : design.keys()) {
            const QRect d = design[name], g = grown[name];
            QVERIFY2(std::abs(g.x() - d.x() * sx) <= 1.5 && std::abs(g.y() - d.y() * sy) <= 1.5 &&
                         std::abs(g.width() - d.width() * sx) <= 1.5 &&
                         std::abs(g.height() - d.height() * sy) <= 1.5,
                     qPrintable(name));
        }
        QCOMPARE(f->get("Label1")->font().pointSizeF(), 27.75); // fonts keep their size
        window->showNormal();
        QTRY_COMPARE(window->size(), before);
        QCOMPARE(geometries(window), design);
        window->showMinimized();
        QTRY_VERIFY(window->isMinimized());
        window->resize(before / 2); // as a minimised window may report
        QCOMPARE(geometries(window), design);
    }

    void menusAndEnd() {
        int opened = 0;
        QObject::connect(&f->form, &Form1::tipsRequested, [&] { ++opened; });
        QObject::connect(&f->form, &Form1::aboutRequested, [&] { ++opened; });
        f->form.widget()->findChild<QAction*>("astuce")->trigger();
        f->form.widget()->findChild<QAction*>("apropos")->trigger();
        QCOMPARE(opened, 2);
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, f->form.quitter_Click());
        QCOMPARE(exits, 1); // at once, without asking

        // A second copy of the program ends in its load, silently.
        FakeInstanceGuard another;
        another.another = true;
        Form1 second({f->clock, f->random, f->sounds, f->boxes, another, f->paths});
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, second.Load());
        QCOMPARE(exits, 2);
        QVERIFY(f->boxes.shown.empty());
        QCOMPARE(second.control<QLabel>("Label5")->text(), QString()); // stopped at once
    }

    void look() {
        grab(f->form.widget(), "form1-start");
        QVERIFY(share(f->get("Label1"), QColor(255, 255, 192)) > 0.5);
        QVERIFY(share(f->text1()->viewport(), QColor(192, 255, 192)) > 0.5);
        f->draw(5, 100899994046.0); // the widest number fits its label
        auto* label1 = f->get<QLabel>("Label1");
        QVERIFY(label1->fontMetrics().horizontalAdvance(label1->text()) <=
                label1->contentsRect().width());
        f->answer("faux");
        QCOMPARE(share(f->text1()->viewport(), Qt::red), 0.0);
        f->click("CmdAide");
        grab(f->form.widget(), "form1-solution");
        QVERIFY(share(f->text1()->viewport(), Qt::red) > 0.002); // the solution is red
    }
};

QTEST_MAIN(TestForm1Window)
#include "test_form1_window.moc"
