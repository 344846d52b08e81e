#include "app/qt/person_files_ui.h"

#include <QAction>
#include <QPointer>
#include <QStandardPaths>

#include "app/person_file.h"
#include "app/qt/main_window.h"
#include "app/qt/message_box.h"

namespace selenarc {

std::string dataFolderBase() {
#ifdef Q_OS_WIN
    // The roaming folder; Qt's generic data location is the local one on Windows.
    return toUtf8(qEnvironmentVariable("APPDATA"));
#else
    return toUtf8(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}

OpenTarget openTargetFor(MainWindow& window) {
    QPointer<MainWindow> main(&window);
    return {
        [main] {
            if (main) {
                main->effacer();
            }
        },
        [main] { return main ? main->person() : PersonRecord{}; },
        [main](const PersonRecord& person) {
            if (main) {
                main->setPerson(person);
            }
        },
        [main] {
            if (main) {
                main->lancer();
            }
        },
    };
}

void connectPersonFileMenus(MainWindow& window, const DataFolder& folder, MessageSink sink) {
    if (!sink) {
        sink = messageBoxSink(&window);
    }
    if (auto* open = window.findChild<QAction*>("m_ouvrir")) {
        QObject::connect(open, &QAction::triggered, &window, [&window, folder, sink] {
            OpenWindow::showOpen(folder, openTargetFor(window), sink);
        });
    }
    if (auto* save = window.findChild<QAction*>("m_sauce")) {
        QObject::connect(save, &QAction::triggered, &window,
                         [&window, folder, sink] { savePersonFile(window.person(), folder, sink); });
    }
}

}  // namespace selenarc
