#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "materials/material.h"
#include "materials/tables.h"

namespace trevane {
namespace {

std::vector<int> IndicesOf(const TMaterial& m) {
    std::vector<int> v;
    for (int i = 0; i < m.PropertyCount(); ++i) v.push_back(m.PropertyIndex(i));
    return v;
}

std::vector<int> FlagsOf(const TMaterial& m) {
    std::vector<int> v;
    for (int f = 0; f < 152; ++f)
        if (m.Flags.Has(f)) v.push_back(f);
    return v;
}

struct ClassDefaults {
    const char* name;
    std::function<std::unique_ptr<TMaterial>()> create;
    int category;
    int costingFlag;
    int count, first, last;  // properties: how many, the first and the last index
    std::vector<int> flags;
    int shapes;
    int recordKind;
};

// Which properties a class carries fixes its record on disk (a byte each), so
// the counts are checked here and the record sizes in database_test; the
// first and last property of each class are spot checks of the choice.
TEST(MaterialClasses, CreateGivesEveryClassItsDefaults) {
    // clang-format off
    const std::vector<ClassDefaults> classes = {
        {"TWood", TWood::Create, 0, -1, 10, 3, 28, {}, 0, 0},
        {"TBoard", TBoard::Create, 10, -1, 10, 3, 28, {}, 10, 10},
        {"TMetal", TMetal::Create, 1, 0, 21, 3, 47, {27}, 0, 1},
        {"TSteel", TSteel::Create, 5, -1, 21, 3, 47, {27}, 53, 5},
        {"TAluminium", TAluminium::Create, 6, -1, 21, 3, 47, {27}, 49, 6},
        {"TBrass", TBrass::Create, 7, -1, 21, 3, 47, {27}, 39, 7},
        {"TCopper", TCopper::Create, 8, 0, 21, 3, 47, {27}, 37, 8},
        {"TPlastic", TPlastic::Create, 2, -1, 24, 1, 49, {67}, 19, 2},
        {"TGeneralMaterial", TGeneralMaterial::Create, 4, 0, 48, 1, 49, {}, 0, -1},
        {"TWorkingMaterial", TWorkingMaterial::Create, 11, 0, 0, 0, 0, {}, 0, -1},
        {"TSimpleWood", TSimpleWood::Create, 0, -1, 6, 3, 28, {}, 0, -1},
        {"TSimpleMetal", TSimpleMetal::Create, 1, 0, 11, 3, 40, {27}, 0, -1},
        {"TSimplePlastic", TSimplePlastic::Create, 2, 0, 10, 1, 49, {67}, 0, -1},
        {"TSimpleGeneralMaterial", TSimpleGeneralMaterial::Create, 4, 0, 23, 1, 49, {}, 0, -1},
        {"TSimpleWorkingMaterial", TSimpleWorkingMaterial::Create, 11, 0, 0, 0, 0, {}, 0, -1},
    };
    // clang-format on
    for (const auto& c : classes) {
        SCOPED_TRACE(c.name);
        auto m = c.create();
        EXPECT_EQ(m->Category, c.category);
        EXPECT_EQ(m->CostingFlag, c.costingFlag);
        const std::vector<int> indices = IndicesOf(*m);
        EXPECT_EQ(static_cast<int>(indices.size()), c.count);
        EXPECT_EQ(indices.empty() ? 0 : indices.front(), c.first);
        EXPECT_EQ(indices.empty() ? 0 : indices.back(), c.last);
        EXPECT_TRUE(std::is_sorted(indices.begin(), indices.end()));
        EXPECT_EQ(FlagsOf(*m), c.flags);
        EXPECT_EQ(m->ShapeCount(), c.shapes);
        EXPECT_EQ(m->RecordKind(), c.recordKind);
        for (int i = 0; i < m->PropertyCount(); ++i) EXPECT_TRUE(m->PropSet.Has(m->PropertyIndex(i)));
    }
    EXPECT_FALSE(TGeneralMaterial::Create()->PropSet.Has(11));  // all but Resistant to wear
}

// The section kind and stock limits of each size code range, on the steel table.
TEST(MaterialClasses, StockShapesOfEveryKind) {
    auto steel = TSteel::Create();
    const std::array<int, 4> ranges[] = {{14, 1, 310, 0}, {15, 2, 310, 0},   {33, 3, 310, 0},
                                         {34, 4, 310, 0}, {38, 5, 610, 0},   {45, 6, 610, 0},
                                         {50, 7, 610, 0}, {51, 8, 250, 125}, {56, 9, 250, 125}};
    for (auto [code, kind, maxLength, maxWidth] : ranges) {
        const int i = steel->FindShape(code);
        EXPECT_EQ(steel->ShapeSizeCode(i), code);
        EXPECT_EQ((std::array{steel->ShapeKind(i), steel->ShapeMaxLength(i), steel->ShapeMaxWidth(i)}),
                  (std::array{kind, maxLength, maxWidth}))
            << code;
        EXPECT_EQ(steel->ShapeStocked(i) * 1000 + steel->ShapePrice(i), -1000);
    }
    EXPECT_EQ(TAluminium::Create()->FindShape(44), 0);  // a miss looks like the first shape
    steel->Shapes[3]->Stocked = 0;                      // unstocked: no kind
    EXPECT_EQ(steel->ShapeKind(3), 0);
    EXPECT_EQ(steel->ShapeSizeCode(53) + steel->ShapeSizeCode(-1), 0);
    auto metal = TMetal::Create();
    EXPECT_EQ(metal->ShapeKind(0) + metal->ShapeSizeCode(0) + metal->ShapePrice(0) + metal->FindShape(12), 0);

    auto p = TPlastic::Create();
    EXPECT_EQ(p->StockWord, 0x0007FFFE);
    for (int i = 0; i < p->ShapeCount(); ++i) {
        EXPECT_EQ(p->ShapeSizeCode(i), i + 1);
        EXPECT_EQ(p->ShapeKind(i), i < 5 ? 8 : i < 10 ? 3 : 5);  // sheets, rods, tubes
    }
    auto b = TBoard::Create();
    std::vector<int> thick;
    for (int i = 0; i < b->ShapeCount(); ++i) {
        thick.push_back(b->ShapeThickness(i));
        EXPECT_EQ(b->ShapeLength(i) * 1000 + b->ShapeWidth(i), 244122);
    }
    EXPECT_EQ(thick, (std::vector<int>{3, 4, 5, 6, 9, 12, 15, 18, 22, 25}));
    EXPECT_EQ(b->FindShape(18), 7);
    EXPECT_EQ(b->FindShape(7), 0);
}

TEST(MaterialClasses, PropertyValueTexts) {
    auto w = TWood::Create();  // entry 0 Hardness, 4 Suitable for exterior work
    w->SetPropertyValueText(0, "hard");
    EXPECT_EQ(w->PropertyValue(0), 5);
    EXPECT_EQ(w->PropertyValueText(0), "hard");
    // Capitalised words are no value words: the value stays, flags follow the kept value.
    w->Flags = FlagSet{};
    w->SetPropertyValueText(0, "Don't care");
    EXPECT_EQ(w->PropertyValue(0), 5);
    EXPECT_TRUE(w->Flags.Has(0));
    w->SetPropertyValueText(0, "don't care");
    w->SetPropertyValueText(4, "yes");
    w->SetPropertyValueText(4, "");
    EXPECT_EQ(w->PropertyValue(0) + w->PropertyValue(4), 0);
    EXPECT_EQ(w->PropertyValueText(0), "");
    EXPECT_TRUE(w->Flags.Empty());

    // Out-of-range positions, an empty list and unknown stored codes give nothing.
    w->SetPropertyValueText(99, "yes");
    EXPECT_EQ(w->PropertyName(99), "");
    auto t = TWorkingMaterial::Create();
    t->SetPropertyValueText(0, "yes");
    EXPECT_TRUE(t->Flags.Empty());
    EXPECT_EQ(t->PropertyName(0) + t->PropertyValueText(0), "");
    EXPECT_EQ(t->PropertyIndex(0) + t->PropertyValue(0), 0);
    w->Properties[0].second.Value = 200;
    EXPECT_EQ(w->PropertyValueText(0), "");
    EXPECT_EQ(w->PropertyScale(0), 2);
    EXPECT_EQ(w->PropertyScale(8), 8);  // Ease of planing/cutting
}

// Materials of every size are freed and made again in mixed order, as loading
// one database after another does; no material may share storage with another.
TEST(MaterialStorage, FreedMaterialsAreReusedWithoutOverlap) {
    static constexpr int kKinds[] = {0, 10, 1, 2, 5, 6, 7, 8};
    std::vector<std::unique_ptr<TMaterial>> live;
    auto make = [&](int i) {
        auto m = CreateForRecordKind(kKinds[i % 8]);
        m->Name = "material " + std::to_string(i);
        m->PictureNumber = i;
        live.push_back(std::move(m));
    };
    for (int i = 0; i < 3000; ++i) make(i);
    // Free every third, then make as many again.
    for (std::size_t i = 0; i < live.size(); i += 3) live[i].reset();
    for (int i = 3000; i < 4000; ++i) make(i);
    for (const auto& m : live) {
        if (!m) continue;
        EXPECT_EQ(m->Name, "material " + std::to_string(m->PictureNumber));
    }
    live.clear();
    // After every material is gone, new ones are made as before.
    make(1);
    EXPECT_EQ(live.back()->Name, "material 1");
    EXPECT_EQ(live.back()->PropertyCount(), CreateForRecordKind(kKinds[1])->PropertyCount());
}

}  // namespace
}  // namespace trevane
