#pragma once

#include <QImage>

#include "charts/chart_surface.h"

class QPainter;

namespace selenarc {

class SignPictures;

// Paints a chart surface: background, drawing, sign pictures, then the visible labels.
// The only painting code of the dials; any paint device will do.
class DialRenderer {
  public:
    static constexpr double kPixelsPerTwip = 1.0 / 15;  // 100 %

    explicit DialRenderer(const SignPictures* pictures = nullptr) : pictures_(pictures) {}

    // The surface's top-left corner at the painter's origin, one twip = pixelsPerTwip units.
    void paint(QPainter& painter, const ChartSurface& surface, double pixelsPerTwip = kPixelsPerTwip) const;

    const SignPictures* pictures() const { return pictures_; }

  private:
    const SignPictures* pictures_;
};

// The surface painted into an image at a zoom (1 = 100 %, 2 = 200 % with twice the pixels).
QImage renderDialImage(const ChartSurface& surface, const SignPictures* pictures, double zoom = 1.0);

}  // namespace selenarc
