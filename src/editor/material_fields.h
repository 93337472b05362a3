#pragma once
// The fields of a database record as the editor shows them: every field a record
// kind stores, read and written as text, each write checked first and refused
// with a message that names the field.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "materials/material.h"

namespace trevane {

// How a field is edited.
enum class FieldType {
    Text,      // one line
    LongText,  // several lines (the description)
    Integer,   // a whole number
    Money,     // pounds with at most two decimals, stored as pence
    Switch,    // "true" or "false"
    Choice,    // one of Choices()
};

struct FieldInfo {
    std::string key;    // the key of the database source ("name", "price", ...)
    std::string label;  // what the editor calls it ("Name", "Price (£ per m³)")
    FieldType type = FieldType::Text;
};

// The groups the editor lists materials under; each has its own price table.
enum class MaterialGroup { Timber, Board, Metal, Plastic };
inline constexpr int kMaterialGroupCount = 4;
MaterialGroup GroupOf(const TMaterial& m);
std::string GroupCaption(MaterialGroup g);  // "Timber", "Manufactured board", "Metal", "Plastic"

// The fields of the material's own record kind, in the order the editor shows them.
std::vector<FieldInfo> MaterialFields(const TMaterial& m);
// The words a Choice field offers (category: "0 wood", ...).
std::vector<std::string> FieldChoices(const std::string& key);

// The field's value as text; empty for a key the material does not have.
std::string GetField(const TMaterial& m, const std::string& key);
// Checks `text` for the field; an empty result means it may be written.
std::string CheckField(const TMaterial& m, const std::string& key, const std::string& text);
// Writes a checked value (call CheckField first).
void SetField(TMaterial& m, const std::string& key, const std::string& text);

// Stock shapes: metals and plastics have price, stocked, max_length, max_width;
// boards price, stocked, length, width.
std::vector<FieldInfo> ShapeFields(const TMaterial& m);
std::string ShapeSizeText(const TMaterial& m, int shape);  // "12 x 3 [strip]", "6 (mm)"
std::string GetShapeField(const TMaterial& m, int shape, const std::string& key);
std::string CheckShapeField(const TMaterial& m, int shape, const std::string& key, const std::string& text);
void SetShapeField(TMaterial& m, int shape, const std::string& key, const std::string& text);
// True for a sheet or board shape (priced per square metre).
bool ShapeIsSheet(const TMaterial& m, int shape);

// Extra values: properties the material's class does not carry, set as flags only
// so that an all-materials search finds the material.
// The word the flags hold for the property ("" none, "(mixed)" for flags no single
// word explains).
std::string ExtraValue(const TMaterial& m, int propertyIndex);
// Checks a word for an extra value ("" and "don't care" clear it).
std::string CheckExtraValue(const TMaterial& m, int propertyIndex, const std::string& word);
void SetExtraValue(TMaterial& m, int propertyIndex, const std::string& word);

// Property values of the class's own entries, by word of the flag rule.
std::string CheckPropertyValue(const TMaterial& m, int entry, const std::string& word);
void SetPropertyValue(TMaterial& m, int entry, const std::string& word);

// Money: whole pence shown as pounds with two decimals ("1234.50"), and strict
// reading of typed pounds ("12", "12.5", "12.50"; no sign, at most two decimals).
std::string FormatPence(std::int64_t pence);
std::optional<std::int64_t> ParsePounds(const std::string& text);

// A deep copy made through the record layout, so it holds every stored field.
std::unique_ptr<TMaterial> CloneMaterial(const TMaterial& m);

}  // namespace trevane
