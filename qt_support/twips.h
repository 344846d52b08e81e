#pragma once

#include <QRect>
#include <QWidget>

#include "charts/twips.h"

namespace selenarc {

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

inline void placeInTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsRect(left, top, width, height));
}

}  // namespace selenarc
