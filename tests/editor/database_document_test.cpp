#include <gtest/gtest.h>

#include <sstream>

#include "editor/database_document.h"
#include "common/file_io.h"
#include "materials/matching.h"
#include "materials/tables.h"
#include "support/temp_dir.h"
#include "trevane-db/db_tool.h"
#include "trevane-db/source_format.h"

namespace trevane {

void PrintTo(const Problem& p, std::ostream* os) { *os << p.material << ": " << p.message; }

namespace {

using testing::TempDir;
using testing::WriteTestFile;

const std::vector<int> kKinds = {0, 1, 2, 5, 6, 7, 8, 10};

// A value for a field that differs from what a new material holds.
std::string NewValue(const TMaterial& m, const FieldInfo& f) {
    switch (f.type) {
        case FieldType::Text: return "T\xC3\xA9xt " + f.key;
        case FieldType::LongText: return "First line \xC2\xA3\r\nsecond line";
        case FieldType::Integer: return f.key == "stock_word" ? "-7" : "4321";
        case FieldType::Money: return "12.34";
        case FieldType::Switch: return GetField(m, f.key) == "true" ? "false" : "true";
        case FieldType::Choice: return GetField(m, f.key) == "2 plastic" ? "0 wood" : "2 plastic";
    }
    return {};
}

// Every field of the material at `pos`, its property values, one extra value and
// the first and last stock shapes, set to values unlike the defaults.
void EditEverything(DatabaseDocument& doc, int pos) {
    const TMaterial& m = doc.Material(pos);
    for (const auto& f : MaterialFields(m)) ASSERT_EQ(doc.SetField(pos, f.key, NewValue(m, f)), "") << f.key;
    ASSERT_EQ(doc.SetField(pos, "name", GetField(m, "name") + " " + std::to_string(m.RecordKind())), "");
    for (int e = 0; e < m.PropertyCount(); ++e)
        ASSERT_EQ(doc.SetPropertyValue(pos, e, RuleWords(m.PropertyIndex(e)).back()), "");
    int extra = 1;
    while (m.PropSet.Has(extra)) ++extra;
    ASSERT_EQ(doc.SetExtraValue(pos, extra, "yes"), "");
    for (int s : {0, m.ShapeCount() - 1}) {
        if (s < 0 || s >= m.ShapeCount()) continue;
        for (const auto& f : ShapeFields(m)) {
            const std::string v = f.type == FieldType::Money ? "3.05"
                                  : f.type == FieldType::Switch
                                      ? (GetShapeField(m, s, f.key) == "true" ? "false" : "true")
                                      : std::to_string(100 + s);
            ASSERT_EQ(doc.SetShapeField(pos, s, f.key, v), "") << f.key;
        }
    }
}

// Everything the editor shows of a material, as text.
std::string Shown(const TMaterial& m) {
    std::string s;
    for (const auto& f : MaterialFields(m)) s += f.key + "=" + GetField(m, f.key) + "\n";
    for (int e = 0; e < m.PropertyCount(); ++e) s += m.PropertyName(e) + "=" + m.PropertyValueText(e) + "\n";
    for (int i = 1; i <= kPropertyCount; ++i)
        if (!m.PropSet.Has(i)) s += "extra " + PropertyTitle(i) + "=" + ExtraValue(m, i) + "\n";
    for (int sh = 0; sh < m.ShapeCount(); ++sh)
        for (const auto& f : ShapeFields(m))
            s += ShapeSizeText(m, sh) + " " + f.key + "=" + GetShapeField(m, sh, f.key) + "\n";
    return s;
}

TEST(DatabaseDocument, EveryFieldOfEveryKindRoundTripsThroughLoaderAndDump) {
    TempDir dir;
    DatabaseDocument doc;
    for (int kind : kKinds) {
        const int pos = doc.AddMaterial(kind, "M" + std::to_string(kind));
        ASSERT_GE(pos, 0);
        EditEverything(doc, pos);
    }
    ASSERT_EQ(doc.Check(), std::vector<Problem>{});
    const std::string mdf = dir.File("edited.mdf");
    doc.Save(mdf);
    EXPECT_FALSE(doc.Modified());

    // The program's loader reads back what the editor shows.
    TMaterialList loaded;
    std::uint8_t level = 0;
    LoadDatabase(mdf, loaded, level);
    ASSERT_EQ(loaded.size(), doc.Materials().size());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(Shown(*loaded[i]), Shown(*doc.Materials()[i]));
        EXPECT_EQ(loaded[i]->Flags, doc.Materials()[i]->Flags);
    }
    // The wood's texts hold what was typed, Windows-1252 and all.
    EXPECT_EQ(loaded[0]->Name, "T\xC3\xA9xt name 0");
    EXPECT_EQ(dynamic_cast<TWood&>(*loaded[0]).Price, 1234);

