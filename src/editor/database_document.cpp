#include "editor/database_document.h"

#include <cmath>
#include <map>

#include "common/file_io.h"
#include "materials/matching.h"
#include "materials/stock_checks.h"
#include "materials/tables.h"
#include "trevane-db/source_format.h"

namespace trevane {
namespace {

bool IsSource(const std::string& path) { return path.size() >= 5 && path.compare(path.size() - 5, 5, ".json") == 0; }

constexpr std::size_t kMaxSourceBytes = 64u * 1024u * 1024u;

// The checks of one material's stored fields through the same checks its edits go through.
void CheckOne(const TMaterial& m, int pos, const std::map<std::string, int>& firstOfName, std::vector<Problem>& out) {
    auto add = [&](const std::string& message) {
        out.push_back({pos, m.Name.empty() ? message : m.Name + ": " + message});
    };
    if (m.RecordKind() < 0) {
        add("a search template cannot be stored in a database");
        return;
    }
    for (const auto& f : MaterialFields(m)) {
        const std::string value = GetField(m, f.key);
        // Numbers stored outside what the editor offers (a costing flag of 1, a
        // negative picture) are checked where they matter below.
        if (f.type == FieldType::Switch) continue;
        if (const std::string p = CheckField(m, f.key, value); !p.empty()) add(p);
    }
    if (m.PictureNumber < 0) add("Picture number: must not be negative");
    if (auto it = firstOfName.find(m.Name); it != firstOfName.end() && it->second != pos)
        add("Name: material number " + std::to_string(it->second) +
            " has the same name (cutting lists and projects find materials by name)");
    // What costing reads of a material offered for costing, checked as the
    // database compiler checks it.
    if (m.CostingFlag != 0)
        if (const auto fault = FindStockFault(m)) {
            std::string label = fault->field;
            for (const auto& f : fault->shape < 0 ? MaterialFields(m) : ShapeFields(m))
                if (f.key == fault->field) label = f.label;
            add((fault->shape >= 0 ? ShapeSizeText(m, fault->shape) + ", " : std::string()) + label +
                ": must be more than 0 for a material available in the workshop");
        }
    for (int s = 0; s < m.ShapeCount(); ++s) {
        for (const auto& f : ShapeFields(m)) {
            if (f.type == FieldType::Switch) continue;
            if (const std::string p = CheckShapeField(m, s, f.key, GetShapeField(m, s, f.key)); !p.empty()) add(p);
        }
    }
}

std::string PercentText(double p) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", p);
    return buf;
}

}  // namespace

std::vector<Problem> CheckMaterials(const TMaterialList& materials) {
    std::vector<Problem> out;
    if (materials.size() > static_cast<std::size_t>(INT32_MAX)) out.push_back({-1, "too many materials to store"});
    std::map<std::string, int> firstOfName;
    for (std::size_t i = 0; i < materials.size(); ++i) firstOfName.try_emplace(materials[i]->Name, static_cast<int>(i));
    for (std::size_t i = 0; i < materials.size(); ++i) CheckOne(*materials[i], static_cast<int>(i), firstOfName, out);
    return out;
}

std::vector<PriceRow> PriceRows(const TMaterialList& materials, MaterialGroup group) {
    std::vector<PriceRow> rows;
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const TMaterial& m = *materials[i];
        if (GroupOf(m) != group || m.RecordKind() < 0) continue;
        if (const auto* w = dynamic_cast<const TWood*>(&m)) {
            rows.push_back({static_cast<int>(i), -1, m.Name, "", "per m\xC2\xB3", w->Price, m.CostingFlag != 0});
            continue;
        }
        for (int s = 0; s < m.ShapeCount(); ++s) {
            PriceRow r;
            r.material = static_cast<int>(i);
            r.shape = s;
            r.name = m.Name;
            r.size = ShapeSizeText(m, s);
            r.unit = ShapeIsSheet(m, s) ? "per m\xC2\xB2" : "per m";
            r.pence = static_cast<std::int32_t>(ParsePounds(GetShapeField(m, s, "price")).value_or(0));
            r.stocked = GetShapeField(m, s, "stocked") == "true";
            rows.push_back(std::move(r));
        }
    }
    return rows;
}

