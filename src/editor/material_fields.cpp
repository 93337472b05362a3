#include "editor/material_fields.h"

#include <charconv>
#include <limits>

#include "common/cp1252.h"
#include "materials/matching.h"
#include "materials/tables.h"

namespace trevane {
namespace {

constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

std::optional<std::int64_t> ParseWhole(const std::string& text) {
    std::int64_t v = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [p, ec] = std::from_chars(begin, end, v);
    if (text.empty() || ec != std::errc() || p != end) return std::nullopt;
    return v;
}

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

const std::vector<std::pair<int, std::string>>& Categories() {
    static const std::vector<std::pair<int, std::string>> k = {
        {kCatWood, "0 wood"},           {kCatMetal, "1 metal"}, {kCatPlastic, "2 plastic"}, {kCatSteel, "5 steel"},
        {kCatAluminium, "6 aluminium"}, {kCatBrass, "7 brass"}, {kCatCopper, "8 copper"},   {kCatBoard, "10 board"}};
    return k;
}

template <class Shape>
Shape* ShapeAt(std::vector<std::unique_ptr<Shape>>& shapes, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= shapes.size()) return nullptr;
    return shapes[static_cast<std::size_t>(i)].get();
}

// The stored numbers of a shape, by field key; nullptr for an unknown key.
std::int32_t* ShapeNumber(TMaterial& m, int shape, const std::string& key) {
    if (auto* metal = dynamic_cast<TCustomMetal*>(&m)) {
        TMetalShape* s = ShapeAt(metal->Shapes, shape);
        if (!s) return nullptr;
        if (key == "price") return &s->Price;
        if (key == "stocked") return &s->Stocked;
        if (key == "max_length") return &s->MaxLength;
        if (key == "max_width") return &s->MaxWidth;
    } else if (auto* plastic = dynamic_cast<TPlastic*>(&m)) {
        TPlasticShape* s = ShapeAt(plastic->Shapes, shape);
        if (!s) return nullptr;
        if (key == "price") return &s->Price;
        if (key == "stocked") return &s->Stocked;
        if (key == "max_length") return &s->MaxLength;
        if (key == "max_width") return &s->MaxWidth;
    } else if (auto* board = dynamic_cast<TBoard*>(&m)) {
        TBoardShape* s = ShapeAt(board->Shapes, shape);
        if (!s) return nullptr;
        if (key == "price") return &s->Price;
        if (key == "stocked") return &s->Stocked;
        if (key == "length") return &s->Length;
        if (key == "width") return &s->Width;
    }
    return nullptr;
}

// The text of a stored number for a field of the given type.
std::string NumberText(std::int32_t v, FieldType type) {
    if (type == FieldType::Switch) return v != 0 ? "true" : "false";
    if (type == FieldType::Money) return FormatPence(v);
    return std::to_string(v);
}

// Checks a number typed for a field of the given type: an empty result when it is fine.
std::string CheckNumber(const std::string& label, FieldType type, const std::string& text, std::int64_t lo,
                        std::int64_t hi) {
    if (type == FieldType::Switch) {
        if (text != "true" && text != "false") return label + ": must be true or false";
        return {};
    }
    if (type == FieldType::Money) {
        const auto p = ParsePounds(text);
        if (!p) return label + ": " + Quote(text) + " is not an amount in pounds such as 12.50";
        if (*p > hi) return label + ": the amount is too large (at most " + FormatPence(hi) + ")";
        return {};
    }
    const auto v = ParseWhole(text);
    if (!v || *v < lo || *v > hi)
        return label + ": " + Quote(text) + " is not a whole number from " + std::to_string(lo) + " to " +
               std::to_string(hi);
    return {};
}

std::int32_t NumberOf(FieldType type, const std::string& text) {
    if (type == FieldType::Switch) return text == "true" ? -1 : 0;
    if (type == FieldType::Money) return static_cast<std::int32_t>(ParsePounds(text).value_or(0));
    return static_cast<std::int32_t>(ParseWhole(text).value_or(0));
}

std::string CheckText(const std::string& label, const std::string& text, bool required) {
    if (required && text.find_first_not_of(' ') == std::string::npos) return label + ": must not be empty";
    if (!FitsCp1252(text)) return label + ": holds a character that the database cannot store (Windows-1252)";
    return {};
}

std::string* TextOf(TMaterial& m, const std::string& key) {
    if (key == "name") return &m.Name;
    if (key == "description") return &m.Description;
    if (auto* w = dynamic_cast<TWood*>(&m)) {
        if (key == "origin") return &w->Origin;
        if (key == "other_name") return &w->OtherName;
    } else if (auto* metal = dynamic_cast<TCustomMetal*>(&m)) {
        if (key == "composition") return &metal->Composition;
        if (key == "melting_point") return &metal->MeltingPoint;
    } else if (auto* p = dynamic_cast<TPlastic*>(&m)) {
        if (key == "other_name") return &p->OtherName;
        if (key == "chemical_name") return &p->ChemicalName;
    }
    return nullptr;
}

std::int32_t* NumberOfField(TMaterial& m, const std::string& key) {
    if (key == "picture") return &m.PictureNumber;
    if (key == "available") return &m.CostingFlag;
    if (auto* w = dynamic_cast<TWood*>(&m)) {
        if (key == "hardwood") return &w->Hardwood;
        if (key == "price") return &w->Price;
    } else if (auto* metal = dynamic_cast<TCustomMetal*>(&m)) {
        if (key == "stock_word") return &metal->StockWord;
    } else if (auto* p = dynamic_cast<TPlastic*>(&m)) {
        if (key == "stock_word") return &p->StockWord;
    }
    return nullptr;
}

std::optional<FieldInfo> InfoOf(const TMaterial& m, const std::string& key) {
    for (const auto& f : MaterialFields(m))
        if (f.key == key) return f;
    return std::nullopt;
}

}  // namespace

