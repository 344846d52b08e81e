#include "app/qt/pdf_report.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <array>
#include <ostream>
#include <vector>

#include "app/report_command.h"
#include "app/report_content.h"
#include "app/session.h"
#include "charts/planet_dial.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/sign_pictures.h"
#include "interpretation/assembly.h"
#include "interpretation/qt/text_printing.h"
#include "qt_support/message_box.h"
#include "qt_support/safe_file_write.h"

namespace selenarc {

namespace {

constexpr qreal kMarginMillimetres = 18;
constexpr qreal kFooterMillimetres = 8;  // kept free at the bottom of the text area for the page number
constexpr qreal kBodyPoints = 10;
constexpr qreal kFooterPoints = 8;
constexpr int kDialObject = QTextFormat::UserObject + 1;
constexpr int kDialIndex = QTextFormat::UserProperty + 1;

QFont sansSerif(qreal points, bool bold = false) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamilies(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// One cycle of the report.
struct Section {
    QString title;
    const ChartSurface* dial = nullptr;
    std::vector<std::string> cycles;
    std::vector<std::string> events;  // soli-lunar section only
    std::string text;                 // lines separated by "\r\n"
};

// A dial in the flow of the text, as wide as the text column, painted by the window's renderer:
// vectors on a PDF, the sign pictures from their SVG files.
class DialTextObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
  public:
    DialTextObject(std::vector<const ChartSurface*> dials, const SignPictures& pictures)
        : dials_(std::move(dials)), pictures_(pictures) {}

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const ChartSurface* dial = dialOf(format);
        if (!dial || dial->width <= 0) {
            return {};
        }
        // A little narrower than the column so that rounding never pushes it onto a line of its own.
        const qreal width = document->pageSize().width() - 4 * document->documentMargin();
        return {width, width * dial->height / dial->width};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        const ChartSurface* dial = dialOf(format);
        if (!dial || dial->width <= 0) {
            return;
        }
        painter->save();
        painter->translate(rect.topLeft());
        DialRenderer(&pictures_).paint(*painter, *dial, rect.width() / dial->width);
        painter->restore();
    }

  private:
    const ChartSurface* dialOf(const QTextFormat& format) const {
        const int index = format.intProperty(kDialIndex);
        return index >= 0 && index < static_cast<int>(dials_.size()) ? dials_[index] : nullptr;
    }

    std::vector<const ChartSurface*> dials_;
    const SignPictures& pictures_;
};

// Appends text blocks to the report in a few fixed styles.
class ReportWriter {
  public:
    explicit ReportWriter(QTextDocument& document) : cursor_(&document) {}

    void title(const QString& text, qreal points, bool pageBreak = false) {
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        block.setTopMargin(pageBreak ? 0 : points);
        block.setBottomMargin(points * 0.6);
        if (pageBreak) {
            block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        }
        append(text, block, sansSerif(points, true));
    }

    void heading(const QString& text) {
        QTextBlockFormat block;
        block.setTopMargin(kBodyPoints * 1.2);
        block.setBottomMargin(kBodyPoints * 0.4);
        append(text, block, sansSerif(kBodyPoints + 2, true));
    }

    void line(const QString& text, qreal indent = 0) {
        QTextBlockFormat block;
        block.setLeftMargin(indent);
        append(text, block, sansSerif(kBodyPoints));
    }

    void lines(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            line(QStringLiteral("• ") + fromUtf8(text), kBodyPoints);
        }
    }

    // A text whose lines end with "\r\n": one paragraph per line, blank lines kept as space.
    void plainText(const std::string& text) {
        QString all = fromUtf8(text);
        all.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
        for (const QString& paragraph : all.split(QChar('\n'))) {
            QTextBlockFormat block;
            block.setAlignment(Qt::AlignJustify);
            append(paragraph, block, sansSerif(kBodyPoints));
        }
    }

    // A row of a small table: the cells at fixed shares of the column width (tab stops), a header
    // row in bold. (The pages are drawn line by line, which a QTextTable's cells would escape.)
    void tableRow(const std::vector<QString>& cells, qreal columnWidth, bool header = false) {
        static constexpr std::array<qreal, 2> kStops{0.45, 0.78};
        QTextBlockFormat block;
        QList<QTextOption::Tab> tabs;
        for (const qreal stop : kStops) {
            tabs.append(QTextOption::Tab(stop * columnWidth, QTextOption::LeftTab));
        }
        block.setTabPositions(tabs);
        block.setBottomMargin(header ? kBodyPoints * 0.3 : 0);
        append(cells.empty() ? QString() : QStringList(cells.begin(), cells.end()).join(QChar('\t')), block,
               sansSerif(kBodyPoints, header));
    }

    void dial(int index) {
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        newBlock(block);
        QTextCharFormat object;
        object.setObjectType(kDialObject);
        object.setProperty(kDialIndex, index);
        cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }

  private:
    void newBlock(const QTextBlockFormat& block) {
        if (first_) {
            cursor_.setBlockFormat(block);
            first_ = false;
        } else {
            cursor_.insertBlock(block);
        }
    }

    void append(const QString& text, const QTextBlockFormat& block, const QFont& font) {
        newBlock(block);
        QTextCharFormat chars;
        chars.setFont(font);
        cursor_.setBlockCharFormat(chars);
        cursor_.insertText(text, chars);
    }

    QTextCursor cursor_;
    bool first_ = true;
};

