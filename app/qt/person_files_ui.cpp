#include "app/qt/person_files_ui.h"

#include <QAction>
#include <QPointer>
#include <QStandardPaths>

#include "app/person_file.h"
#include "app/qt/main_window.h"
#include "qt_support/message_box.h"
#include "qt_support/safe_file_write.h"

namespace selenarc {

std::string dataFolderBase() {
#ifdef Q_OS_WIN
    // The roaming folder; Qt's generic data location is the local one on Windows.
    return toUtf8(qEnvironmentVariable("APPDATA"));
#else
    return toUtf8(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}

std::string replacePersonFile(const std::filesystem::path& target, std::string_view bytes,
                              const std::function<bool()>& unchanged, const std::function<void()>& midway) {
    const QString reason = writeFileAtomically(
        fromUtf8(pathToUtf8(target)),
        [&](QIODevice& file) {
            const std::size_t half = midway ? bytes.size() / 2 : bytes.size();
            QString failed = writeBytes(file, bytes.substr(0, half));
            if (failed.isEmpty() && midway) {
                midway();
                failed = writeBytes(file, bytes.substr(half));
            }
            return failed;
        },
        [&unchanged] {
            return unchanged() ? QString()
                               : QStringLiteral(
                                     "le fichier a changé pendant l'écriture (un autre enregistrement ?) ; "
                                     "il n'a pas été remplacé.");
        });
    return toUtf8(reason);
}

OpenTarget openTargetFor(MainWindow& window, std::shared_ptr<PersonFileSaving> saving) {
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
        [saving](const std::filesystem::path& file, const std::string& bytes) {
            if (saving) {
                saving->opened(file, bytes);
            }
        },
    };
}

void connectPersonFileMenus(MainWindow& window, const DataFolder& folder, MessageSink sink, AskQuestion ask) {
    if (!sink) {
        sink = messageBoxSink(&window);
    }
    auto saving = std::make_shared<PersonFileSaving>();
    saving->replaceFile = [](const std::filesystem::path& target, std::string_view bytes,
                             const std::function<bool()>& unchanged) {
        return replacePersonFile(target, bytes, unchanged);
    };
    QPointer<MainWindow> main(&window);
    saving->ask =
        ask ? std::move(ask) : [main](const Message& question) { return askYesNo(main.data(), question); };
    if (auto* open = window.findChild<QAction*>("m_ouvrir")) {
        QObject::connect(open, &QAction::triggered, &window, [&window, folder, sink, saving] {
            OpenWindow::showOpen(folder, openTargetFor(window, saving), sink);
        });
    }
    if (auto* save = window.findChild<QAction*>("m_sauce")) {
        QObject::connect(save, &QAction::triggered, &window, [&window, folder, sink, saving] {
            savePersonFile(window.person(), folder, sink, *saving);
        });
    }
}

}  // namespace selenarc
