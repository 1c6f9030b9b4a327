// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "accessibility.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>

Form::Form(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
    setObjectName(name_);
}

Form::~Form() {
    delete widget_.data();
}

void Form::Load() {
    if (widget_)
        return;
    installAccessibility();
    QWidget* w = createWidget();
    if (w->objectName().isEmpty())
        w->setObjectName(name_);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->installEventFilter(this);
    widget_ = w;
    Form_Load();
}

void Form::Show(bool modal) {
    Load();
    if (!widget_)
        return; // Form_Load may have unloaded the window
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

void Form::Hide() {
    if (!widget_)
        return;
    if (widget_->isVisible())
        hiddenByForm_ = true;
    widget_->hide();
}

void Form::Unload() {
    if (!widget_ || unloading_)
        return;
    unloading_ = true;
    Form_Unload();
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

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_.data())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        // The window has its say first: it may refuse (no close command), or
        // its close box may act as one of its buttons, which hides it and
        // keeps it loaded. Only a close that went through and hid the window
        // unloads it: the window goes away, the form's data stay.
        QTimer::singleShot(0, this, [this, w = widget_] {
            if (w && w == widget_ && !w->isVisible() && !hiddenByForm_)
                Unload();
        });
        break;
    case QEvent::Show:
        hiddenByForm_ = false;
        break;
    case QEvent::Hide:
        emit hidden();
        break;
    case QEvent::WindowActivate:
        Form_Activate();
        break;
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        Form_Resize();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
