#pragma once

#include <QWidget>

#include "calendar/message_sink.h"

namespace selenarc {

// Shows a message as a modal QMessageBox with an OK button, the icon and title it carries.
void showMessageBox(QWidget* parent, const Message& message);

// A modal question with the buttons "Oui" and "Non" ("Non" by default); true for "Oui".
bool askYesNo(QWidget* parent, const Message& question);

// A sink that shows every message in a box over `parent`.
MessageSink messageBoxSink(QWidget* parent);

QString fromUtf8(const std::string& text);
std::string toUtf8(const QString& text);

}  // namespace selenarc
