#include "materials/tables.h"

#include <array>
#include <string_view>

namespace trevane {
namespace {

constexpr std::array<std::string_view, 50> kPropertyTitles = {
    "",
    "Thermoplastic",
    "Thermosetting",
    "Hardness",
    "Tough",
    "Stiffness",
    "Weight",
    "Strength",
    "Malleable",
    "Ductile",
    "Conductor of heat and electricity",
    "Conductor of electricity",
    "Resistant to wear",
    "Resistant to corrosion",
    "Available in opaque colors",
    "Available as transparent",
    "Impact resistant",
    "Resistant to chemicals",
    "Resistant to UV light",
    "Resistant to heat",
    "Flammable",
    "Self lubricating",
    "Durability",
    "Suitable for exterior work",
    "Tendency to move",
    "Suitability for turning",
    "Ability to be steam bent",
    "Ease of planing/cutting",
    "Finishes well",
    "Can be soldered",
    "Can be brazed",
    "Can be welded",
    "Can be cast",
    "Can be rolled",
    "Can be forged",
    "Can be machined/cut",
    "Can be spun",
    "Can be glued",
    "Can be bent",
    "Can be pressed",
    "Polishes well",
    "Can be compression moulded",
    "Can be calendered",
    "Can be foamed",
    "Can be rotational moulded",
    "Can be injection moulded",
    "Can be blow moulded",
    "Can be extruded",
    "Can be vacuum formed",
    "Can be strip bent",
};

constexpr std::array<std::string_view, 18> kValueWords = {
    "",     "yes", "no",   "heavy", "light",    "hard",  "soft",   "easy", "difficult", "intermediate",
    "high", "low", "good", "poor",  "flexible", "stiff", "strong", "weak",
};

constexpr std::array<std::string_view, 57> kMetalSizes = {
    "",
    "12 x 3 [strip]",
    "15 x 3 [strip]",
    "20 x 3 [strip]",
    "25 x 3 [strip]",
    "38 x 3 [strip]",
    "50 x 3 [strip]",
    "75 x 3 [strip]",
    "20 x 6 [strip]",
    "25 x 6 [strip]",
    "38 x 6 [strip]",
    "50 x 6 [strip]",
    "75 x 8 [strip]",
    "100 x 8 [strip]",
    "20 x 25 [strip]",
    "6 [square]",
    "8 [square]",
    "10 [square]",
    "12 [square]",
    "15 [square]",
    "20 [square]",
    "25 [square]",
    "3 [round]",
    "5 [round]",
    "6 [round]",
    "8 [round]",
    "10 [round]",
    "12 [round]",
    "16 [round]",
    "20 [round]",
    "25 [round]",
    "30 [round]",
    "38 [round]",
    "50 [round]",
    "12 [square tube]",
    "20 [square tube]",
    "25 [square tube]",
    "50 [square tube]",
    "12 [round tube]",
    "15 [round tube]",
    "20 [round tube]",
    "22 [round tube]",
    "25 [round tube]",
    "28 [round tube]",
    "54 [round tube]",
    "50 x 25 x 3 [box]",
    "13 x 13 x 3 [angle]",
    "25 x 25 x 3 [angle]",
    "30 x30 x 3 [angle]",  // no space after the second "x", as the databases hold it
    "40 x 40 x 3 [angle]",
    "50 x 50 x 3 [angle]",
    "0.9 mm [sheet]",
    "1.2 mm [sheet]",
    "1.6 mm [sheet]",
    "0.9 mm [galvanised sheet]",
    "1.2 mm [galvanised sheet]",
    " 1.6 mm [galvanised sheet]",  // leading space, as the databases hold it
};

constexpr std::array<std::string_view, 20> kPlasticSizes = {
    "",
    "1.5 mm [sheet]",
    "2.0 mm [sheet]",
    "2.5 mm [sheet]",
    "3.0 mm [sheet]",
    "5.0 mm [sheet]",
    "5 mm [rod]",
    "10 mm [rod]",
    "15 mm [rod]",
    "20 mm [rod]",
    "25 mm [rod]",
    "6 mm [tube]",
    "10 mm [tube]",
    "15 mm [tube]",
    "20 mm [tube]",
    "25 mm [tube]",
    "50 mm [tube]",
    "75 mm [tube]",
    "100 mm [tube]",
    "150 mm [tube]",
};

constexpr std::array<int, 10> kBoardThicknesses = {3, 4, 5, 6, 9, 12, 15, 18, 22, 25};

template <std::size_t N>
std::string TextAt(const std::array<std::string_view, N>& table, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= N) return {};
    return std::string(table[static_cast<std::size_t>(code)]);
}

// The first code (from 1) whose text equals `text` exactly; 0 for none.
template <std::size_t N>
int CodeOf(const std::array<std::string_view, N>& table, const std::string& text) {
    if (text.empty()) return 0;
    for (std::size_t i = 1; i < N; ++i)
        if (table[i] == text) return static_cast<int>(i);
    return 0;
}

}  // namespace

std::string PropertyTitle(int index) { return TextAt(kPropertyTitles, index); }

std::string_view PropertyTitleView(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kPropertyTitles.size()) return {};
    return kPropertyTitles[static_cast<std::size_t>(index)];
}

std::string ValueText(int code) { return TextAt(kValueWords, code); }

int ValueCode(const std::string& text) {
    if (text.empty() || text == "don't care") return 0;
    const int code = CodeOf(kValueWords, text);
    return code == 0 ? -1 : code;
}

int PropertyScaleOf(int index) {
    switch (index) {
        case 3: return 2;
        case 6: return 3;
        case 25:
        case 26: return 4;
        case 22:
        case 24: return 5;
        case 7: return 6;
        case 5: return 7;
        case 27: return 8;
        default: return 1;
    }
}

std::vector<std::string> ScaleWords(int scale) {
    switch (scale) {
        case 2: return {"hard", "intermediate", "soft"};
        case 3: return {"heavy", "intermediate", "light"};
        case 4: return {"good", "intermediate", "poor"};
        case 5: return {"high", "intermediate", "low"};
        case 6: return {"strong", "weak"};
        case 7: return {"stiff", "flexible"};
        case 8: return {"hard", "intermediate", "easy"};
        default: return {"yes", "no"};
    }
}

std::string MetalSizeText(int code) { return TextAt(kMetalSizes, code); }
int MetalSizeCode(const std::string& text) { return CodeOf(kMetalSizes, text); }

std::string PlasticSizeText(int code) { return TextAt(kPlasticSizes, code); }
int PlasticSizeCode(const std::string& text) { return CodeOf(kPlasticSizes, text); }

std::string BoardSizeText(int thickness) {
    for (int t : kBoardThicknesses)
        if (t == thickness) return std::to_string(t) + " (mm)";
    return {};
}

int BoardSizeCode(const std::string& text) {
    for (int t : kBoardThicknesses)
        if (text == std::to_string(t) + " (mm)") return t;
    return 0;
}

std::string PictureFileName(int number) { return std::to_string(number) + ".jpg"; }

}  // namespace trevane
