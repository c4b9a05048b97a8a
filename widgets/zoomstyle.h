#pragma once
#include <QProxyStyle>

// The application's style with every pixel measure scaled by the window's zoom, so
// that check boxes, option buttons and push buttons grow with their captions. Set on
// the controls only while the zoom is not 1: at 1 they keep the plain style.
class ZoomStyle : public QProxyStyle {
    Q_OBJECT
  public:
    ZoomStyle();
    void setFactor(double factor) { factor_ = factor; }
    double factor() const { return factor_; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

  private:
    double factor_ = 1;
};
