#pragma once
// How a material's picture should look, read from the "look" object of a
// material in the database sources, and the list of pictures to draw.
#include <string>
#include <vector>

namespace makepics {

struct Color {
    float r = 0.0f, g = 0.0f, b = 0.0f;  // 0..1
};

enum class Style { Wood, Board, Metal, Plastic };
enum class Figure { Straight, Interlocked, Wavy, Knotty, Fine, Open, Ripple, Silky, Ring, Plain };
enum class Structure { Mdf, Plywood, Chipboard, Hardboard, Blockboard, Osb, Melamine, Bamboo };
enum class MetalFinish { Brushed, Polished, Rough, Cast, Galvanised, Ground, Turned, Forged, Tinplate, Wire, Foam };
// Plastic surfaces: plain sheets (gloss, matt), and the surfaces that tell the
// special plastics apart: fused beads, translucent wax, crumpled film, woven and
// matted fibres, granules, colour-change ink, fine foam, cut cells, twin-wall
// flutes, rubber, a vacuum-formed dome, a moulded socket and a cast block.
enum class PlasticFinish {
    Gloss,
    Matt,
    Foam,
    Waxy,
    Film,
    Weave,
    Mat,
    Granules,
    Thermochromic,
    Fine,
    Cells,
    Flutes,
    Rubber,
    Formed,
    Moulded,
    Casting,
    FoamEdge
};

struct Look {
    Style style = Style::Wood;
    Color color;           // main colour of the material
    Color color2;          // grain, glue line, core or shade colour
    Color color3;          // wood: colour of long streaks (purple in yew, red in parana pine)
    bool streaks = false;  // wood: color3 was given
    bool sapwood = false;  // wood: a pale band of sapwood along one edge
    int plies = 0;         // plywood: number of plies in the edge (0: chosen at random)
    Figure figure = Figure::Straight;
    bool rays = false;  // wood: medullary ray flecks (oak)
    Structure structure = Structure::Mdf;
    MetalFinish metalFinish = MetalFinish::Brushed;
    bool transparent = false;  // plastic
    bool gloss = true;         // plastic: gloss or matt
    bool foam = false;         // plastic: expanded foam of fused beads
    PlasticFinish plasticFinish = PlasticFinish::Gloss;
};

// One picture to draw: its number, the look, and where it was named (for messages).
struct PictureJob {
    int number = 0;
    std::string materialName;
    std::string source;  // file it came from
    Look look;
};

// Parses "#RRGGBB". Returns false for anything else.
bool ParseColor(const std::string& text, Color& out);

// Reads the picture jobs of one database source (JSON text) and appends those
// whose number is not yet in `jobs` (the first occurrence of a number wins).
// `sourceName` names the file in messages. Problems that make a picture wrong
// (a malformed colour, an unknown style word) are appended to `errors`; unknown
// keys are reported in `warnings`. Throws std::runtime_error when the text is
// not valid JSON.
void CollectPictures(const std::string& jsonText, const std::string& sourceName, std::vector<PictureJob>& jobs,
                     std::vector<std::string>& errors, std::vector<std::string>& warnings);

}  // namespace makepics
