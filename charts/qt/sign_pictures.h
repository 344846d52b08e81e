#pragma once

#include <QRectF>
#include <QString>
#include <array>
#include <filesystem>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace selenarc {

// The twelve sign pictograms (SignIndex 1 "Bélier" .. 12 "Poissons"), read once from SVG files.
class SignPictures {
  public:
    static constexpr int kSigns = 12;

    // Reads 01_belier.svg .. 12_poissons.svg from the folder; a missing or broken file leaves
    // that sign without a picture.
    explicit SignPictures(const QString& folder);
    ~SignPictures();
    SignPictures(const SignPictures&) = delete;
    SignPictures& operator=(const SignPictures&) = delete;

    bool has(int sign) const;
    bool isComplete() const;
    // Paints the sign into the rectangle (painter units); nothing for an unknown sign.
    void paint(QPainter& painter, int sign, const QRectF& target) const;

    static QString fileName(int sign);
    // The pictures of a data folder ("signs" inside it), read on first use and kept from then on.
    static const SignPictures& ofDataFolder(const std::filesystem::path& dataFolder);

  private:
    std::array<std::unique_ptr<QSvgRenderer>, kSigns> renderers_;
};

}  // namespace selenarc
