#include "trevane-db/source_format.h"

#include <algorithm>
#include <array>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "common/cp1252.h"
#include "common/errors.h"
#include "materials/matching.h"
#include "materials/stock_checks.h"
#include "materials/tables.h"
#include "trevane-db/source_lines.h"

namespace trevane {
namespace {

using Json = nlohmann::ordered_json;

struct KindName {
    const char* word;
    int kind;
};
constexpr std::array<KindName, 8> kKinds = {{{"wood", 0},
                                             {"metal", 1},
                                             {"steel", 5},
                                             {"aluminium", 6},
                                             {"brass", 7},
                                             {"copper", 8},
                                             {"plastic", 2},
                                             {"board", 10}}};

int KindOfWord(const std::string& word) {
    for (const auto& k : kKinds)
        if (word == k.word) return k.kind;
    return -1;
}

bool IsMetalKind(int kind) { return kind == 1 || (kind >= 5 && kind <= 8); }

int TitleIndex(const std::string& name) {
    for (int i = 1; i <= kPropertyCount; ++i)
        if (PropertyTitle(i) == name) return i;
    return 0;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::string JoinWords(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : ", ") + w;
    return out;
}

// Reads the values of one source, naming the line of every fault.
class Reader {
public:
    Reader(const std::string& file, const SourceLines* lines) : file_(file), lines_(lines) {}

    [[noreturn]] void Fail(const std::string& path, const std::string& what) const {
        throw SourceError(file_, lines_ ? lines_->LineOf(path) : 1, what);
    }

    std::int64_t Integer(const Json& v, const std::string& path, std::int64_t lo, std::int64_t hi) const {
        const std::string range = "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(hi)) Fail(path, "the value must be " + range);
            return static_cast<std::int64_t>(u);
        }
        if (!v.is_number_integer()) Fail(path, "the value must be " + range);
        const auto n = v.get<std::int64_t>();
        if (n < lo || n > hi) Fail(path, "the value must be " + range);
        return n;
    }

    // A price or a size: never below zero.
    std::int32_t Amount(const Json& v, const std::string& path) const {
        return static_cast<std::int32_t>(Integer(v, path, 0, std::numeric_limits<std::int32_t>::max()));
    }

