#include "charts/qt/sign_pictures.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <map>

#include "charts/sign_picture_files.h"
#include "qt_support/qt_text.h"

namespace selenarc {

SignPictures::SignPictures(const QString& folder) {
    const QDir dir(folder);
    for (int sign = 1; sign <= kSigns; ++sign) {
        const QString path = dir.filePath(fileName(sign));
        if (!QFile::exists(path)) {
            continue;
        }
        auto renderer = std::make_unique<QSvgRenderer>(path);
        if (renderer->isValid()) {
            renderers_[sign - 1] = std::move(renderer);
        }
    }
}

SignPictures::~SignPictures() = default;

bool SignPictures::has(int sign) const {
    return sign >= 1 && sign <= kSigns && renderers_[sign - 1];
}

bool SignPictures::isComplete() const {
    for (int sign = 1; sign <= kSigns; ++sign) {
        if (!has(sign)) {
            return false;
        }
    }
    return true;
}

void SignPictures::paint(QPainter& painter, int sign, const QRectF& target) const {
    if (has(sign)) {
        renderers_[sign - 1]->render(&painter, target);
    }
}

QString SignPictures::fileName(int sign) {
    const std::filesystem::path file(signPictureFile(sign));
    return fromUtf8(file.filename().string());
}

const SignPictures& SignPictures::ofDataFolder(const std::filesystem::path& dataFolder) {
    static std::map<std::filesystem::path, std::unique_ptr<SignPictures>> loaded;
    std::unique_ptr<SignPictures>& pictures = loaded[dataFolder];
    if (!pictures) {
        pictures = std::make_unique<SignPictures>(fromUtf8((dataFolder / "signs").string()));
    }
    return *pictures;
}

}  // namespace selenarc
