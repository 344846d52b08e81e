#pragma once

#include <QString>
#include <functional>
#include <iosfwd>

#include "app/person_record.h"
#include "calendar/message_sink.h"

class QPagedPaintDevice;
class QWidget;

namespace selenarc {

class Session;
struct ReportOptions;

// The client's document of the last run: a first page with the person, the birth data and the natal
// signs, then one section per cycle (its title, the dial as last drawn, painted as vectors, the cycle
// list with dates and ages, the persons and events on the soli-lunar one, the interpretation text).
// A4, 18 mm margins, "Page n / N" at the foot of every page.

// Lays the report out on a PDF writer or a printer. False when the device refuses to be painted on
// or to turn a page.
bool paintPdfReport(QPagedPaintDevice& device, Session& session, const PersonRecord& person);

// Writes the report through a temporary file renamed at the end. Returns "" or the French reason
// (nothing computed yet, texts unreadable, file not writable).
QString writePdfReport(const QString& fileName, Session& session, const PersonRecord& person);

// The --pdf output of the report command: nothing to do without --pdf; a failure is written to `err`.
bool writeReportPdf(Session& session, const ReportOptions& options, std::ostream& err);

// "Exporter le rapport PDF...": asks for the file (the chooser returns "" when cancelled), adds
// ".pdf" when the name has no extension, writes the report and hands a failure to `sink`.
using PdfFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
void exportPdfReport(QWidget* parent, Session& session, const PersonRecord& person, const MessageSink& sink,
                     const PdfFileChooser& chooser = {});

}  // namespace selenarc