    std::int32_t Int32(const Json& v, const std::string& path) const {
        return static_cast<std::int32_t>(
            Integer(v, path, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }

    // true is -1, false 0; a whole number is taken as it is.
    std::int32_t Switch(const Json& v, const std::string& path) const {
        if (v.is_boolean()) return v.get<bool>() ? -1 : 0;
        if (!v.is_number_integer()) Fail(path, "the value must be true, false or a whole number");
        return Int32(v, path);
    }

    std::string Text(const Json& v, const std::string& path) const {
        if (!v.is_string()) Fail(path, "the value must be a text in double quotes");
        const auto& s = v.get_ref<const std::string&>();
        if (!FitsCp1252(s)) Fail(path, "the text holds a character that the database cannot store (Windows-1252)");
        return s;
    }

    void ExpectObject(const Json& v, const std::string& path, const std::string& what) const {
        if (!v.is_object()) Fail(path, what + " must be an object { ... }");
    }
    void ExpectArray(const Json& v, const std::string& path, const std::string& what) const {
        if (!v.is_array()) Fail(path, what + " must be a list [ ... ]");
    }

private:
    const std::string& file_;
    const SourceLines* lines_;
};

// Calls `fn(value, path)` for a member when it is present.
template <class Fn>
void IfPresent(const Json& obj, const std::string& path, const char* key, Fn fn) {
    auto it = obj.find(key);
    if (it != obj.end()) fn(*it, ChildPath(path, key));
}

std::vector<std::string> AllowedKeys(int kind) {
    std::vector<std::string> keys = {"kind",        "name",       "picture", "available", "costing_flag", "category",
                                     "description", "properties", "extra",   "flags",     "look"};
    if (kind == 0) keys.insert(keys.end(), {"origin", "hardwood", "other_name", "price"});
    if (IsMetalKind(kind)) keys.insert(keys.end(), {"composition", "melting_point", "stock_word", "stock_sizes"});
    if (kind >= 5 && kind <= 8) keys.push_back("shapes");
    if (kind == 2) keys.insert(keys.end(), {"other_name", "chemical_name", "stock_word", "shapes"});
    if (kind == 10) keys.push_back("shapes");
    return keys;
}

void CheckKeys(const Reader& r, const Json& obj, const std::string& path, const std::vector<std::string>& allowed,
               const std::string& what) {
    for (const auto& item : obj.items())
        if (std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end())
            r.Fail(ChildPath(path, item.key()),
                   "unknown key " + Quote(item.key()) + " in " + what + " (known: " + JoinWords(allowed) + ")");
}

// The value code of a word for a property; the flag rule must know the word.
std::uint8_t WordCode(const Reader& r, const Json& v, const std::string& path, int index) {
    const std::string word = r.Text(v, path);
    const int code = RuleWordCode(index, word);
    if (code < 0)
        r.Fail(path, Quote(word) + " is not a value of " + Quote(PropertyTitle(index)) + " (" +
                         JoinWords(ScaleWords(PropertyScaleOf(index))) + ")");
    return static_cast<std::uint8_t>(code);
}

// Stock of a material offered for costing is priced from these values: its
// price and sizes must be above zero.
// `field` names the first value that is not (nullptr: none).
void CheckStockShape(const Reader& r, const Json& e, const std::string& p, const char* field) {
    if (!field) return;
    const std::string key = field == std::string("thickness") && e.contains("code") ? "code" : field;
    if (e.contains(key)) r.Fail(ChildPath(p, key), "the " + key + " of stocked stock must be more than 0");
    r.Fail(p, "stocked stock needs a " + Quote(key) + " of more than 0");
}

// Stock shapes of metals and plastics, matched to the class's shapes by size.
template <class Shape>
void ReadStockShapes(const Reader& r, const Json& list, const std::string& path,
                     std::vector<std::unique_ptr<Shape>>& shapes, int (*sizeCode)(const std::string&),
                     const std::string& kindWord, bool costed) {
    r.ExpectArray(list, path, "\"shapes\"");
    std::vector<Shape> defaults;
    for (auto& s : shapes) {
        defaults.push_back(*s);
        s->Stocked = 0;
        s->Price = 0;
    }
    std::vector<bool> listed(shapes.size(), false);
    const std::vector<std::string> keys = {"size", "code", "kind", "price", "stocked", "max_length", "max_width"};
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Json& e = list[k];
        const std::string p = ChildPath(path, k);
        r.ExpectObject(e, p, "a shape");
        CheckKeys(r, e, p, keys, "a shape");
        auto size = e.find("size");
        if (size == e.end()) r.Fail(p, "the shape has no \"size\"");
        const std::string sp = ChildPath(p, "size");
        const int code = size->is_string() ? sizeCode(r.Text(*size, sp)) : static_cast<int>(r.Int32(*size, sp));
        std::size_t pos = 0;
        while (pos < defaults.size() && defaults[pos].SizeCode != code) ++pos;
        if (code == 0 || pos == defaults.size())
            r.Fail(sp, "a " + kindWord + " has no stock size " + size->dump(-1, ' ', false));
        if (listed[pos]) r.Fail(sp, "the size " + size->dump(-1, ' ', false) + " is given twice");
        listed[pos] = true;
        Shape& s = *shapes[pos];
        s = defaults[pos];
        IfPresent(e, p, "code", [&](const Json& v, const std::string& q) { s.SizeCode = r.Int32(v, q); });
        IfPresent(e, p, "kind", [&](const Json& v, const std::string& q) {
            s.Kind = static_cast<std::uint8_t>(r.Integer(v, q, 0, 255));
        });
        IfPresent(e, p, "price", [&](const Json& v, const std::string& q) { s.Price = r.Amount(v, q); });
        IfPresent(e, p, "stocked", [&](const Json& v, const std::string& q) { s.Stocked = r.Switch(v, q); });
        IfPresent(e, p, "max_length", [&](const Json& v, const std::string& q) { s.MaxLength = r.Amount(v, q); });
        IfPresent(e, p, "max_width", [&](const Json& v, const std::string& q) { s.MaxWidth = r.Amount(v, q); });
        if (costed) CheckStockShape(r, e, p, StockShapeFault(s));
    }
}

void ReadBoardShapes(const Reader& r, const Json& list, const std::string& path, TBoard& b, bool costed) {
    r.ExpectArray(list, path, "\"shapes\"");
    std::vector<TBoardShape> defaults;
    for (auto& s : b.Shapes) {
        defaults.push_back(*s);
        s->Stocked = 0;
        s->Price = 0;
    }
    std::vector<bool> listed(b.Shapes.size(), false);
    const std::vector<std::string> keys = {"thickness", "code", "price", "stocked", "width", "length"};
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Json& e = list[k];
        const std::string p = ChildPath(path, k);
        r.ExpectObject(e, p, "a shape");
        CheckKeys(r, e, p, keys, "a board shape");
        auto t = e.find("thickness");
        if (t == e.end()) r.Fail(p, "the shape has no \"thickness\"");
        const std::string tp = ChildPath(p, "thickness");
        const int thickness = r.Int32(*t, tp);
        std::size_t pos = 0;
        while (pos < defaults.size() && defaults[pos].Thickness != thickness) ++pos;
        if (pos == defaults.size()) r.Fail(tp, "a board has no stock thickness " + std::to_string(thickness));
        if (listed[pos]) r.Fail(tp, "the thickness " + std::to_string(thickness) + " is given twice");
        listed[pos] = true;
        TBoardShape& s = *b.Shapes[pos];
        s = defaults[pos];
        IfPresent(e, p, "code", [&](const Json& v, const std::string& q) { s.Thickness = r.Amount(v, q); });
        IfPresent(e, p, "price", [&](const Json& v, const std::string& q) { s.Price = r.Amount(v, q); });
        IfPresent(e, p, "stocked", [&](const Json& v, const std::string& q) { s.Stocked = r.Switch(v, q); });
        IfPresent(e, p, "width", [&](const Json& v, const std::string& q) { s.Width = r.Amount(v, q); });
        IfPresent(e, p, "length", [&](const Json& v, const std::string& q) { s.Length = r.Amount(v, q); });
        if (costed) CheckStockShape(r, e, p, StockShapeFault(s));
    }
}

// `checkStock`: refuse stock of a material offered for costing whose price or
// size is not above zero (a dump reads without it, to show such values).
std::unique_ptr<TMaterial> ReadMaterial(const Reader& r, const Json& j, const std::string& path,
                                        bool checkStock = false) {
    r.ExpectObject(j, path, "a material");
    auto kindIt = j.find("kind");
    if (kindIt == j.end()) r.Fail(path, "the material has no \"kind\"");
    const std::string kindWord = r.Text(*kindIt, ChildPath(path, "kind"));
    const int kind = KindOfWord(kindWord);
    if (kind < 0)
        r.Fail(ChildPath(path, "kind"),
               "unknown kind " + Quote(kindWord) + " (wood, metal, steel, aluminium, brass, copper, plastic or board)");
    CheckKeys(r, j, path, AllowedKeys(kind), "a " + kindWord);
    auto m = CreateForRecordKind(kind);

    if (!j.contains("name")) r.Fail(path, "the material has no \"name\"");
    IfPresent(j, path, "name", [&](const Json& v, const std::string& p) { m->Name = r.Text(v, p); });
    IfPresent(j, path, "picture", [&](const Json& v, const std::string& p) { m->PictureNumber = r.Int32(v, p); });
    if (j.contains("available") && j.contains("costing_flag"))
        r.Fail(ChildPath(path, "costing_flag"), "give either \"available\" or \"costing_flag\", not both");
    IfPresent(j, path, "available", [&](const Json& v, const std::string& p) {
        if (!v.is_boolean()) r.Fail(p, "the value must be true or false");
        m->CostingFlag = v.get<bool>() ? -1 : 0;
    });
    IfPresent(j, path, "costing_flag", [&](const Json& v, const std::string& p) { m->CostingFlag = r.Int32(v, p); });
    IfPresent(j, path, "category", [&](const Json& v, const std::string& p) {
        m->Category = static_cast<std::uint8_t>(r.Integer(v, p, 0, 255));
    });
    IfPresent(j, path, "description", [&](const Json& v, const std::string& p) { m->Description = r.Text(v, p); });

    IfPresent(j, path, "properties", [&](const Json& props, const std::string& pp) {
        r.ExpectObject(props, pp, "\"properties\"");
        for (const auto& item : props.items()) {
            const std::string p = ChildPath(pp, item.key());
            int i = 0;
            while (i < m->PropertyCount() && m->PropertyName(i) != item.key()) ++i;
            if (i == m->PropertyCount()) {
                if (TitleIndex(item.key()) > 0)
                    r.Fail(p, "a " + kindWord + " does not carry " + Quote(item.key()) +
                                  "; give its value under \"extra\"");
                r.Fail(p, Quote(item.key()) + " is not a property name");
            }
            const Json& v = item.value();
            const std::uint8_t code = v.is_number() ? static_cast<std::uint8_t>(r.Integer(v, p, 0, 255))
                                                    : WordCode(r, v, p, m->PropertyIndex(i));
            m->Properties[static_cast<std::size_t>(i)].second.Value = code;
            m->UpdateFlags(i);
        }
    });
    IfPresent(j, path, "extra", [&](const Json& extra, const std::string& ep) {
        r.ExpectObject(extra, ep, "\"extra\"");
        for (const auto& item : extra.items()) {
            const std::string p = ChildPath(ep, item.key());
            const int index = TitleIndex(item.key());
            if (index == 0) r.Fail(p, Quote(item.key()) + " is not a property name");
            if (m->PropSet.Has(index))
                r.Fail(p, "a " + kindWord + " carries " + Quote(item.key()) + "; give its value under \"properties\"");
            ApplyFlagRule(m->Flags, index, WordCode(r, item.value(), p, index));
        }
    });
    IfPresent(j, path, "flags", [&](const Json& flags, const std::string& fp) {
        r.ExpectArray(flags, fp, "\"flags\"");
        m->Flags = FlagSet{};
        for (std::size_t k = 0; k < flags.size(); ++k)
            m->Flags.Add(static_cast<int>(r.Integer(flags[k], ChildPath(fp, k), 0, 151)));
    });

    if (auto* w = dynamic_cast<TWood*>(m.get())) {
        IfPresent(j, path, "origin", [&](const Json& v, const std::string& p) { w->Origin = r.Text(v, p); });
        IfPresent(j, path, "hardwood", [&](const Json& v, const std::string& p) { w->Hardwood = r.Switch(v, p); });
        IfPresent(j, path, "other_name", [&](const Json& v, const std::string& p) { w->OtherName = r.Text(v, p); });
        IfPresent(j, path, "price", [&](const Json& v, const std::string& p) { w->Price = r.Amount(v, p); });
        if (checkStock && w->CostingFlag != 0 && w->Price <= 0) {
            if (j.contains("price")) r.Fail(ChildPath(path, "price"), "the price must be more than 0");
            r.Fail(path, "a wood needs a \"price\" of more than 0");
        }
    } else if (auto* metal = dynamic_cast<TCustomMetal*>(m.get())) {
        IfPresent(j, path, "composition",
                  [&](const Json& v, const std::string& p) { metal->Composition = r.Text(v, p); });
        IfPresent(j, path, "melting_point",
                  [&](const Json& v, const std::string& p) { metal->MeltingPoint = r.Text(v, p); });
        IfPresent(j, path, "stock_word",
                  [&](const Json& v, const std::string& p) { metal->StockWord = r.Int32(v, p); });
        IfPresent(j, path, "stock_sizes", [&](const Json& v, const std::string& p) {
            r.ExpectArray(v, p, "\"stock_sizes\"");
            metal->StockSizes = StockSizeSet{};
            for (std::size_t k = 0; k < v.size(); ++k)
                metal->StockSizes.Add(static_cast<int>(r.Integer(v[k], ChildPath(p, k), 0, 63)));
        });
        if (!metal->Shapes.empty()) {
            static const Json kNone = Json::array();
            auto it = j.find("shapes");
            ReadStockShapes(r, it == j.end() ? kNone : *it, ChildPath(path, "shapes"), metal->Shapes, MetalSizeCode,
                            kindWord, checkStock && m->CostingFlag != 0);
        }
    } else if (auto* plastic = dynamic_cast<TPlastic*>(m.get())) {
        IfPresent(j, path, "other_name",
                  [&](const Json& v, const std::string& p) { plastic->OtherName = r.Text(v, p); });
        IfPresent(j, path, "chemical_name",
                  [&](const Json& v, const std::string& p) { plastic->ChemicalName = r.Text(v, p); });
        IfPresent(j, path, "stock_word",
                  [&](const Json& v, const std::string& p) { plastic->StockWord = r.Int32(v, p); });
        static const Json kNone = Json::array();
        auto it = j.find("shapes");
        ReadStockShapes(r, it == j.end() ? kNone : *it, ChildPath(path, "shapes"), plastic->Shapes, PlasticSizeCode,
                        kindWord, checkStock && m->CostingFlag != 0);
    } else if (auto* board = dynamic_cast<TBoard*>(m.get())) {
        static const Json kNone = Json::array();
        auto it = j.find("shapes");
        ReadBoardShapes(r, it == j.end() ? kNone : *it, ChildPath(path, "shapes"), *board,
                        checkStock && m->CostingFlag != 0);
    }
    return m;
}

// ---------------------------------------------------------------- dump

std::string Scalar(const Json& j) { return j.dump(-1, ' ', false); }

bool IsFlat(const Json& j) {
    for (const auto& v : j) {
        if (v.is_structured()) return false;
    }
    return true;
}

// Objects and lists of plain values fit on one line when short; the rest is indented.
void Pretty(const Json& j, int indent, std::string& out) {
    if (!j.is_structured()) {
        out += Scalar(j);
        return;
    }
    const bool object = j.is_object();
    const char open = object ? '{' : '[';
    const char close = object ? '}' : ']';
    if (j.empty()) {
        out += open;
        out += close;
        return;
    }
    if (IsFlat(j)) {
        std::string line(1, open);
        bool first = true;
        for (const auto& item : j.items()) {
            line += first ? "" : ", ";
            first = false;
            if (object) line += Scalar(Json(item.key())) + ": ";
            line += Scalar(item.value());
        }
        line += close;
        if (!object || line.size() + static_cast<std::size_t>(indent) <= 110) {
            out += line;
            return;
        }
    }
    const std::string pad(static_cast<std::size_t>(indent + 2), ' ');
    out += open;
    out += '\n';
    bool first = true;
    for (const auto& item : j.items()) {
        if (!first) out += ",\n";
        first = false;
        out += pad;
        if (object) out += Scalar(Json(item.key())) + ": ";
        Pretty(item.value(), indent + 2, out);
    }
    out += '\n';
    out += std::string(static_cast<std::size_t>(indent), ' ');
    out += close;
}

Json SwitchValue(std::int32_t v) {
    if (v == -1) return true;
    if (v == 0) return false;
    return v;
}

std::vector<int> SetElements(const StockSizeSet& s) {
    std::vector<int> v;
    for (int e = 0; e < 64; ++e)
        if (s.Has(e)) v.push_back(e);
    return v;
}

std::string Bytes(const TMaterial& m) {
    ByteWriter w;
    m.SaveToStream(w);
    return w.Take();
}

template <class Shape>
Json DumpStockShapes(const std::vector<std::unique_ptr<Shape>>& shapes,
                     const std::vector<std::unique_ptr<Shape>>& defaults, std::string (*sizeText)(int)) {
    Json list = Json::array();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const Shape& s = *shapes[i];
        const Shape& d = *defaults[i];
        if (s.Stocked == 0 && s.Price == 0 && s.Kind == d.Kind && s.SizeCode == d.SizeCode &&
            s.MaxLength == d.MaxLength && s.MaxWidth == d.MaxWidth)
            continue;
        Json e;
        e["size"] = sizeText(d.SizeCode);
        if (s.SizeCode != d.SizeCode) e["code"] = s.SizeCode;
        if (s.Kind != d.Kind) e["kind"] = s.Kind;
        e["price"] = s.Price;
        e["stocked"] = SwitchValue(s.Stocked);
        e["max_length"] = s.MaxLength;
        e["max_width"] = s.MaxWidth;
        list.push_back(std::move(e));
    }
    return list;
}