    // trevane-db dump writes a source that compiles to the same bytes, and the
    // editor's own source export opens to the same bytes too.
    std::ostringstream out, err;
    ASSERT_EQ(RunDbTool({"dump", mdf}, out, err), 0) << err.str();
    WriteTestFile(dir.File("dumped.json"), out.str());
    DatabaseDocument fromDump;
    fromDump.Open(dir.File("dumped.json"));
    EXPECT_EQ(fromDump.Bytes(), ReadWholeFile(mdf));
    doc.Save(dir.File("saved.json"));
    DatabaseDocument fromSource;
    fromSource.Open(dir.File("saved.json"));
    EXPECT_EQ(fromSource.Bytes(), ReadWholeFile(mdf));
}

TEST(DatabaseDocument, ShippedDatabasesPassTheChecksAndSaveUnchanged) {
    TempDir dir;
    for (const char* name : {"higher.mdf", "lower.mdf"}) {
        const std::string original = ReadWholeFile(std::string(TREVANE_BIN_DIR) + "/" + name);
        WriteTestFile(dir.File(name), original);
        DatabaseDocument doc;
        doc.Open(dir.File(name));
        EXPECT_EQ(doc.Check(), std::vector<Problem>{}) << name;
        EXPECT_FALSE(doc.Modified());
        doc.Save();
        EXPECT_EQ(ReadWholeFile(dir.File(name)), original);
    }
}

// The pictures' looks live only in the sources: an edited source keeps them, so
// the pictures drawn from it stay as they were.
TEST(DatabaseDocument, ASourceSavedAgainKeepsThePictureLooks) {
    TempDir dir;
    const std::string text = ReadWholeFile(std::string(TREVANE_SOURCE_DIR) + "/data/higher.json");
    WriteTestFile(dir.File("higher.json"), text);
    const PictureLooks looks = CompileSource(text, "higher.json").looks;
    ASSERT_GT(looks.size(), 50u);
    DatabaseDocument doc;
    doc.Open(dir.File("higher.json"));
    ASSERT_EQ(doc.SetField(0, "name", "Sessile oak"), "");
    doc.Save();
    const CompiledSource saved = CompileSource(ReadWholeFile(dir.File("higher.json")), "higher.json");
    EXPECT_EQ(saved.looks, looks);
    EXPECT_EQ(saved.materials[0]->Name, "Sessile oak");
    doc.ExportSource(dir.File("export.json"));
    EXPECT_EQ(CompileSource(ReadWholeFile(dir.File("export.json")), "export.json").looks, looks);
}

TEST(DatabaseDocument, WrongValuesAreRefusedNamingTheField) {
    DatabaseDocument doc;
    const int wood = doc.AddMaterial(0, "Ash");
    const int steel = doc.AddMaterial(5, "Mild steel");
    const std::string before = doc.Bytes();
    EXPECT_EQ(doc.SetField(wood, "name", " "), "Name: must not be empty");
    EXPECT_EQ(doc.SetField(wood, "name", "Ash \xE2\x86\x92"),
              "Name: holds a character that the database cannot store (Windows-1252)");
    EXPECT_EQ(doc.SetField(wood, "price", "12.345"),
              "Price (\xC2\xA3 per m\xC2\xB3): \"12.345\" is not an amount in pounds such as 12.50");
    EXPECT_EQ(doc.SetField(wood, "price", "-1"),
              "Price (\xC2\xA3 per m\xC2\xB3): \"-1\" is not an amount in pounds such as 12.50");
    EXPECT_EQ(doc.SetField(wood, "picture", "x"), "Picture number: \"x\" is not a whole number from 0 to 2147483647");
    EXPECT_EQ(doc.SetField(wood, "category", "3"), "Category: \"3\" is not a category of the database");
    EXPECT_EQ(doc.SetField(wood, "composition", "x"), "a Timber material has no field \"composition\"");
    EXPECT_EQ(doc.SetPropertyValue(wood, 0, "yes"), "Hardness: \"yes\" is not a value of it");
    EXPECT_EQ(doc.SetExtraValue(wood, 3, "hard"),
              "Hardness: the material carries this property; set it among its properties");
    EXPECT_EQ(doc.SetShapeField(steel, 0, "max_length", "1e3"),
              "12 x 3 [strip], Largest length (cm): \"1e3\" is not a whole number from 0 to 2147483647");
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.UndoText(), "Add Mild steel");

