// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPixmap>

// The tip window's picture box: white, sunken, with the light bulb drawn at
// the top left of its inside.
class BulbPicture : public QFrame {
public:
    explicit BulbPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap bulb_;
};
