#pragma once

#include <QWidget>

#include "charts/chart_surface.h"
#include "charts/qt/dial_renderer.h"

namespace selenarc {

// Shows one chart surface. The drawing operations change surface(); update() repaints it.
// The dial keeps its proportions and grows or shrinks with the widget, centred in it.
class DialWidget : public QWidget {
    Q_OBJECT
  public:
    explicit DialWidget(ChartSurface surface, const SignPictures* pictures = nullptr,
                        QWidget* parent = nullptr);

    ChartSurface& surface() { return surface_; }
    const ChartSurface& surface() const { return surface_; }
    const SignPictures* pictures() const { return renderer_.pictures(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;  // tooltips of the radii and their labels

  private:
    double scale() const;    // pixels per twip at the widget's size
    QPointF origin() const;  // where the surface's top left corner stands

    ChartSurface surface_;
    DialRenderer renderer_;
};

}  // namespace selenarc
