#pragma once
// The databases the build ships beside the program, loaded once per test
// program, and a fixture that runs a test on each level or skips it when the
// data is not built.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "materials/database.h"

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
