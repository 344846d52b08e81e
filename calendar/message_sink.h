#pragma once

#include <functional>
#include <string>

namespace selenarc {

// The computations never show a message themselves: they hand it to a sink that the
// window turns into a message box and the tests or the report command collect.
enum class MessageIcon { None, Exclamation, Information, Question };

struct Message {
    std::string text;   // UTF-8, line breaks as "\r\n"
    std::string title;  // "Erreur", "Selenarc", ...
    MessageIcon icon = MessageIcon::None;
};

using MessageSink = std::function<void(const Message&)>;

// Hands a message to the sink; an empty sink means nobody listens, so the message is dropped.
inline void tell(const MessageSink& sink, const Message& message) {
    if (sink) {
        sink(message);
    }
}

// Title of the calendar routines' own message boxes.
inline constexpr const char* kProgramTitle = "Selenarc";

}  // namespace selenarc
