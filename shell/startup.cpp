// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "form1.h"
#include "frm_guide.h"
#include "frm_tip.h"
#include "program_end.h"
#include "tips_setting.h"

#include <QApplication>
#include <QWidget>

namespace Module2 {

void WireMainWindow(Form1& form1, frmTip& tip) {
    QObject::connect(&form1, &Form1::tipsRequested, &tip, [&tip] { tip.Show(false); });
    QObject::connect(&form1, &Form::unloaded, &form1, [] { ProgramEnd::endProgram(); });
}

void WireGuide(Form1& form1, frmGuide& guide) {
    QObject::connect(&form1, &Form1::guideRequested, &guide, [&guide] { guide.Show(false); });
}

void Main(Form1& form1, frmTip& tip, const SettingsStore& settings) {
    WireMainWindow(form1, tip);
    form1.Load();
    if (ProgramEnd::requested())
        return; // a second copy
    if (TipsSetting::showAtStartup(settings))
        tip.Show(true);
    else
        tip.Unload();
    if (!ProgramEnd::requested()) // not ended while the tips were shown
        form1.Show(false);
}

QWidget* WindowToBringForward() {
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

void BringProgramForward() {
    QWidget* w = WindowToBringForward();
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

} // namespace Module2
