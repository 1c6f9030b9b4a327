// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

// The instructions: the keys of the game. Shown modal from the game window's
// menu; OK hides it again (it stays loaded, at the same place).
class frmInstruct : public Form {
    Q_OBJECT
public:
    explicit frmInstruct(QObject* parent = nullptr);

    void cmdOk_Click();

protected:
    QWidget* createWidget() override;
    void Form_Load() override;
};