Json DumpClassPart(const TMaterial& m, const TMaterial& fresh) {
    Json j = Json::object();
    if (const auto* w = dynamic_cast<const TWood*>(&m)) {
        j["origin"] = w->Origin;
        j["hardwood"] = SwitchValue(w->Hardwood);
        j["other_name"] = w->OtherName;
        j["price"] = w->Price;
    } else if (const auto* metal = dynamic_cast<const TCustomMetal*>(&m)) {
        const auto& d = dynamic_cast<const TCustomMetal&>(fresh);
        j["composition"] = metal->Composition;
        j["melting_point"] = metal->MeltingPoint;
        if (metal->StockWord != d.StockWord) j["stock_word"] = metal->StockWord;
        if (!(metal->StockSizes == d.StockSizes)) j["stock_sizes"] = SetElements(metal->StockSizes);
        if (!metal->Shapes.empty()) j["shapes"] = DumpStockShapes(metal->Shapes, d.Shapes, MetalSizeText);
    } else if (const auto* plastic = dynamic_cast<const TPlastic*>(&m)) {
        const auto& d = dynamic_cast<const TPlastic&>(fresh);
        j["other_name"] = plastic->OtherName;
        j["chemical_name"] = plastic->ChemicalName;
        if (plastic->StockWord != d.StockWord) j["stock_word"] = plastic->StockWord;
        j["shapes"] = DumpStockShapes(plastic->Shapes, d.Shapes, PlasticSizeText);
    } else if (const auto* board = dynamic_cast<const TBoard*>(&m)) {
        const auto& d = dynamic_cast<const TBoard&>(fresh);
        Json list = Json::array();
        for (std::size_t i = 0; i < board->Shapes.size(); ++i) {
            const TBoardShape& s = *board->Shapes[i];
            const TBoardShape& ds = *d.Shapes[i];
            if (s.Stocked == 0 && s.Price == 0 && s.Thickness == ds.Thickness && s.Width == ds.Width &&
                s.Length == ds.Length)
                continue;
            Json e;
            e["thickness"] = ds.Thickness;
            if (s.Thickness != ds.Thickness) e["code"] = s.Thickness;
            e["price"] = s.Price;
            e["stocked"] = SwitchValue(s.Stocked);
            e["width"] = s.Width;
            e["length"] = s.Length;
            list.push_back(std::move(e));
        }
        j["shapes"] = list;
    }
    return j;
}

