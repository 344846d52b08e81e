#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/civil_time.h"
#include "calendar/message_sink.h"

namespace selenarc {

// Julian day of a date-time text "JJ/MM/AAAA à HHhMM" (time optional, read as 0h00; "H" accepted
// for "h"; year of any length, may be negative, year 0 read as year 1). Julian calendar before
// 15/10/1582, Gregorian from that day on. Fraction counted from noon. Returns 0 after sending a
// message naming the first field that cannot be read.
double JourJulien(std::string_view text, const MessageSink& sink);

// Date-time text "JJ/MM/AAAA à HHhMMmnSSs" of a Julian day, the exact inverse of JourJulien.
// Range 01/01/-4000 à 0h00 .. 01/01/2501 à 0h00 (inclusive); outside it (or for NaN) a message
// is sent and the bound is returned in the short form "01/01/-4000 à 0h00" / "01/01/2501 à 0h00".
std::string JulianDayToDate(double jd, const MessageSink& sink);

// The date and time to the minute that JulianDayToDate writes (seconds left out), its date read as
// a proleptic Gregorian date: a day the month lacks runs over into the next month. Out of range,
// the bound it writes, after the same message. Nothing for a day outside 1..31, which rounding at a
// month's first instant could write.
std::optional<CivilDateTime> julianDayToMinute(double jd, const MessageSink& sink);

// True on and after 15 October 1582 (the first day of the Gregorian calendar).
bool IsGregorianDate(double year, int32_t month, int32_t day);

// The formula of JourJulien on fields already read (historical year, 0 read as 1; no range test).
double julianDayFromFields(double year, int32_t month, int32_t day, int32_t hour, int32_t minute);

}  // namespace selenarc
