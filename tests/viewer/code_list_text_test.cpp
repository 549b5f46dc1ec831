// Words of the code-list dictionary by exact match.
#include "code_list_text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(CodeListText, ExactMatchInTheAskedList) {
    struct Case {
        int transaction, segment, element, component;
        const char* code;
        const char* text;
    };
    const Case cases[] = {
        {5, 24, 1, 0, "1", "Active Coverage"},
        {5, 24, 1, 0, "", ""},
        {5, 24, 1, 0, "1A", ""},  // never the text of "1"
        {7, 14, 1, 3, "13", "Contracted Service Provider"},
        {7, 14, 1, 3, "1E", "Health Maintenance Organization"},
        {7, 14, 1, 3, "17", "Consultant's Office"},
        {7, 14, 1, 3, "1", ""},
        {2, 13, 8, 0, "XX", "National Provider ID"},
        {2, 13, 8, 0, "X", ""},
        {2, 6, 1, 0, "XX", ""},  // an empty slot
        {7, 14, 1, 0, "13", ""},  // a composite element holds no list of its own
    };
    for (const Case& c : cases)
        EXPECT_EQ(zr::codeListText(c.transaction, c.segment, c.element, c.component, c.code), c.text)
            << c.transaction << "/" << c.segment << "/" << c.element << "/" << c.component << " " << c.code;
}

}  // namespace