Json DumpMaterial(const TMaterial& m, std::size_t position) {
    const int kind = m.RecordKind();
    const std::string word = KindWord(kind);
    if (word.empty()) throw EQelError("material " + std::to_string(position) + " cannot be stored in a database");
    const auto fresh = CreateForRecordKind(kind);
    const Reader r("(dump)", nullptr);

    Json j;
    j["kind"] = word;
    j["name"] = m.Name;
    j["picture"] = m.PictureNumber;
    if (m.CostingFlag == -1 || m.CostingFlag == 0)
        j["available"] = m.CostingFlag != 0;
    else
        j["costing_flag"] = m.CostingFlag;
    if (m.Category != fresh->Category) j["category"] = m.Category;
    j["description"] = m.Description;
    Json props = Json::object();
    for (int i = 0; i < m.PropertyCount(); ++i) {
        const int v = m.PropertyValue(i);
        if (v == 0) continue;
        if (FlagForValue(m.PropertyIndex(i), v) >= 0)
            props[m.PropertyName(i)] = ValueText(v);
        else
            props[m.PropertyName(i)] = v;
    }
    if (!props.empty()) j["properties"] = props;

    // Flags of properties the class does not carry go under "extra" when one
    // word explains them; whatever is still unexplained is listed in full.
    FlagSet derived = ReadMaterial(r, j, "")->Flags;
    Json extra = Json::object();
    for (int index = 1; index <= kPropertyCount; ++index) {
        if (m.PropSet.Has(index)) continue;
        std::vector<int> stored, have;
        for (int f : OwnedFlags(index)) {
            if (m.Flags.Has(f)) stored.push_back(f);
            if (derived.Has(f)) have.push_back(f);
        }
        if (stored == have || stored.size() > 1) continue;
        int code = 0;
        if (stored.size() == 1)
            while (code <= 17 && FlagForValue(index, code) != stored[0]) ++code;
        extra[PropertyTitle(index)] = code == 0 ? std::string("don't care") : ValueText(code);
    }
    if (!extra.empty()) j["extra"] = extra;
    if (!(ReadMaterial(r, j, "")->Flags == m.Flags)) {
        Json flags = Json::array();
        for (int f = 0; f < 152; ++f)
            if (m.Flags.Has(f)) flags.push_back(f);
        j["flags"] = flags;
    }
    const Json classPart = DumpClassPart(m, *fresh);
    for (const auto& item : classPart.items()) j[item.key()] = item.value();

    if (Bytes(*ReadMaterial(r, j, "")) != Bytes(m))
        throw EQelError("material " + std::to_string(position) + " cannot be written as source");
    return j;
}

}  // namespace

