#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "materials/database.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "materials/sample_materials.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::RichMaterials;
using testing::TempDir;
using testing::WriteTestFile;

std::string Body(const TMaterial& m) {
    ByteWriter w;
    m.SaveToStream(w);
    return w.Take();
}

std::int32_t Int32At(const std::string& s, std::size_t at) {
    ByteReader r(std::string_view(s).substr(at));
    return r.ReadInt32();
}

std::string Header(std::int32_t count, std::uint8_t level = 1) {
    ByteWriter w;
    w.WriteCountedBytes("QEL1");
    w.WriteByte(level);
    w.WriteInt32(count);
    return w.Take();
}

void ExpectBadFormat(const std::string& bytes, const std::string& what) {
    try {
        ParseDatabase(bytes, "dir/x.mdf");
        ADD_FAILURE() << "accepted: " << what;
    } catch (const EBadFileFormat& e) {
        EXPECT_STREQ(e.what(), "dir/x.mdf is not a valid *.mdf data file") << what;
    }
}

// What a new record of each kind starts with, and its size on disk with empty
// texts: the common body is 36 bytes, then a byte per property and the shapes.
TEST(RecordLayout, EachKindHasItsDefaultsAndExactSize) {
    const struct {
        std::function<std::unique_ptr<TMaterial>()> create;
        int category, costingFlag, first, last;  // the first and last property index
        std::vector<int> flags;
        std::size_t size;
    } kinds[] = {
        {TWood::Create, 0, -1, 3, 28, {}, 36 + 10 + 16},
        {TBoard::Create, 10, -1, 3, 28, {}, 36 + 10 + 10 * 20},
        {TMetal::Create, 1, 0, 3, 47, {27}, 36 + 21 + 20},
        {TSteel::Create, 5, -1, 3, 47, {27}, 36 + 21 + 20 + 53 * 21},
        {TAluminium::Create, 6, -1, 3, 47, {27}, 36 + 21 + 20 + 49 * 21},
        {TBrass::Create, 7, -1, 3, 47, {27}, 36 + 21 + 20 + 39 * 21},
        {TCopper::Create, 8, 0, 3, 47, {27}, 36 + 21 + 20 + 37 * 21},
        {TPlastic::Create, 2, -1, 1, 49, {67}, 36 + 24 + 12 + 19 * 21},
    };
    for (const auto& c : kinds) {
        auto m = c.create();
        SCOPED_TRACE(m->RecordKind());
        EXPECT_EQ(m->RecordKind(), c.category);
        EXPECT_EQ(m->Category, c.category);
        EXPECT_EQ(m->CostingFlag, c.costingFlag);
        EXPECT_EQ(Body(*m).size(), c.size);
        std::vector<int> indices, flags;
        for (int i = 0; i < m->PropertyCount(); ++i) indices.push_back(m->PropertyIndex(i));
        for (int f = 0; f < 152; ++f)
            if (m->Flags.Has(f)) flags.push_back(f);
        EXPECT_EQ(indices.front() * 100 + indices.back(), c.first * 100 + c.last);
        EXPECT_TRUE(std::is_sorted(indices.begin(), indices.end()));  // the order values stand on disk
        EXPECT_EQ(flags, c.flags);
        for (int i : indices) EXPECT_TRUE(m->PropSet.Has(i));
    }
}

TEST(RecordLayout, FieldsStandInFileOrder) {
    auto w = TWood::Create();
    w->Name = "Ash";
    w->Category = 10;
    w->PictureNumber = -2;
    w->Description = "\u00a3";  // one byte on disk
    w->Flags.Add(9);
    w->CostingFlag = 0x01020304;
    w->Properties[9].second.Value = 17;
    w->Origin = "UK";
    w->OtherName = "F";
    w->Hardwood = 6;
    w->Price = 1000;
    // Name, Category, PictureNumber, Description, Flags (flag 9: byte 1, bit 1),
    // CostingFlag, a byte per property, then Origin before OtherName, Hardwood, Price.
    EXPECT_EQ(Body(*w), std::string("\x03\0\0\0Ash\x0A\xFE\xFF\xFF\xFF\x01\0\0\0\xA3\0\x02", 19) +
                            std::string(17, '\0') + "\x04\x03\x02\x01" + std::string(9, '\0') + "\x11" +
                            std::string("\x02\0\0\0UK\x01\0\0\0F\x06\0\0\0\xE8\x03\0\0", 19));

    // A TMetal body ends with its stock sizes; Composition comes before MeltingPoint.
    auto m = TMetal::Create();
    m->Composition = "C";
    m->MeltingPoint = "M";
    m->StockWord = 5;
    m->StockSizes.Add(63);
    EXPECT_EQ(Body(*m).substr(57), std::string("\x01\0\0\0C\x01\0\0\0M\x05\0\0\0\0\0\0\0\0\0\0\x80", 22));

    // Shape records: metal/plastic Kind, SizeCode, MaxLength, MaxWidth, Price, Stocked;
    // board Thickness, Length, Width, Price, Stocked.
    auto s = TSteel::Create();
    s->Shapes[0]->Price = 95;
    EXPECT_EQ(Body(*s).substr(36 + 21 + 20, 21),
              std::string("\x01\x01\0\0\0\x36\x01\0\0\0\0\0\0\x5F\0\0\0\xFF\xFF\xFF\xFF", 21));
    const std::string bb = Body(*TBoard::Create());
    EXPECT_EQ(bb.substr(46, 12), std::string("\x03\0\0\0\xF4\0\0\0\x7A\0\0\0", 12));
    EXPECT_EQ(Int32At(bb, 62), -1);
}