MaterialGroup GroupOf(const TMaterial& m) {
    switch (m.RecordKind()) {
        case 0: return MaterialGroup::Timber;
        case 10: return MaterialGroup::Board;
        case 2: return MaterialGroup::Plastic;
        default: return MaterialGroup::Metal;
    }
}

std::string GroupCaption(MaterialGroup g) {
    switch (g) {
        case MaterialGroup::Timber: return "Timber";
        case MaterialGroup::Board: return "Manufactured board";
        case MaterialGroup::Metal: return "Metal";
        case MaterialGroup::Plastic: return "Plastic";
    }
    return {};
}

std::vector<FieldInfo> MaterialFields(const TMaterial& m) {
    std::vector<FieldInfo> f = {{"name", "Name", FieldType::Text},
                                {"picture", "Picture number", FieldType::Integer},
                                {"available", "Available in the workshop", FieldType::Switch},
                                {"category", "Category", FieldType::Choice}};
    switch (m.RecordKind()) {
        case 0:
            f.push_back({"origin", "Origin", FieldType::Text});
            f.push_back({"other_name", "Other name", FieldType::Text});
            f.push_back({"hardwood", "Hardwood", FieldType::Switch});
            f.push_back({"price", "Price (\xC2\xA3 per m\xC2\xB3)", FieldType::Money});
            break;
        case 2:
            f.push_back({"other_name", "Other name", FieldType::Text});
            f.push_back({"chemical_name", "Chemical name", FieldType::Text});
            f.push_back({"stock_word", "Stock word", FieldType::Integer});
            break;
        case 10: break;
        default:
            f.push_back({"composition", "Composition", FieldType::Text});
            f.push_back({"melting_point", "Melting point", FieldType::Text});
            f.push_back({"stock_word", "Stock word", FieldType::Integer});
            break;
    }
    f.push_back({"description", "Description", FieldType::LongText});
    return f;
}

std::vector<std::string> FieldChoices(const std::string& key) {
    std::vector<std::string> out;
    if (key == "category")
        for (const auto& c : Categories()) out.push_back(c.second);
    return out;
}

