#include "app/qt/open_window.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "app/qt/message_box.h"
#include "app/qt/twips.h"

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
    target_.effacer();
    const int row = List1_->row(selected.front());
    if (row >= 0 && static_cast<std::size_t>(row) < entries_.size() && load(entries_[row])) {
        target_.lancer();
    }
    close();
}

// Fills the main window from the entry's file; on a failure only the message is shown.
bool OpenWindow::load(const PersonListEntry& entry) {
    std::string error;
    const auto bytes = readPersonFileBytes(folder_.path / pathFromUtf8(entry.fileName), error);
    if (!bytes) {
        sink_({error, "Erreur", MessageIcon::Exclamation});
        return false;
    }
    const auto parts = splitPersonFileName(entry.fileName);
    if (!parts) {
        return false;
    }
    PersonRecord person = target_.person();
    person.t_prenom = displayNamePart(parts->first);
    person.t_nom = displayNamePart(parts->last);
    applyPersonFileContent(*bytes, person);
    target_.setPerson(person);
    return true;
}

void OpenWindow::abandonner() {
    close();
}

}  // namespace selenarc
