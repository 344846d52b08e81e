#pragma once

#include <QString>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace selenarc {

// Prints a centred title, the `subject` line under it when given, and then the whole document onto a printer
// or a PDF writer: 20 mm margins, lines never cut across pages, page breaks where the text fills a page.
// Returns false when the device cannot be painted on or refuses a new page; the document itself is left
// untouched.
bool printTitledText(const QString& title, const QTextDocument& text, QPagedPaintDevice& device,
                     const QString& subject = {});

// Sets equal margins on the device and opens the painter on it; false when the device refuses.
bool beginPages(QPagedPaintDevice& device, QPainter& painter, double marginMillimetres);

// Draws the lines of a paginated document that lie on one page (0-based), each line once, with the
// page's top at the painter's origin. (Drawing the document clipped to the page would also emit,
// hidden by the clip, the last line of the previous page, which text extraction and a viewer's
// search would then find twice.)
void drawDocumentPage(QPainter& painter, const QTextDocument& document, int page);

}  // namespace selenarc
