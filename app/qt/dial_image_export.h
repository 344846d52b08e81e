#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "calendar/message_sink.h"
#include "charts/chart_surface.h"

class QWidget;

namespace selenarc {

class DialWidget;
class SignPictures;

enum class DialImageFormat { Png, Svg };

// The format a file name asks for by its extension (".png", ".svg", any case); nothing otherwise.
std::optional<DialImageFormat> dialImageFormatOf(const QString& fileName);

// PNG pixels per twip: twice the dial's on-screen size at 100 %.
inline constexpr double kPngZoom = 2.0;

// Writes the dial as a PNG image (zoom kPngZoom) or as SVG vectors, chosen by the extension, through a
// temporary file renamed at the end. Returns "" or the French reason of the failure.
QString writeDialImage(const QString& fileName, const ChartSurface& surface, const SignPictures* pictures);

// Asks for an image file name; "" when cancelled.
using ImageFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;

// "Enregistrer l'image...": asks for the file (".png" added to a name without extension), writes the
// dial as it is shown (with the program's sign pictures) and hands a failure ("Erreur", the file and the
// reason) to `sink`.
void saveDialImage(DialWidget& dial, const MessageSink& sink, const ImageFileChooser& chooser = {});

// The dial's context menu holding "Enregistrer l'image...".
void installDialImageMenu(DialWidget* dial, MessageSink sink, ImageFileChooser chooser = {});

inline constexpr const char* kSaveImageAction = "Enregistrer l'image...";

}  // namespace selenarc
