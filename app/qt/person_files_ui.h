#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/data_folder.h"
#include "app/person_file_save.h"
#include "app/qt/open_window.h"
#include "calendar/message_sink.h"

namespace selenarc {

class MainWindow;

// The per-user data folder as the desktop gives it (UTF-8): the roaming application data on
// Windows, XDG_DATA_HOME or ~/.local/share elsewhere. Empty when unknown.
std::string dataFolderBase();

// Writes a person file's bytes through writeFileAtomically; `unchanged` is asked before the rename.
// `midway`, when given, is called once half of the bytes are written (a test holds a writer there).
std::string replacePersonFile(const std::filesystem::path& target, std::string_view bytes,
                              const std::function<bool()>& unchanged,
                              const std::function<void()>& midway = {});

// The "Ouvrir" window's hold on the main window; safe if the main window goes first. `saving`
// learns which file was opened.
OpenTarget openTargetFor(MainWindow& window, std::shared_ptr<PersonFileSaving> saving = {});

// Wires the menu entries "&Ouvrir..." (m_ouvrir) and "&Sauvegarder" (m_sauce) of `window` to the
// person files of `folder`, and the saving that the question about unsaved changes offers; messages go
// to `sink` and questions to `ask` (boxes over the window when empty).
void connectPersonFileMenus(MainWindow& window, const DataFolder& folder, MessageSink sink = {},
                            AskQuestion ask = {});

}  // namespace selenarc
