#include "cursor.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

TEST(TCursor, PredefinedNamesExactBeforePrefix) {
    auto ns = wl::TCursor::New("", "sizens");
    EXPECT_EQ(ns->hCursor, LoadCursorA(nullptr, IDC_SIZENS));
    EXPECT_TRUE(ns->lPredef);
    auto move = wl::TCursor::New("", "SIZE");
    EXPECT_EQ(move->hCursor, LoadCursorA(nullptr, IDC_SIZEALL));
    auto stop = wl::TCursor::New("", "stop");
    EXPECT_EQ(stop->hCursor, wl::GETCURSORSTOP());
    stop->End();
    EXPECT_NE(wl::GETCURSORSTOP(), nullptr);  // predefined: never destroyed
}

TEST(TCursor, UnknownPredefinedNameIsReported) {
    zrtest::PromptRecorder rec;
    auto c = wl::TCursor::New("", "teapot");
    EXPECT_EQ(c->hCursor, nullptr);
    ASSERT_EQ(rec.texts().size(), 1u);
    EXPECT_NE(rec.texts()[0].find("Wrong predefined cursor type!"), std::string::npos);
}

}  // namespace