std::array<Section, 3> sectionsOf(Session& session, const ParagraphSet& paragraphs) {
    const RunState& state = session.state();
    return {{
        {QStringLiteral("Cycle de vie"), &session.lunarSurface(),
         lunarCycleLines(session.lunar(), session.lunarChart().ShownLunarCycle), eventLines(session.events()),
         SoliLunarText(state, paragraphs)},
        {QStringLiteral("Cycle socio-professionnel"),
         &session.jupiterSurface(),
         planetCycleLines(session.jupiter(), session.shownJupiterCycle()),
         {},
         JupiterText(state, paragraphs)},
        {QStringLiteral("Cycle d'individuation"),
         &session.saturnSurface(),
         planetCycleLines(session.saturn(), session.shownSaturnCycle()),
         {},
         SaturnText(state, paragraphs)},
    }};
}

void fillReport(QTextDocument& document, const PersonRecord& person, const BirthClock& clock,
                const RunState& state, const std::vector<CurrentCycleRow>& current,
                const std::array<Section, 3>& sections) {
    ReportWriter report(document);
    report.title(QStringLiteral("Rapport Selenarc"), 20);
    report.title(fromUtf8(reportPersonName(person)), 16);
    report.heading(QStringLiteral("Naissance"));
    for (const std::string& text : birthLines(person, clock)) {
        report.line(fromUtf8(text));
    }
    report.heading(QStringLiteral("Signes de naissance"));
    report.lines(natalSignLines(state));
    report.heading(QStringLiteral("Les cycles d'aujourd'hui"));
    // Tab stops count pixels at 96 dots per inch, the page the device's pixels.
    const QPaintDevice* device = document.documentLayout()->paintDevice();
    const qreal width = document.pageSize().width() * 96 / (device ? device->logicalDpiX() : 96);
    report.tableRow({QStringLiteral("Cycle"), QStringLiteral("Période"), QStringLiteral("Aujourd'hui")},
                    width, true);
    for (const CurrentCycleRow& row : current) {
        report.tableRow({fromUtf8(row.cycle), fromUtf8(row.span), fromUtf8(row.today)}, width);
    }

    for (size_t i = 0; i < sections.size(); ++i) {
        const Section& section = sections[i];
        report.title(section.title, 16, true);
        report.dial(static_cast<int>(i));
        report.heading(QStringLiteral("Les cycles"));
        report.lines(section.cycles);
        if (!section.events.empty()) {
            report.heading(QStringLiteral("Personnes et événements"));
            report.lines(section.events);
        }
        report.heading(QStringLiteral("Interprétation"));
        report.plainText(section.text);
    }
}

QString documentTitle(const PersonRecord& person) {
    return QStringLiteral("Rapport Selenarc – %1").arg(fromUtf8(reportPersonName(person)));
}

}  // namespace

bool paintPdfReport(QPagedPaintDevice& device, Session& session, const PersonRecord& person) {
    const ParagraphSet* paragraphs = session.paragraphs();
    if (!paragraphs) {
        return false;
    }
    const std::array<Section, 3> sections = sectionsOf(session, *paragraphs);

    device.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter;
    if (!beginPages(device, painter, kMarginMillimetres)) {
        return false;
    }

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);  // fonts measured at the device's resolution
    DialTextObject dials({sections[0].dial, sections[1].dial, sections[2].dial},
                         SignPictures::ofDataFolder(session.programFolder()));
    document.documentLayout()->registerHandler(kDialObject, &dials);
    document.setDefaultFont(sansSerif(kBodyPoints));

    // The painter's origin is the top left corner of the area inside the margins.
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal footer = kFooterMillimetres / 25.4 * device.logicalDpiY();
    document.setPageSize(QSizeF(area.width(), area.height() - footer));
    fillReport(document, person, session.birth().clock, session.state(),
               currentCycleRows(session.lunar(), session.jupiter(), session.saturn(), session.state(),
                                session.today()),
               sections);

    const int pages = document.pageCount();
    const qreal pageHeight = document.pageSize().height();
    const QFont footerFont = sansSerif(kFooterPoints);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        drawDocumentPage(painter, document, page);

        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, pageHeight, area.width(), footer), Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("Page %1 / %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

QString writePdfReport(const QString& fileName, Session& session, const PersonRecord& person) {
    if (!session.computed()) {
        return QStringLiteral("aucun calcul n'a encore été fait.");
    }
    if (!session.paragraphs()) {
        return QStringLiteral("les textes d'interprétation sont illisibles.");
    }
    return writeFileAtomically(fileName, [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setTitle(documentTitle(person));
        writer.setCreator(QStringLiteral("Selenarc"));
        return paintPdfReport(writer, session, person)
                   ? QString()
                   : QStringLiteral("la mise en page du document a échoué.");
    });
}

bool writeReportPdf(Session& session, const ReportOptions& options, std::ostream& err) {
    if (options.pdfFile.empty()) {
        return true;
    }
    const QString fileName = fromUtf8(options.pdfFile);
    const QString reason = writePdfReport(fileName, session, options.person);
    if (reason.isEmpty()) {
        return true;
    }
    const Message message = fileWriteError(fileName, reason);
    err << fromUtf8(message.text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).toStdString() << '\n';
    return false;
}

void exportPdfReport(QWidget* parent, Session& session, const PersonRecord& person, const MessageSink& sink,
                     const PdfFileChooser& chooser) {
    const QString suggested =
        QDir::home().filePath(QStringLiteral("Rapport %1.pdf").arg(fromUtf8(reportPersonName(person))));
    QString fileName = chooser
                           ? chooser(parent, suggested)
                           : QFileDialog::getSaveFileName(parent, QStringLiteral("Exporter le rapport PDF"),
                                                          suggested, QStringLiteral("Documents PDF (*.pdf)"));
    if (fileName.isEmpty()) {
        return;
    }
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".pdf");
    }
    const QString reason = writePdfReport(fileName, session, person);
    if (!reason.isEmpty() && sink) {
        sink(fileWriteError(fileName, reason));
    }
}

}  // namespace selenarc

#include "pdf_report.moc"
