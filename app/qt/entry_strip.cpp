#include "app/qt/entry_strip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "qt_support/twips.h"

namespace selenarc {

namespace {

// Design measures of the strip, in twips.
constexpr int kLeftMargin = 120;
constexpr int kRightMargin = 180;
constexpr int kGap = 105;             // between two items
constexpr int kFirstRowHeight = 600;  // the tabs start below it
constexpr int kRowPitch = 360;        // each wrapped row adds this

struct Band {
    int top, height;
};

// Top and height of an item on its row, as the design has them.
Band bandOf(EntryStrip::Kind kind, bool caption) {
    if (caption) {
        return {165, 255};
    }
    switch (kind) {
        case EntryStrip::Kind::List:
            return {90, 315};
        case EntryStrip::Kind::Button:
            return {70, 315};
        case EntryStrip::Kind::Field:
            break;
    }
    return {120, 285};
}

// The width a widget needs to show its text whole: a button's caption with a little room on each
// side (its style would ask for more than the design gives), else the widget's own minimum.
int neededWidth(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        constexpr int kCaptionPadding = 6;
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
               2 * kCaptionPadding;
    }
    return widget->minimumSizeHint().width();
}

}  // namespace

int EntryStrip::Group::width() const {
    int sum = 0;
    for (const Part& part : parts) {
        sum += part.gapBefore + part.width;
    }
    return sum;
}

EntryStrip::EntryStrip(QWidget* parent) : QWidget(parent) {
    setObjectName("entryStrip");
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(twipsToPixels(kFirstRowHeight));
}

QLabel* EntryStrip::addCaptioned(const char* labelName, const QString& caption, int captionTwips,
                                 QWidget* field, int fieldTwips, Kind kind) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(labelName);
    label->setBuddy(field);
    field->setParent(this);
    const int captionWidth = std::max(twipsToPixels(captionTwips), label->sizeHint().width());
    groups_.push_back({{{label, captionWidth, kind, true}, {field, twipsToPixels(fieldTwips), kind}}});
    arrange();
    return label;
}

void EntryStrip::addItem(QWidget* widget, int widthTwips, Kind kind, bool withPrevious) {
    widget->setParent(this);
    const int width = std::max(twipsToPixels(widthTwips), neededWidth(widget));
    if (withPrevious && !groups_.empty()) {
        groups_.back().parts.push_back({widget, width, kind, false, twipsToPixels(kGap)});
    } else {
        groups_.push_back({{{widget, width, kind}}});
    }
    arrange();
}

void EntryStrip::addStretching(QWidget* widget, int minimumTwips, Kind kind) {
    widget->setParent(this);
    groups_.push_back({{{widget, twipsToPixels(minimumTwips), kind, false, 0, true}}});
    arrange();
}

QSize EntryStrip::minimumSizeHint() const {
    int widest = 0;
    for (const Group& group : groups_) {
        widest = std::max(widest, group.width());
    }
    return {twipsToPixels(kLeftMargin + kRightMargin) + widest, height()};
}

QSize EntryStrip::sizeHint() const {
    int all = twipsToPixels(kLeftMargin + kRightMargin);
    for (const Group& group : groups_) {
        all += group.width() + twipsToPixels(kGap);
    }
    return {all, height()};
}

void EntryStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

// A field or a closed list lets Enter through to here; a button keeps it.
void EntryStrip::keyPressEvent(QKeyEvent* event) {
    const QWidget* focus = QApplication::focusWidget();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QComboBox*>(focus))) {
        emit entered();
        return;
    }
    QWidget::keyPressEvent(event);
}

// Greedy rows: an item goes on the current row when it fits there (the stretching one at its
// minimum), else it starts the next; then the stretching item widens to the end of its row.
void EntryStrip::arrange() {
    const int left = twipsToPixels(kLeftMargin);
    const int right = width() - twipsToPixels(kRightMargin);
    const int gap = twipsToPixels(kGap);
    std::vector<std::vector<const Group*>> rows(1);
    int x = left;
    for (const Group& group : groups_) {
        const int start = rows.back().empty() ? x : x + gap;
        if (!rows.back().empty() && start + group.width() > right) {
            rows.emplace_back();
            x = left + group.width();
        } else {
            x = start + group.width();
        }
        rows.back().push_back(&group);
    }
    for (size_t row = 0; row < rows.size(); ++row) {
        int used = left - gap;
        for (const Group* group : rows[row]) {
            used += gap + group->width();
        }
        const int spare = std::max(0, right - used);
        int at = left;
        for (const Group* group : rows[row]) {
            for (const Part& part : group->parts) {
                at += part.gapBefore;
                const int width = part.width + (part.stretches ? spare : 0);
                const Band band = bandOf(part.kind, part.caption);
                const int top = twipsToPixels(band.top + kRowPitch * static_cast<int>(row));
                const int height =
                    std::max(twipsToPixels(band.height), part.widget->minimumSizeHint().height());
                part.widget->setGeometry(at, top, width, height);
                at += width;
            }
            at += gap;
        }
    }
    if (static_cast<int>(rows.size()) != rowCount_) {
        rowCount_ = static_cast<int>(rows.size());
        setFixedHeight(twipsToPixels(kFirstRowHeight + kRowPitch * (rowCount_ - 1)));
    }
}

}  // namespace selenarc