std::optional<std::int32_t> RaisedPrice(std::int32_t pence, double percent) {
    if (!std::isfinite(percent) || percent < -100) return std::nullopt;
    // Work in hundredths of a per cent so that "3.5" is exact.
    const long long bp = std::llround(percent * 100.0);
    const long double scaled = static_cast<long double>(pence) * (10000 + bp);
    // Halves go up: add half a unit and take the floor.
    const long double raised = std::floor((scaled + 5000) / 10000);
    if (raised < 0 || raised > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(raised);
}

DatabaseDocument::DatabaseDocument() { New(1); }

void DatabaseDocument::New(std::uint8_t level) {
    materials_.clear();
    level_ = level;
    looks_.clear();
    path_.clear();
    diskBytes_.clear();
    undo_.clear();
    redo_.clear();
    savedBytes_ = Bytes();
}

void DatabaseDocument::Open(const std::string& path) {
    if (!FileExists(path)) throw ENoDBfile(path + " file not found");
    const std::string bytes = ReadWholeFile(path, kMaxSourceBytes);
    TMaterialList list;
    std::uint8_t level = 1;
    PictureLooks looks;
    if (IsSource(path)) {
        CompiledSource src = CompileSource(bytes, path);
        list = std::move(src.materials);
        level = src.level;
        looks = std::move(src.looks);
    } else {
        LoadedDatabase db = ParseDatabase(bytes, path);
        list = std::move(db.materials);
        level = db.level;
    }
    materials_ = std::move(list);
    level_ = level;
    looks_ = std::move(looks);
    path_ = path;
    diskBytes_ = bytes;
    undo_.clear();
    redo_.clear();
    savedBytes_ = Bytes();
}

bool DatabaseDocument::ChangedOnDisk() const {
    if (path_.empty()) return false;
    if (!FileExists(path_)) return true;
    try {
        return ReadWholeFile(path_, kMaxSourceBytes) != diskBytes_;
    } catch (const EQelError&) {
        return true;
    }
}

void DatabaseDocument::Save(const std::string& path, bool overwriteChanged) {
    if (path.empty()) throw EFileError("The database has no file name yet");
    const auto problems = Check();
    if (!problems.empty()) {
        std::string text = "The database was not saved: " + std::to_string(problems.size()) + " problem(s).";
        for (std::size_t i = 0; i < problems.size() && i < 10; ++i) text += "\n" + problems[i].message;
        throw EDatabaseProblems(problems, text);
    }
    const bool source = IsSource(path);
    const std::string bytes = source ? DumpSource(materials_, level_, looks_) : Bytes();
    // What is written must be what the program reads back.
    if (source) {
        const CompiledSource back = CompileSource(bytes, path);
        if (SerializeDatabase(back.materials, back.level) != Bytes())
            throw EQelError("The database cannot be written as a source file");
    } else {
        ParseDatabase(bytes, path);
    }
    const bool sameFile = path == path_;
    if (sameFile && !overwriteChanged && ChangedOnDisk())
        throw EChangedOnDisk(path + " was changed by someone else since it was opened.");
    if (FileExists(path)) WriteFileAtomically(path + ".bak", ReadWholeFile(path, kMaxSourceBytes));
    WriteFileAtomically(path, bytes);
    path_ = path;
    diskBytes_ = bytes;
    savedBytes_ = Bytes();
}

void DatabaseDocument::ExportSource(const std::string& path) const {
    WriteFileAtomically(path, DumpSource(materials_, level_, looks_));
}

bool DatabaseDocument::Modified() const { return Bytes() != savedBytes_; }

std::string DatabaseDocument::Bytes() const { return SerializeDatabase(materials_, level_); }

void DatabaseDocument::Record(const std::string& text, int pos) {
    undo_.push_back({text, Bytes(), pos});
    if (undo_.size() > kUndoLimit) undo_.erase(undo_.begin());
    redo_.clear();
}

void DatabaseDocument::Restore(const std::string& bytes) {
    LoadedDatabase db = ParseDatabase(bytes, "(undo)");
    materials_ = std::move(db.materials);
    level_ = db.level;
}

int DatabaseDocument::Undo() {
    if (undo_.empty()) return -1;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back({step.text, Bytes(), step.material});
    Restore(step.bytes);
    return step.material;
}

int DatabaseDocument::Redo() {
    if (redo_.empty()) return -1;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back({step.text, Bytes(), step.material});
    Restore(step.bytes);
    return step.material;
}

namespace {
bool ValidPos(const TMaterialList& l, int pos) { return pos >= 0 && static_cast<std::size_t>(pos) < l.size(); }
}  // namespace

std::string DatabaseDocument::SetField(int pos, const std::string& key, const std::string& text) {
    if (!ValidPos(materials_, pos)) return "there is no material " + std::to_string(pos);
    TMaterial& m = *materials_[static_cast<std::size_t>(pos)];
    if (std::string p = CheckField(m, key, text); !p.empty()) return p;
    std::string label = key;
    bool money = false;
    for (const auto& f : MaterialFields(m))
        if (f.key == key) {
            label = f.label;
            money = f.type == FieldType::Money;
        }
    const std::string now = GetField(m, key);
    if (money ? ParsePounds(now) == ParsePounds(text) : now == text) return {};
    Record("Change " + label, pos);
    trevane::SetField(m, key, text);
    return {};
}

std::string DatabaseDocument::SetPropertyValue(int pos, int entry, const std::string& word) {
    if (!ValidPos(materials_, pos)) return "there is no material " + std::to_string(pos);
    TMaterial& m = *materials_[static_cast<std::size_t>(pos)];
    if (std::string p = CheckPropertyValue(m, entry, word); !p.empty()) return p;
    if (m.PropertyValue(entry) == RuleWordCode(m.PropertyIndex(entry), word)) return {};
    Record("Change " + m.PropertyName(entry), pos);
    trevane::SetPropertyValue(m, entry, word);
    return {};
}

std::string DatabaseDocument::SetExtraValue(int pos, int propertyIndex, const std::string& word) {
    if (!ValidPos(materials_, pos)) return "there is no material " + std::to_string(pos);
    TMaterial& m = *materials_[static_cast<std::size_t>(pos)];
    if (std::string p = CheckExtraValue(m, propertyIndex, word); !p.empty()) return p;
    FlagSet after = m.Flags;
    ApplyFlagRule(after, propertyIndex, RuleWordCode(propertyIndex, word));
    if (after == m.Flags) return {};
    Record("Change search value " + PropertyTitle(propertyIndex), pos);
    trevane::SetExtraValue(m, propertyIndex, word);
    return {};
}

std::string DatabaseDocument::SetShapeField(int pos, int shape, const std::string& key, const std::string& text) {
    if (!ValidPos(materials_, pos)) return "there is no material " + std::to_string(pos);
    TMaterial& m = *materials_[static_cast<std::size_t>(pos)];
    if (std::string p = CheckShapeField(m, shape, key, text); !p.empty()) return p;
    const std::string now = GetShapeField(m, shape, key);
    if (key == "price" ? ParsePounds(now) == ParsePounds(text) : now == text) return {};
    Record("Change " + ShapeSizeText(m, shape) + " stock", pos);
    trevane::SetShapeField(m, shape, key, text);
    return {};
}

int DatabaseDocument::AddMaterial(int kind, const std::string& name) {
    auto m = CreateForRecordKind(kind);
    if (!m) return -1;
    m->Name = name;
    // Like a source that lists no stock: no size stocked until the teacher says so.
    for (int s = 0; s < m->ShapeCount(); ++s) trevane::SetShapeField(*m, s, "stocked", "false");
    // At the end of the list: the positions of the others stay as old projects
    // and the pupils' lists know them.
    const std::size_t at = materials_.size();
    Record("Add " + name, static_cast<int>(at));
    materials_.insert(materials_.begin() + static_cast<std::ptrdiff_t>(at), std::move(m));
    return static_cast<int>(at);
}

int DatabaseDocument::DuplicateMaterial(int pos) {
    if (!ValidPos(materials_, pos)) return -1;
    auto copy = CloneMaterial(*materials_[static_cast<std::size_t>(pos)]);
    if (!copy) return -1;
    copy->Name += " (copy)";
    const int at = Count();
    Record("Duplicate " + materials_[static_cast<std::size_t>(pos)]->Name, at);
    materials_.push_back(std::move(copy));
    return at;
}

void DatabaseDocument::DeleteMaterial(int pos) {
    if (!ValidPos(materials_, pos)) return;
    Record("Delete " + materials_[static_cast<std::size_t>(pos)]->Name, pos);
    materials_.erase(materials_.begin() + pos);
}

void DatabaseDocument::MoveMaterial(int from, int to) {
    if (!ValidPos(materials_, from) || !ValidPos(materials_, to) || from == to) return;
    Record("Move " + materials_[static_cast<std::size_t>(from)]->Name, to);
    auto m = std::move(materials_[static_cast<std::size_t>(from)]);
    materials_.erase(materials_.begin() + from);
    materials_.insert(materials_.begin() + to, std::move(m));
}

std::string DatabaseDocument::SetPrice(const PriceRow& row, const std::string& pounds) {
    if (row.shape < 0) return SetField(row.material, "price", pounds);
    return SetShapeField(row.material, row.shape, "price", pounds);
}

std::string DatabaseDocument::RaisePrices(MaterialGroup group, const std::string& percentText,
                                          const std::vector<PriceRow>& rows) {
    char* end = nullptr;
    const double percent = std::strtod(percentText.c_str(), &end);
    if (percentText.empty() || end != percentText.c_str() + percentText.size() || !std::isfinite(percent) ||
        percent < -100 || percent > 1000)
        return "Raise by: \"" + percentText + "\" is not a percentage from -100 to 1000";
    const std::vector<PriceRow> all = rows.empty() ? PriceRows(materials_, group) : rows;
    if (all.empty()) return "Raise by: there are no " + GroupCaption(group) + " prices to raise";
    std::vector<std::pair<const PriceRow*, std::int32_t>> changes;
    for (const auto& r : all) {
        const auto raised = RaisedPrice(r.pence, percent);
        if (!raised)
            return r.name + (r.size.empty() ? "" : ", " + r.size) + ", Price: raised by " + percentText +
                   " % it would be too large";
        changes.emplace_back(&r, *raised);
    }
    Record("Raise " + GroupCaption(group) + " prices by " + PercentText(percent) + " %", -1);
    for (const auto& [r, pence] : changes) {
        TMaterial& m = *materials_.at(static_cast<std::size_t>(r->material));
        if (r->shape < 0)
            trevane::SetField(m, "price", FormatPence(pence));
        else
            trevane::SetShapeField(m, r->shape, "price", FormatPence(pence));
    }
    return {};
}

}  // namespace trevane
