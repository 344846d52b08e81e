#include "app/entry_validation.h"

#include "calendar/entry_checks.h"
#include "calendar/text.h"

namespace selenarc {

std::optional<EntryFailure> checkEntries(const PersonRecord& person) {
    if (trimmed(person.t_prenom).empty()) {
        return EntryFailure{EntryField::FirstName, "Le prénom doit être saisi"};
    }
    if (trimmed(person.t_nom).empty()) {
        return EntryFailure{EntryField::LastName, "Le nom doit être saisi"};
    }
    if (const std::string message = CheckDateText(person.Text1); !message.empty()) {
        return EntryFailure{EntryField::BirthDate, "Date de naissance : " + message};
    }
    if (const std::string message = CheckTimeText(person.Text2); !message.empty()) {
        return EntryFailure{EntryField::BirthTime, "Heure de naissance : " + message};
    }
    return std::nullopt;
}

std::optional<std::string> forbiddenNameMessage(const PersonRecord& person) {
    if (hasForbiddenNameCharacter(person.t_prenom)) {
        return kFirstNameForbiddenMessage;
    }
    if (hasForbiddenNameCharacter(person.t_nom)) {
        return kLastNameForbiddenMessage;
    }
    return std::nullopt;
}

}  // namespace selenarc
