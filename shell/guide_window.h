// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

#include <QUrl>

class QPalette;

// The guide for parents and teachers: a French page built into the program
// (assets/guide.html, also installed as the package's documentation), shown
// in a text browser whose links lead to its parts. Opened not modal from
// "&Guide de Vorelle" (F1) of the main window's "?" menu. It remembers
// nothing: Escape, "&Fermer" and the close box unload it, and every opening
// starts again at the top. objectName "frmGuide", caption "Guide de Vorelle";
// the browser is "txtGuide", its buttons "cmdBack", "cmdContents", "cmdClose".
class GuideWindow : public Form {
    Q_OBJECT
public:
    explicit GuideWindow(QObject* parent = nullptr);

    static QString caption();
    // The page as built into the program.
    static QUrl source();
    // The colour of the links on the page: the palette's link colour, or,
    // where it is hard to read on the page's background (a dark palette that
    // keeps the usual blue), its nearest mix with the text colour that reads
    // at 4.5:1 at least.
    static QColor linkColour(const QPalette& palette);

    void onContentsClicked();

protected:
    QWidget* createWidget() override;
};
