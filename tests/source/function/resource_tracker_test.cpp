#include "resource_tracker.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "test_support.hpp"

namespace {

// The tracker is process state: each test leaves it as it found it.
class ResourceTrackerTest : public ::testing::Test {
protected:
    void TearDown() override {
        while (!wl::trackedResources().empty()) {
            auto h = wl::trackedResources().front().handle;
            wl::WLDELRESOURCE(reinterpret_cast<const void*>(h));
        }
    }
    static const void* handle(std::uintptr_t n) { return reinterpret_cast<const void*>(n); }
};

void makeBrush(const void* h) { wl::TrackResourceNew(h, "BRUSH"); }

TEST_F(ResourceTrackerTest, RecordsTypeHandleAndTheRoutineThatMadeIt) {
    makeBrush(handle(0x1234));
    ASSERT_EQ(wl::trackedResources().size(), 1u);
    const auto& r = wl::trackedResources()[0];
    EXPECT_EQ(r.type, "BRUSH");
    EXPECT_EQ(r.handle, 0x1234u);
    EXPECT_TRUE(std::regex_match(r.callPath, std::regex(R"(makeBrush\(\d+\))"))) << r.callPath;
}

TEST_F(ResourceTrackerTest, DeletionRemovesOnlyTheFirstEntryWithTheHandle) {
    wl::WLADDRESOURCE(handle(7), "FONT");
    wl::WLADDRESOURCE(handle(8), "REGION");
    wl::WLADDRESOURCE(handle(7), "BMP -> MakeBkBmp");
    wl::WLDELRESOURCE(handle(7));
    ASSERT_EQ(wl::trackedResources().size(), 2u);
    EXPECT_EQ(wl::trackedResources()[0].type, "REGION");
    EXPECT_EQ(wl::trackedResources()[1].type, "BMP -> MakeBkBmp");
    wl::WLDELRESOURCE(handle(99));  // unknown: nothing happens
    EXPECT_EQ(wl::trackedResources().size(), 2u);
}

TEST_F(ResourceTrackerTest, CheckResLogsLiveEntriesThenARuleLine) {
    zrtest::TempDir dir;
    auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    wl::WLADDRESOURCE(handle(0), "PAL");  // handle 0 is not listed
    wl::WLADDRESOURCE(handle(42), "FONT");
    wl::CHECKRES();
    std::filesystem::current_path(before);

    std::string log = zrtest::readBytes(dir.file("checkres.txt"));
    std::regex expected(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d: FONT,42,\w+\(\d+\)\t\r\n)"
                        R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d: ={100}\t\r\n)");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST(CallSite, KeepsTheBareRoutineName) {
    auto here = wl::SourcePlace::current();
    EXPECT_EQ(wl::callSite(here), "TestBody(" + std::to_string(here.line) + ")");
}

}  // namespace
