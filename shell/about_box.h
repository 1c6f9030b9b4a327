// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form.h"

class DesktopShell;
class MessageBoxes;
class SystemInformation;

// The maker's mail address and web page that the about box shows as links.
// An empty one shows no link: its label stays hidden, the others keep their
// places.
struct AboutLinks {
    QString mail;
    QString web;
    // The addresses the program was built with (AppInfo).
    static AboutLinks built();
};

// The about box, shared by the exercise and the game: the application's title
// and version, the game's name and version, the maker's mail address and web
// page as links, and a button that starts the system-information program.
// objectName "frmAbout". Shown not modal from the exercise, modal from the
// game (show(true)); every opening runs onLoad again.
class AboutBox : public Form {
    Q_OBJECT
public:
    // With the addresses the program was built with.
    AboutBox(const SystemInformation& info, DesktopShell& shell, MessageBoxes& boxes,
             QObject* parent = nullptr);
    AboutBox(const SystemInformation& info, DesktopShell& shell, MessageBoxes& boxes,
             AboutLinks links, QObject* parent = nullptr);

    // The game's lines.
    static QString gameName();        // "Brikko32"
    static QString gameDescription(); // one line, in French
    static QString gameCredit();

    void onOkClicked();
    void onSystemInfoClicked();
    void onMailClicked();
    void onWebClicked();
    void startSystemInformation();

protected:
    QWidget* createWidget() override;
    // The caption "À propos de " and the title, the version, the title.
    void onLoad() override;

private:
    const SystemInformation& info_;
    DesktopShell& shell_;
    MessageBoxes& boxes_;
    AboutLinks links_;
};
