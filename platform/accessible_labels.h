// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader hears for a label: its own text, or the name given to
// a label that shows a picture. An empty label says nothing: it never borrows
// the title of the frame around it, so a reader going through a score area
// hears the counts and the score, not the frame's title again for each empty
// one. Installed once for the whole program; every window's Load() makes sure
// of it.
void installAccessibleLabels();
