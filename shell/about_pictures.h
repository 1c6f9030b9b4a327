// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QPixmap>

// The about box's pictures, drawn by the program for the screen's device
// pixel ratio.
namespace AboutPictures {

QSize logoSize(); // 42 × 113

// The maker's logo: a tall blue band with the program's letter and digits
// stacked below it.
QPixmap logo(qreal devicePixelRatio = 1.0);

// The pointers of the two links: a letter for the mail address, an
// information bubble for the web page.
QCursor letterCursor();
QCursor infoCursor();

} // namespace AboutPictures
