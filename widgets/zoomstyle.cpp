#include "widgets/zoomstyle.h"

#include <QApplication>
#include <QStyleFactory>

#include <cmath>

// A fresh instance of the application's style: the proxy owns its base.
ZoomStyle::ZoomStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int plain = QProxyStyle::pixelMetric(metric, option, widget);
    return static_cast<int>(std::lround(plain * factor_));
}
