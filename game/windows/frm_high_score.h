// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"
#include "high_scores.h"

#include <optional>

// The window that shows the table of the five best scores. It is hidden, not
// closed, by OK, so it stays loaded between showings. A screen reader reads
// each line of the table as one (highScoreRowReading).
class frmHighScore : public Form, public HighScoreDisplay {
    Q_OBJECT
public:
    explicit frmHighScore(QObject* parent = nullptr);

    // Puts the names and scores of slots 1 to 5 into lblName(i) and
    // lblScore(i), loading the window first when needed.
    void fill(const HighScoreTable& table);

    // Fills the window and shows it modal; returns when OK hides it.
    void showHighScores(const HighScoreTable& table) override;

    void cmdOk_Click();

protected:
    QWidget* createWidget() override;
    void Form_Load() override;
};

// What a screen reader says for line `slot` of the table: "1. Léa, 60 points",
// "2. Noé, 1 point" (the singular below two), "3. sans nom, 0 point" for an
// empty name; the rank alone, "4.", while the line has no score.
QString highScoreRowReading(int slot, const QString& name, std::optional<qint64> score);
