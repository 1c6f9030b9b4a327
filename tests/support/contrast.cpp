// SPDX-License-Identifier: GPL-3.0-or-later
#include "contrast.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor c = colour.toRgb();
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

TextContrast measureTextContrast(QWidget* widget) {
    auto* scroll = qobject_cast<QAbstractScrollArea*>(widget);
    auto* frame = qobject_cast<QFrame*>(widget);
    QWidget* painted = scroll ? scroll->viewport() : widget;
    const QRect area = scroll ? painted->rect() : frame ? frame->contentsRect() : widget->rect();
    const QImage image = painted->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const auto commonest = [](auto a, auto b) { return a.second < b.second; };
    const QColor background =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), commonest)->first;
    const double back = luminance(background) + 0.05;
    std::vector<double> ratios;
    for (auto [rgb, n] : counts.asKeyValueRange())
        if (const double l = luminance(rgb) + 0.05; rgb != background.rgb())
            ratios.insert(ratios.end(), std::size_t(n), std::max(l, back) / std::min(l, back));
    std::sort(ratios.begin(), ratios.end());
    return {background, int(ratios.size()), ratios.empty() ? 1.0 : ratios[ratios.size() * 4 / 5]};
}
