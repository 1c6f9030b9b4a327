// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "accessibility.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {
// The caption buttons the window shows with its current flags.
Qt::WindowFlags captionButtons(const QWidget& window) {
    const Qt::WindowFlags flags = window.windowFlags();
    if (flags.testFlag(Qt::CustomizeWindowHint))
        return flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    if (window.windowType() == Qt::Window)
        return Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    return Qt::WindowCloseButtonHint;
}
} // namespace

Form::Form(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
    setObjectName(name_);
}

Form::~Form() {
    delete widget_.data();
}

void Form::load() {
    if (widget_)
        return;
    installAccessibility();
    QWidget* w = createWidget();
    if (w->objectName().isEmpty())
        w->setObjectName(name_);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->installEventFilter(this);
    widget_ = w;
    closeRemoved_ = false;
    onLoad();
}

void Form::show(bool modal) {
    load();
    if (!widget_)
        return; // onLoad may have unloaded the window
    if (!modal) {
        widget_->show();
        widget_->raise();
        widget_->activateWindow();
        emit shown();
        return;
    }
    QEventLoop loop;
    const auto a = connect(this, &Form::hidden, &loop, &QEventLoop::quit);
    const auto b = connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    const Qt::WindowModality previous = widget_->windowModality();
    if (!widget_->isVisible())
        widget_->setWindowModality(Qt::ApplicationModal);
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
    emit shown();
    ++modalDepth_;
    if (widget_ && widget_->isVisible())
        loop.exec();
    --modalDepth_;
    disconnect(a);
    disconnect(b);
    if (widget_ && !widget_->isVisible())
        widget_->setWindowModality(previous);
}

void Form::hide() {
    if (!widget_)
        return;
    if (widget_->isVisible())
        hiddenByForm_ = true;
    widget_->hide();
}

void Form::unload() {
    if (!widget_ || unloading_)
        return;
    unloading_ = true;
    onUnload();
    QWidget* w = widget_.data();
    widget_.clear();
    if (w) {
        w->removeEventFilter(this);
        w->hide();
        w->deleteLater();
    }
    unloading_ = false;
    emit unloaded();
}

void Form::removeCloseCommand() {
    QWidget* w = widget_.data();
    if (!w)
        return;
    closeRemoved_ = true;
    // Only a customised frame leaves the close button out.
    Qt::WindowFlags flags =
        w->windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             (captionButtons(*w) & ~Qt::WindowCloseButtonHint);
    if (flags == w->windowFlags())
        return;
    // New flags hide a shown window; it comes back where it was.
    const bool visible = w->isVisible();
    w->setWindowFlags(flags);
    if (visible)
        w->show();
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_.data())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        // Without its close command the window never sees the request.
        if (closeRemoved_) {
            event->ignore();
            return true;
        }
        // The window has its say: its close box may act as one of its
        // buttons, which hides it and keeps it loaded. Only a close that went
        // through and hid the window unloads it: the window goes away, the
        // form's data stay.
        QTimer::singleShot(0, this, [this, w = widget_] {
            if (w && w == widget_ && !w->isVisible() && !hiddenByForm_)
                unload();
        });
        break;
    case QEvent::Show:
        hiddenByForm_ = false;
        break;
    case QEvent::Hide:
        emit hidden();
        break;
    case QEvent::WindowActivate:
        onActivate();
        break;
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        onResize();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
