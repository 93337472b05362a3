#pragma once
// The database a teacher edits: opened from a database file (*.mdf) or its JSON
// source, changed only through edits that are checked first and can be undone,
// and saved only when every check passes, atomically, keeping the previous file
// as a backup beside it.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/material_fields.h"
#include "materials/database.h"
#include "trevane-db/source_format.h"
#include "common/errors.h"

namespace trevane {

// A check that failed: which material (-1: the whole file), and the message,
// which names the field.
struct Problem {
    int material = -1;
    std::string message;
    bool operator==(const Problem&) const = default;
};

// Every problem that would make the database unusable or unlike what the teacher
// meant; an empty list means it may be saved.
std::vector<Problem> CheckMaterials(const TMaterialList& materials);

// The file changed on disk since it was opened or last saved (another teacher
// saved it). The save was not done.
class EChangedOnDisk : public EQelError {
public:
    using EQelError::EQelError;
};

// The database has problems; nothing was written. The message lists them.
class EDatabaseProblems : public EQelError {
public:
    EDatabaseProblems(const std::vector<Problem>& problems, const std::string& message)
        : EQelError(message), Problems(problems) {}
    std::vector<Problem> Problems;
};

// One price of a group's price table: a wood's price or one stock shape's.
struct PriceRow {
    int material = 0;
    int shape = -1;    // -1: the material's own price (timber)
    std::string name;  // material name
    std::string size;  // stock size text; empty for timber
    std::string unit;  // "per m³", "per m", "per m²"
    std::int32_t pence = 0;
    bool stocked = true;
};

// Every price of the materials of a group, in list order.
std::vector<PriceRow> PriceRows(const TMaterialList& materials, MaterialGroup group);

// Raises a price by `percent` (decimal, may be negative down to -100), rounded to
// whole pence with halves going up. nullopt when the result does not fit.
std::optional<std::int32_t> RaisedPrice(std::int32_t pence, double percent);

class DatabaseDocument {
public:
    DatabaseDocument();

    // ------------------------------------------------------------ files
    // Opens a database file, or a JSON source when the name ends in ".json".
    // Throws the loader's or the compiler's error; the document is then unchanged.
    void Open(const std::string& path);
    // An empty database of the level, with no file yet.
    void New(std::uint8_t level);
    // Saves to `path` (".json": the source format) after the checks. Throws
    // EDatabaseProblems when a check fails, EChangedOnDisk when `path` is the open
    // file and it changed since it was read (unless `overwriteChanged`), EFileError
    // when writing fails. The file that was there is kept as path + ".bak".
    void Save(const std::string& path, bool overwriteChanged = false);
    void Save(bool overwriteChanged = false) { Save(path_, overwriteChanged); }
    // Writes the JSON source of the database to `path` (nothing else changes).
    void ExportSource(const std::string& path) const;
    // True when the open file is no longer what was read or saved last.
    bool ChangedOnDisk() const;

    const std::string& Path() const { return path_; }
    bool HasPath() const { return !path_.empty(); }
    bool Modified() const;
    std::uint8_t Level() const { return level_; }
    const TMaterialList& Materials() const { return materials_; }
    const TMaterial& Material(int pos) const { return *materials_.at(static_cast<std::size_t>(pos)); }
    int Count() const { return static_cast<int>(materials_.size()); }

    // The bytes the document would save as a database file.
    std::string Bytes() const;

    // ------------------------------------------------------------ edits
    // Each edit is checked first: a non-empty result is the message (naming the
    // field) and nothing has changed. Every successful edit is one undo step.
    std::string SetField(int pos, const std::string& key, const std::string& text);
    std::string SetPropertyValue(int pos, int entry, const std::string& word);
    std::string SetExtraValue(int pos, int propertyIndex, const std::string& word);
    std::string SetShapeField(int pos, int shape, const std::string& key, const std::string& text);
    // A new material of the record kind at the end of the list (the positions of
    // the others stay); returns its position.
    int AddMaterial(int kind, const std::string& name);
    // A copy at the end of the list, named "<name> (copy)"; returns its position.
    int DuplicateMaterial(int pos);
    void DeleteMaterial(int pos);
    // Moves the material at `from` to position `to` (both within the list).
    void MoveMaterial(int from, int to);
    // One price of the table; the row names the material and shape.
    std::string SetPrice(const PriceRow& row, const std::string& pounds);
    // Raises the listed prices (all of the group when `rows` is empty) by the
    // percentage typed (e.g. "3.5"); one undo step.
    std::string RaisePrices(MaterialGroup group, const std::string& percentText,
                            const std::vector<PriceRow>& rows = {});
    // The picture number of a material (after a picture was imported).
    std::string SetPicture(int pos, int number) { return SetField(pos, "picture", std::to_string(number)); }

    // ------------------------------------------------------------ undo
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::string UndoText() const { return undo_.empty() ? std::string() : undo_.back().text; }
    std::string RedoText() const { return redo_.empty() ? std::string() : redo_.back().text; }
    // Each returns the position of the material the step touched (-1: none).
    int Undo();
    int Redo();

    std::vector<Problem> Check() const { return CheckMaterials(materials_); }

    static constexpr std::size_t kUndoLimit = 200;

private:
    struct Step {
        std::string text;   // "Change Name", "Raise prices by 3 %"
        std::string bytes;  // the whole database before (undo) or after (redo) the step
        int material = -1;
    };
    // Records the state before an edit named `text` touching material `pos`.
    void Record(const std::string& text, int pos);
    void Restore(const std::string& bytes);

    TMaterialList materials_;
    std::uint8_t level_ = 1;
    PictureLooks looks_;  // from a source that was opened: written back to sources
    std::string path_;
    std::string savedBytes_;  // what Bytes() gave when the document was opened or saved
    std::string diskBytes_;   // the file's bytes as read or written last
    std::vector<Step> undo_, redo_;
};

}  // namespace trevane