    // Values that are each fine but together not: the save is refused and the
    // file is left alone.
    TempDir dir;
    WriteTestFile(dir.File("db.mdf"), "old");
    ASSERT_EQ(doc.SetField(steel, "name", "Ash"), "");
    ASSERT_EQ(doc.SetShapeField(steel, 0, "stocked", "true"), "");
    ASSERT_EQ(doc.SetShapeField(steel, 0, "max_length", "0"), "");
    try {
        doc.Save(dir.File("db.mdf"));
        FAIL() << "saved a database with problems";
    } catch (const EDatabaseProblems& e) {
        EXPECT_EQ(e.Problems,
                  (std::vector<Problem>{
                      {wood,
                       "Ash: Price (\xC2\xA3 per m\xC2\xB3): must be more than 0 for a material "
                       "available in the workshop"},
                      {steel,
                       "Ash: Name: material number 0 has the same name (cutting lists and projects find "
                       "materials by name)"},
                      {steel,
                       "Ash: 12 x 3 [strip], Price (\xC2\xA3 per m, sheet per m\xC2\xB2): must be more than 0 "
                       "for a material available in the workshop"}}));
    }
    EXPECT_EQ(ReadWholeFile(dir.File("db.mdf")), "old");
}

TEST(DatabaseDocument, UndoAndRedoEveryKindOfEdit) {
    DatabaseDocument doc;
    const int oak = doc.AddMaterial(0, "Oak");
    const std::string start = doc.Bytes();
    std::vector<std::string> states = {start};
    auto step = [&](const std::string& problem) {
        ASSERT_EQ(problem, "");
        states.push_back(doc.Bytes());
    };
    step(doc.SetField(oak, "price", "1500"));
    step(doc.SetPropertyValue(oak, 0, "hard"));
    step(doc.SetExtraValue(oak, 37, "yes"));
    const int board = doc.AddMaterial(10, "MDF");
    states.push_back(doc.Bytes());
    step(doc.SetShapeField(board, 2, "price", "4.10"));
    doc.DuplicateMaterial(oak);
    states.push_back(doc.Bytes());
    doc.MoveMaterial(0, 2);
    states.push_back(doc.Bytes());
    step(doc.RaisePrices(MaterialGroup::Timber, "10"));
    doc.DeleteMaterial(1);
    states.push_back(doc.Bytes());
    EXPECT_EQ(doc.UndoText(), "Delete Oak (copy)");

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(doc.CanUndo());
        doc.Undo();
        EXPECT_EQ(doc.Bytes(), states[i - 1]) << i;
    }
    EXPECT_EQ(doc.UndoText(), "Add Oak");
    for (std::size_t i = 1; i < states.size(); ++i) {
        doc.Redo();
        EXPECT_EQ(doc.Bytes(), states[i]) << i;
    }
    EXPECT_FALSE(doc.CanRedo());
    // A new edit after undoing drops what could be redone.
    doc.Undo();
    ASSERT_EQ(doc.SetField(0, "name", "Beech"), "");
    EXPECT_FALSE(doc.CanRedo());
    // An edit that changes nothing is no step.
    const std::string text = doc.UndoText();
    ASSERT_EQ(doc.SetField(0, "name", "Beech"), "");
    ASSERT_EQ(doc.SetShapeField(0, 2, "price", "4.1"), "");  // MDF, renamed Beech
    EXPECT_EQ(doc.UndoText(), text);
}

TEST(DatabaseDocument, ModifiedFollowsUndoBackToTheSavedState) {
    TempDir dir;
    DatabaseDocument doc;
    doc.AddMaterial(2, "Acrylic");
    doc.Save(dir.File("p.mdf"));
    EXPECT_FALSE(doc.Modified());
    ASSERT_EQ(doc.SetField(0, "name", "PMMA"), "");
    EXPECT_TRUE(doc.Modified());
    doc.Undo();
    EXPECT_FALSE(doc.Modified());
}

