#include "app/person_file_save.h"

#include <optional>

#include "app/person_file.h"
#include "app/person_file_storage.h"
#include "calendar/text.h"

namespace selenarc {

namespace {

Message errorMessage(std::string text) {
    return {std::move(text), "Erreur", MessageIcon::Exclamation};
}

// What lies at the person file's place: nothing, a regular file and its bytes, or something that
// must not be replaced (the message says what).
struct FileAtPlace {
    bool regular = false;
    std::string bytes;
    std::string refusal;
};

FileAtPlace fileAtPlace(const std::filesystem::path& target) {
    std::error_code error;
    const auto kind = std::filesystem::symlink_status(target, error).type();
    if (kind == std::filesystem::file_type::not_found) {
        return {};
    }
    if (kind == std::filesystem::file_type::symlink) {
        return {false,
                {},
                quotedPath(target) +
                    " est un lien symbolique : une fiche n'est jamais remplacée à travers un lien."};
    }
    if (kind != std::filesystem::file_type::regular) {
        return {false, {}, quotedPath(target) + " n'est pas un fichier ordinaire : il n'est pas remplacé."};
    }
    std::string reason;
    auto bytes = readPersonFileBytes(target, reason);
    if (!bytes) {
        return {false, {}, reason};
    }
    return {true, std::move(*bytes), {}};
}

bool samePlace(const FileAtPlace& a, const FileAtPlace& b) {
    return a.refusal.empty() && b.refusal.empty() && a.regular == b.regular && a.bytes == b.bytes;
}

// The birth date a file's bytes hold, as its "DNA=" line gives it (trimmed); nothing when unreadable.
std::optional<std::string> birthDateIn(const std::string& bytes) {
    PersonRecord held;
    held.birthDate.clear();
    if (!applyPersonFileContent(bytes, held).readable) {
        return std::nullopt;
    }
    return std::string(trimmed(held.birthDate));
}

// The message refusing a name part, or "".
std::string nameRefusal(const char* field, const std::string& name) {
    const auto characters = charactersOutsideCodePage(name);
    if (characters.empty()) {
        return {};
    }
    std::string list;
    for (const std::string& c : characters) {
        list += (list.empty() ? "« " : ", « ") + c + " »";
    }
    return "Enregistrement impossible : " + std::string(field) + " « " + name +
           " » contient des caractères qu'un nom de fiche ne peut pas garder : " + list +
           ".\r\nÉcrivez-le en lettres latines.";
}

}  // namespace

bool savePersonFile(const PersonRecord& person, const DataFolder& folder, const MessageSink& sink,
                    PersonFileSaving& saving) {
    const auto fail = [&sink](std::string text) {
        tell(sink, errorMessage(std::move(text)));
        return false;
    };
    if (!folder.usable) {
        return fail("Enregistrement impossible : le dossier des fiches " + quotedPath(folder.path) +
                    " n'a pas pu être créé.");
    }
    for (const auto& [field, name] : {std::pair{"le prénom", std::string(trimmed(person.firstName))},
                                      std::pair{"le nom", std::string(trimmed(person.lastName))}}) {
        if (std::string refusal = nameRefusal(field, name); !refusal.empty()) {
            return fail(std::move(refusal));
        }
    }
    const auto target = folder.path / pathFromUtf8(personFileName(person));
    const FileAtPlace before = fileAtPlace(target);
    if (!before.refusal.empty()) {
        return fail("Le fichier " + quotedPath(target) + " n'a pas pu être enregistré :\r\n" +
                    before.refusal);
    }
    const std::string birthDate(trimmed(person.birthDate));
    const bool own = target == saving.ownFile && before.bytes == saving.ownBytes;
    if (before.regular && !own) {
        if (const auto held = birthDateIn(before.bytes); held != birthDate) {
            const std::string question =
                "La fiche " + quotedPath(target.filename()) + " existe déjà pour une autre personne" +
                (held && !held->empty() ? ", née le " + *held : "") +
                ".\r\nRemplacer cette fiche par celle de la personne née le " + birthDate + " ?";
            if (!saving.ask || !saving.ask({question, "Enregistrement", MessageIcon::Question})) {
                return false;
            }
        }
    }
    const std::string bytes = encodePersonFile(person);
    const std::string reason = saving.replaceFile(
        target, bytes, [&target, &before] { return samePlace(fileAtPlace(target), before); });
    if (!reason.empty()) {
        return fail("Le fichier " + quotedPath(target) + " n'a pas pu être enregistré : " + reason);
    }
    // Another program may have replaced the file since: success only for the record just written.
    const FileAtPlace after = fileAtPlace(target);
    if (!after.regular || after.bytes != bytes) {
        return fail(
            "Le fichier " + quotedPath(target) +
            " a été remplacé par un autre enregistrement pendant celui-ci : cette fiche-ci n'y est pas."
            "\r\nEnregistrez de nouveau.");
    }
    saving.ownFile = target;
    saving.ownBytes = bytes;
    tell(sink, {"Enregistrement effectué", "Enregistrement", MessageIcon::Information});
    return true;
}

}  // namespace selenarc
