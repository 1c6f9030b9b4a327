// SPDX-License-Identifier: GPL-3.0-or-later
#include "guide_window.h"

#include "cancel_dialog.h"
#include "window_centring.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <cmath>

namespace {

// The window's size at opening, in logical pixels, within the free part of
// its screen.
constexpr QSize OpeningSize(640, 560);
constexpr QSize SmallestSize(320, 240);

// Relative luminance and contrast ratio as WCAG 2 defines them.
double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

QColor mix(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter belongs to the page (it follows the link that has the focus),
    // never to a button the dialog would make its default.
    b->setAutoDefault(false);
    return b;
}

} // namespace

GuideWindow::GuideWindow(QObject* parent) : Form(QStringLiteral("frmGuide"), parent) {}

QString GuideWindow::caption() {
    return QStringLiteral("Guide de Vorelle");
}

QUrl GuideWindow::source() {
    return QUrl(QStringLiteral("qrc:/vorelle/guide.html"));
}

QColor GuideWindow::linkColour(const QPalette& palette) {
    const QColor page = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor link = palette.color(QPalette::Link);
    for (int tenths = 0; tenths <= 10; ++tenths) {
        const QColor candidate = mix(link, text, tenths / 10.0);
        if (contrast(candidate, page) >= 4.5)
            return candidate;
    }
    return text;
}

void GuideWindow::onContentsClicked() {
    if (auto* browser = control<QTextBrowser>(QStringLiteral("txtGuide"))) {
        QUrl contents = source();
        contents.setFragment(QStringLiteral("sommaire"));
        browser->setSource(contents);
    }
}

QWidget* GuideWindow::createWidget() {
    auto* window = new CancelDialog;
    window->setWindowTitle(caption());
    // A window of its own beside the exercise, which it never blocks.
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    window->setModal(false);

    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("txtGuide"));
    browser->setAccessibleName(caption());
    browser->setOpenExternalLinks(false);
    // The page's text and background are the palette's; its links are drawn
    // in a colour that reads on that background.
    browser->document()->setDefaultStyleSheet(
        QStringLiteral("a { color: %1; }").arg(linkColour(browser->palette()).name()));
    browser->setSource(source());

    QPushButton* back = button(window, QStringLiteral("cmdBack"), QStringLiteral("&Précédent"));
    QPushButton* contents =
        button(window, QStringLiteral("cmdContents"), QStringLiteral("&Sommaire"));
    QPushButton* close = button(window, QStringLiteral("cmdClose"), QStringLiteral("&Fermer"));
    back->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(browser);
    layout->addLayout(buttons);

    connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { onContentsClicked(); });
    connect(close, &QPushButton::clicked, this, &Form::unload);
    // Escape and the close box: the window goes, and the next opening starts
    // afresh at the top.
    connect(window, &CancelDialog::cancelRequested, this, &Form::unload);

    window->setMinimumSize(SmallestSize);
    QSize size = OpeningSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    window->resize(size.expandedTo(SmallestSize));
    centreOnScreen(window, nullptr, ScreenArea::Free);
    browser->setFocus();
    return window;
}
