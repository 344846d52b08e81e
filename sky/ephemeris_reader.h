#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sky/ephemeris_tables.h"

namespace selenarc {

// Readers of the five ephemeris tables. Lines end with CR LF, LF or CR alike; a blank line is skipped;
// columns are counted from 1 on the line as read, so a leading blank shifts every field.
//
// Ingress line: day (columns 1-2), month (4-5), year (7-10), motion code (11), SignDigit (12), and
// optionally " HH:MM", the universal time of the ingress (13-18). Only the motion codes "R" and "D" are
// kept; a line with any other code is skipped once its date has been read. Kept lines must come in
// ascending date order.
//
// Lunation line: lunation number (columns 1-4), then the SignDigits of NL, PQ, PL, DQ (6-9), each
// possibly blank. Each number is the previous one plus one: a gap or a repeat is an error.
//
// A line that cannot be read makes the result empty and `error` says which, e.g.
// "Table su.txt, ligne 12 : date illisible".
std::optional<IngressTable> parseIngressText(std::string_view content, const std::string& fileName,
                                             std::string& error);
std::optional<LunationTable> parseLunationText(std::string_view content, const std::string& fileName,
                                               std::string& error);

// How a body moves through the signs: the Sun and the Moon always into the next sign; Jupiter and
// Saturn into the next or, retrograde, back into the previous one.
enum class SignMotion { ForwardOnly, ForwardOrBack };

// Consistency of an ingress table read by parseIngressText: each accepted line enters a sign the body
// can reach from the previous line's, and on a shared date its time is later. "" or an error naming
// the file and the line, e.g. "Table so.txt, ligne 40 : entrée en Lion après Gémeaux ...".
std::string checkSignSequence(const IngressTable& table, SignMotion motion);

// Reads so.txt, su.txt, sj.txt, ss.txt and sl.txt from `folder`. A missing, unreadable or empty file
// or a bad line, or a table that fails its consistency check, gives no tables and a French message
// naming the file (and the line) in `error`.
std::optional<EphemerisTables> loadEphemerisTables(const std::filesystem::path& folder, std::string& error);

}  // namespace selenarc