TEST(DatabaseDocument, SavingKeepsABackupAndNoticesAChangeOnDisk) {
    TempDir dir;
    const std::string path = dir.File("higher.mdf");
    WriteTestFile(path, ReadWholeFile(std::string(TREVANE_BIN_DIR) + "/higher.mdf"));
    const std::string original = ReadWholeFile(path);
    DatabaseDocument mine, theirs;
    mine.Open(path);
    theirs.Open(path);
    EXPECT_FALSE(mine.ChangedOnDisk());

    ASSERT_EQ(theirs.SetField(0, "name", "Their oak"), "");
    theirs.Save();
    EXPECT_EQ(ReadWholeFile(path + ".bak"), original);
    const std::string theirFile = ReadWholeFile(path);

    ASSERT_EQ(mine.SetField(1, "name", "My ash"), "");
    EXPECT_TRUE(mine.ChangedOnDisk());
    EXPECT_THROW(mine.Save(), EChangedOnDisk);
    EXPECT_EQ(ReadWholeFile(path), theirFile);
    EXPECT_TRUE(mine.Modified());
    // The teacher chooses to overwrite: their file becomes the backup.
    mine.Save(true);
    EXPECT_EQ(ReadWholeFile(path + ".bak"), theirFile);
    TMaterialList loaded;
    std::uint8_t level = 0;
    LoadDatabase(path, loaded, level);
    EXPECT_EQ(loaded[1]->Name, "My ash");
    EXPECT_NE(loaded[0]->Name, "Their oak");
    EXPECT_FALSE(mine.ChangedOnDisk());
    // Or to take theirs: opening again reads what is on disk now.
    theirs.Open(path);
    EXPECT_EQ(theirs.Material(1).Name, "My ash");
}

TEST(DatabaseDocument, DamagedFilesAreRefusedAndTheOpenDatabaseStays) {
    TempDir dir;
    DatabaseDocument doc;
    doc.AddMaterial(0, "Oak");
    WriteTestFile(dir.File("bad.mdf"), "QEL1 and then nothing");
    WriteTestFile(dir.File("bad.json"), "{\"level\": 1, \"materials\": [{\"kind\": \"wood\"}]}");
    EXPECT_THROW(doc.Open(dir.File("bad.mdf")), EBadFileFormat);
    try {
        doc.Open(dir.File("bad.json"));
        FAIL();
    } catch (const EQelError& e) {
        EXPECT_STREQ(e.what(), (dir.File("bad.json") + ":1: the material has no \"name\"").c_str());
    }
    EXPECT_THROW(doc.Open(dir.File("none.mdf")), ENoDBfile);
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.Material(0).Name, "Oak");
}

TEST(PriceTable, RaiseRoundsToWholePenceWithHalvesUp) {
    EXPECT_EQ(RaisedPrice(1000, 3), 1030);
    EXPECT_EQ(RaisedPrice(95, 3), 98);      // 97.85
    EXPECT_EQ(RaisedPrice(50, 3), 52);      // 51.5: the half goes up
    EXPECT_EQ(RaisedPrice(150, 2.5), 154);  // 153.75
    EXPECT_EQ(RaisedPrice(1, 49.9), 1);     // 1.499
    EXPECT_EQ(RaisedPrice(199, -10), 179);  // 179.1
    EXPECT_EQ(RaisedPrice(0, 10), 0);
    EXPECT_EQ(RaisedPrice(INT32_MAX, 1), std::nullopt);

    DatabaseDocument doc;
    const int steel = doc.AddMaterial(5, "Mild steel");
    const int oak = doc.AddMaterial(0, "Oak");
    ASSERT_EQ(doc.SetField(oak, "price", "1500.01"), "");
    ASSERT_EQ(doc.SetShapeField(steel, 0, "price", "0.95"), "");
    ASSERT_EQ(doc.SetShapeField(steel, 52, "price", "12.50"), "");
    const auto rows = PriceRows(doc.Materials(), MaterialGroup::Metal);
    ASSERT_EQ(rows.size(), 53u);
    EXPECT_EQ(rows[0].size, "12 x 3 [strip]");
    EXPECT_EQ(rows[0].unit, "per m");
    EXPECT_EQ(rows[52].unit, "per m\xC2\xB2");

    EXPECT_EQ(doc.RaisePrices(MaterialGroup::Metal, "3"), "");
    EXPECT_EQ(doc.UndoText(), "Raise Metal prices by 3 %");
    EXPECT_EQ(GetShapeField(doc.Material(steel), 0, "price"), "0.98");
    EXPECT_EQ(GetShapeField(doc.Material(steel), 52, "price"), "12.88");  // 1287.5
    EXPECT_EQ(GetField(doc.Material(oak), "price"), "1500.01");           // another group
    EXPECT_EQ(doc.RaisePrices(MaterialGroup::Plastic, "3"), "Raise by: there are no Plastic prices to raise");
    EXPECT_EQ(doc.RaisePrices(MaterialGroup::Timber, "three"),
              "Raise by: \"three\" is not a percentage from -100 to 1000");
    // Only the rows given.
    const auto timber = PriceRows(doc.Materials(), MaterialGroup::Timber);
    EXPECT_EQ(doc.RaisePrices(MaterialGroup::Timber, "10", timber), "");
    EXPECT_EQ(GetField(doc.Material(oak), "price"), "1650.01");
}

}  // namespace
}  // namespace trevane
