#include "small_windows.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QWidget>

namespace SmallWindows {

QPixmap brikkoIcon(qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/vorelle/brikko.svg"));
    if (!renderer.isValid())
        return QPixmap();
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(QSize(32, 32) * dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

QFont dialogFont(double points) {
    QFont font(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial")});
    font.setPointSizeF(points);
    return font;
}

void centre(QWidget* window, QPushButton* ok) {
    const int outerWidth = window->frameGeometry().width();
    const int outerHeight = window->frameGeometry().height();
    if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        window->move(s.left() + (s.width() - outerWidth) / 2,
                     s.top() + (s.height() - outerHeight) / 2);
    }
    if (ok)
        ok->move((outerWidth - ok->width()) / 2, ok->y());
}

} // namespace SmallWindows
