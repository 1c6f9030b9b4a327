// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"
#include "spelling_choice.h"

#include <QStringList>

class ExerciseWindow;
class SettingsStore;

// The window "Orthographe des nombres": the teacher chooses the spelling of
// the numbers' words and the country whose words they are. Two groups of
// options, "Orthographe" (optSpelling(0) to (3)) and "Pays" (optRegion(0) to
// (2)), each option with a live example under it (lblSpellingExample(i),
// lblRegionExample(i)) that follows the other group's choice; OK (cmdOK) and
// "&Annuler" (cmdCancel). Modal; Escape and the close box cancel.
class SpellingWindow : public Form {
    Q_OBJECT
public:
    // The choice in force is read from the settings here.
    explicit SpellingWindow(SettingsStore& settings, QObject* parent = nullptr);

    const SpellingChoice& choice() const { return choice_; }

    // The options show the choice in force, then the window is shown modal.
    void showChoice();
    // The options' choice becomes the choice in force and is saved (the keys
    // that changed only); choiceChanged tells it when it differs; the window
    // hides.
    void onOkClicked();
    // The window hides; nothing changes.
    void onCancelClicked();

    // The options' captions, in the order of their indexes.
    static QStringList spellingCaptions();
    static QStringList regionCaptions();
    // The live examples: the words of 71, 80 000 000 and 21 632 in a
    // spelling (both official forms under "either"), and of 71, 80 and 91 in
    // a region's words.
    static QString spellingExample(NumberSpelling::Spelling spelling,
                                   NumberSpelling::Region region);
    static QString regionExample(NumberSpelling::Spelling spelling, NumberSpelling::Region region);

signals:
    void choiceChanged(const SpellingChoice& choice);

protected:
    QWidget* createWidget() override;
    // The options show the choice in force; the keyboard starts on the
    // chosen spelling.
    void onLoad() override;

private:
    // What the options show now.
    SpellingChoice selected() const;
    void select(const SpellingChoice& choice);
    // The keyboard starts on the chosen spelling.
    void focusChosenSpelling();
    void updateExamples();

    SettingsStore& settings_;
    SpellingChoice choice_;
};

// Joins the window to the main window: form1 draws with the choice in force,
// from now on and whenever OK changes it, and its menu item "&Orthographe des
// nombres..." opens the window.
void attachSpellingWindow(ExerciseWindow& form1, SpellingWindow& window);
