#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace selenarc::fuzz {

void reportFinding(const char* condition, const char* file, int line, std::string_view detail) {
    const std::string what =
        std::string(file) + ":" + std::to_string(line) + ": " + condition + " -- " + std::string(detail);
#ifdef SELENARC_FUZZ_REPLAY
    throw Finding(what);
#else
    std::fprintf(stderr, "FUZZ FINDING %s\n", what.c_str());
    std::abort();
#endif
}

}  // namespace selenarc::fuzz
