#pragma once

#include "window_system.h"

// A screen whose free area the test sets, and an application title kept here
// rather than in the application. Windows are found by caption among the
// process's real top-level windows.
class FakeWindowSystem : public QtWindowSystem {
public:
    QRect freeArea{0, 0, 1024, 768};
    QString title = QStringLiteral("Vorelle");
    QRect availableGeometry(const QWidget&) const override { return freeArea; }
    QString applicationTitle() const override { return title; }
    void setApplicationTitle(const QString& t) override { title = t; }
};
