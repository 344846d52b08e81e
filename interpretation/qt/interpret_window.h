#pragma once

#include <functional>
#include <string>

#include <QString>
#include <QWidget>

#include "charts/twips.h"

#include "calendar/message_sink.h"

class QLabel;
class QPrinter;
class QPushButton;
class QTextEdit;

namespace selenarc {

// Sizes of the interpretation window's parts in twips.
struct InterpretLayout {
    int stripWidth = 9375;  // title strip
    int textWidth = 9375;   // text area
    int textHeight = 6735;
    auto operator<=>(const InterpretLayout&) const = default;
};

inline constexpr int kInterpretStripHeight = 375;  // title strip, twips

// The parts fitted to a window of width × height twips: the strip as wide as the window, the text area
// 100 narrower and 400 plus the strip lower; too small a window keeps the text area's previous size.
InterpretLayout fitInterpretLayout(int width, int height, InterpretLayout previous);

// The single window "Interprétation": a title strip, the text, "Imprimer" and "Exporter en PDF...".
// It exists at most once; it is deleted when closed and created afresh on the next use.
class InterpretWindow : public QWidget {
    Q_OBJECT
  public:
    // The live window, or nullptr when there is none.
    static InterpretWindow* current();
    // The live window, created (hidden) when there is none. New windows get `owner` as parent when set.
    static InterpretWindow& instance();
    static void setOwner(QWidget* owner);

    void setTitle(const QString& title);
    void setText(const QString& text);  // plain text, lines separated by "\r\n"
    // The line under the title on paper: whose interpretation, made when.
    void setSubject(const QString& subject) { subject_ = subject; }
    QString title() const;
    QString plainText() const;
    InterpretLayout partsLayout() const;

    // Replaceable dialogs (the tests run without them). The printer chooser fills the printer and
    // returns false when cancelled; the file chooser returns "" when cancelled.
    using PrinterChooser = std::function<bool(QPrinter&)>;
    using PdfFileChooser = std::function<QString()>;
    void setPrinterChooser(PrinterChooser chooser);
    void setPdfFileChooser(PdfFileChooser chooser);
    void setMessageSink(MessageSink sink);

    // "Imprimer": the whole text, whatever is selected; a cancelled dialog or a failure ends silently.
    void printText();
    // "Exporter en PDF...": title and whole text as an A4 PDF; a failure to write is reported.
    void exportPdf();
    // Writes the PDF through a temporary file in the same folder, renamed at the end. Returns "" on
    // success, else the reason of the failure.
    QString writePdf(const QString& fileName) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    explicit InterpretWindow(QWidget* parent);
    bool choosePrinter(QPrinter& printer);
    QString choosePdfFile();
    void report(const QString& text);
    void placeTitle();

    QLabel* titleStrip_;
    QPushButton* printButton_;
    QPushButton* exportButton_;
    QTextEdit* textArea_;
    InterpretLayout layout_;
    QString title_;
    QString subject_;
    PrinterChooser printerChooser_;
    PdfFileChooser pdfFileChooser_;
    MessageSink messageSink_;
};

// What the "Interpréter" buttons call: create the window when needed, set its title or its text.
void SetInterpretationTitle(const std::string& title);
void SetInterpretationText(const std::string& text);
// Shows the window without blocking the caller and brings it to the front.
void showInterpretation();

}  // namespace selenarc
