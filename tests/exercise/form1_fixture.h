#pragma once

// A loaded and shown Form1 on fake services, and the few moves the window
// tests share: find a control, draw a given number, type, check.

#include "answer_box.h"
#include "difficulty.h"
#include "fake_instance_guard.h"
#include "fakes.h"
#include "form1.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <vector>

// A fake generator that also keeps the times it was reseeded with.
class RecordingRandom : public FakeRandom {
public:
    std::vector<double> seeds;
    void reseed(double seconds) override {
        FakeRandom::reseed(seconds);
        seeds.push_back(seconds);
    }
};

struct Form1Fixture {
    FakeClock clock;
    RecordingRandom random;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeInstanceGuard instance;
    AppPaths paths{QStringLiteral("/opt/vorelle/data"), QStringLiteral("/home/u/data"),
                   QStringLiteral("/home/u/config")};
    std::unique_ptr<Form1> form;

    Form1Fixture() {
        form = std::make_unique<Form1>(
            ExerciseServices{clock, random, sounds, boxes, instance, paths});
    }

    void show() {
        form->Show();
        if (!QTest::qWaitForWindowExposed(form->widget()))
            qWarning("Form1 was not exposed");
    }

    template <typename T> T* get(const QString& name) const {
        T* w = form->control<T>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLabel* label(const QString& name) const { return get<QLabel>(name); }
    QPushButton* button(const QString& name) const { return get<QPushButton>(name); }
    QRadioButton* option(int i) const {
        return get<QRadioButton>(QStringLiteral("Option1(%1)").arg(i));
    }
    AnswerBox* text1() const { return get<AnswerBox>(QStringLiteral("Text1")); }
    QString caption(const QString& name) const { return label(name)->text(); }

    // The fraction that makes option `opt` draw `number`.
    static double fractionFor(int opt, double number) {
        const Difficulty& d = Difficulties[std::size_t(opt)];
        return (number - d.lower + 0.5) / d.span;
    }
    void select(int opt) { QTest::mouseClick(option(opt), Qt::LeftButton); }
    void press(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Selects `opt` and draws `number` with the draw button (if enabled).
    void draw(int opt, double number) {
        select(opt);
        random.queued.push_back(fractionFor(opt, number));
        press(QStringLiteral("CmdGenerer"));
    }
    void answer(const QString& text) { text1()->setText(text); }
    void check() { press(QStringLiteral("Cmdverif")); }
    void answerRight() {
        answer(caption(QStringLiteral("Label2")));
        check();
    }
    // Enabled state of CmdGenerer, Cmdverif, CmdIndice, CmdAide.
    QList<bool> buttons() const {
        return {button("CmdGenerer")->isEnabled(), button("Cmdverif")->isEnabled(),
                button("CmdIndice")->isEnabled(), button("CmdAide")->isEnabled()};
    }
    QString sound(const QString& file) const { return paths.dataFile(file); }
};
