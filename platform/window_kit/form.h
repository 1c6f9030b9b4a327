// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// The lifecycle of a window (docs/ARCHITECTURE.md, "The window model"). The
// Form object is created once and lives until the process ends; its on-screen
// part (the QWidget with its controls) exists only while the form is loaded:
// - load() builds the controls in their initial state, then runs onLoad();
// - show() loads first when needed; a modal show() returns when the window is
//   hidden or unloaded;
// - hide() keeps the window loaded;
// - unload() runs onUnload() and destroys the on-screen part only: the
//   object's data survive, and the next show() loads again.
// A close request (the title bar's close box, the window manager's, or
// QWidget::close()) is refused while the window has no close command
// (removeCloseCommand()); otherwise it goes to the window, whose dialog close
// box may act as one of its buttons. When the request went through and hid
// the window, the form is unloaded; a window hidden by the form's own hide()
// stays loaded.
class Form : public QObject {
    Q_OBJECT
public:
    // The unit in which the window is laid out: twips (1/1440 inch) for the
    // exercise and shell windows, pixels for the game's windows.
    enum class ScaleMode { Twips, Pixels };

    explicit Form(QString name, QObject* parent = nullptr);
    ~Form() override;

    const QString& name() const { return name_; }
    bool isLoaded() const { return !widget_.isNull(); }
    bool isVisible() const { return widget_ && widget_->isVisible(); }
    QWidget* widget() const { return widget_.data(); }

    void load();
    void show(bool modal = false);
    void hide();
    void unload();

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }

    // Takes the close command away from the loaded window: it loses its close
    // button (its other caption buttons stay) and refuses every close request,
    // whoever sends it. The window built at the next load has it again.
    void removeCloseCommand();

    // The control of this window whose objectName is name, or nullptr.
    template <typename T> T* control(const QString& name) const {
        return widget_ ? widget_->findChild<T*>(name) : nullptr;
    }

signals:
    void shown();
    void hidden();
    void unloaded();

protected:
    // Builds the window and its controls in their initial state. The returned
    // widget is owned by the form until it is unloaded.
    virtual QWidget* createWidget() = 0;
    virtual void onLoad() {}
    virtual void onActivate() {}
    virtual void onResize() {}
    virtual void onUnload() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString name_;
    QPointer<QWidget> widget_;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    bool unloading_ = false;
    bool closeRemoved_ = false; // by removeCloseCommand(), until the next load
    bool hiddenByForm_ = false; // by hide(), since the window was last shown
    int modalDepth_ = 0;
};
