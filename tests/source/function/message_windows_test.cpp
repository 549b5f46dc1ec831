#include "message_windows.hpp"

#include <gtest/gtest.h>

#include <chrono>

#include "test_support.hpp"

namespace {

TEST(MessageWindows, WaitWindowShowsItsTextAndAnswersTheAction) {
    zrtest::PromptRecorder recorder;
    EXPECT_EQ(wl::MSGRUN("Loading map", "Map", [] { return wl::Value(42); }).number(), 42);
    EXPECT_TRUE(wl::MSGRUN(std::nullopt, std::nullopt, [] { return wl::Value(); }).isNil());
    ASSERT_EQ(recorder.prompts().size(), 2u);
    EXPECT_EQ(recorder.prompts()[0].kind, wl::PromptKind::Wait);
    EXPECT_EQ(recorder.prompts()[0].text, "Loading map");
    EXPECT_EQ(recorder.prompts()[0].caption, "Map");
    EXPECT_EQ(recorder.prompts()[1].text, "Please, wait...");
}

TEST(MessageWindows, WaitsLastTheirSeconds) {
    zrtest::PromptRecorder recorder;
    const auto start = std::chrono::steady_clock::now();
    wl::MSGWAIT("Done", std::nullopt, 0.05);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    int calls = 0;
    wl::STOPUNTIL([&] { return ++calls == 3; });
    EXPECT_EQ(calls, 3);
}

TEST(MessageWindows, AlertDefaultsAndAnswer) {
    zrtest::PromptRecorder recorder;
    recorder.answerChoice(2);
    EXPECT_EQ(wl::ALERT("Overwrite?", {"&Yes", "&No", "&Cancel"}, "Question"), 2);
    EXPECT_EQ(wl::ALERT(), 0);  // closed without a button
    ASSERT_EQ(recorder.prompts().size(), 2u);
    EXPECT_EQ(recorder.prompts()[0].options, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
    EXPECT_EQ(recorder.prompts()[1].text, "Alert dialog box");
    EXPECT_EQ(recorder.prompts()[1].caption, "Attention");
    EXPECT_EQ(recorder.prompts()[1].options, (std::vector<std::string>{"&OK"}));
}

TEST(MessageWindows, ListAnswersThePosition) {
    zrtest::PromptRecorder recorder;
    recorder.answerChoice(3);
    EXPECT_EQ(wl::MSGLIST({"a", "b", "c"}), 3);
    ASSERT_EQ(recorder.prompts().size(), 1u);
    EXPECT_EQ(recorder.prompts()[0].caption, "Array list");
    EXPECT_EQ(recorder.prompts()[0].options.size(), 3u);
}

}  // namespace
