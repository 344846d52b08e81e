#pragma once

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace selenarc {

// Prints a centred title and then the whole document onto a printer or a PDF writer: 20 mm margins,
// lines never cut across pages, page breaks where the text fills a page. Returns false when the
// device cannot be painted on or refuses a new page; the document itself is left untouched.
bool printTitledText(const QString& title, const QTextDocument& text, QPagedPaintDevice& device);

}  // namespace selenarc
