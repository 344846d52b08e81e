#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/entry_validation.h"
#include "app/person_record.h"
#include "calendar/birth_moment.h"
#include "calendar/civil_time.h"
#include "calendar/gazetteer.h"
#include "calendar/message_sink.h"
#include "charts/chart_surface.h"
#include "charts/events_overlay.h"
#include "charts/soli_lunar_dial.h"
#include "cycles/planet_cycles.h"
#include "cycles/run_state.h"
#include "cycles/soli_lunar.h"
#include "interpretation/paragraphs.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

// Why "Calculer" stopped before computing: the message (already handed to the sink) and the entry
// field to put the focus back into, if any.
struct RunFailure {
    std::optional<EntryField> field;
    Message message;
};

// The computations behind the main window, without any widget: the run sequence, the cycle lists
// and their selections, the three dials' state and the run state. The window and the report command
// both drive one of these, so what the report prints is what the window shows.
class Session {
  public:
    Session(std::filesystem::path programFolder, MessageSink sink);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // "Calculer": the entry checks, then every computation in order. `now` is the local date and time.
    std::optional<RunFailure> calculer(const PersonRecord& person, const CivilDateTime& now);

    // Selecting entry `index` (0-based) of a cycle list draws that cycle; -1 draws nothing.
    void selectLunarCycle(int index, const CivilDateTime& now);
    void selectJupiterCycle(int index, const CivilDateTime& now);
    void selectSaturnCycle(int index, const CivilDateTime& now);

    // "Ok" of the persons/events panel: false when a row was refused (one message each), no dial
    // is drawn yet, or no person is computed.
    bool plotEvents(const EventRows& rows, const CivilDateTime& now);

    // What "Effacer" does to the dials (the window empties its own fields and lists); the person is
    // gone until the next run.
    void clearCharts();

    // The interpretation paragraphs, read on first use; nothing (after a message) when unreadable.
    const ParagraphSet* paragraphs();
    // The list of birthplaces, read on first use; nothing and the reason in `error` when unreadable.
    const Gazetteer* gazetteer(std::string& error);

    bool computed() const { return computed_; }
    // The local date of the last run's "now".
    CivilDate today() const { return today_; }
    const RunState& state() const { return state_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }

    // The birth moment of the last run: where, by which clock, and in universal time.
    const BirthMoment& birth() const { return birth_; }
    const SoliLunarResult& lunar() const { return lunar_; }
    const PlanetCycleResult& jupiter() const { return jupiter_; }
    const PlanetCycleResult& saturn() const { return saturn_; }
    const EventPlot& events() const { return events_; }
    const SoliLunarChartState& lunarChart() const { return lunarChart_; }
    // The cycle 1.. each planet dial shows; 0 when it shows none.
    int shownJupiterCycle() const { return shownJupiterCycle_; }
    int shownSaturnCycle() const { return shownSaturnCycle_; }

    const ChartSurface& lunarSurface() const { return lunarSurface_; }
    const ChartSurface& jupiterSurface() const { return jupiterSurface_; }
    const ChartSurface& saturnSurface() const { return saturnSurface_; }

    // The angle of a date on the soli-lunar dial of the last run's person.
    float angleOf(const CivilDateTime& date) const;

  private:
    bool loadTables(std::string& error);
    // The birth moment by the place's legal time, or by the row; nothing after a message.
    std::optional<BirthMoment> readBirth(const PersonRecord& person, EntryFailure& failure);
    // The run state is written by these and by calculer alone.
    void storePhaseAngles(const PhaseAngles& angles);
    void storeJupiterCycleYear(CivilDate today);
    void startAfresh();

    std::filesystem::path programFolder_;
    MessageSink sink_;
    std::unique_ptr<EphemerisTables> tables_;
    std::unique_ptr<ParagraphSet> paragraphs_;
    std::unique_ptr<Gazetteer> gazetteer_;

    RunState state_;
    bool computed_ = false;
    CivilDate today_{};
    BirthMoment birth_;
    SoliLunarResult lunar_;
    PlanetCycleResult jupiter_;
    PlanetCycleResult saturn_;
    EventPlot events_;

    SoliLunarChartState lunarChart_;
    int shownJupiterCycle_ = 0;
    int shownSaturnCycle_ = 0;
    ChartSurface lunarSurface_;
    ChartSurface jupiterSurface_;
    ChartSurface saturnSurface_;
};

}  // namespace selenarc
