#pragma once
// The recording user interface for tests: a queued answer, file, font or dialog
// script that is never used fails the test, since a feature that did nothing
// would otherwise pass.
#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace trevane::testing {

class FakeUi : public RecordingUi {
public:
    ~FakeUi() override {
        EXPECT_TRUE(answers.empty()) << answers.size() << " queued message answer(s) never asked for";
        EXPECT_TRUE(openFiles.empty()) << openFiles.size() << " queued Open choice(s) never asked for";
        EXPECT_TRUE(saveFiles.empty()) << saveFiles.size() << " queued Save choice(s) never asked for";
        EXPECT_TRUE(fonts.empty()) << fonts.size() << " queued font choice(s) never asked for";
        for (const auto& [name, scripts] : dialogScripts)
            EXPECT_TRUE(scripts.empty()) << scripts.size() << " script(s) for dialog " << name << " never ran";
    }
};

}  // namespace trevane::testing
