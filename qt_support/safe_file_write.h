#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "calendar/message_sink.h"

class QFileDevice;
class QIODevice;

namespace selenarc {

// Fills a file through a temporary one in the same folder (uniquely named, created exclusively),
// flushed to disk and renamed over the target only when `fill` succeeded and `beforeReplace`, asked
// last, gives "": a failure leaves no partial file and an older file untouched. `fill` and
// `beforeReplace` return "" or the reason they failed. Returns "" or the French reason of the failure.
QString writeFileAtomically(const QString& fileName, const std::function<QString(QIODevice&)>& fill,
                            const std::function<QString()>& beforeReplace = {});

// Writes all of `bytes` into `file`: "" or the French reason of the failure.
QString writeBytes(QIODevice& file, std::string_view bytes);

// The French reason of a file's last failure ("plus de place sur le disque", "accès refusé", ...), never
// the system's English text.
QString frenchFileError(const QFileDevice& file);

// The message of a failed write: title "Erreur", the file's name and the reason.
Message fileWriteError(const QString& fileName, const QString& reason);

}  // namespace selenarc
