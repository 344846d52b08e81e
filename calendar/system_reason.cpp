#include "calendar/system_reason.h"

#include <cerrno>
#include <utility>

namespace selenarc {

std::string frenchSystemReason(std::error_code error) {
    static const std::pair<std::errc, const char*> kReasons[] = {
        {std::errc::no_space_on_device, "plus de place sur le disque"},
        {std::errc::file_too_large, "fichier trop grand pour le disque"},
        {std::errc::no_such_file_or_directory, "dossier ou fichier introuvable"},
        {std::errc::permission_denied, "accès refusé"},
        {std::errc::operation_not_permitted, "accès refusé"},
        {std::errc::read_only_file_system, "support en lecture seule"},
        {std::errc::not_a_directory, "un élément du chemin n'est pas un dossier"},
        {std::errc::is_a_directory, "un dossier porte ce nom"},
        {std::errc::filename_too_long, "nom de fichier trop long"},
        {std::errc::too_many_symbolic_link_levels, "trop de liens symboliques"},
        {std::errc::file_exists, "un fichier porte déjà ce nom"},
        {std::errc::io_error, "erreur d'entrée-sortie du disque"},
        {std::errc::too_many_files_open, "trop de fichiers ouverts"},
        {std::errc::too_many_files_open_in_system, "trop de fichiers ouverts"},
        {std::errc::not_enough_memory, "mémoire insuffisante"},
        {std::errc::device_or_resource_busy, "fichier ou disque occupé"},
        {std::errc::text_file_busy, "fichier occupé"},
        {std::errc::no_such_device_or_address, "périphérique absent"},
        {std::errc::no_such_device, "périphérique absent"},
        {std::errc::cross_device_link, "le fichier est sur un autre disque"},
        {std::errc::invalid_argument, "nom ou opération invalide"},
        {std::errc::resource_unavailable_try_again, "ressource momentanément indisponible"},
        {std::errc::interrupted, "opération interrompue"},
        {std::errc::broken_pipe, "la sortie a été fermée"},
    };
    for (const auto& [code, reason] : kReasons) {
        if (error == code) {
            return reason;
        }
    }
#ifdef EDQUOT
    if (error == std::error_condition(EDQUOT, std::generic_category())) {
        return "quota de disque dépassé";
    }
#endif
    return error ? "erreur du système (code " + std::to_string(error.value()) + ")" : "erreur d'écriture";
}

std::string frenchSystemReason(int errnoValue) {
    return frenchSystemReason(std::error_code(errnoValue, std::generic_category()));
}

}  // namespace selenarc
