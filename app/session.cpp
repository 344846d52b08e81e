#include "app/session.h"

#include <utility>

#include "app/program_folder.h"
#include "calendar/birth_moment.h"
#include "charts/clearing.h"
#include "charts/planet_dial.h"
#include "cycles/birth_span.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

namespace selenarc {

namespace {

constexpr int kJupiterCycles = 7;

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
            sink_(errorMessage(error));
            return nullptr;
        }
        paragraphs_ = std::make_unique<ParagraphSet>(std::move(*loaded));
    }
    return paragraphs_.get();
}

std::optional<RunFailure> Session::calculer(const PersonRecord& person, const CivilDateTime& now) {
    const auto stop = [this](std::optional<EntryField> field, std::string text) {
        RunFailure failure{field, errorMessage(std::move(text))};
        sink_(failure.message);
        return failure;
    };
    if (auto failure = checkEntries(person)) {
        return stop(failure->field, failure->message);
    }
    if (std::string error; !loadTables(error)) {
        return stop(std::nullopt, error);
    }
    const BirthMoment birth = *readBirthMoment(person.Text1, person.Text2, person.timeZoneRow);
    const BirthSpan span = supportedBirthSpan(*tables_);
    if (!isInBirthSpan(span, birth.localDate)) {
        return stop(EntryField::BirthDate, birthSpanMessage(span));
    }

    startAfresh();
    // The order of the computations is the run sequence's: each may read what the previous left.
    lunar_ = calcul_soli_lunaire(birth, now, tables_->lunations, state_, sink_);
    if (lunar_.Combo2Selected >= 0) {
        selectLunarCycle(lunar_.Combo2Selected, now);  // the drawing stores the two phase angles
    } else {
        storePhaseAngles(lunar_.cycle, now, state_, sink_);  // they describe this person all the same
    }

    const CivilDate today = dateOf(now);
    jupiter_ = calcul_jupiter(person.Text1, today, tables_->jupiter, state_);
    state_.JupiterCycleYear = jupiterCycleYear(todayPlanetAngle(jupiter_.table, kJupiterCycles, today));
    selectJupiterCycle(jupiter_.selectedIndex, now);

    saturn_ = calcul_saturne(person.Text1, today, tables_->saturn, state_);
    selectSaturnCycle(saturn_.selectedIndex, now);

    state_.NatalSunSign = calcul_soleil(birth, tables_->sun);
    state_.NatalMoonSign = calcul_lune(birth, tables_->moon);
    computed_ = true;
    return std::nullopt;
}

void Session::selectLunarCycle(int index, const CivilDateTime& now) {
    if (index >= 0 && index < static_cast<int>(lunar_.Combo2.size())) {
        affiche_cycle(lunarSurface_, lunarChart_, lunar_.cycle, index + 1, now, state_, sink_);
    }
}

void Session::selectJupiterCycle(int index, const CivilDateTime& now) {
    if (index >= 0 && index < static_cast<int>(jupiter_.comboEntries.size())) {
        affiche_cycle_jupiter(jupiterSurface_, jupiter_.table, index + 1, dateOf(now), state_);
    }
}

void Session::selectSaturnCycle(int index, const CivilDateTime& now) {
    if (index >= 0 && index < static_cast<int>(saturn_.comboEntries.size())) {
        affiche_cycle_saturne(saturnSurface_, saturn_.table, index + 1, dateOf(now));
    }
}

bool Session::plotEvents(const EventRows& rows, const CivilDateTime& now) {
    if (!computed_) {
        return false;  // no person to plot them for (never computed, or cleared)
    }
    return selenarc::plotEvents(rows, events_, lunarSurface_, lunarChart_, lunar_.cycle, now, state_, sink_);
}

void Session::clearCharts() {
    selenarc::clearCharts(lunarSurface_, jupiterSurface_, saturnSurface_, lunarChart_);
    computed_ = false;
}

// Nothing of the previous person survives a run: dials as designed, no events, a fresh run state.
void Session::startAfresh() {
    lunarSurface_ = makeSoliLunarSurface();
    jupiterSurface_ = makePlanetSurface(kJupiterDial);
    saturnSurface_ = makePlanetSurface(kSaturnDial);
    lunarChart_ = {};
    events_ = {};
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
