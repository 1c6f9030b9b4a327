// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app_paths.h"
#include "form.h"
#include "tip_list.h"

class SettingsStore;

// The tip-of-the-day window. It shows one tip of the tips file at a time,
// steps to the next one, and carries the setting that opens it at start-up.
// The tips read and the position of the one shown belong to this object and
// survive the window's unloading: the next opening reads the file again,
// appends its lines and goes on with the tip after the last one shown.
class TipWindow : public Form {
    Q_OBJECT
public:
    TipWindow(SettingsStore& settings, AppPaths paths, QObject* parent = nullptr);

    // "TIPOFDAY1.TXT".
    static QString tipsFileName();
    // Where the tips file is looked for, in order: a teacher's own in the
    // user's configuration folder, a school's in the system's configuration
    // folders, then the installed one in the installation data folder. The
    // first one found is read.
    static QStringList tipsFolders(const AppPaths& paths);
    // The text shown when there is no tips file: it names the folder where a
    // teacher may put one.
    static QString missingFileMessage(const QString& folder);
    // The text shown when the tips file found cannot be read as text.
    static QString unreadableFileMessage(const QString& path);

    // Appends the lines of the file to the tips and shows the next tip. False,
    // with nothing changed, when the name is empty or the file cannot be read.
    bool loadTips(const QString& fileName);
    // Shows the tip at the current position; leaves the label alone when
    // there is no tip.
    void displayCurrentTip();

    void onNextTipClicked();
    void onOkClicked();
    void onShowAtStartupClicked();

    const QStringList& tips() const { return tips_.tips(); }

protected:
    QWidget* createWidget() override;
    void onLoad() override;

private:
    void advanceTip();

    SettingsStore& settings_;
    AppPaths paths_;
    TipList tips_;
    bool lastFileUnreadable_ = false; // the file loadTips was given exists but is not text
};
