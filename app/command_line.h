#pragma once

#include <string>
#include <vector>

#include "app/report_command.h"

namespace selenarc {

// What the program was asked to do, read from its arguments before any window system is touched.
enum class ProgramMode { Window, Report, Places, Help, Version, Refused };

struct CommandLine {
    ProgramMode mode = ProgramMode::Window;
    ReportOptions report;  // Report only
    std::string places;    // Places only: the text typed
    std::string error;     // Refused only: why, for the line before the usage
};

// `arguments` are those after the program name. No argument opens the window; "--help" or "-h",
// and "--version", stand alone; "--lieux TEXTE" takes one text; "--rapport" takes the report options. Every
// argument must be UTF-8 text, so that the report prints only valid text.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsageText;
extern const char* const kVersionText;

}  // namespace selenarc
