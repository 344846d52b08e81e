#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "app/person_file_storage.h"

class QListWidget;

namespace selenarc {

// What the "Ouvrir" window does to the main window.
struct OpenTarget {
    std::function<void()> effacer;                       // clears the main window
    std::function<PersonRecord()> person;                // the entry fields as they are now
    std::function<void(const PersonRecord&)> setPerson;  // fills the entry fields
    std::function<void()> lancer;                        // run sequence, then the persons/events
    // The file just opened and its bytes (a later save replaces it without asking).
    std::function<void(const std::filesystem::path&, const std::string&)> opened;
};

// The "Ouvrir" window: the saved persons, listed once when the window is created. One instance,
// shown without blocking, destroyed after "Ouvrir" or "Abandonner".
class OpenWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows the existing window, or creates it (and lists the folder's files).
    static OpenWindow* showOpen(const DataFolder& folder, OpenTarget target, MessageSink sink);
    static OpenWindow* existing();

    // "Ouvrir" (and a double-click on a line): clears the main window, loads the selected person,
    // reruns everything, closes this window. With no line selected it only closes this window; a file
    // that cannot be read or is no person file is only reported: the main window stays as it was.
    void ouvrir();
    // "Abandonner": closes this window, nothing else.
    void abandonner();

  private:
    OpenWindow(const DataFolder& folder, OpenTarget target, MessageSink sink);
    // The bytes of the entry's file when it is a person file; nothing after a message otherwise.
    // Problems of a damaged but readable file are shown too.
    std::optional<std::string> read(const PersonListEntry& entry);

    DataFolder folder_;
    OpenTarget target_;
    MessageSink sink_;
    std::vector<PersonListEntry> entries_;  // one per line of the list, same order
    QListWidget* List1_ = nullptr;
    bool opening_ = false;
};

}  // namespace selenarc
