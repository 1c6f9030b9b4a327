// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// The lifecycle of a window (docs/ARCHITECTURE.md, "The window model"). The
// Form object is created once and lives until the process ends; its on-screen
// part (the QWidget with its controls) exists only while the form is loaded:
// - Load() builds the controls in their initial state, then runs Form_Load();
// - Show() loads first when needed; a modal Show() returns when the window is
//   hidden or unloaded;
// - Hide() keeps the window loaded;
// - Unload() runs Form_Unload() and destroys the on-screen part only: the
//   object's data survive, and the next Show() loads again.
// A close request (the title bar's close box, the window manager's, or
// QWidget::close()) goes to the window first: it refuses it when its system
// menu has lost its close command (system_menu.h), and a dialog's close box
// may act as one of its buttons. When the request went through and hid the
// window, the form is unloaded; a window hidden by the form's own Hide() stays
// loaded.
class Form : public QObject {
    Q_OBJECT
public:
    // The unit in which the window is laid out: twips (1/1440 inch) for the
    // exercise and shell windows, pixels for the game's windows.
    enum class ScaleMode { Twips = 1, Pixels = 3 };

    explicit Form(QString name, QObject* parent = nullptr);
    ~Form() override;

    const QString& name() const { return name_; }
    bool isLoaded() const { return !widget_.isNull(); }
    bool isVisible() const { return widget_ && widget_->isVisible(); }
    QWidget* widget() const { return widget_.data(); }

    void Load();
    void Show(bool modal = false);
    void Hide();
    void Unload();

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }

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
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString name_;
    QPointer<QWidget> widget_;
    ScaleMode scaleMode_ = ScaleMode::Twips;
    bool unloading_ = false;
    bool hiddenByForm_ = false; // by Hide(), since the window was last shown
    int modalDepth_ = 0;
};
