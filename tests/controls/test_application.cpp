#include "test_application.h"

#include <gtest/gtest.h>

namespace {

class TApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        FApplication = std::make_unique<TApplication>();
        FApplication->Initialize();
        FApplication->UseManualClock();
        FApplication->ErrorReport = [](const std::string& text) { ADD_FAILURE() << "error report: " << text; };
    }
    void TearDown() override { FApplication.reset(); }

private:
    std::unique_ptr<TApplication> FApplication;
};

[[maybe_unused]] auto* const Environment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

} // namespace
