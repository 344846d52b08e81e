#include "app/unsaved_changes.h"

#include "app/report_content.h"
#include "calendar/text.h"

namespace selenarc {

Message saveChangesQuestion(const PersonRecord& person) {
    // A no-break space keeps the question mark with the name.
    return {"Enregistrer les modifications de " + reportPersonName(person) + "\u00A0?", "Selenarc",
            MessageIcon::Question};
}

bool UnsavedChanges::changed(const PersonRecord& now) const {
    if (trimmed(now.firstName).empty() && trimmed(now.lastName).empty()) {
        return false;
    }
    return !(now == saved_);
}

bool UnsavedChanges::settle(const PersonRecord& now, const AskChoice& ask,
                            const std::function<bool()>& save) const {
    if (!changed(now) || !ask) {
        return true;
    }
    switch (ask(saveChangesQuestion(now))) {
        case Answer::Yes:
            return save && save();
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

}  // namespace selenarc
