#pragma once

#include <QWidget>

#include "calendar/message_sink.h"
#include "qt_support/qt_text.h"

namespace selenarc {

// Shows a message as a modal QMessageBox with an OK button, the icon and title it carries.
void showMessageBox(QWidget* parent, const Message& message);

// A modal question with the buttons "Oui" and "Non" ("Non" by default); true for "Oui".
bool askYesNo(QWidget* parent, const Message& question);

// A sink that shows every message in a box over `parent`.
MessageSink messageBoxSink(QWidget* parent);

}  // namespace selenarc
