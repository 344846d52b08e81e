#pragma once

#include <functional>

#include "app/person_record.h"
#include "calendar/message_sink.h"

namespace selenarc {

// The answer to a question with "Oui", "Non" and "Annuler".
enum class Answer { Yes, No, Cancel };
using AskChoice = std::function<Answer(const Message& question)>;

// « Enregistrer les modifications de Prénom Nom ? », asked before the person is left.
Message saveChangesQuestion(const PersonRecord& person);

// The person as last saved or opened (at first, the empty entry fields), and what to do before
// leaving the person the fields hold now (quitting, opening another one).
class UnsavedChanges {
  public:
    explicit UnsavedChanges(PersonRecord saved = {}) : saved_(std::move(saved)) {}

    void markSaved(const PersonRecord& person) { saved_ = person; }

    // Changed since the last save or open; a person without any name is nothing to save.
    bool changed(const PersonRecord& now) const;

    // True when the caller may go on: nothing changed, "Non", or "Oui" and `save` succeeded.
    bool settle(const PersonRecord& now, const AskChoice& ask, const std::function<bool()>& save) const;

  private:
    PersonRecord saved_;
};

}  // namespace selenarc