std::string KindWord(int recordKind) {
    for (const auto& k : kKinds)
        if (k.kind == recordKind) return k.word;
    return {};
}

CompiledSource CompileSource(std::string_view text, const std::string& file) {
    Json doc;
    try {
        doc = Json::parse(text);
    } catch (const Json::parse_error& e) {
        // Keep nlohmann's description without its own prefix and position.
        std::string what = e.what();
        const auto column = what.find("column");
        const auto colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
        if (colon != std::string::npos) what = what.substr(colon + 2);
        throw SourceError(file, LineAtOffset(text, e.byte == 0 ? 0 : e.byte - 1), what);
    } catch (const Json::exception& e) {
        // Valid syntax the parser still refuses (a number too large for a
        // double). The message quotes the text; its first place gives the line.
        std::string what = e.what();
        const auto bracket = what.find("] ");
        if (bracket != std::string::npos) what = what.substr(bracket + 2);
        std::size_t at = 0;
        const auto open = what.find('\'');
        const auto close = open == std::string::npos ? std::string::npos : what.find('\'', open + 1);
        if (close != std::string::npos) {
            at = text.find(std::string_view(what).substr(open + 1, close - open - 1));
            if (at == std::string_view::npos) at = 0;
        }
        throw SourceError(file, LineAtOffset(text, at), what);
    }
    const SourceLines lines(text, file);
    const Reader r(file, &lines);
    r.ExpectObject(doc, "", "the source");
    CheckKeys(r, doc, "", {"level", "materials"}, "the source");
    CompiledSource out;
    if (!doc.contains("level")) r.Fail("", "the source has no \"level\" (1 higher, 0 lower)");
    out.level = static_cast<std::uint8_t>(r.Integer(doc["level"], "/level", 0, 255));
    if (!doc.contains("materials")) r.Fail("", "the source has no \"materials\" list");
    const Json& list = doc["materials"];
    r.ExpectArray(list, "/materials", "\"materials\"");
    out.materials.reserve(list.size());
    for (std::size_t k = 0; k < list.size(); ++k) {
        out.materials.push_back(ReadMaterial(r, list[k], ChildPath("/materials", k), true));
        IfPresent(list[k], ChildPath("/materials", k), "look", [&](const Json& look, const std::string& path) {
            r.ExpectObject(look, path, "\"look\"");
            out.looks.try_emplace(out.materials.back()->PictureNumber, look.dump());
        });
    }
    return out;
}

std::string DumpSource(const TMaterialList& materials, std::uint8_t level, const PictureLooks& looks) {
    Json root;
    root["level"] = level;
    Json list = Json::array();
    for (std::size_t i = 0; i < materials.size(); ++i) {
        list.push_back(DumpMaterial(*materials[i], i));
        if (auto look = looks.find(materials[i]->PictureNumber); look != looks.end())
            list.back()["look"] = Json::parse(look->second);
    }
    root["materials"] = std::move(list);
    std::string out;
    Pretty(root, 0, out);
    out += '\n';
    return out;
}

}  // namespace trevane