std::string GetField(const TMaterial& m, const std::string& key) {
    auto& mm = const_cast<TMaterial&>(m);
    if (const std::string* t = TextOf(mm, key)) return *t;
    if (key == "category") {
        for (const auto& c : Categories())
            if (c.first == m.Category) return c.second;
        return std::to_string(m.Category);
    }
    const auto info = InfoOf(m, key);
    if (const std::int32_t* n = NumberOfField(mm, key); n && info) return NumberText(*n, info->type);
    return {};
}

std::string CheckField(const TMaterial& m, const std::string& key, const std::string& text) {
    const auto info = InfoOf(m, key);
    if (!info) return "a " + GroupCaption(GroupOf(m)) + " material has no field " + Quote(key);
    auto& mm = const_cast<TMaterial&>(m);
    if (TextOf(mm, key)) return CheckText(info->label, text, key == "name");
    if (key == "category") {
        for (const auto& c : Categories())
            if (c.second == text) return {};
        return info->label + ": " + Quote(text) + " is not a category of the database";
    }
    if (key == "picture") return CheckNumber(info->label, info->type, text, 0, kMaxInt32);
    return CheckNumber(info->label, info->type, text, key == "stock_word" ? -kMaxInt32 - 1 : 0, kMaxInt32);
}

void SetField(TMaterial& m, const std::string& key, const std::string& text) {
    if (std::string* t = TextOf(m, key)) {
        *t = text;
        return;
    }
    if (key == "category") {
        for (const auto& c : Categories())
            if (c.second == text) m.Category = static_cast<std::uint8_t>(c.first);
        return;
    }
    const auto info = InfoOf(m, key);
    if (std::int32_t* n = NumberOfField(m, key); n && info) *n = NumberOf(info->type, text);
}

std::vector<FieldInfo> ShapeFields(const TMaterial& m) {
    if (m.RecordKind() == 10)
        return {{"price", "Price (\xC2\xA3 per m\xC2\xB2)", FieldType::Money},
                {"stocked", "Stocked", FieldType::Switch},
                {"length", "Sheet length (cm)", FieldType::Integer},
                {"width", "Sheet width (cm)", FieldType::Integer}};
    return {{"price", "Price (\xC2\xA3 per m, sheet per m\xC2\xB2)", FieldType::Money},
            {"stocked", "Stocked", FieldType::Switch},
            {"max_length", "Largest length (cm)", FieldType::Integer},
            {"max_width", "Largest width (cm)", FieldType::Integer}};
}

std::string ShapeSizeText(const TMaterial& m, int shape) {
    if (const auto* metal = dynamic_cast<const TCustomMetal*>(&m)) return MetalSizeText(metal->ShapeSizeCode(shape));
    if (const auto* p = dynamic_cast<const TPlastic*>(&m)) return PlasticSizeText(p->ShapeSizeCode(shape));
    if (const auto* b = dynamic_cast<const TBoard*>(&m)) return BoardSizeText(b->ShapeThickness(shape));
    return {};
}

bool ShapeIsSheet(const TMaterial& m, int shape) {
    if (m.RecordKind() == 10) return true;
    auto& mm = const_cast<TMaterial&>(m);
    if (auto* metal = dynamic_cast<TCustomMetal*>(&mm)) {
        const TMetalShape* s = ShapeAt(metal->Shapes, shape);
        return s && (s->Kind == kKindSheet || s->Kind == kKindGalvanised);
    }
    if (auto* p = dynamic_cast<TPlastic*>(&mm)) {
        const TPlasticShape* s = ShapeAt(p->Shapes, shape);
        return s && s->Kind == kKindSheet;
    }
    return false;
}

std::string GetShapeField(const TMaterial& m, int shape, const std::string& key) {
    const std::int32_t* n = ShapeNumber(const_cast<TMaterial&>(m), shape, key);
    if (!n) return {};
    for (const auto& f : ShapeFields(m))
        if (f.key == key) return NumberText(*n, f.type);
    return {};
}

