#pragma once

#include <string>

#include "app/data_folder.h"
#include "app/qt/open_window.h"
#include "calendar/message_sink.h"

namespace selenarc {

class MainWindow;

// The per-user data folder as the desktop gives it (UTF-8): the roaming application data on
// Windows, XDG_DATA_HOME or ~/.local/share elsewhere. Empty when unknown.
std::string dataFolderBase();

// The "Ouvrir" window's hold on the main window; safe if the main window goes first.
OpenTarget openTargetFor(MainWindow& window);

// Wires the menu entries "&Ouvrir..." (m_ouvrir) and "&Sauvegarder" (m_sauce) of `window` to the
// person files of `folder`; messages go to `sink` (message boxes over the window when empty).
void connectPersonFileMenus(MainWindow& window, const DataFolder& folder, MessageSink sink = {});

}  // namespace selenarc
