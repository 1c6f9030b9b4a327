#include "contrast.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
double channel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString TextContrast::describe() const {
    return QStringLiteral("text %1 on %2 (%3 pixels): %4:1")
        .arg(text.name(), background.name())
        .arg(textPixels)
        .arg(ratio, 0, 'f', 2);
}

TextContrast measureTextContrast(QWidget* widget) {
    QWidget* painted = widget;
    QRect area = widget->rect();
    if (auto* scroll = qobject_cast<QAbstractScrollArea*>(widget)) {
        painted = scroll->viewport();
        area = painted->rect();
    } else if (auto* frame = qobject_cast<QFrame*>(widget)) {
        area = frame->contentsRect();
    }
    const QImage image = painted->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    if (const QString dir = qEnvironmentVariable("VORELLE_GRAB_DIR"); !dir.isEmpty())
        image.save(dir + "/" + widget->window()->objectName() + "-" + widget->objectName() +
                   ".png");
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x]];
    }
    TextContrast out;
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    out.background = QColor(background);
    // Every other pixel by its contrast with the background: the fifth that
    // stands out most is the text's core; a caret or a stray line is too
    // small to be that fifth.
    std::vector<std::pair<double, QRgb>> others;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.key() == background)
            continue;
        others.insert(others.end(), std::size_t(it.value()),
                      {contrastRatio(QColor(it.key()), out.background), it.key()});
    }
    out.textPixels = int(others.size());
    out.text = out.background;
    if (!others.empty()) {
        std::sort(others.begin(), others.end());
        out.text = QColor(others[others.size() * 4 / 5].second);
    }
    out.ratio = contrastRatio(out.text, out.background);
    return out;
}
