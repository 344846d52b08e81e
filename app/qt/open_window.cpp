#include "app/qt/open_window.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "qt_support/message_box.h"
#include "qt_support/twips.h"

namespace selenarc {

static QPointer<OpenWindow>& instance() {
    static QPointer<OpenWindow> window;
    return window;
}

OpenWindow* OpenWindow::existing() {
    return instance().data();
}

OpenWindow* OpenWindow::showOpen(const DataFolder& folder, OpenTarget target, MessageSink sink) {
    if (!instance()) {
        instance() = new OpenWindow(folder, std::move(target), std::move(sink));
    }
    instance()->show();
    instance()->raise();
    instance()->activateWindow();
    return instance().data();
}

OpenWindow::OpenWindow(const DataFolder& folder, OpenTarget target, MessageSink sink)
    : folder_(folder), target_(std::move(target)), sink_(std::move(sink)) {
    setObjectName("Ouvrir");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Ouvrir");
    setFixedSize(twipsToPixels(4830), twipsToPixels(5070));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(background);

    List1_ = new QListWidget(this);
    List1_->setObjectName("List1");
    List1_->setSelectionMode(QAbstractItemView::SingleSelection);
    placeInTwips(List1_, 120, 180, 3135, 4740);
    entries_ = folder_.usable ? listPersonFiles(folder_.path) : std::vector<PersonListEntry>{};
    for (const auto& entry : entries_) {
        List1_->addItem(fromUtf8(entry.display));
    }
    connect(List1_, &QListWidget::itemDoubleClicked, this, [this] { ouvrir(); });

    auto* open = new QPushButton("Ouvrir", this);
    open->setObjectName("Command2");
    placeInTwips(open, 3480, 180, 1215, 375);
    connect(open, &QPushButton::clicked, this, &OpenWindow::ouvrir);

    auto* cancel = new QPushButton("Abandonner", this);
    cancel->setObjectName("Command1");
    placeInTwips(cancel, 3480, 4560, 1215, 375);
    connect(cancel, &QPushButton::clicked, this, &OpenWindow::abandonner);
}

void OpenWindow::ouvrir() {
    // The run may show message boxes, whose event loops must not start a second opening.
    if (opening_) {
        return;
    }
    const auto selected = List1_->selectedItems();
    if (selected.isEmpty()) {
        close();  // nothing chosen: the main window keeps its person
        return;
    }
    opening_ = true;
    hide();
    const int row = List1_->row(selected.front());
    const bool listed = row >= 0 && static_cast<std::size_t>(row) < entries_.size();
    if (const auto bytes = listed ? read(entries_[row]) : std::nullopt) {
        target_.effacer();
        const auto parts = splitPersonFileName(entries_[row].fileName);
        PersonRecord person = target_.person();
        person.firstName = displayNamePart(parts->first);
        person.lastName = displayNamePart(parts->last);
        applyPersonFileContent(*bytes, person);
        target_.setPerson(person);
        target_.lancer();
    }
    close();
}

std::optional<std::string> OpenWindow::read(const PersonListEntry& entry) {
    const auto file = folder_.path / pathFromUtf8(entry.fileName);
    if (!splitPersonFileName(entry.fileName)) {
        return std::nullopt;
    }
    std::string error;
    auto bytes = readPersonFileBytes(file, error);
    if (!bytes) {
        sink_({error, "Erreur", MessageIcon::Exclamation});
        return std::nullopt;
    }
    PersonRecord scratch;
    const PersonFileReading reading = applyPersonFileContent(*bytes, scratch);
    if (const std::string problems = personFileProblemText(file, reading); !problems.empty()) {
        sink_({problems, "Erreur", MessageIcon::Exclamation});
    }
    if (!reading.readable) {
        return std::nullopt;
    }
    if (target_.opened) {
        target_.opened(file, *bytes);
    }
    return bytes;
}

void OpenWindow::abandonner() {
    close();
}

}  // namespace selenarc
