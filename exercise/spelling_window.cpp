// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling_window.h"

#include "cancel_dialog.h"
#include "dialog_font.h"
#include "exercise_window.h"
#include "number_display.h"
#include "settings_store.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <functional>

using NumberSpelling::Region;
using NumberSpelling::Spelling;

namespace {

constexpr Spelling kSpellings[] = {Spelling::Classic, Spelling::Traditional,
                                   Spelling::Rectified1990, Spelling::Either};
constexpr Region kRegions[] = {Region::France, Region::Belgium, Region::Switzerland};

QString spellingOption(int i) {
    return QStringLiteral("optSpelling(%1)").arg(i);
}
QString regionOption(int i) {
    return QStringLiteral("optRegion(%1)").arg(i);
}
QString spellingExampleLabel(int i) {
    return QStringLiteral("lblSpellingExample(%1)").arg(i);
}
QString regionExampleLabel(int i) {
    return QStringLiteral("lblRegionExample(%1)").arg(i);
}

// The words of n as the option shows them: the official forms of "either"
// side by side.
QString exampleWords(qint64 n, Spelling spelling, Region region) {
    if (spelling != Spelling::Either)
        return NumberSpelling::words(n, spelling, region);
    const QString traditional = NumberSpelling::words(n, Spelling::Traditional, region);
    const QString rectified = NumberSpelling::words(n, Spelling::Rectified1990, region);
    return traditional == rectified ? rectified : traditional + QStringLiteral(" ou ") + rectified;
}

// One line per number: its digits, then its words.
QString examples(std::initializer_list<qint64> numbers, Spelling spelling, Region region) {
    QStringList lines;
    for (const qint64 n : numbers)
        lines << groupedDigits(double(n)) + QStringLiteral(" : ") +
                     exampleWords(n, spelling, region);
    return lines.join(u'\n');
}

// A group of options, each with its example under it, indented to the
// option's caption.
QGroupBox* optionGroup(const QString& title, const QString& name, const QStringList& captions,
                       const std::function<QString(int)>& optionName,
                       const std::function<QString(int)>& labelName) {
    auto* group = new QGroupBox(title);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(0);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i]);
        option->setObjectName(optionName(i));
        auto* example = new QLabel;
        example->setObjectName(labelName(i));
        example->setTextFormat(Qt::PlainText);
        const QStyle* style = option->style();
        example->setIndent(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) +
                           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option));
        if (i > 0)
            layout->addSpacing(option->fontMetrics().height() * 2 / 3);
        layout->addWidget(option);
        layout->addWidget(example);
    }
    layout->addStretch();
    return group;
}

} // namespace

SpellingWindow::SpellingWindow(SettingsStore& settings, QObject* parent)
    : Form(QStringLiteral("frmSpelling"), parent), settings_(settings),
      choice_(SpellingSetting::read(settings)) {}

QStringList SpellingWindow::spellingCaptions() {
    return {QStringLiteral("Simplifiée, sans traits d'union (Vorelle)"),
            QStringLiteral("Traditionnelle"), QStringLiteral("Rectifiée (1990)"),
            QStringLiteral("L'une ou l'autre (traditionnelle ou rectifiée)")};
}

QStringList SpellingWindow::regionCaptions() {
    return {QStringLiteral("France"), QStringLiteral("Belgique"), QStringLiteral("Suisse")};
}

