#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace selenarc::fuzz {

void reportFinding(const char* condition, const char* file, int line, std::string_view detail) {
    std::string what = std::string(file) + ":" + std::to_string(line) + ": " + condition;
    if (!detail.empty()) {
        what.append(" -- ").append(detail);
    }
#ifdef SELENARC_FUZZ_REPLAY
    throw Finding(what);
#else
    std::fprintf(stderr, "FUZZ FINDING %s\n", what.c_str());
    std::abort();
#endif
}

std::map<std::string, Target>& registeredTargets() {
    static std::map<std::string, Target> targets;
    return targets;
}

}  // namespace selenarc::fuzz
