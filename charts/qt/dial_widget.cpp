#include "charts/qt/dial_widget.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <utility>

#include "charts/radius_notes.h"
#include "qt_support/qt_text.h"

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

double DialWidget::scale() const {
    if (surface_.width <= 0 || surface_.height <= 0) {
        return 0;
    }
    return std::min(width() / surface_.width, height() / surface_.height);
}

void DialWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (scale() > 0) {
        renderer_.paint(painter, surface_, scale());
    }
}

bool DialWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || scale() <= 0) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    constexpr double kReachPixels = 4;
    const std::string note =
        noteAt(surface_, {help->pos().x() / scale(), help->pos().y() / scale()}, kReachPixels / scale());
    if (note.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), fromUtf8(note), this);
    }
    return true;
}

}  // namespace selenarc
