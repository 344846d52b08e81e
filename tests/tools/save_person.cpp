// Saves one person into a folder as "&Sauvegarder" would, for the script tests:
//   save_person FOLDER FIRST LAST DATE EVENT-NAME [GO-FILE]
// With GO-FILE the writer prints "à mi-chemin" once half of the file is written, then waits until
// GO-FILE exists (30 s at most). Questions are answered "Oui" and printed; messages are printed.
// Exit status 0 when saved, 1 otherwise.
#include <QCoreApplication>
#include <QThread>
#include <filesystem>
#include <iostream>

#include "app/person_file.h"
#include "app/person_file_save.h"
#include "app/qt/person_files_ui.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc < 6) {
        std::cerr << "usage : save_person DOSSIER PRENOM NOM DATE EVENEMENT [FICHIER-FEU-VERT]\n";
        return 64;
    }
    using namespace selenarc;
    PersonRecord person;
    person.firstName = argv[2];
    person.lastName = argv[3];
    person.birthDate = argv[4];
    person.events[0] = {"01/01/2000", argv[5]};
    const std::filesystem::path go = argc > 6 ? std::filesystem::path(argv[6]) : std::filesystem::path();

    PersonFileSaving saving;
    saving.replaceFile = [&go](const std::filesystem::path& target, std::string_view bytes,
                               const std::function<bool()>& unchanged) {
        const std::function<void()> wait = [&go] {
            std::cout << "à mi-chemin" << std::endl;
            for (int tenths = 0; tenths < 300 && !std::filesystem::exists(go); ++tenths) {
                QThread::msleep(100);
            }
        };
        return replacePersonFile(target, bytes, unchanged, go.empty() ? std::function<void()>() : wait);
    };
    saving.ask = [](const Message& question) {
        std::cout << "question : " << question.text << '\n';
        return true;
    };
    const DataFolder folder{pathFromUtf8(argv[1]), true};
    const bool saved = savePersonFile(
        person, folder, [](const Message& m) { std::cout << m.text << '\n'; }, saving);
    return saved ? 0 : 1;
}