std::string CheckShapeField(const TMaterial& m, int shape, const std::string& key, const std::string& text) {
    const auto fields = ShapeFields(m);
    const std::string where = ShapeSizeText(m, shape) + ", ";
    if (!ShapeNumber(const_cast<TMaterial&>(m), shape, key))
        return "the material has no stock field " + Quote(key) + " at size " + std::to_string(shape);
    for (const auto& f : fields)
        if (f.key == key) {
            const std::string problem = CheckNumber(f.label, f.type, text, 0, kMaxInt32);
            return problem.empty() ? problem : where + problem;
        }
    return {};
}

void SetShapeField(TMaterial& m, int shape, const std::string& key, const std::string& text) {
    std::int32_t* n = ShapeNumber(m, shape, key);
    if (!n) return;
    for (const auto& f : ShapeFields(m))
        if (f.key == key) *n = NumberOf(f.type, text);
}

std::string ExtraValue(const TMaterial& m, int propertyIndex) {
    const int code = RuleValueOfFlags(m.Flags, propertyIndex);
    if (code < 0) return "(mixed)";
    return ValueText(code);
}

std::string CheckExtraValue(const TMaterial& m, int propertyIndex, const std::string& word) {
    const std::string title = PropertyTitle(propertyIndex);
    if (title.empty()) return "there is no property " + std::to_string(propertyIndex);
    if (m.PropSet.Has(propertyIndex))
        return title + ": the material carries this property; set it among its properties";
    if (RuleWordCode(propertyIndex, word) < 0) return title + ": " + Quote(word) + " is not a value of it";
    return {};
}

void SetExtraValue(TMaterial& m, int propertyIndex, const std::string& word) {
    const int code = RuleWordCode(propertyIndex, word);
    if (code >= 0) ApplyFlagRule(m.Flags, propertyIndex, code);
}

std::string CheckPropertyValue(const TMaterial& m, int entry, const std::string& word) {
    if (entry < 0 || entry >= m.PropertyCount()) return "the material has no property entry " + std::to_string(entry);
    if (RuleWordCode(m.PropertyIndex(entry), word) < 0)
        return m.PropertyName(entry) + ": " + Quote(word) + " is not a value of it";
    return {};
}

void SetPropertyValue(TMaterial& m, int entry, const std::string& word) {
    if (entry < 0 || entry >= m.PropertyCount()) return;
    const int code = RuleWordCode(m.PropertyIndex(entry), word);
    if (code < 0) return;
    m.Properties[static_cast<std::size_t>(entry)].second.Value = static_cast<std::uint8_t>(code);
    m.UpdateFlags(entry);
}

std::string FormatPence(std::int64_t pence) {
    const bool negative = pence < 0;
    const std::uint64_t a = negative ? static_cast<std::uint64_t>(-(pence + 1)) + 1 : static_cast<std::uint64_t>(pence);
    std::string cents = std::to_string(a % 100);
    if (cents.size() < 2) cents.insert(0, "0");
    return (negative ? "-" : "") + std::to_string(a / 100) + "." + cents;
}

std::optional<std::int64_t> ParsePounds(const std::string& text) {
    std::string t = text;
    while (!t.empty() && t.front() == ' ') t.erase(0, 1);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    if (t.rfind("\xC2\xA3", 0) == 0) t.erase(0, 2);
    while (!t.empty() && t.front() == ' ') t.erase(0, 1);
    const auto dot = t.find('.');
    const std::string whole = t.substr(0, dot);
    const std::string frac = dot == std::string::npos ? std::string() : t.substr(dot + 1);
    if ((whole.empty() && frac.empty()) || whole.size() > 12 || frac.size() > 2) return std::nullopt;
    for (char c : whole + frac)
        if (c < '0' || c > '9') return std::nullopt;
    std::int64_t pence = whole.empty() ? 0 : std::stoll(whole) * 100;
    if (frac.size() == 1) pence += (frac[0] - '0') * 10;
    if (frac.size() == 2) pence += std::stoll(frac);
    return pence;
}

std::unique_ptr<TMaterial> CloneMaterial(const TMaterial& m) {
    auto copy = CreateForRecordKind(m.RecordKind());
    if (!copy) return nullptr;
    ByteWriter out;
    m.SaveToStream(out);
    ByteReader in(out.Data());
    copy->LoadFromStream(in);
    return copy;
}

}  // namespace trevane
