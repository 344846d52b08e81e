#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "interpretation/assembly.h"
#include "interpretation/french_typography.h"
#include "interpretation/text_joining.h"
#include "sky/circle.h"
#include "sky/sign_names.h"

namespace selenarc {

namespace {

constexpr double kQuarter = kPi / 2;

// Pieces of each sign's sun and moon portraits ("SOLEIL-s-1" .. "SOLEIL-s-n"), Bélier first.
constexpr std::array<int, 12> kSunPortraitPieces = {3, 4, 3, 4, 6, 4, 5, 6, 3, 4, 5, 4};
constexpr std::array<int, 12> kMoonPortraitPieces = {3, 2, 2, 3, 2, 3, 3, 3, 3, 5, 3, 3};

constexpr std::array<const char*, 4> kBirthSentences = {
    "Vous êtes né(e) entre la nouvelle lune et le premier quartier.",
    "Vous êtes né(e) entre le premier quartier et la pleine lune.",
    "Vous êtes né(e) entre la pleine lune et le dernier quartier.",
    "Vous êtes né(e) entre le dernier quartier et la nouvelle lune.",
};

constexpr std::array<const char*, 8> kPresentPhaseSentences = {
    "Vous êtes en phase de nouvelle lune.",
    "Vous êtes en phase de premier quartier croissant.",
    "Vous êtes en phase de premier carré croissant.",
    "Vous êtes en phase de premier trigone croissant.",
    "Vous êtes en phase de pleine lune.",
    "Vous êtes en phase de deuxième trigone décroissant.",
    "Vous êtes en phase de dernier carré décroissant.",
    "Vous êtes en phase de dernier quartier décroissant.",
};

constexpr std::array<const char*, 5> kOrdinals = {"premier", "deuxième", "troisième", "quatrième",
                                                  "cinquième"};

// Index of the first threshold the angle lies strictly below, or the count when none (NaN included).
template <std::size_t N>
int firstRowBelow(float angle, const std::array<float, N>& thresholds) {
    for (std::size_t row = 0; row < N; ++row) {
        if (angle < thresholds[row]) {
            return static_cast<int>(row);
        }
    }
    return static_cast<int>(N);
}

std::string portrait(const ParagraphSet& paragraphs, std::string_view prefix, int16_t sign,
                     const std::array<int, 12>& pieceCounts) {
    std::string text;
    if (!isKnownSign(sign)) {
        return text;
    }
    for (int piece = 1; piece <= pieceCounts[sign - 1]; ++piece) {
        text += paragraph(paragraphs, keyOf(prefix, sign, piece));
    }
    return text;
}

// Characters start..start+length-1 (1-based) of the text, cut short at its end like Mid$.
std::string_view mid(std::string_view text, std::size_t start, std::size_t length) {
    if (start > text.size()) {
        return {};
    }
    return text.substr(start - 1, length);
}

// "yyyy/mm/dd" written as day/month/year; a short or empty text gives what it has.
std::string dayMonthYear(std::string_view sortable) {
    return join(mid(sortable, 9, 2), "/", mid(sortable, 6, 2), "/", mid(sortable, 1, 4));
}

void appendCurrentCycle(std::string& text, const RunState& state, const ParagraphSet& paragraphs) {
    if (state.CurrentLunarCycle < 0) {
        return;  // no cycle contains today: nothing to say about it
    }
    if (state.CurrentLunarCycle == 0) {
        text +=
            join("Vous n'avez pas encore commencé votre premier cycle soli-lunaire.", kLineBreak,
                 paragraph(paragraphs, "C0"), kLineBreak, "Votre premier cycle soli-lunaire démarrera le ",
                 dayMonthYear(state.CurrentCycleEnd), ".", kLineBreak, kLineBreak);
        return;
    }
    const int cycle = state.CurrentLunarCycle;
    const std::string_view ordinal = cycle <= static_cast<int>(kOrdinals.size()) ? kOrdinals[cycle - 1] : "";
    const int16_t sign = state.CycleNewMoonSign;
    text += join("Vous êtes dans le ", ordinal, " cycle soli-lunaire.", kLineBreak, "Ce cycle s'étend du ",
                 dayMonthYear(state.CurrentCycleStart), " jusqu'au ", dayMonthYear(state.CurrentCycleEnd),
                 ".", kLineBreak,
                 "L'enjeu principal de ce cycle vous est donné par le signe où a eu lieu la dernière "
                 "conjonction soleil-lune en l'occurrence : ",
                 SignName(sign), ".", kLineBreak,
                 isKnownSign(sign) ? paragraph(paragraphs, keyOf("ENJEU", sign)) : std::string(), kLineBreak,
                 kLineBreak);
}

}  // namespace

int birthQuarter(float birthPhaseAngle) {
    static const std::array<float, 3> thresholds = {
        static_cast<float>(kQuarter),
        static_cast<float>(kPi),
        static_cast<float>(kQuarter + kPi),
    };
    return firstRowBelow(birthPhaseAngle, thresholds) + 1;
}

int presentPhaseRow(float todayPhaseAngle) {
    static const std::array<float, 8> thresholds = {
        static_cast<float>(kQuarter * (1.0 / 3)),
        static_cast<float>(kQuarter * (2.0 / 3)),
        static_cast<float>(kQuarter * (1.0 / 3) + kQuarter),
        static_cast<float>(kQuarter * (2.0 / 3) + kQuarter),
        static_cast<float>(kQuarter * (1.0 / 3) + kPi),
        static_cast<float>(kQuarter * (2.0 / 3) + kPi),
        static_cast<float>(kQuarter * (1.0 / 3) + kPi + kQuarter),
        static_cast<float>(2 * kPi),
    };
    const int row = firstRowBelow(todayPhaseAngle, thresholds) + 1;
    return row <= static_cast<int>(thresholds.size()) ? row : 0;
}

std::string SoliLunarText(const RunState& state, const ParagraphSet& paragraphs) {
    const auto p = [&paragraphs](std::string_view key) { return paragraph(paragraphs, key); };
    std::string text = join(p("I1"), kLineBreak, kLineBreak, p("I2"), kLineBreak, kLineBreak, p("I3"),
                            kLineBreak, kLineBreak, p("I4"), p("I5"), kLineBreak, kLineBreak);

    text +=
        join("Votre Soleil natal est en ", SignName(state.NatalSunSign), ".", kLineBreak,
             portrait(paragraphs, "SOLEIL", state.NatalSunSign, kSunPortraitPieces), kLineBreak, kLineBreak);
    text +=
        join("Votre Lune natale est en ", SignName(state.NatalMoonSign), ".", kLineBreak,
             portrait(paragraphs, "LUNE", state.NatalMoonSign, kMoonPortraitPieces), kLineBreak, kLineBreak);

    const int quarter = birthQuarter(state.BirthPhaseAngle);
    // "B" + std::to_string(...) draws a false overlap warning from GCC 12 at -O3: appended instead.
    text += join("Phase de la lune à la naissance", kLineBreak, p("B0"), kLineBreak, kLineBreak,
                 kBirthSentences[quarter - 1], kLineBreak,
                 p(std::string("B").append(std::to_string(quarter))), kLineBreak, kLineBreak);

    text += join("Phases de la lune dans la vie", kLineBreak, p("L0"), kLineBreak, kLineBreak,
                 "Les principaux moments de ce cycle sont les suivants :", kLineBreak, p("L1"), kLineBreak,
                 p("L2"), kLineBreak, p("L3"), kLineBreak, p("L4"), kLineBreak, kLineBreak);

    appendCurrentCycle(text, state, paragraphs);

    if (const int row = presentPhaseRow(state.TodayPhaseAngle); row > 0) {
        text += join(kPresentPhaseSentences[row - 1], kLineBreak, p(keyOf("PHASE", row, 1)),
                     p(keyOf("PHASE", row, 2)));
    }
    text += kLineBreak;
    return frenchTypography(text);
}

}  // namespace selenarc
