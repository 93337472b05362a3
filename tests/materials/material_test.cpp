#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "materials/material.h"
#include "materials/tables.h"

namespace trevane {
namespace {

// The section kind and stock limits of a size code, spot-checked on the steel
// table: a bar, a section of its own kind and a sheet.
TEST(MaterialClasses, StockShapesOfEveryKind) {
    auto steel = TSteel::Create();
    const std::array<int, 4> ranges[] = {{14, 1, 310, 0}, {38, 5, 610, 0}, {51, 8, 250, 125}};
    for (auto [code, kind, maxLength, maxWidth] : ranges) {
        const int i = steel->FindShape(code);
        EXPECT_EQ((std::array{steel->ShapeSizeCode(i), steel->ShapeKind(i), steel->ShapeMaxLength(i),
                              steel->ShapeMaxWidth(i), steel->ShapeStocked(i), steel->ShapePrice(i)}),
                  (std::array{code, kind, maxLength, maxWidth, -1, 0}));
    }
    EXPECT_EQ(TAluminium::Create()->FindShape(44), 0);  // a miss looks like the first shape
    steel->Shapes[3]->Stocked = 0;                      // unstocked: no kind
    EXPECT_EQ(steel->ShapeKind(3), 0);
    EXPECT_EQ(steel->ShapeSizeCode(53) + steel->ShapeSizeCode(-1), 0);
    auto metal = TMetal::Create();
    EXPECT_EQ(metal->ShapeKind(0) + metal->ShapeSizeCode(0) + metal->ShapePrice(0) + metal->FindShape(12), 0);

    auto p = TPlastic::Create();  // the same stock code as the metals: sizes 1..19, sheets, rods, tubes
    EXPECT_EQ(p->StockWord, 0x0007FFFE);
    EXPECT_EQ((std::array{p->ShapeSizeCode(18), p->ShapeKind(4), p->ShapeKind(5), p->ShapeKind(10)}),
              (std::array{19, 8, 3, 5}));
    auto b = TBoard::Create();
    std::vector<int> thick;
    for (int i = 0; i < b->ShapeCount(); ++i) {
        thick.push_back(b->ShapeThickness(i));
        EXPECT_EQ(b->ShapeLength(i) * 1000 + b->ShapeWidth(i), 244122);
    }
    EXPECT_EQ(thick, (std::vector<int>{3, 4, 5, 6, 9, 12, 15, 18, 22, 25}));
    EXPECT_EQ(b->FindShape(18), 7);
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
    w->Properties[0].second.Value = 200;  // an unknown stored code shows nothing
    EXPECT_EQ(w->PropertyValueText(0), "");
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
