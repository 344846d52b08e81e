#pragma once

#include <optional>
#include <string>

#include "app/person_record.h"

namespace selenarc {

// The field "Calculer" puts the focus back into when a check fails.
enum class EntryField { FirstName, LastName, BirthDate, BirthTime, BirthPlace };

struct EntryFailure {
    EntryField field;
    std::string message;  // shown in a box titled "Erreur" with an exclamation icon
};

// The four checks of "Calculer", in order: first name, last name, date, time; the first failure wins.
std::optional<EntryFailure> checkEntries(const PersonRecord& person);

// The refusal of a name holding a forbidden character, as the window gives it (the first name's
// before the last name's); nothing when both names are clean.
std::optional<std::string> forbiddenNameMessage(const PersonRecord& person);

}  // namespace selenarc
