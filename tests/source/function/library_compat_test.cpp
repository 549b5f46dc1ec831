#include "library_compat.hpp"

#include <gtest/gtest.h>

namespace {

struct Base {
    virtual ~Base() = default;
    int n = 1;
};
struct Derived : Base {};
struct Other : Base {};

TEST(LibraryCompat, ClassLevelAndClones) {
    Derived d;
    const Base* asBase = &d;
    EXPECT_EQ(wl::CHILDLEVEL<Base>(asBase), 1);
    EXPECT_EQ(wl::CHILDLEVEL<Derived>(asBase), 1);
    EXPECT_EQ(wl::CHILDLEVEL<Other>(asBase), 0);
    d.n = 5;
    auto copy = wl::OCLONE(d);
    copy->n = 6;
    EXPECT_EQ(d.n, 5);
}

TEST(LibraryCompat, OldSizeQueriesAnswerZero) {
    EXPECT_EQ(wl::NTXPOS() + wl::NINITDSSIZE() + wl::NSYMPSIZE() + wl::NSTACKSIZE() + wl::NHEAPSIZE(), 0);
    EXPECT_EQ(wl::VBXCLASSNAME(), "");
}

}  // namespace
