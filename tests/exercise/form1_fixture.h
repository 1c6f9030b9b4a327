#pragma once

// A shown Form1 on fake services, and the moves the window tests share.

#include "answer_box.h"
#include "difficulty.h"
#include "fake_instance_guard.h"
#include "fakes.h"
#include "form1.h"

#include <QLabel>
#include <QtTest>

using Buttons = QList<bool>; // CmdGenerer, Cmdverif, CmdIndice, CmdAide enabled

struct Form1Fixture {
    FakeClock clock;
    FakeRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    AppPaths paths{"/opt/vorelle/data", "/home/u/data", "/home/u/config"};
    Form1 form{ExerciseServices{clock, random, sounds, boxes, instance, paths}};

    Form1Fixture() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(form.widget()));
    }
    template <typename T = QWidget> T* get(const QString& name) const {
        if (T* w = form.control<T>(name))
            return w;
        qFatal("no control %s", qPrintable(name));
    }
    QString caption(const QString& label) const { return get<QLabel>(label)->text(); }
    // Label1, Label4(0), Label3, Label4(1): the number, right count, score, wrong count.
    QStringList labels() const {
        return {caption("Label1"), caption("Label4(0)"), caption("Label3"), caption("Label4(1)")};
    }
    AnswerBox* text1() const { return get<AnswerBox>("Text1"); }
    void click(const QString& name) { QTest::mouseClick(get(name), Qt::LeftButton); }
    // Selects option `opt` and draws `number` with it.
    void draw(int opt, double number) {
        const Difficulty& d = Difficulties[std::size_t(opt)];
        click(QString("Option1(%1)").arg(opt));
        random.queued.push_back((number - d.lower + 0.5) / d.span);
        click("CmdGenerer");
    }
    void answer(const QString& text) {
        text1()->setText(text);
        click("Cmdverif");
    }
    void answerRight() { answer(caption("Label2")); }
    Buttons buttons() const {
        return {get("CmdGenerer")->isEnabled(), get("Cmdverif")->isEnabled(),
                get("CmdIndice")->isEnabled(), get("CmdAide")->isEnabled()};
    }
};
