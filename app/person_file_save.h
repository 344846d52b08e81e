#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/data_folder.h"
#include "app/person_record.h"
#include "calendar/message_sink.h"

namespace selenarc {

// Writes `bytes` whole at `target` through a uniquely named temporary file, created exclusively and
// flushed to disk, then renamed over `target`; `unchanged` is asked just before the rename, and when
// it says false nothing is replaced. Returns "" or the French reason of the failure.
using ReplaceFile = std::function<std::string(const std::filesystem::path& target, std::string_view bytes,
                                              const std::function<bool()>& unchanged)>;
// A yes/no question; true for yes.
using AskQuestion = std::function<bool(const Message& question)>;

// What "&Sauvegarder" needs beyond the person: the disk, the questions, and the file this window last
// opened or saved (replaced without asking while it still holds what the window saw there).
struct PersonFileSaving {
    ReplaceFile replaceFile;
    AskQuestion ask;
    std::filesystem::path ownFile;
    std::string ownBytes;

    // Records a file opened from this window.
    void opened(const std::filesystem::path& file, std::string bytes) {
        ownFile = file;
        ownBytes = std::move(bytes);
    }
};

// "&Sauvegarder": writes the person's file into the data folder and reports the outcome through `sink`
// ("Enregistrement effectué", or an "Erreur" naming the file and the reason). Refuses names holding
// characters a file name cannot keep, and never writes through a symbolic link. Asks before replacing
// a file that holds another birth date, unless it is the window's own. Reports success only when the
// file on disk is the record just written. True when saved.
bool savePersonFile(const PersonRecord& person, const DataFolder& folder, const MessageSink& sink,
                    PersonFileSaving& saving);

}  // namespace selenarc
