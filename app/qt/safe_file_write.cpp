#include "app/qt/safe_file_write.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace selenarc {

namespace {

// Why the temporary file beside the target could not be created, in the user's terms.
QString openFailureReason(const QString& fileName, const QSaveFile& file) {
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) {
        return QStringLiteral("le dossier « %1 » n'existe pas.")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    }
    if (!folder.isWritable()) {
        return QStringLiteral("écriture interdite dans le dossier « %1 ».")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    }
    return QStringLiteral("création impossible (%1).").arg(file.errorString());
}

}  // namespace

QString writeFileAtomically(const QString& fileName, const std::function<QString(QIODevice&)>& fill) {
    if (fileName.isEmpty()) {
        return QStringLiteral("aucun nom de fichier.");
    }
    if (QFileInfo(fileName).isDir()) {
        return QStringLiteral("c'est un dossier.");
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return openFailureReason(fileName, file);
    }
    const QString reason = fill(file);
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return QStringLiteral("l'enregistrement a échoué (%1).").arg(file.errorString());
    }
    return {};
}

Message fileWriteError(const QString& fileName, const QString& reason) {
    const QString text = QStringLiteral("Impossible d'écrire le fichier « %1 » :\r\n%2")
                             .arg(QDir::toNativeSeparators(fileName), reason);
    return Message{text.toStdString(), "Erreur", MessageIcon::Exclamation};
}

}  // namespace selenarc
