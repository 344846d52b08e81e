#pragma once

#include <QString>
#include <functional>

#include "calendar/message_sink.h"

class QIODevice;

namespace selenarc {

// Fills a file through a temporary one in the same folder, renamed over the target only when `fill`
// succeeded: a failure leaves no partial file and an older file untouched. `fill` returns "" or the
// reason it failed. Returns "" or the French reason of the failure.
QString writeFileAtomically(const QString& fileName, const std::function<QString(QIODevice&)>& fill);

// The message of a failed write: title "Erreur", the file's name and the reason.
Message fileWriteError(const QString& fileName, const QString& reason);

}  // namespace selenarc
