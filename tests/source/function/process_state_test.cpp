#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "process_state.hpp"

namespace {

std::vector<std::string>* ended = nullptr;
wl::ProcessState* making = nullptr;

struct Recorded {
    std::string name;
    explicit Recorded(std::string n) : name(std::move(n)) {}
    ~Recorded() {
        if (ended) ended->push_back(name);
    }
};
struct First : Recorded {
    First() : Recorded("first") {}
};
// Made while the third is being made (the third uses it): it must outlive
// the third.
struct Second : Recorded {
    Second() : Recorded("second") {}
};
struct Third : Recorded {
    Third() : Recorded("third") { making->menuIds.get<Second>(); }
};

// A part is one object, made at its first use; the parts end latest first,
// and a part made while another was being made ends after it, as
// function-level statics did.
TEST(ProcessState, PartsAreMadeOnceAndEndInReverseOrder) {
    std::vector<std::string> log;
    ended = &log;
    {
        wl::ProcessState state;
        making = &state;
        First& first = state.prompts.get<First>();
        EXPECT_EQ(&first, &state.prompts.get<First>());
        state.dialogs.get<Third>();
        EXPECT_EQ(state.menuIds.get<Second>().name, "second");
        making = nullptr;
    }
    ended = nullptr;
    EXPECT_EQ(log, (std::vector<std::string>{"third", "second", "first"}));
}

// Each part is private to the file that owns its concern: asking it as
// another type is a programming error, never a reinterpretation.
TEST(ProcessState, PartAskedAsAnotherTypeThrows) {
    wl::ProcessState state;
    state.random.get<int>() = 7;
    EXPECT_EQ(state.random.get<int>(), 7);
    EXPECT_THROW(state.random.get<double>(), std::logic_error);
}

// The process's object is one: the library's functions all reach the same.
TEST(ProcessState, OneForTheProcess) { EXPECT_EQ(&wl::processState(), &wl::processState()); }

}  // namespace
