#include "app/entry_validation.h"

#include "calendar/entry_checks.h"
#include "calendar/text.h"

namespace selenarc {

std::optional<EntryFailure> checkEntries(const PersonRecord& person) {
    if (trimmed(person.firstName).empty()) {
        return EntryFailure{EntryField::FirstName, "Le prénom doit être saisi"};
    }
    if (trimmed(person.lastName).empty()) {
        return EntryFailure{EntryField::LastName, "Le nom doit être saisi"};
    }
    if (const std::string message = CheckDateText(person.birthDate); !message.empty()) {
        return EntryFailure{EntryField::BirthDate, "Date de naissance : " + message};
    }
    if (const std::string message = CheckTimeText(person.birthTime); !message.empty()) {
        return EntryFailure{EntryField::BirthTime, "Heure de naissance : " + message};
    }
    return std::nullopt;
}

std::optional<std::string> forbiddenNameMessage(const PersonRecord& person) {
    if (hasForbiddenNameCharacter(person.firstName)) {
        return kFirstNameForbiddenMessage;
    }
    if (hasForbiddenNameCharacter(person.lastName)) {
        return kLastNameForbiddenMessage;
    }
    return std::nullopt;
}

}  // namespace selenarc
