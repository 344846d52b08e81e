#include "app/qt/place_field.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>

#include "app/birth_place.h"
#include "app/time_zones.h"
#include "qt_support/qt_text.h"
#include "qt_support/twips.h"

namespace selenarc {

namespace {

// The zone list's entry for a place's clock, after the rows.
constexpr int kClockEntry = static_cast<int>(kTimeZoneRows.size());

QString choiceCaption(const BirthMoment& reading, const char* name) {
    return QString::fromUtf8(name) + " (" + fromUtf8(formatUtcOffset(reading.clock.utcOffset)) + ")";
}

}  // namespace

PlaceField::PlaceField(QWidget* parent, QComboBox* timeZoneList, GazetteerSource places)
    : QObject(parent),
      edit_(new QLineEdit(parent)),
      timeZoneList_(timeZoneList),
      completer_(new QCompleter(this)),
      suggestions_(new QStringListModel(this)),
      places_(std::move(places)) {
    edit_->setObjectName("t_lieu");
    edit_->setPlaceholderText("ville de naissance");
    // The gazetteer filters (accents, case, later words); the completer only shows its answer.
    completer_->setModel(suggestions_);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(12);
    // Wide enough for « Saint-Étienne-de-Montluc (Loire-Atlantique, France) ».
    completer_->popup()->setMinimumWidth(twipsToPixels(5400));
    edit_->setCompleter(completer_);
    connect(edit_, &QLineEdit::textEdited, this, &PlaceField::offerCompletions);
    // A long name is cut by the field: the tooltip shows it whole.
    connect(edit_, &QLineEdit::textChanged, edit_, &QLineEdit::setToolTip);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, &PlaceField::choose);
    // A row chosen by hand overrides the place.
    connect(timeZoneList_, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (index < kClockEntry) {
            dropClockEntry();
            edit_->clear();
            chosen_ = {};
            hourChoice_ = HourChoice::None;
        }
    });
}

void PlaceField::offerCompletions(const QString& typed) {
    hourChoice_ = HourChoice::None;
    dropClockEntry();  // until the next run reads the new place's clock
    const Gazetteer* gazetteer = places_();
    offered_ =
        gazetteer ? gazetteer->complete(toUtf8(typed), kPlaceSuggestions) : std::vector<const Place*>{};
    QStringList shown;
    for (const Place* place : offered_) {
        shown << fromUtf8(displayName(*place));
    }
    suggestions_->setStringList(shown);
    if (shown.isEmpty()) {
        completer_->popup()->hide();
    } else {
        completer_->complete();
    }
}

void PlaceField::choose(const QString& shown) {
    for (const Place* place : offered_) {
        if (fromUtf8(displayName(*place)) == shown) {
            chosen_ = {place->id, toUtf8(shown)};
        }
    }
    // The completer puts the cursor after the name; its start is the part one reads.
    QTimer::singleShot(0, edit_, [this] { edit_->setCursorPosition(0); });
}

const Place* PlaceField::place() const {
    PersonRecord person;
    readInto(person);
    const Gazetteer* gazetteer = person.birthPlace.empty() ? nullptr : places_();
    return gazetteer ? resolveBirthPlace(*gazetteer, person.birthPlace).place : nullptr;
}

void PlaceField::readInto(PersonRecord& person) const {
    const std::string text = toUtf8(edit_->text().trimmed());
    person.birthPlace = text == chosen_.name ? chosen_ : PlaceEntry{0, text};
    person.repeatedHour = person.birthPlace.empty() ? HourChoice::None : hourChoice_;
    const int index = timeZoneList_->currentIndex();
    person.timeZoneRow = index < kClockEntry ? index : clockRow_;
    if (const Gazetteer* gazetteer = person.birthPlace.empty() ? nullptr : places_()) {
        if (const Place* where = resolveBirthPlace(*gazetteer, person.birthPlace).place) {
            person.timeZoneRow = timeZoneRowForPlace(*where, person.birthDate, person.timeZoneRow);
        }
    }
}

void PlaceField::show(const PersonRecord& person) {
    dropClockEntry();
    chosen_ = person.birthPlace;
    hourChoice_ = person.repeatedHour;
    edit_->setText(fromUtf8(person.birthPlace.name));
}

void PlaceField::clear() {
    show(PersonRecord{});
}

bool PlaceField::confirmRepeatedHour(const PersonRecord& person) {
    if (person.birthPlace.empty() || hourChoice_ != HourChoice::None) {
        return true;
    }
    const Place* where = place();
    if (!where) {
        return true;  // the run says what is wrong with the place
    }
    const auto summer = readBirthMomentAt(person.birthDate, person.birthTime, *where, HourChoice::Summer);
    const auto winter = readBirthMomentAt(person.birthDate, person.birthTime, *where, HourChoice::Winter);
    if (!summer.moment || !winter.moment ||
        summer.moment->clock.utcOffset == winter.moment->clock.utcOffset) {
        return true;
    }
    QMessageBox question(QMessageBox::Question, "Heure de naissance",
                         "À " + fromUtf8(std::string(where->name)) + ", le " + fromUtf8(person.birthDate) +
                             ", les horloges ont marqué " + fromUtf8(person.birthTime) +
                             " deux fois : à l'heure d'été, puis à l'heure d'hiver. Laquelle ?",
                         QMessageBox::NoButton, edit_->window());
    QPushButton* summerButton =
        question.addButton(choiceCaption(*summer.moment, "Heure d'été"), QMessageBox::AcceptRole);
    QPushButton* winterButton =
        question.addButton(choiceCaption(*winter.moment, "Heure d'hiver"), QMessageBox::AcceptRole);
    question.setEscapeButton(question.addButton("Annuler", QMessageBox::RejectRole));
    question.exec();
    if (question.clickedButton() != summerButton && question.clickedButton() != winterButton) {
        return false;
    }
    hourChoice_ = question.clickedButton() == summerButton ? HourChoice::Summer : HourChoice::Winter;
    return true;
}

void PlaceField::showClock(const BirthMoment& birth) {
    const BirthClock& clock = birth.clock;
    if (clock.placeId == 0) {
        dropClockEntry();
        return;
    }
    const QString caption = fromUtf8(clockCaption(clock));
    // The row left when the place goes: the one saved for it, nearest to its standard time.
    clockRow_ = nearestTimeZoneRow(clock.utcOffset);
    if (const Gazetteer* gazetteer = places_()) {
        if (const Place* where = resolveBirthPlace(*gazetteer, {clock.placeId, clock.placeName}).place) {
            clockRow_ = timeZoneRowForPlace(*where, formatDayMonthYear(birth.localDate), clockRow_);
        }
    }
    if (timeZoneList_->count() > kClockEntry) {
        timeZoneList_->setItemText(kClockEntry, caption);
    } else {
        timeZoneList_->addItem(caption);
    }
    timeZoneList_->setCurrentIndex(kClockEntry);
}

// Back to the row nearest to the place's clock, when the list showed that clock.
void PlaceField::dropClockEntry() {
    if (timeZoneList_->count() > kClockEntry) {
        const bool shown = timeZoneList_->currentIndex() == kClockEntry;
        timeZoneList_->removeItem(kClockEntry);
        if (shown) {
            timeZoneList_->setCurrentIndex(clockRow_);
        }
    }
}

}  // namespace selenarc
