#include "look.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

namespace makepics {
namespace {

using Json = nlohmann::ordered_json;  // keeps the order of the file

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

Color Rgb(int r, int g, int b) {
    return Color{static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f};
}

Color Darker(const Color& c, float f) { return Color{c.r * f, c.g * f, c.b * f}; }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Looks of materials that give no look at all, by their record kind.
Style StyleOfKind(const std::string& kind, bool& known) {
    known = true;
    if (kind == "wood") return Style::Wood;
    if (kind == "board") return Style::Board;
    if (kind == "plastic") return Style::Plastic;
    if (kind == "metal" || kind == "steel" || kind == "aluminium" || kind == "brass" || kind == "copper")
        return Style::Metal;
    known = false;
    return Style::Wood;
}

// The two colours of each board structure: face and darker fibres or edges.
struct BoardColors {
    Structure structure;
    int color[3], color2[3];
};
constexpr BoardColors kBoardColors[] = {
    {Structure::Mdf, {0xB5, 0x8B, 0x5E}, {0x8E, 0x6A, 0x45}},
    {Structure::Plywood, {0xE2, 0xC9, 0xA0}, {0xA8, 0x84, 0x54}},
    {Structure::Chipboard, {0xC9, 0xA8, 0x77}, {0x8C, 0x6A, 0x40}},
    {Structure::Hardboard, {0x6B, 0x4A, 0x2E}, {0x4A, 0x33, 0x20}},
    {Structure::Blockboard, {0xD8, 0xB9, 0x8A}, {0x9C, 0x78, 0x48}},
    {Structure::Osb, {0xD2, 0xAE, 0x6E}, {0x8F, 0x6A, 0x35}},
    {Structure::Melamine, {0xF2, 0xF2, 0xEE}, {0xC9, 0xA8, 0x77}},
    {Structure::Bamboo, {0xE0, 0xC4, 0x7E}, {0xB0, 0x90, 0x3E}},
};

void DefaultColors(Look& look, const std::string& kind) {
    switch (look.style) {
        case Style::Wood:
            look.color = Rgb(0xC4, 0x9A, 0x6C);
            look.color2 = Rgb(0x8E, 0x62, 0x39);
            break;
        case Style::Board:
            for (const BoardColors& b : kBoardColors)
                if (b.structure == look.structure) {
                    look.color = Rgb(b.color[0], b.color[1], b.color[2]);
                    look.color2 = Rgb(b.color2[0], b.color2[1], b.color2[2]);
                }
            break;
        case Style::Metal:
            if (kind == "copper")
                look.color = Rgb(0xC0, 0x7A, 0x50);
            else if (kind == "brass")
                look.color = Rgb(0xC9, 0xA5, 0x44);
            else if (kind == "aluminium")
                look.color = Rgb(0xC8, 0xCC, 0xD0);
            else
                look.color = Rgb(0x9E, 0xA3, 0xA8);
            look.color2 = Darker(look.color, 0.65f);
            break;
        case Style::Plastic:
            look.color = Rgb(0x3A, 0x7B, 0xD5);
            look.color2 = Darker(look.color, 0.7f);
            break;
    }
}

template <typename E>
bool Pick(const std::string& word, std::initializer_list<std::pair<const char*, E>> words, E& out) {
    for (const auto& [text, value] : words) {
        if (word == text) {
            out = value;
            return true;
        }
    }
    return false;
}

class Reader {
public:
    Reader(const std::string& source, std::vector<PictureJob>& jobs, std::vector<std::string>& errors,
           std::vector<std::string>& warnings)
        : source_(source), jobs_(jobs), errors_(errors), warnings_(warnings) {
        for (const auto& job : jobs_) seen_.insert(job.number);
    }

    void Walk(const Json& node) {
        if (node.is_object()) {
            if (node.contains("picture")) {
                Material(node);
                return;
            }
            for (const auto& [key, value] : node.items()) Walk(value);
        } else if (node.is_array()) {
            for (const auto& value : node) Walk(value);
        }
    }

private:
    void Material(const Json& m) {
        std::string name = "(unnamed)";
        if (m.contains("name") && m["name"].is_string()) name = m["name"].get<std::string>();
        const Json& pic = m["picture"];
        const bool fits =
            pic.is_number_unsigned()
                ? pic.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())
                : pic.is_number_integer() && pic.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
                      pic.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max();
        if (!fits) {
            errors_.push_back(source_ + ": material \"" + name + "\": \"picture\" must be a whole number, such as 12");
            return;
        }
        const int number = static_cast<int>(pic.get<std::int64_t>());
        if (!seen_.insert(number).second) return;  // the first occurrence of a number wins

