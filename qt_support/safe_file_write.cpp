#include "qt_support/safe_file_write.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

#include "calendar/system_reason.h"

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
    if (target.exists() && !target.isWritable()) {
        return QStringLiteral("le fichier existant est protégé en écriture.");
    }
    return QStringLiteral("création impossible (%1).").arg(frenchFileError(file));
}

}  // namespace

QString frenchFileError(const QFileDevice& file) {
    // Qt words a system failure with qt_error_string(errno): find the code whose wording it holds
    // (the longest, as "No such device" is part of "No such device or address").
    const QString text = file.errorString();
    int code = 0;
    qsizetype matched = 0;
    for (int candidate = 1; candidate < 256; ++candidate) {
        const QString wording = qt_error_string(candidate);
        if (wording.size() > matched && text.contains(wording)) {
            code = candidate;
            matched = wording.size();
        }
    }
    if (code != 0) {
        return QString::fromStdString(frenchSystemReason(code));
    }
    static const std::pair<QFileDevice::FileError, const char*> kByKind[] = {
        {QFileDevice::ReadError, "erreur de lecture"},
        {QFileDevice::WriteError, "erreur d'écriture"},
        {QFileDevice::OpenError, "ouverture impossible"},
        {QFileDevice::PermissionsError, "accès refusé"},
        {QFileDevice::ResourceError, "ressources du système épuisées (disque plein ?)"},
        {QFileDevice::AbortError, "écriture abandonnée"},
    };
    for (const auto& [kind, reason] : kByKind) {
        if (file.error() == kind) {
            return QString::fromUtf8(reason);
        }
    }
    return QStringLiteral("erreur du système de fichiers");
}

QString writeBytes(QIODevice& file, std::string_view bytes) {
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size())) {
        return {};
    }
    const auto* onDisk = qobject_cast<QFileDevice*>(&file);
    return QStringLiteral("l'écriture a échoué (%1).")
        .arg(onDisk ? frenchFileError(*onDisk) : QStringLiteral("erreur d'écriture"));
}

QString writeFileAtomically(const QString& fileName, const std::function<QString(QIODevice&)>& fill,
                            const std::function<QString()>& beforeReplace) {
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
    QString reason = fill(file);
    if (reason.isEmpty() && !file.flush()) {
        reason = QStringLiteral("l'écriture a échoué (%1).").arg(frenchFileError(file));
    }
    if (reason.isEmpty() && beforeReplace) {
        reason = beforeReplace();
    }
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    // commit() flushes the temporary file to disk before renaming it.
    if (!file.commit()) {
        return QStringLiteral("l'enregistrement a échoué (%1).").arg(frenchFileError(file));
    }
    return {};
}

Message fileWriteError(const QString& fileName, const QString& reason) {
    const QString text = QStringLiteral("Impossible d'écrire le fichier « %1 » :\r\n%2")
                             .arg(QDir::toNativeSeparators(fileName), reason);
    return Message{text.toStdString(), "Erreur", MessageIcon::Exclamation};
}

}  // namespace selenarc
