#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "module_state.hpp"
#include "placeholders.hpp"

namespace {

TEST(ModuleState, InitialValuesAndOneSharedInstance) {
    const zr::ModuleState fresh;
    EXPECT_FALSE(fresh.mainWindow.has_value());
    EXPECT_EQ(static_cast<int>(fresh.viewerState), 0);
    EXPECT_EQ(fresh.silentMeter, 0);
    EXPECT_FALSE(fresh.odbcConnection.has_value());
    EXPECT_EQ(fresh.exportMapName, "");
    EXPECT_EQ(fresh.controlCharacterReport, "");

    // Other subsystems read what one of them set.
    zr::moduleState().viewerState = zr::ViewerState::Unattended;
    zr::moduleState().odbcConnection = std::make_shared<std::string>("DSN=claims");
    EXPECT_EQ(static_cast<int>(zr::moduleState().viewerState), 1);
    EXPECT_EQ(*std::any_cast<std::shared_ptr<std::string>>(zr::moduleState().odbcConnection), "DSN=claims");
    zr::moduleState() = zr::ModuleState{};
    EXPECT_FALSE(zr::moduleState().odbcConnection.has_value());
}

TEST(ModuleState, PlaceholdersTakeTheirCallersArguments) {
    zr::PDFOPEN(std::string("test.pdf"), 1);
    zr::PDFATSAY(1, 2, std::string("text"));
    zr::ZRWB1(std::string("claims.xml"));
    zr::CTLD47801I();
    SUCCEED();
}

}  // namespace
