#include <gtest/gtest.h>

#include "messages.hpp"
#include "test_support.hpp"

namespace {

using wl::PromptKind;

TEST(Messages, WqoutPutsCrLfBeforeEachValueUnderAlert) {
    zrtest::PromptRecorder rec;
    wl::WQOUT(wl::ValueList{"Cfile <ERROR> FC-Open # 2", 7, true});
    ASSERT_EQ(rec.prompts().size(), 1u);
    EXPECT_EQ(rec.prompts()[0].function, "WQOUT");
    EXPECT_EQ(rec.prompts()[0].caption, "Alert");
    EXPECT_EQ(rec.prompts()[0].text, "\r\nCfile <ERROR> FC-Open # 2\r\n7\r\n.T.");
}

TEST(Messages, DefaultCaptionsAndKinds) {
    zrtest::PromptRecorder rec;
    wl::MSGINFO("i");
    wl::MSGALERT("a");
    wl::NMSGBOX("n");
    wl::MSGSTOP("s");
    wl::MSGYESNO();
    wl::MSGNOYES("q");
    struct Want {
        PromptKind kind;
        const char* caption;
        const char* text;
    };
    const Want want[] = {
        {PromptKind::Info, "Information", "i"}, {PromptKind::Alert, "Alert", "a"},
        {PromptKind::Alert, "Alert", "n"},      {PromptKind::Stop, "Stop", "s"},
        {PromptKind::YesNo, "Select an option", "nil"},  // no argument: no value
        {PromptKind::NoYes, "Select an option", "q"},
    };
    ASSERT_EQ(rec.prompts().size(), std::size(want));
    for (std::size_t i = 0; i < std::size(want); ++i) {
        EXPECT_EQ(rec.prompts()[i].kind, want[i].kind) << i;
        EXPECT_EQ(rec.prompts()[i].caption, want[i].caption) << i;
        EXPECT_EQ(rec.prompts()[i].text, want[i].text) << i;
    }
}

TEST(Messages, ValuesBecomeTextByTheBoxRule) {
    zrtest::PromptRecorder rec;
    wl::MSGALERT(12);
    wl::MSGALERT(1.5);
    wl::MSGALERT(true);
    wl::MSGALERT(wl::ValueList{1});
    wl::MSGINFO("body", wl::Value(3));
    const std::vector<std::string> want = {"12", "1.500000", ".T.", "Array", "body"};
    EXPECT_EQ(rec.texts(), want);
    EXPECT_EQ(rec.prompts().back().caption, "3");
}

TEST(Messages, QuestionsTakeTheScriptedAnswers) {
    zrtest::PromptRecorder rec(/*defaultAnswer=*/false);
    rec.answerNext(true);
    rec.answerNext(false);
    EXPECT_TRUE(wl::MSGNOYES("Overwite File?"));
    EXPECT_FALSE(wl::MSGYESNO("again?"));
    EXPECT_FALSE(wl::MSGYESNO("default"));
}

TEST(Messages, ScopedHooksNestAndRestore) {
    zrtest::PromptRecorder outer(true);
    {
        zrtest::PromptRecorder inner(false);
        EXPECT_FALSE(wl::MSGYESNO("inner"));
        EXPECT_EQ(inner.prompts().size(), 1u);
    }
    EXPECT_TRUE(wl::MSGYESNO("outer"));
    EXPECT_EQ(outer.prompts().size(), 1u);
}

}  // namespace
