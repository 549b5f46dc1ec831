#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "module_state.hpp"
#include "placeholders.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

// What one subsystem sets, the others read: there is one instance, and a
// fresh one forgets what was set.
TEST(ModuleState, OneSharedInstance) {
    zr::moduleState().viewerState = zr::ViewerState::Unattended;
    zr::moduleState().odbcConnection = std::make_shared<std::string>("DSN=claims");
    EXPECT_EQ(zr::moduleState().viewerState, zr::ViewerState::Unattended);
    EXPECT_EQ(*std::any_cast<std::shared_ptr<std::string>>(zr::moduleState().odbcConnection), "DSN=claims");
    zr::moduleState() = zr::ModuleState{};
    EXPECT_NE(zr::moduleState().viewerState, zr::ViewerState::Unattended);
    EXPECT_FALSE(zr::moduleState().odbcConnection.has_value());
}

// The steps without an implementation take their callers' arguments and
// leave everything as it was: no file is written (a PDF named by the
// caller in particular) and the module state is unchanged.
TEST(ModuleState, PlaceholderStepsTouchNothing) {
    zrtest::TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    zr::moduleState().exportMapName = "kept.map";
    zr::PDFOPEN(std::string("test.pdf"), 1);
    zr::PDFNEWPAGE();
    zr::PDFATSAY(1, 2, std::string("text"));
    zr::PDFCLOSE();
    zr::RUNPDF(std::string("test.pdf"));
    zr::ZRWB1(std::string("claims.xml"));
    zr::CTLD47801I();
    zr::CTL48500A(std::string("DSN=claims"), 1);
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_EQ(zr::moduleState().exportMapName, "kept.map");
    zr::moduleState() = zr::ModuleState{};
}

}  // namespace
