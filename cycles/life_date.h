#pragma once

#include <string_view>

#include "calendar/civil_time.h"
#include "calendar/message_sink.h"

namespace selenarc {

// One day lived after birth stands for one year of life, two hours for one month.
struct ProgressedDate {
    long days;               // calendar-day boundaries from the birth to the instant (negative before)
    long months;             // floor(hour boundaries / 2)
    CivilDateTime lifeDate;  // the birth advanced by `months`, day clipped to the month's length
};

// The date of life that an instant (universal time, to the minute) stands for.
ProgressedDate progressedLifeDateAt(const CivilDateTime& instant, const CivilDateTime& birthUT);

// The same for a phase instant (Julian day, universal time), taken as JulianDayToDate writes it, cut
// to the minute; the birth itself when that cannot be read.
ProgressedDate progressedLifeDate(double phaseJD, const CivilDateTime& birthUT, const MessageSink& sink);

// The same from a text already written by JulianDayToDate ("JJ/MM/AAAA à HHhMMmnSSs", or the short
// "JJ/MM/AAAA à HhMM" of its range bounds). A text that cannot be read counts as the birth itself.
ProgressedDate progressedLifeDateFromText(std::string_view phaseText, const CivilDateTime& birthUT);

}  // namespace selenarc