QString SpellingWindow::spellingExample(Spelling spelling, Region region) {
    return examples({71, 80'000'000, 21'632}, spelling, region);
}

QString SpellingWindow::regionExample(Spelling spelling, Region region) {
    return examples({71, 80, 91}, spelling, region);
}

QWidget* SpellingWindow::createWidget() {
    auto* w = new CancelDialog;
    w->setWindowTitle(QStringLiteral("Orthographe des nombres"));
    w->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint);
    w->setFont(dialogFont());
    connect(w, &CancelDialog::cancelRequested, this, [this] { onCancelClicked(); });

    QGroupBox* spelling = optionGroup(QStringLiteral("Orthographe"), QStringLiteral("fraSpelling"),
                                      spellingCaptions(), spellingOption, spellingExampleLabel);
    QGroupBox* region = optionGroup(QStringLiteral("Pays"), QStringLiteral("fraRegion"),
                                    regionCaptions(), regionOption, regionExampleLabel);

    auto* buttons = new QDialogButtonBox;
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("&Annuler"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, [this] { onOkClicked(); });
    connect(cancel, &QPushButton::clicked, this, [this] { onCancelClicked(); });

    auto* groups = new QHBoxLayout;
    groups->addWidget(spelling);
    groups->addWidget(region);
    auto* layout = new QVBoxLayout(w);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    for (QGroupBox* group : {spelling, region}) {
        for (auto* option : group->findChildren<QRadioButton*>())
            connect(option, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    updateExamples();
            });
    }
    return w;
}

void SpellingWindow::onLoad() {
    select(choice_);
    focusChosenSpelling();
}

void SpellingWindow::focusChosenSpelling() {
    for (int i = 0; i < int(std::size(kSpellings)); ++i) {
        if (auto* option = control<QRadioButton>(spellingOption(i)); option && option->isChecked())
            option->setFocus();
    }
}

SpellingChoice SpellingWindow::selected() const {
    SpellingChoice choice = choice_;
    for (int i = 0; i < int(std::size(kSpellings)); ++i) {
        if (auto* option = control<QRadioButton>(spellingOption(i)); option && option->isChecked())
            choice.spelling = kSpellings[i];
    }
    for (int i = 0; i < int(std::size(kRegions)); ++i) {
        if (auto* option = control<QRadioButton>(regionOption(i)); option && option->isChecked())
            choice.region = kRegions[i];
    }
    return choice;
}

void SpellingWindow::select(const SpellingChoice& choice) {
    for (int i = 0; i < int(std::size(kSpellings)); ++i) {
        if (auto* option = control<QRadioButton>(spellingOption(i)))
            option->setChecked(kSpellings[i] == choice.spelling);
    }
    for (int i = 0; i < int(std::size(kRegions)); ++i) {
        if (auto* option = control<QRadioButton>(regionOption(i)))
            option->setChecked(kRegions[i] == choice.region);
    }
    updateExamples();
}

// Each example follows the other group's choice; a screen reader reads it
// with its option.
void SpellingWindow::updateExamples() {
    const SpellingChoice now = selected();
    const auto show = [this](const QString& option, const QString& label, const QString& text) {
        if (auto* example = control<QLabel>(label))
            example->setText(text);
        if (auto* button = control<QRadioButton>(option))
            button->setAccessibleDescription(text);
    };
    for (int i = 0; i < int(std::size(kSpellings)); ++i)
        show(spellingOption(i), spellingExampleLabel(i),
             spellingExample(kSpellings[i], now.region));
    for (int i = 0; i < int(std::size(kRegions)); ++i)
        show(regionOption(i), regionExampleLabel(i), regionExample(now.spelling, kRegions[i]));
}

void SpellingWindow::showChoice() {
    load();
    select(choice_);
    focusChosenSpelling();
    show(true);
}

void SpellingWindow::onOkClicked() {
    const SpellingChoice chosen = selected();
    SpellingSetting::write(settings_, chosen);
    hide();
    if (chosen != choice_) {
        choice_ = chosen;
        emit choiceChanged(choice_);
    }
}

void SpellingWindow::onCancelClicked() {
    hide();
}

void attachSpellingWindow(ExerciseWindow& form1, SpellingWindow& window) {
    form1.setSpellingChoice(window.choice());
    QObject::connect(&form1, &ExerciseWindow::spellingRequested, &window,
                     [&window] { window.showChoice(); });
    QObject::connect(&window, &SpellingWindow::choiceChanged, &form1,
                     &ExerciseWindow::setSpellingChoice);
}
