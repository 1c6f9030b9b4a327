// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon at every usual size, drawn from its SVG at build time;
// the application gives it to every window.
QIcon programIcon();
