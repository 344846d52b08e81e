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

// The date of life that a phase instant (Julian day, universal time) stands for. The instant is
// taken as JulianDayToDate writes it, cut to the minute.
ProgressedDate progressedLifeDate(double phaseJD, const CivilDateTime& birthUT, const MessageSink& sink);

// The same from a text already written by JulianDayToDate ("JJ/MM/AAAA à HHhMMmnSSs", or the short
// "JJ/MM/AAAA à HhMM" of its range bounds). A text that cannot be read counts as the birth itself.
ProgressedDate progressedLifeDateFromText(std::string_view phaseText, const CivilDateTime& birthUT);

}  // namespace selenarc
