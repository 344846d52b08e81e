#include <string>

#include "interpretation/assembly.h"
#include "interpretation/french_typography.h"
#include "interpretation/text_joining.h"
#include "sky/sign_names.h"

namespace selenarc {

namespace {

// The numbered paragraph prefix-number when the number lies in 1..last, else nothing.
std::string numbered(const ParagraphSet& paragraphs, std::string_view prefix, int number, int last) {
    return number >= 1 && number <= last ? paragraph(paragraphs, keyOf(prefix, number)) : std::string();
}

// One Saturn phase paragraph, chosen by whole years of age.
struct AgeWindow {
    int from;  // inclusive
    int to;    // inclusive
    const char* key;
};

constexpr int kNoLimit = 1 << 20;

constexpr AgeWindow kFirstCycleWindows[] = {
    {6, 8, "S1-square-1"},
    {14, 16, "S1-opposition"},
    {20, 22, "S1-square-2"},
    {27, kNoLimit, "S1-conjunction"},
};

constexpr AgeWindow kSecondCycleWindows[] = {
    {-kNoLimit, 31, "S2-start"}, {34, 36, "S2-square-1"},          {43, 46, "S2-opposition"},
    {51, 54, "S2-square-2"},     {57, kNoLimit, "S2-conjunction"},
};

template <std::size_t N>
std::string agePhases(const ParagraphSet& paragraphs, int age, const AgeWindow (&windows)[N]) {
    std::string text;
    for (const AgeWindow& window : windows) {
        if (age >= window.from && age <= window.to) {
            text += join(kLineBreak, paragraph(paragraphs, window.key));
        }
    }
    return text;
}

}  // namespace

std::string JupiterText(const RunState& state, const ParagraphSet& paragraphs) {
    const auto p = [&paragraphs](std::string_view key) { return paragraph(paragraphs, key); };
    const std::string cycle = std::to_string(state.CurrentJupiterCycle);
    const std::string year = std::to_string(state.JupiterCycleYear);
    return frenchTypography(
        join(p("J-intro-1"), p("J-intro-2"), kLineBreak, kLineBreak,                            //
             p("J-sign-intro-1"), p("J-sign-intro-2"), kLineBreak, kLineBreak,                  //
             "Votre Jupiter natal est en ", SignName(state.NatalJupiterSign), ".", kLineBreak,  //
             numbered(paragraphs, "J-sign", state.NatalJupiterSign, 12), kLineBreak, kLineBreak,
             "Le cycle de Jupiter", kLineBreak, p("J-cycle-intro"), kLineBreak, kLineBreak,  //
             "Vous êtes en cycle ", cycle, kLineBreak,                                       //
             numbered(paragraphs, "J-cycle", state.CurrentJupiterCycle, 7), kLineBreak, kLineBreak,
             "Vous êtes en année ", year, " de votre cycle ", cycle, kLineBreak,
             numbered(paragraphs, "J-year", state.JupiterCycleYear, 12), kLineBreak));
}

std::string SaturnText(const RunState& state, const ParagraphSet& paragraphs) {
    const auto p = [&paragraphs](std::string_view key) { return paragraph(paragraphs, key); };
    std::string text = join(p("S-intro-1"), p("S-intro-2"), kLineBreak, kLineBreak,  //
                            p("S-sign-intro"), kLineBreak,                           //
                            "Votre saturne natal est en ", SignName(state.NatalSaturnSign), ".", kLineBreak,
                            numbered(paragraphs, "S-sign", state.NatalSaturnSign, 12), kLineBreak, kLineBreak,
                            "Le cycle de Saturne", kLineBreak, p("S-cycle-intro-1"), kLineBreak,
                            p("S-cycle-intro-2"), kLineBreak, kLineBreak,  //
                            "Vous êtes en cycle ", std::to_string(state.CurrentSaturnCycle), kLineBreak);
    switch (state.CurrentSaturnCycle) {
        case 1:
            text += join(p("S1-a"), p("S1-b"), p("S1-c"), kLineBreak);
            text += agePhases(paragraphs, state.CurrentAge, kFirstCycleWindows);
            break;
        case 2:
            text += join(p("S2-a"), p("S2-b"), p("S2-c"), kLineBreak);
            text += agePhases(paragraphs, state.CurrentAge, kSecondCycleWindows);
            break;
        case 3:
            text += join(p("S3-a"), p("S3-b"), p("S3-c"), p("S3-d"), p("S3-e"), p("S3-f"), kLineBreak);
            break;
        default:
            break;
    }
    text += kLineBreak;
    return frenchTypography(text);
}

}  // namespace selenarc
