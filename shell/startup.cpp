// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "exercise_window.h"
#include "guide_window.h"
#include "program_end.h"
#include "tip_window.h"
#include "tips_setting.h"

#include <QApplication>
#include <QWidget>

namespace Startup {

void wireMainWindow(ExerciseWindow& form1, TipWindow& tip) {
    QObject::connect(&form1, &ExerciseWindow::tipsRequested, &tip, [&tip] { tip.show(false); });
    QObject::connect(&form1, &Form::unloaded, &form1, [] { ProgramEnd::endProgram(); });
}

void wireGuide(ExerciseWindow& form1, GuideWindow& guide) {
    QObject::connect(&form1, &ExerciseWindow::guideRequested, &guide,
                     [&guide] { guide.show(false); });
}

void run(ExerciseWindow& form1, TipWindow& tip, const SettingsStore& settings) {
    wireMainWindow(form1, tip);
    form1.load();
    if (ProgramEnd::requested())
        return; // a second copy
    if (TipsSetting::showAtStartup(settings))
        tip.show(true);
    else
        tip.unload();
    if (!ProgramEnd::requested()) // not ended while the tips were shown
        form1.show(false);
}

QWidget* windowToBringForward() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* anyShown = nullptr;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (!w->isVisible() || !w->isWindow() || w->windowType() == Qt::Popup ||
            w->windowType() == Qt::ToolTip)
            continue;
        if (w->objectName() == QLatin1String("Form1"))
            return w;
        if (!anyShown)
            anyShown = w;
    }
    return anyShown;
}

namespace {
void restore(QWidget* w) {
    if (w && w->isMinimized())
        w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
}
} // namespace

void bringProgramForward() {
    QWidget* w = windowToBringForward();
    if (!w)
        return;
    // A modal box over a minimized window brings its window back too.
    if (QWidget* owner = w->parentWidget())
        restore(owner->window());
    restore(w);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace Startup
