#include "app/session.h"

#include <utility>

#include "app/birth_place.h"
#include "app/program_folder.h"
#include "calendar/birth_moment.h"
#include "charts/clearing.h"
#include "charts/planet_dial.h"
#include "cycles/birth_span.h"
#include "cycles/planet_today.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

namespace selenarc {

namespace {

CivilDate dateOf(const CivilDateTime& moment) {
    return CivilDate{moment.day};
}

Message errorMessage(std::string text) {
    return Message{std::move(text), "Erreur", MessageIcon::Exclamation};
}

}  // namespace

Session::Session(std::filesystem::path programFolder, MessageSink sink)
    : programFolder_(std::move(programFolder)),
      sink_(std::move(sink)),
      lunarSurface_(makeSoliLunarSurface()),
      jupiterSurface_(makePlanetSurface(kJupiterDial)),
      saturnSurface_(makePlanetSurface(kSaturnDial)) {}

Session::~Session() = default;

// The tables are read once; a failed read is reported and tried again at the next run.
bool Session::loadTables(std::string& error) {
    if (tables_) {
        return true;
    }
    if (error = dataFolderProblem(programFolder_); !error.empty()) {
        return false;
    }
    auto tables = loadEphemerisTables(programFolder_, error);
    if (!tables) {
        return false;
    }
    tables_ = std::make_unique<EphemerisTables>(std::move(*tables));
    return true;
}

const ParagraphSet* Session::paragraphs() {
    if (!paragraphs_) {
        std::string error;
        auto loaded = loadAllParagraphs(programFolder_ / "interpretation", error);
        if (!loaded) {
            tell(sink_, errorMessage(error));
            return nullptr;
        }
        paragraphs_ = std::make_unique<ParagraphSet>(std::move(*loaded));
    }
    return paragraphs_.get();
}

const Gazetteer* Session::gazetteer(std::string& error) {
    if (!gazetteer_) {
        auto loaded = Gazetteer::load(programFolder_ / "lieux.txt", error);
        if (!loaded) {
            return nullptr;
        }
        gazetteer_ = std::make_unique<Gazetteer>(std::move(*loaded));
    }
    return gazetteer_.get();
}

std::optional<BirthMoment> Session::readBirth(const PersonRecord& person, EntryFailure& failure) {
    if (!person.birthPlace.empty()) {
        failure.field = EntryField::BirthPlace;
        const Gazetteer* places = gazetteer(failure.message);
        if (!places) {
            return std::nullopt;
        }
        const PlaceResolution where = resolveBirthPlace(*places, person.birthPlace);
        if (!where.error.empty()) {
            failure.message = where.error;
            return std::nullopt;
        }
        if (where.place) {
            BirthMomentReading reading =
                readBirthMomentAt(person.birthDate, person.birthTime, *where.place, person.repeatedHour);
            failure = {EntryField::BirthTime, reading.message};
            return reading.moment;
        }
        sink_(Message{where.note, "Lieu de naissance", MessageIcon::Exclamation});
    }
    return readBirthMoment(person.birthDate, person.birthTime, person.timeZoneRow);
}

std::optional<RunFailure> Session::calculer(const PersonRecord& person, const CivilDateTime& now) {
    const auto stop = [this](std::optional<EntryField> field, std::string text) {
        RunFailure failure{field, errorMessage(std::move(text))};
        tell(sink_, failure.message);
        return failure;
    };
    if (auto failure = checkEntries(person)) {
        return stop(failure->field, failure->message);
    }
    if (std::string error; !loadTables(error)) {
        return stop(std::nullopt, error);
    }
    EntryFailure birthFailure{EntryField::BirthTime, {}};
    const std::optional<BirthMoment> read = readBirth(person, birthFailure);
    if (!read) {
        return stop(birthFailure.field, birthFailure.message);
    }
    const BirthMoment& birth = *read;
    const BirthSpan span = supportedBirthSpan(*tables_);
    if (!isInBirthSpan(span, birth.localDate)) {
        return stop(EntryField::BirthDate, birthSpanMessage(span));
    }

    startAfresh();
    birth_ = birth;
    // The order of the computations is the run sequence's; the run state is written here alone.
    lunar_ = calcul_soli_lunaire(birth, now, tables_->lunations, sink_);
    state_.CurrentLunarCycle = lunar_.currentCycle;
    if (const int c = lunar_.currentCycle; c >= 0) {
        state_.CurrentCycleStart = lunar_.cycle.table.LifeDateText[4 * c + 1];
        state_.CurrentCycleEnd = lunar_.cycle.table.LifeDateText[4 * c + 5];
    }
    if (lunar_.currentCycleEntry >= 0) {
        selectLunarCycle(lunar_.currentCycleEntry, now);  // stores the two phase angles it draws
    } else {
        storePhaseAngles(phaseAngles(lunar_.cycle, now, sink_));  // they describe this person all the same
    }

    const CivilDate today = dateOf(now);
    today_ = today;
    jupiter_ = calcul_jupiter(birth.localDate, today, tables_->jupiter);
    state_.NatalJupiterSign = jupiter_.natalSign;
    state_.CurrentJupiterCycle = jupiter_.currentCycle;
    storeJupiterCycleYear(today);
    selectJupiterCycle(jupiter_.selectedIndex, now);

    saturn_ = calcul_saturne(birth.localDate, today, tables_->saturn);
    state_.NatalSaturnSign = saturn_.natalSign;
    state_.CurrentSaturnCycle = saturn_.currentCycle;
    state_.CurrentAge = yearsSinceBirth(birth.localDate, today);
    selectSaturnCycle(saturn_.selectedIndex, now);

    state_.NatalSunSign = calcul_soleil(birth, tables_->sun);
    state_.NatalMoonSign = calcul_lune(birth, tables_->moon);
    computed_ = true;
    return std::nullopt;
}

void Session::storePhaseAngles(const PhaseAngles& angles) {
    state_.BirthPhaseAngle = angles.birth;
    state_.TodayPhaseAngle = angles.today;
}

void Session::storeJupiterCycleYear(CivilDate today) {
    state_.JupiterCycleYear = jupiterCycleYear(todayPlanetAngle(jupiter_.table, kJupiterCycles, today));
}

// Drawing a cycle brings the phase angles and the opening sign of that cycle up to date.
void Session::selectLunarCycle(int index, const CivilDateTime& now) {
    if (index >= 0 && index < static_cast<int>(lunar_.cycleEntries.size())) {
        const PhaseAngles angles = phaseAngles(lunar_.cycle, now, sink_);
        affiche_cycle(lunarSurface_, lunarChart_, lunar_.cycle, index + 1, now, angles);
        storePhaseAngles(angles);
        if (const int16_t sign = openingNewMoonSign(lunar_.cycle.table, index + 1); sign != 0) {
            state_.CycleNewMoonSign = sign;
        }
    }
}

void Session::selectJupiterCycle(int index, const CivilDateTime& now) {
    if (index >= 0 && index < static_cast<int>(jupiter_.comboEntries.size())) {
        affiche_cycle_jupiter(jupiterSurface_, jupiter_.table, index + 1,
                              planetToday(jupiter_.table, kJupiterCycles, dateOf(now)));
        shownJupiterCycle_ = index + 1;
        storeJupiterCycleYear(dateOf(now));
    }
}

void Session::selectSaturnCycle(int index, const CivilDateTime& now) {
    if (index >= 0 && index < static_cast<int>(saturn_.comboEntries.size())) {
        affiche_cycle_saturne(saturnSurface_, saturn_.table, index + 1,
                              planetToday(saturn_.table, kSaturnCycles, dateOf(now)));
        shownSaturnCycle_ = index + 1;
    }
}

bool Session::plotEvents(const EventRows& rows, const CivilDateTime& now) {
    if (!computed_) {
        return false;  // no person to plot them for (never computed, or cleared)
    }
    const PhaseAngles angles = phaseAngles(lunar_.cycle, now, sink_);
    if (!selenarc::plotEvents(rows, events_, lunarSurface_, lunarChart_, lunar_.cycle, now, angles, sink_)) {
        return false;
    }
    storePhaseAngles(angles);  // the dial was redrawn at these
    return true;
}

void Session::clearCharts() {
    selenarc::clearCharts(lunarSurface_, jupiterSurface_, saturnSurface_, lunarChart_);
    shownJupiterCycle_ = shownSaturnCycle_ = 0;
    computed_ = false;
}

// Nothing of the previous person survives a run: dials as designed, no events, a fresh run state.
void Session::startAfresh() {
    lunarSurface_ = makeSoliLunarSurface();
    jupiterSurface_ = makePlanetSurface(kJupiterDial);
    saturnSurface_ = makePlanetSurface(kSaturnDial);
    lunarChart_ = {};
    shownJupiterCycle_ = shownSaturnCycle_ = 0;
    events_ = {};
    birth_ = {};
    state_ = {};
    lunar_ = {};
    jupiter_ = {};
    saturn_ = {};
    computed_ = false;
}

float Session::angleOf(const CivilDateTime& date) const {
    return angle_date(lunar_.cycle, date, sink_);
}

}  // namespace selenarc
