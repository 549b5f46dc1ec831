#include "modal_stack.hpp"

#include <gtest/gtest.h>

namespace {

struct Dialog {
    int id;
};

TEST(ModalStack, NestedDialogsFindTheirOwnSlots) {
    wl::ModalStack<Dialog> stack;
    Dialog outer{1}, inner{2};
    ASSERT_TRUE(stack.push(&outer));
    EXPECT_EQ(stack.top(), 49);
    EXPECT_EQ(stack.find(100), &outer);  // first message binds the window
    ASSERT_TRUE(stack.push(&inner));
    EXPECT_EQ(stack.top(), 48);
    EXPECT_EQ(stack.find(100), &outer);  // the outer window still finds its slot
    EXPECT_EQ(stack.find(200), &inner);  // the new window binds the top slot
    EXPECT_EQ(stack.find(300), nullptr);  // the top slot is bound: strangers get nothing
    stack.pop();
    EXPECT_EQ(stack.find(200), nullptr);
    EXPECT_EQ(stack.find(100), &outer);
    stack.pop();
    EXPECT_EQ(stack.top(), 50);
    stack.pop();  // never past empty
    EXPECT_EQ(stack.top(), 50);
}

TEST(ModalStack, ASlotWithoutAnObjectBindsNothing) {
    wl::ModalStack<Dialog> stack;
    ASSERT_TRUE(stack.push(nullptr));
    EXPECT_EQ(stack.find(100), nullptr);
    EXPECT_EQ(stack.windowAt(49), 0u);
}

TEST(ModalStack, AFullStackRefusesAndKeepsTheDialogsBelow) {
    wl::ModalStack<Dialog> stack;
    Dialog dialogs[51];
    for (int i = 0; i < 50; ++i) {
        dialogs[i].id = i;
        ASSERT_TRUE(stack.push(&dialogs[i]));
        ASSERT_EQ(stack.find(static_cast<std::uintptr_t>(1000 + i)), &dialogs[i]);
    }
    EXPECT_EQ(stack.top(), 0);
    EXPECT_FALSE(stack.push(&dialogs[50]));  // runs without a slot
    EXPECT_EQ(stack.find(2000), nullptr);
    EXPECT_EQ(stack.find(1049), &dialogs[49]);  // the innermost keeps its slot
    stack.pop();                                 // the innermost ends
    EXPECT_EQ(stack.top(), 1);
    EXPECT_EQ(stack.find(1000), &dialogs[0]);
}

}  // namespace
