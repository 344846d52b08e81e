#pragma once

#include <string>

namespace selenarc {

class Session;

// Every result the window shows after a run, as one JSON object keyed by the values' names.
std::string reportJson(Session& session);

}  // namespace selenarc
