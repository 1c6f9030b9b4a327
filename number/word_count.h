// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Word counts of texts made of lines ending with CR LF.
qint32 countwordsinline(QString sourceline);
qint32 countwords(QString source);
