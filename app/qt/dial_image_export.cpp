#include "app/qt/dial_image_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "charts/qt/dial_renderer.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "qt_support/safe_file_write.h"

namespace selenarc {

namespace {

QString writePng(QIODevice& file, const ChartSurface& surface, const SignPictures* pictures) {
    const QImage image = renderDialImage(surface, pictures, kPngZoom);
    if (image.isNull()) {
        return QStringLiteral("l'image n'a pas pu être dessinée.");
    }
    return image.save(&file, "PNG") ? QString() : QStringLiteral("l'écriture de l'image PNG a échoué.");
}

// Vectors at the on-screen size (1 unit = 1 pixel at 100 %), as the renderer paints them.
QString writeSvg(QIODevice& file, const ChartSurface& surface, const SignPictures* pictures) {
    const double scale = DialRenderer::kPixelsPerTwip;
    const QSize size(static_cast<int>(std::ceil(surface.width * scale)),
                     static_cast<int>(std::ceil(surface.height * scale)));
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("Selenarc"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return QStringLiteral("l'écriture de l'image SVG a échoué.");
    }
    DialRenderer(pictures).paint(painter, surface, scale);
    return painter.end() ? QString() : QStringLiteral("l'écriture de l'image SVG a échoué.");
}

}  // namespace

std::optional<DialImageFormat> dialImageFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return DialImageFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return DialImageFormat::Svg;
    }
    return std::nullopt;
}

QString writeDialImage(const QString& fileName, const ChartSurface& surface, const SignPictures* pictures) {
    const auto format = dialImageFormatOf(fileName);
    if (!format) {
        return QStringLiteral("extension inconnue, « .png » ou « .svg » attendue.");
    }
    if (surface.width <= 0 || surface.height <= 0) {
        return QStringLiteral("le cadran est vide.");
    }
    return writeFileAtomically(fileName, [&](QIODevice& file) {
        return *format == DialImageFormat::Png ? writePng(file, surface, pictures)
                                               : writeSvg(file, surface, pictures);
    });
}

void saveDialImage(DialWidget& dial, const MessageSink& sink, const ImageFileChooser& chooser) {
    const QString suggested =
        QDir::home().filePath((dial.objectName().isEmpty() ? QStringLiteral("cadran") : dial.objectName()) +
                              QStringLiteral(".png"));
    QString fileName =
        chooser ? chooser(&dial, suggested)
                : QFileDialog::getSaveFileName(&dial, QString::fromUtf8(kSaveImageAction), suggested,
                                               QStringLiteral("Image PNG (*.png);;Image SVG (*.svg)"));
    if (fileName.isEmpty()) {
        return;
    }
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".png");
    }
    const QString reason = writeDialImage(fileName, dial.surface(), dial.pictures());
    if (!reason.isEmpty() && sink) {
        sink(fileWriteError(fileName, reason));
    }
}

void installDialImageMenu(DialWidget* dial, MessageSink sink, ImageFileChooser chooser) {
    dial->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(dial, &QWidget::customContextMenuRequested, dial,
                     [dial, sink = std::move(sink), chooser = std::move(chooser)](const QPoint& position) {
                         QMenu menu(dial);
                         QAction* save = menu.addAction(QString::fromUtf8(kSaveImageAction));
                         QObject::connect(save, &QAction::triggered, dial,
                                          [dial, &sink, &chooser] { saveDialImage(*dial, sink, chooser); });
                         menu.exec(dial->mapToGlobal(position));
                     });
}

}  // namespace selenarc
