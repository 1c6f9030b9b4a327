#pragma once

#include <QFont>
#include <QPixmap>

class QPushButton;
class QWidget;

// What the game's splash and instructions windows share.
namespace SmallWindows {

// The game's 32 x 32 icon, drawn for the given device pixel ratio.
QPixmap brikkoIcon(qreal devicePixelRatio);

// The classic dialog font at `points`, through its metric stand-ins.
QFont dialogFont(double points = 8);

// The centring rule of both windows: the window in the middle of the screen,
// and the OK button centred on the window's outer width (so it sits a little
// right of the client area's centre when the window has a frame).
void centre(QWidget* window, QPushButton* ok);

} // namespace SmallWindows
