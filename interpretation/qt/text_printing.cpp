#include "interpretation/qt/text_printing.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

namespace selenarc {

namespace {

constexpr qreal kMarginMillimetres = 20.0;
constexpr qreal kTitlePoints = 13.5;

// The title paragraph followed by a copy of the text with its formatting, laid out for the device.
void fillPrintout(QTextDocument& printout, const QString& title, const QString& subject,
                  const QTextDocument& text) {
    printout.setDefaultFont(text.defaultFont());
    QTextCursor cursor(&printout);

    QTextBlockFormat titleBlock;
    titleBlock.setAlignment(Qt::AlignHCenter);
    titleBlock.setBottomMargin(subject.isEmpty() ? kTitlePoints : kTitlePoints / 3);
    QTextCharFormat titleChars;
    QFont titleFont(text.defaultFont());
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    titleFont.setPointSizeF(kTitlePoints);
    titleFont.setBold(true);
    titleChars.setFont(titleFont);
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(title, titleChars);
    if (!subject.isEmpty()) {
        QTextBlockFormat subjectBlock;
        subjectBlock.setAlignment(Qt::AlignHCenter);
        subjectBlock.setBottomMargin(kTitlePoints);
        QTextCharFormat subjectChars;
        QFont subjectFont(titleFont);
        subjectFont.setBold(false);
        subjectFont.setPointSizeF(kTitlePoints * 0.75);
        subjectChars.setFont(subjectFont);
        cursor.insertBlock(subjectBlock, subjectChars);
        cursor.insertText(subject, subjectChars);
    }

    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertFragment(QTextDocumentFragment(&text));
}

}  // namespace

bool beginPages(QPagedPaintDevice& device, QPainter& painter, double marginMillimetres) {
    device.setPageMargins(
        QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
        QPageLayout::Millimeter);
    return painter.begin(&device);
}

bool printTitledText(const QString& title, const QTextDocument& text, QPagedPaintDevice& device,
                     const QString& subject) {
    QPainter painter;
    if (!beginPages(device, painter, kMarginMillimetres)) {
        return false;
    }

    QTextDocument printout;
    printout.documentLayout()->setPaintDevice(&device);  // fonts measured at the device's resolution
    fillPrintout(printout, title, subject, text);

    // The painter's origin is the top left corner of the area inside the margins.
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    printout.setPageSize(area.size());
    const int pages = printout.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        drawDocumentPage(painter, printout, page);
    }
    return painter.end();
}

void drawDocumentPage(QPainter& painter, const QTextDocument& document, int page) {
    const qreal pageHeight = document.pageSize().height();
    const qreal pageTop = page * pageHeight;
    painter.setPen(Qt::black);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QPointF origin = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = origin.y() + line.y();
            if (top >= pageTop && top < pageTop + pageHeight) {
                line.draw(&painter, origin - QPointF(0, pageTop));
            }
        }
    }
}

}  // namespace selenarc
