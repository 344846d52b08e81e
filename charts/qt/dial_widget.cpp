#include "charts/qt/dial_widget.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace selenarc {

DialWidget::DialWidget(ChartSurface surface, const SignPictures* pictures, QWidget* parent)
    : QWidget(parent), surface_(std::move(surface)), renderer_(pictures) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize DialWidget::sizeHint() const {
    return {static_cast<int>(std::ceil(surface_.width * DialRenderer::kPixelsPerTwip)),
            static_cast<int>(std::ceil(surface_.height * DialRenderer::kPixelsPerTwip))};
}

QSize DialWidget::minimumSizeHint() const {
    return sizeHint() / 2;
}

void DialWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (surface_.width <= 0 || surface_.height <= 0) {
        return;
    }
    const double scale = std::min(width() / surface_.width, height() / surface_.height);
    renderer_.paint(painter, surface_, scale);
}

}  // namespace selenarc