// The sample holds what no default gives (a board stored as timber, a category
// that names no class, shape kinds and size codes of its own, flags no value
// explains), so its bytes come back equal only when every field was read as stored.
TEST(DatabaseFile, RoundTripKeepsEveryField) {
    const auto list = RichMaterials();
    const std::string bytes = SerializeDatabase(list, 0);
    const LoadedDatabase db = ParseDatabase(bytes, "x.mdf");
    EXPECT_EQ(db.level, 0);
    ASSERT_EQ(db.materials.size(), list.size());
    EXPECT_EQ(SerializeDatabase(db.materials, 0), bytes);
    EXPECT_EQ(db.materials[1]->RecordKind(), 10);  // the class follows the kind byte, not the category
}

TEST(DatabaseFile, RejectsDamageWithTheFileMessage) {
    const std::string good = SerializeDatabase(RichMaterials(), 1);
    // Every truncation of a valid file.
    for (std::size_t n = 0; n < good.size(); ++n) ExpectBadFormat(good.substr(0, n), "cut at " + std::to_string(n));
    ExpectBadFormat(good + '\0', "trailing byte");

    std::string magic = good;
    magic[0] = 5;
    ExpectBadFormat(magic, "magic length 5");
    magic = good;
    magic[7] = '2';
    ExpectBadFormat(magic, "magic QEL2");

    ExpectBadFormat(Header(-1), "negative count");
    ExpectBadFormat(Header(0x7FFFFFFF), "huge count");
    ExpectBadFormat(Header(1), "count without records");
    std::string more = good;
    more[9] = static_cast<char>(more[9] + 1);
    ExpectBadFormat(more, "count one too many");

    // Unknown kinds, then a valid wood record after them.
    for (int kind : {3, 4, 9, 11, 255}) {
        std::string bytes = Header(2);
        bytes += static_cast<char>(kind);
        bytes += static_cast<char>(0);
        bytes += Body(*TWood::Create());
        ExpectBadFormat(bytes, "kind " + std::to_string(kind));
    }

    // A string length larger than what remains, and a negative one.
    for (std::int32_t len : {0x7FFFFFFF, 1000, -1}) {
        std::string bytes = Header(1);
        bytes += '\0';
        std::string body = Body(*TWood::Create());
        ByteWriter w;
        w.WriteInt32(len);
        body.replace(0, 4, w.Data());
        ExpectBadFormat(bytes + body, "name length " + std::to_string(len));
    }

    const LoadedDatabase empty = ParseDatabase(Header(0, 0), "e.mdf");
    EXPECT_TRUE(empty.materials.empty());
    EXPECT_EQ(empty.level, 0);
}

TEST(DatabaseFile, FailedLoadLeavesListAndLevelAlone) {
    TempDir dir;
    WriteTestFile(dir.File("first.mdf"), SerializeDatabase(RichMaterials(), 0));
    TMaterialList list;
    std::uint8_t level = 1;
    LoadDatabase(dir.File("first.mdf"), list, level);
    ASSERT_EQ(list.size(), 8u);
    const TMaterial* kept = list[0].get();
    auto expectFailure = [&](const std::string& path, const std::string& message) {
        try {
            LoadDatabase(path, list, level);
            ADD_FAILURE() << path;
        } catch (const EQelError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_EQ(list.size(), 8u);
        EXPECT_EQ(list[0].get(), kept);
        EXPECT_EQ(level, 0);
    };
    expectFailure(dir.File("none.mdf"), dir.File("none.mdf") + " file not found");
    expectFailure(dir.Path(), dir.Path() + " file not found");                         // a folder is no database
    WriteTestFile(dir.File("bad.mdf"), SerializeDatabase(RichMaterials(), 1) + '\0');  // each damage: RejectsDamage
    expectFailure(dir.File("bad.mdf"), dir.File("bad.mdf") + " is not a valid *.mdf data file");
    // A second good load replaces the first completely.
    TMaterialList one;
    one.push_back(TCopper::Create());
    WriteTestFile(dir.File("second.mdf"), SerializeDatabase(one, 1));
    LoadDatabase(dir.File("second.mdf"), list, level);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->RecordKind(), 8);
    EXPECT_EQ(level, 1);
}

}  // namespace
}  // namespace trevane
