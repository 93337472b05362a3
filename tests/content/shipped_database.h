#pragma once
// The databases the build ships beside the program, loaded once per test
// program, and a fixture that runs a test on each level or skips it when the
// data is not built.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "materials/database.h"
#include "materials/tables.h"

namespace trevane::testing {

struct ShippedDb {
    bool present = false;
    std::uint8_t level = 255;
    TMaterialList list;
};

inline const ShippedDb& ShippedDatabase(const std::string& file) {
    static std::map<std::string, ShippedDb> cache;
    auto [it, fresh] = cache.try_emplace(file);
    if (fresh) {
        const std::string path = std::string(TREVANE_BIN_DIR) + "/" + file;
        if (std::filesystem::exists(path)) {
            LoadDatabase(path, it->second.list, it->second.level);
            it->second.present = true;
        }
    }
    return it->second;
}

inline bool IsWoodLike(int category) { return category == kCatWood || category == kCatBoard; }

// One stock size of a metal, plastic or board, whatever its class: sheets are
// priced per square metre, other sections per metre; sizes in cm.
struct StockSize {
    int kind;
    bool stocked, sheet;
    int price, length, width;
    std::string text;
};

inline std::vector<StockSize> StockOf(const TMaterial& m) {
    std::vector<StockSize> out;
    const auto sections = [&out](const auto& s, auto text, auto isSheet) {
        for (int i = 0; i < static_cast<int>(s.Shapes.size()); ++i)
            out.push_back({s.ShapeKind(i), s.ShapeStocked(i) != 0, isSheet(s.ShapeKind(i)), s.ShapePrice(i),
                           s.ShapeMaxLength(i), s.ShapeMaxWidth(i), text(s.ShapeSizeCode(i))});
    };
    if (auto* metal = dynamic_cast<const TCustomMetal*>(&m)) {
        sections(*metal, MetalSizeText, [](int k) { return k == kKindSheet || k == kKindGalvanised; });
    } else if (auto* p = dynamic_cast<const TPlastic*>(&m)) {
        sections(*p, PlasticSizeText, [](int k) { return k == kKindSheet; });
    } else if (auto* b = dynamic_cast<const TBoard*>(&m)) {
        for (int i = 0; i < b->ShapeCount(); ++i)
            out.push_back({kKindSheet, b->ShapeStocked(i) != 0, true, b->ShapePrice(i), b->ShapeLength(i),
                           b->ShapeWidth(i), BoardSizeText(b->ShapeThickness(i))});
    }
    return out;
}

class ShippedDatabaseTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db_ = &ShippedDatabase(GetParam());
        if (!db_->present)
            GTEST_SKIP() << GetParam() << " is not in " << TREVANE_BIN_DIR
                         << "; build the trevane_data target to compile the database sources";
    }
    bool Higher() const { return GetParam() == "higher.mdf"; }
    int Level() const { return Higher() ? 1 : 0; }  // the level its name promises
    const TMaterialList& List() const { return db_->list; }

    const ShippedDb* db_ = nullptr;
};

}  // namespace trevane::testing
