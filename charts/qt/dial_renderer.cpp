#include "charts/qt/dial_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "charts/qt/sign_pictures.h"
#include "qt_support/qt_text.h"

namespace selenarc {

static constexpr double kLineWidth = 15;      // twips: one pixel at 100 %
static constexpr double kTwipsPerPoint = 20;  // 1440 twips to the inch, 72 points

static QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// The label's font, in twips; a Windows family falls back to a similar sans serif.
static QFont labelFont(const ChartLabel& label) {
    QFont font;
    font.setFamilies({fromUtf8(label.fontFamily), "Liberation Sans", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setItalic(label.italic);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(label.fontPoints * kTwipsPerPoint))));
    return font;
}

static Qt::Alignment toQtAlignment(TextAlign align) {
    switch (align) {
        case TextAlign::Center:
            return Qt::AlignHCenter;
        case TextAlign::Right:
            return Qt::AlignRight;
        case TextAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

static void paintLine(QPainter& painter, const ChartLine& l) {
    QPen pen(toQColor(l.colour), kLineWidth, Qt::SolidLine, Qt::FlatCap);
    if (l.style == LineStyle::Dashed) {
        pen.setDashPattern({6, 4});  // in line widths
    } else if (l.style == LineStyle::Leader) {
        pen.setWidthF(kLineWidth * 0.6);
        pen.setCapStyle(Qt::RoundCap);  // the segments of a leader join without gaps
    }
    painter.setPen(pen);
    painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
}

static void paintLabel(QPainter& painter, const ChartLabel& label) {
    const QRectF box(label.left, label.top, label.width, label.height);
    painter.fillRect(box, toQColor(label.background));
    if (label.caption.empty()) {
        return;
    }
    const QString text = fromUtf8(label.caption);
    QFont font = labelFont(label);
    // A fixed caption in a wider fallback font is narrowed to the label; a name is cut instead.
    const double needed = QFontMetricsF(font).horizontalAdvance(text);
    if (label.narrowsToFit && needed > label.width && needed > 0) {
        const double shrunk = font.pixelSize() * std::max(0.6, label.width / needed);
        font.setPixelSize(std::max(1, static_cast<int>(shrunk)));
    }
    painter.setFont(font);
    painter.setPen(toQColor(label.textColour));
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, label.width);
    painter.drawText(box, toQtAlignment(label.align) | Qt::AlignTop | Qt::TextSingleLine, shown);
}

void DialRenderer::paint(QPainter& painter, const ChartSurface& surface, double pixelsPerTwip) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(pixelsPerTwip, pixelsPerTwip);
    const QRectF area(0, 0, surface.width, surface.height);
    painter.setClipRect(area);
    painter.fillRect(area, toQColor(surface.background));

    painter.setBrush(Qt::NoBrush);
    for (const ChartCircle& c : surface.circles) {
        painter.setPen(QPen(toQColor(c.colour), kLineWidth));
        painter.drawEllipse(QPointF(c.cx, c.cy), c.radius, c.radius);
    }
    for (const ChartLine& l : surface.lines) {
        paintLine(painter, l);
    }
    for (const ChartLabel& label : surface.labels) {
        if (label.visible) {
            for (const ChartLine& segment : label.leader) {
                paintLine(painter, segment);
            }
        }
    }
    if (pictures_) {
        for (const SignPicture& p : surface.pictures) {
            if (p.visible) {
                pictures_->paint(painter, p.sign, QRectF(p.left, p.top, p.width, p.height));
            }
        }
    }
    for (const ChartLabel& label : surface.labels) {
        if (label.visible) {
            paintLabel(painter, label);
        }
    }
    painter.restore();
}

QImage renderDialImage(const ChartSurface& surface, const SignPictures* pictures, double zoom) {
    const double scale = DialRenderer::kPixelsPerTwip * zoom;
    QImage image(static_cast<int>(std::ceil(surface.width * scale)),
                 static_cast<int>(std::ceil(surface.height * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DialRenderer(pictures).paint(painter, surface, scale);
    return image;
}

}  // namespace selenarc
