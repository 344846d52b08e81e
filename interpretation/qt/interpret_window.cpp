#include "interpretation/qt/interpret_window.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPageSize>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextCursor>
#include <QTextEdit>

#include "interpretation/qt/text_printing.h"
#include "qt_support/message_box.h"
#include "qt_support/safe_file_write.h"
#include "qt_support/twips.h"

namespace selenarc {

namespace {

// Design of the window's inner area, in twips.
constexpr int kDesignWidth = 9375;
constexpr int kDesignHeight = 7095;
constexpr int kTextTop = 360;
constexpr int kPrintButtonWidth = 1095;
constexpr int kExportButtonWidth = 1800;
constexpr qreal kTitlePoints = 13.5;

QPointer<InterpretWindow>& liveWindow() {
    static QPointer<InterpretWindow> window;
    return window;
}

QPointer<QWidget>& ownerWidget() {
    static QPointer<QWidget> owner;
    return owner;
}

}  // namespace

InterpretLayout fitInterpretLayout(int width, int height, InterpretLayout previous) {
    InterpretLayout fitted = previous;
    fitted.stripWidth = width;
    if (width > 100) {
        fitted.textWidth = width - 100;
    }
    if (kInterpretStripHeight + 400 < height) {
        fitted.textHeight = height - kInterpretStripHeight - 400;
    }
    return fitted;
}

InterpretWindow* InterpretWindow::current() {
    return liveWindow().data();
}

InterpretWindow& InterpretWindow::instance() {
    QPointer<InterpretWindow>& window = liveWindow();
    if (!window) {
        window = new InterpretWindow(ownerWidget().data());
    }
    return *window;
}

void InterpretWindow::setOwner(QWidget* owner) {
    ownerWidget() = owner;
}

InterpretWindow::InterpretWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      titleStrip_(new QLabel(this)),
      printButton_(new QPushButton(QStringLiteral("Imprimer"), this)),
      exportButton_(new QPushButton(QStringLiteral("Exporter en PDF..."), this)),
      textArea_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("interpret"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Interprétation"));

    titleStrip_->setObjectName(QStringLiteral("Label1"));
    titleStrip_->setAlignment(Qt::AlignCenter);
    QFont stripFont(QStringLiteral("Sans Serif"));
    stripFont.setStyleHint(QFont::SansSerif);
    stripFont.setPointSizeF(kTitlePoints);
    titleStrip_->setFont(stripFont);
    QPalette stripColours = titleStrip_->palette();
    stripColours.setColor(QPalette::Window, QColor(255, 255, 128));
    stripColours.setColor(QPalette::WindowText, Qt::black);
    titleStrip_->setPalette(stripColours);
    titleStrip_->setAutoFillBackground(true);

    textArea_->setObjectName(QStringLiteral("Text1"));
    textArea_->setReadOnly(true);
    textArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // Both buttons lie over the left end of the strip, which is drawn first.
    printButton_->setObjectName(QStringLiteral("Command1"));
    printButton_->setGeometry(0, 0, twipsToPixels(kPrintButtonWidth), twipsToPixels(kInterpretStripHeight));
    exportButton_->setObjectName(QStringLiteral("exportPdf"));
    exportButton_->setGeometry(twipsToPixels(kPrintButtonWidth), 0,
                               std::max(twipsToPixels(kExportButtonWidth), exportButton_->sizeHint().width()),
                               twipsToPixels(kInterpretStripHeight));
    printButton_->raise();
    exportButton_->raise();
    connect(printButton_, &QPushButton::clicked, this, &InterpretWindow::printText);
    connect(exportButton_, &QPushButton::clicked, this, &InterpretWindow::exportPdf);

    titleStrip_->setGeometry(0, 0, twipsToPixels(layout_.stripWidth), twipsToPixels(kInterpretStripHeight));
    textArea_->setGeometry(0, twipsToPixels(kTextTop), twipsToPixels(layout_.textWidth),
                           twipsToPixels(layout_.textHeight));
    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
}

void InterpretWindow::setTitle(const QString& title) {
    titleStrip_->setText(title);
}

void InterpretWindow::setText(const QString& text) {
    textArea_->setPlainText(toDisplayLines(text));
}

QString InterpretWindow::title() const {
    return titleStrip_->text();
}

QString InterpretWindow::plainText() const {
    return textArea_->toPlainText();
}

InterpretLayout InterpretWindow::partsLayout() const {
    return layout_;
}

void InterpretWindow::setPrinterChooser(PrinterChooser chooser) {
    printerChooser_ = std::move(chooser);
}

void InterpretWindow::setPdfFileChooser(PdfFileChooser chooser) {
    pdfFileChooser_ = std::move(chooser);
}

void InterpretWindow::setMessageSink(MessageSink sink) {
    messageSink_ = std::move(sink);
}

// The client area stands for the window: no part ever hides under a frame of unknown size.
void InterpretWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layout_ = fitInterpretLayout(width() * kTwipsPerPixel, height() * kTwipsPerPixel, layout_);
    titleStrip_->setGeometry(0, 0, twipsToPixels(layout_.stripWidth), twipsToPixels(kInterpretStripHeight));
    textArea_->setGeometry(0, twipsToPixels(kTextTop), twipsToPixels(layout_.textWidth),
                           twipsToPixels(layout_.textHeight));
}

bool InterpretWindow::choosePrinter(QPrinter& printer) {
    if (printerChooser_) {
        return printerChooser_(printer);
    }
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

QString InterpretWindow::choosePdfFile() {
    if (pdfFileChooser_) {
        return pdfFileChooser_();
    }
    const QString suggested = QDir::home().filePath(title().isEmpty() ? QStringLiteral("Interprétation.pdf")
                                                                      : title() + QStringLiteral(".pdf"));
    return QFileDialog::getSaveFileName(this, QStringLiteral("Exporter en PDF"), suggested,
                                        QStringLiteral("Documents PDF (*.pdf)"));
}

void InterpretWindow::report(const QString& text) {
    const Message message{text.toStdString(), "Erreur", MessageIcon::Exclamation};
    if (messageSink_) {
        messageSink_(message);
    } else {
        showMessageBox(this, message);
    }
}

void InterpretWindow::printText() {
    QTextCursor cursor = textArea_->textCursor();
    cursor.clearSelection();
    textArea_->setTextCursor(cursor);

    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer)) {
        return;
    }
    printTitledText(title(), *textArea_->document(), printer);  // printing reports nothing
}

void InterpretWindow::exportPdf() {
    QString fileName = choosePdfFile();
    if (fileName.isEmpty()) {
        return;
    }
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        fileName += QStringLiteral(".pdf");
    }
    const QString reason = writePdf(fileName);
    if (!reason.isEmpty()) {
        report(QStringLiteral("Impossible d'écrire le fichier « %1 » :\r\n%2")
                   .arg(QDir::toNativeSeparators(fileName), reason));
    }
}

QString InterpretWindow::writePdf(const QString& fileName) const {
    return writeFileAtomically(fileName, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(title());
        writer.setCreator(QStringLiteral("Selenarc"));
        return printTitledText(title(), *textArea_->document(), writer)
                   ? QString()
                   : QStringLiteral("la mise en page du document a échoué.");
    });
}

void SetInterpretationTitle(const std::string& title) {
    InterpretWindow::instance().setTitle(fromUtf8(title));
}

void SetInterpretationText(const std::string& text) {
    InterpretWindow::instance().setText(fromUtf8(text));
}

void showInterpretation() {
    InterpretWindow& window = InterpretWindow::instance();
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace selenarc
