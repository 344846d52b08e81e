#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace selenarc {

// 24-bit colour of the drawings and labels.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kDarkBlue{0, 0, 125};
inline constexpr Rgb kOrange{255, 128, 0};
inline constexpr Rgb kAgeBlue{0, 0, 192};
inline constexpr Rgb kPurple{128, 0, 128};
inline constexpr Rgb kPaleYellow{255, 255, 192};
inline constexpr Rgb kTitleYellow{255, 255, 128};

enum class TextAlign { Left, Center, Right };

// Everything below is in twips, relative to the surface's interior (origin top left).
struct ChartCircle {
    double cx = 0, cy = 0, radius = 0;
    Rgb colour;
    bool operator==(const ChartCircle&) const = default;
};

// Dashed: a date outside the cycle drawn; Leader: the thin line from a radius to its moved label.
enum class LineStyle { Solid, Dashed, Leader };

struct ChartLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Rgb colour;
    LineStyle style = LineStyle::Solid;
    std::string tooltip;  // what the radius stands for; empty for the rings' ticks
    bool operator==(const ChartLine&) const = default;
};

// A label standing on the surface; the drawing moves it, fills it, shows or hides it.
struct ChartLabel {
    std::string name;     // "ladate(0)", "l_nl", "Texte(3)", ...
    std::string caption;  // UTF-8
    double left = 0, top = 0, width = 0, height = 0;
    TextAlign align = TextAlign::Left;
    Rgb textColour = kBlack;
    Rgb background = kWhite;
    double fontPoints = 8.25;
    std::string fontFamily = "MS Sans Serif";
    bool italic = false;
    bool narrowsToFit = true;  // a caption too wide is narrowed; otherwise it is cut with « … »
    bool visible = false;
    std::vector<ChartLine> leader;  // back to its radius, when the label was moved along the rim
    std::string tooltip;
    bool operator==(const ChartLabel&) const = default;
};

// A box showing one of the twelve sign pictograms.
struct SignPicture {
    std::string name;  // "pb1", "pjs3", ...
    int sign = 0;      // SignIndex 1..12; 0 = no picture given yet
    double left = 0, top = 0, width = 300, height = 300;
    bool visible = false;
    bool operator==(const SignPicture&) const = default;
};

// The whole state of one chart surface: what is drawn on it (circles, lines, in drawing order)
// and the labels and picture boxes standing on it. Painting reads nothing else.
struct ChartSurface {
    double width = 10455, height = 8055;
    Rgb background = kWhite;
    std::vector<ChartCircle> circles;
    std::vector<ChartLine> lines;
    std::vector<ChartLabel> labels;
    std::vector<SignPicture> pictures;

    // Removes the drawing (circles and lines); labels and pictures stay as they are.
    void clearDrawing();

    // Named element; nullptr when the surface has none of that name.
    ChartLabel* findLabel(std::string_view name);
    const ChartLabel* findLabel(std::string_view name) const;
    SignPicture* findPicture(std::string_view name);
    const SignPicture* findPicture(std::string_view name) const;

    // Named element that the surface is built with (a missing one is a programming error and
    // yields a detached placeholder so that a drawing never crashes).
    ChartLabel& label(std::string_view name);
    SignPicture& picture(std::string_view name);

    // Same drawing, labels and pictures.
    bool operator==(const ChartSurface& other) const;

  private:
    ChartLabel spareLabel_;
    SignPicture sparePicture_;
};

// Labels of the design shared by the three dials (sizes in twips, hidden until drawn).
ChartLabel titleLabel(std::string_view name, std::string_view caption);        // Arial 18 pt, shown
ChartLabel quarterNameLabel(std::string_view name, std::string_view caption);  // 1215 × 255
ChartLabel dateLabel(std::string_view name);                                   // 855 × 255
ChartLabel ageLabel(std::string_view name);                                    // 855 × 255, dark blue
ChartLabel legendLabel(std::string_view name, std::string_view caption, double width);  // purple
ChartLabel freeLabel(std::string_view name, double width);  // white, left-justified

// "name(index)", the naming of the label arrays ("Texte(3)", "ladate(5)").
std::string indexedName(std::string_view name, int index);

}  // namespace selenarc
