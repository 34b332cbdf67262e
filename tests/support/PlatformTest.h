// A test on a fresh headless platform. Each test must release every object it made: the
// fixture checks that no GDI or USER object is left alive, and saves a picture of the screen
// when a test fails.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/testing.h"
#include "support/MessageLog.h"

namespace orvane::test {

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform = std::make_unique<platform::testing::TestPlatform>(options());
        MessageLog::instance().clear();
    }

    void TearDown() override {
        if (HasFailure()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            const std::string path =
                platform->SaveScreen(std::string(info->test_suite_name()) + "." + info->name());
            if (!path.empty()) std::printf("screen saved to %s\n", path.c_str());
        }
        EXPECT_EQ(platform::testing::TestPlatform::LiveGdiObjects(), 0u) << "GDI objects leaked";
        EXPECT_EQ(platform::testing::TestPlatform::LiveUserObjects(), 0u) << "USER objects leaked";
        platform.reset();
    }

    virtual platform::testing::TestOptions options() const { return {}; }

    MessageLog& log() { return MessageLog::instance(); }

    std::unique_ptr<platform::testing::TestPlatform> platform;
};

// A test run at each DPI it is instantiated with.
template <class Base>
class AtDpi : public Base, public ::testing::WithParamInterface<int> {
protected:
    platform::testing::TestOptions options() const override {
        platform::testing::TestOptions o;
        o.dpi = this->GetParam();
        return o;
    }
    // A length in pixels at 96 DPI, at the test's DPI.
    int px(int at96) const { return at96 * this->GetParam() / 96; }
};

}  // namespace orvane::test
