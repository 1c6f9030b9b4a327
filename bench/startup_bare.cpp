// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench_startup: a bare Qt Widgets program of about the size
// of the exercise window (a menu, a label, a text box and two buttons), with
// the same start-up probe and nothing else.

#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    StartupProbe::installIfAsked(app);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Programme nu"));
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Fichier"));
    menu->addAction(QStringLiteral("&Quitter"), &app, &QApplication::quit);

    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(new QLabel(QStringLiteral("Écris ce nombre en lettres :")));
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("Vérifier")));
    layout->addWidget(new QPushButton(QStringLiteral("Nouveau nombre")));
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