        PictureJob job;
        job.number = number;
        job.materialName = name;
        job.source = source_;
        where_ = source_ + ": material \"" + name + "\" (picture " + std::to_string(number) + ")";
        std::string kind;
        if (m.contains("kind") && m["kind"].is_string()) kind = m["kind"].get<std::string>();
        const Json empty = Json::object();
        const Json& look = m.contains("look") ? m["look"] : empty;
        if (!look.is_object()) {
            errors_.push_back(where_ + ": \"look\" must be an object");
            return;
        }
        if (ReadLook(look, kind, Lower(name), job.look)) jobs_.push_back(job);
    }

    std::string Word(const Json& look, const char* key) {
        if (!look.contains(key)) return {};
        if (!look[key].is_string()) {
            errors_.push_back(where_ + ": \"" + key + "\" must be a word in quotes");
            return {};
        }
        return look[key].get<std::string>();
    }

    bool ReadLook(const Json& look, const std::string& kind, const std::string& lowerName, Look& out) {
        const std::size_t errorsBefore = errors_.size();
        static const std::set<std::string> kKnownKeys = {"style",     "color",  "color2",     "color3",
                                                         "figure",    "rays",   "sapwood",    "plies",
                                                         "structure", "finish", "transparent"};
        for (const auto& [key, value] : look.items()) {
            if (!kKnownKeys.count(key)) warnings_.push_back(where_ + ": unknown look key \"" + key + "\" ignored");
        }

        const std::string style = Word(look, "style");
        if (!style.empty()) {
            if (!Pick(style,
                      {{"wood", Style::Wood},
                       {"board", Style::Board},
                       {"metal", Style::Metal},
                       {"plastic", Style::Plastic}},
                      out.style)) {
                errors_.push_back(where_ + ": unknown style \"" + style + "\"; use wood, board, metal or plastic");
            }
        } else {
            bool known = false;
            out.style = StyleOfKind(kind, known);
            if (!known) {
                errors_.push_back(where_ + ": no look style and no known kind; give \"look\": {\"style\": ...}");
            }
        }

        const std::string figure = Word(look, "figure");
        const std::string structure = Word(look, "structure");
        const std::string finish = Word(look, "finish");
        switch (out.style) {
            case Style::Wood:
                if (!figure.empty() && !Pick(figure,
                                             {{"straight", Figure::Straight},
                                              {"interlocked", Figure::Interlocked},
                                              {"wavy", Figure::Wavy},
                                              {"knotty", Figure::Knotty},
                                              {"fine", Figure::Fine},
                                              {"open", Figure::Open},
                                              {"ripple", Figure::Ripple},
                                              {"silky", Figure::Silky},
                                              {"ring", Figure::Ring},
                                              {"plain", Figure::Plain}},
                                             out.figure)) {
                    errors_.push_back(where_ + ": unknown wood figure \"" + figure +
                                      "\"; use straight, interlocked, wavy, knotty, fine, open, ripple, silky, "
                                      "ring or plain");
                }
                out.rays = lowerName.find("oak") != std::string::npos;
                break;
            case Style::Board:
                if (!structure.empty() && !Pick(structure,
                                                {{"mdf", Structure::Mdf},
                                                 {"plywood", Structure::Plywood},
                                                 {"chipboard", Structure::Chipboard},
                                                 {"hardboard", Structure::Hardboard},
                                                 {"blockboard", Structure::Blockboard},
                                                 {"osb", Structure::Osb},
                                                 {"melamine", Structure::Melamine},
                                                 {"bamboo", Structure::Bamboo}},
                                                out.structure)) {
                    errors_.push_back(where_ + ": unknown board structure \"" + structure +
                                      "\"; use mdf, plywood, chipboard, hardboard, blockboard, osb, melamine "
                                      "or bamboo");
                }
                break;
            case Style::Metal:
                if (!finish.empty() && !Pick(finish,
                                             {{"brushed", MetalFinish::Brushed},
                                              {"polished", MetalFinish::Polished},
                                              {"rough", MetalFinish::Rough},
                                              {"cast", MetalFinish::Cast},
                                              {"galvanised", MetalFinish::Galvanised},
                                              {"ground", MetalFinish::Ground},
                                              {"turned", MetalFinish::Turned},
                                              {"forged", MetalFinish::Forged},
                                              {"tinplate", MetalFinish::Tinplate},
                                              {"wire", MetalFinish::Wire},
                                              {"foam", MetalFinish::Foam}},
                                             out.metalFinish)) {
                    errors_.push_back(where_ + ": unknown metal finish \"" + finish +
                                      "\"; use brushed, polished, rough, cast, galvanised, ground, turned, forged, "
                                      "tinplate, wire or foam");
                }
                break;
            case Style::Plastic:
                if (!finish.empty() && !Pick(finish,
                                             {{"gloss", PlasticFinish::Gloss},
                                              {"matt", PlasticFinish::Matt},
                                              {"foam", PlasticFinish::Foam},
                                              {"waxy", PlasticFinish::Waxy},
                                              {"film", PlasticFinish::Film},
                                              {"weave", PlasticFinish::Weave},
                                              {"mat", PlasticFinish::Mat},
                                              {"granules", PlasticFinish::Granules},
                                              {"thermochromic", PlasticFinish::Thermochromic},
                                              {"fine", PlasticFinish::Fine},
                                              {"cells", PlasticFinish::Cells},
                                              {"flutes", PlasticFinish::Flutes},
                                              {"rubber", PlasticFinish::Rubber},
                                              {"formed", PlasticFinish::Formed},
                                              {"moulded", PlasticFinish::Moulded},
                                              {"casting", PlasticFinish::Casting},
                                              {"foam edge", PlasticFinish::FoamEdge}},
                                             out.plasticFinish)) {
                    errors_.push_back(where_ + ": unknown plastic finish \"" + finish +
                                      "\"; use gloss, matt, foam, waxy, film, weave, mat, granules, thermochromic, "
                                      "fine, cells, flutes, rubber, formed, moulded, casting or foam edge");
                }
                out.gloss = out.plasticFinish == PlasticFinish::Gloss || out.plasticFinish == PlasticFinish::Formed ||
                            out.plasticFinish == PlasticFinish::Moulded || out.plasticFinish == PlasticFinish::Casting;
                out.foam = out.plasticFinish == PlasticFinish::Foam;
                break;
        }
        if (look.contains("transparent")) {
            if (look["transparent"].is_boolean())
                out.transparent = look["transparent"].get<bool>();
            else
                errors_.push_back(where_ + ": \"transparent\" must be true or false");
        }
        if (look.contains("sapwood")) {
            if (look["sapwood"].is_boolean())
                out.sapwood = look["sapwood"].get<bool>();
            else
                errors_.push_back(where_ + ": \"sapwood\" must be true or false");
        }
        if (look.contains("plies")) {
            if (look["plies"].is_number_integer() && look["plies"].get<std::int64_t>() >= 3 &&
                look["plies"].get<std::int64_t>() <= 15)
                out.plies = static_cast<int>(look["plies"].get<std::int64_t>());
            else
                errors_.push_back(where_ + ": \"plies\" must be a whole number from 3 to 15");
        }
        if (look.contains("rays")) {
            if (look["rays"].is_boolean())
                out.rays = look["rays"].get<bool>();
            else
                errors_.push_back(where_ + ": \"rays\" must be true or false");
        }

        DefaultColors(out, kind);
        const std::string color = Word(look, "color");
        const std::string color2 = Word(look, "color2");
        if (!color.empty()) {
            if (ParseColor(color, out.color)) {
                if (color2.empty()) out.color2 = Darker(out.color, out.style == Style::Board ? 0.75f : 0.68f);
            } else {
                errors_.push_back(where_ + ": colour \"" + color + "\" is not of the form #RRGGBB");
            }
        }
        if (!color2.empty() && !ParseColor(color2, out.color2)) {
            errors_.push_back(where_ + ": colour \"" + color2 + "\" is not of the form #RRGGBB");
        }
        const std::string color3 = Word(look, "color3");
        if (!color3.empty()) {
            if (ParseColor(color3, out.color3))
                out.streaks = true;
            else
                errors_.push_back(where_ + ": colour \"" + color3 + "\" is not of the form #RRGGBB");
        }
        return errors_.size() == errorsBefore;
    }

    std::string source_;
    std::vector<PictureJob>& jobs_;
    std::vector<std::string>& errors_;
    std::vector<std::string>& warnings_;
    std::set<int> seen_;
    std::string where_;
};

}  // namespace

bool ParseColor(const std::string& text, Color& out) {
    if (text.size() != 7 || text[0] != '#') return false;
    int v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = HexDigit(text[static_cast<std::size_t>(i) + 1]);
        if (v[i] < 0) return false;
    }
    out = Rgb(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
    return true;
}

void CollectPictures(const std::string& jsonText, const std::string& sourceName, std::vector<PictureJob>& jobs,
                     std::vector<std::string>& errors, std::vector<std::string>& warnings) {
    Json doc;
    try {
        doc = Json::parse(jsonText);
    } catch (const Json::parse_error& e) {
        throw std::runtime_error(sourceName + ": not valid JSON (" + e.what() + ")");
    }
    Reader(sourceName, jobs, errors, warnings).Walk(doc);
}

}  // namespace makepics
