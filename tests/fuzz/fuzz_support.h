#pragma once

// Shared by every fuzz target. A target is a function `int f(const uint8_t*, size_t)` that feeds the
// bytes to one reader and checks what must hold whatever the input; SELENARC_FUZZ_TARGET turns it into
// libFuzzer's entry point, or, in the replay build (SELENARC_FUZZ_REPLAY), registers it so that a
// QtTest can run every seed of the corpus through it in the ordinary test suites.

#include <cstddef>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/message_sink.h"

namespace selenarc::fuzz {

using Target = int (*)(const uint8_t* data, size_t size);

// A property that did not hold: thrown in the replay build, which reports it.
using Finding = std::runtime_error;

// Stops the run on a broken property: abort() under libFuzzer (the input is saved as a crash
// artifact), a Finding in the replay build.
[[noreturn]] void reportFinding(const char* condition, const char* file, int line, std::string_view detail);

inline std::string_view asText(const uint8_t* data, size_t size) {
    return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), size);
}

// The input cut at each NUL byte (an input without NUL is one piece).
inline std::vector<std::string> splitAtNul(std::string_view text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find('\0', start)) != std::string_view::npos; start = end + 1) {
        pieces.emplace_back(text.substr(start, end - start));
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

// A message sink that collects what a routine sends into `messages`.
inline MessageSink collectInto(std::vector<Message>& messages) {
    return [&messages](const Message& message) { messages.push_back(message); };
}

// A reader that refused its input must say why with `prefix` (naming file and line); true then.
template <class Read>
bool refusedWith(const Read& read, const std::string& error, std::string_view prefix);

// Targets registered in the replay build, by corpus folder name.
inline std::map<std::string, Target>& registeredTargets() {
    static std::map<std::string, Target> targets;
    return targets;
}

}  // namespace selenarc::fuzz

// The detail is built only when the condition fails.
#define FUZZ_EXPECT(condition, detail) \
    ((condition) ? void() : ::selenarc::fuzz::reportFinding(#condition, __FILE__, __LINE__, (detail)))

template <class Read>
bool selenarc::fuzz::refusedWith(const Read& read, const std::string& error, std::string_view prefix) {
    FUZZ_EXPECT(bool(read) != error.starts_with(prefix), error);
    return !read;
}

#ifdef SELENARC_FUZZ_REPLAY
#define SELENARC_FUZZ_TARGET(corpusName, function)            \
    [[maybe_unused]] static const bool registeredFuzzTarget = \
        ::selenarc::fuzz::registeredTargets().emplace(corpusName, function).second;
#else
#define SELENARC_FUZZ_TARGET(corpusName, function)                            \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
        return function(data, size);                                          \
    }
#endif
