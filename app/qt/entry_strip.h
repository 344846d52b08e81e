#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace selenarc {

// The entry strip along the top of the main window: captioned fields, the time-zone list and the
// buttons, left to right. At the design width they stand at their design places on one row; a
// narrower window wraps them onto more rows, a field never parted from its caption. The one
// stretching item takes what its row leaves over.
class EntryStrip : public QWidget {
    Q_OBJECT
  public:
    // How an item stands in its row (design top and height in twips).
    enum class Kind { Field, List, Button };

    explicit EntryStrip(QWidget* parent = nullptr);

    // A caption followed by its field; widths in twips at the design size, widened when the text needs it.
    QLabel* addCaptioned(const char* labelName, const QString& caption, int captionTwips, QWidget* field,
                         int fieldTwips, Kind kind = Kind::Field);
    // An item on its own, or kept on one row with the item before it.
    void addItem(QWidget* widget, int widthTwips, Kind kind, bool withPrevious = false);
    // The item that takes what its row leaves over, never narrower than `minimumTwips`.
    void addStretching(QWidget* widget, int minimumTwips, Kind kind);

    int rowCount() const { return rowCount_; }
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  signals:
    // Enter pressed in one of the strip's fields or lists.
    void entered();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Part {
        QWidget* widget;
        int width;  // pixels
        Kind kind;
        bool caption = false;
        int gapBefore = 0;  // pixels, from the part before it in its group
        bool stretches = false;
    };
    struct Group {
        std::vector<Part> parts;
        int width() const;
    };

    void arrange();

    std::vector<Group> groups_;
    int rowCount_ = 1;
};

}  // namespace selenarc
