// The code-list dictionary asked by slot numbers: the number of slots at
// each level, which slots hold what, the size of every list (691 pairs in
// all), the lists' first pairs, and what empty or unknown slots answer.
#include "x12_code_lists.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace zr;

bool x12IsNothing(const X12Answer& a) { return std::holds_alternative<std::monostate>(a); }

// The number answered, or -1 when the answer is not a number.
int x12Number(const X12Answer& a) { return std::holds_alternative<int>(a) ? std::get<int>(a) : -1; }

// The list answered as "code=description" texts; {"<not a list>"} otherwise.
std::vector<std::string> x12List(const X12Answer& a) {
    if (!std::holds_alternative<std::span<const X12CodePair>>(a)) return {"<not a list>"};
    std::vector<std::string> pairs;
    for (const X12CodePair& p : std::get<std::span<const X12CodePair>>(a))
        pairs.push_back(std::string(p.code) + "=" + std::string(p.description));
    return pairs;
}

TEST(X12CodeLists, TransactionSlotsHoldTheirNumberOfSegmentSlots) {
    const int slots[] = {1, 120, 25, 20, 63, 20, 200};
    for (int t = 1; t <= 7; ++t) {
        EXPECT_EQ(x12Number(ZRX12(0, 0, 0, t, 1)), slots[t - 1]) << t;
        EXPECT_TRUE(x12IsNothing(ZRX12(0, 0, 0, t, 2))) << t;
        EXPECT_TRUE(x12IsNothing(ZRX12(0, 0, 0, t, 3))) << t;
    }
}

TEST(X12CodeLists, FilledSegmentSlotsAndTheirElementSlots) {
    const struct {
        int transaction;
        int segment;
        int elementSlots;
    } filled[] = {
        {2, 1, 2},   {2, 2, 6},   {2, 3, 4},   {2, 4, 11},  {2, 5, 11},  {2, 13, 9},  {2, 25, 9},
        {2, 47, 9},  {2, 55, 20}, {2, 111, 20}, {3, 2, 100}, {3, 13, 3},  {3, 16, 3},  {3, 20, 13},
        {3, 21, 19}, {3, 22, 10}, {3, 24, 10}, {4, 1, 2},   {4, 2, 6},   {5, 1, 2},   {5, 2, 6},
        {5, 24, 12}, {7, 1, 2},   {7, 14, 12},
    };
    int found = 0;
    for (int t = 1; t <= 7; ++t)
        for (int s = 1; s <= x12Number(ZRX12(0, 0, 0, t, 1)); ++s)
            if (x12Number(ZRX12(s, 0, 0, t, 1)) > 0) ++found;
    EXPECT_EQ(found, 24);
    for (const auto& f : filled) {
        EXPECT_EQ(x12Number(ZRX12(f.segment, 0, 0, f.transaction, 1)), f.elementSlots) << f.transaction << "/" << f.segment;
        EXPECT_TRUE(x12IsNothing(ZRX12(f.segment, 0, 0, f.transaction, 2)));
        EXPECT_TRUE(x12IsNothing(ZRX12(f.segment, 0, 0, f.transaction, 3)));
    }
}

TEST(X12CodeLists, EveryListHasItsNumberOfCodes) {
    const struct {
        int transaction, segment, element, component, codes;
    } lists[] = {
        {2, 1, 1, 0, 1},    {2, 13, 8, 0, 3},  {2, 25, 1, 0, 3},  {2, 25, 2, 0, 1},   {2, 25, 9, 0, 23},
        {2, 47, 1, 0, 25},  {2, 55, 5, 1, 4},  {2, 111, 2, 0, 18}, {3, 2, 1, 0, 7},   {3, 2, 2, 0, 9},
        {3, 2, 4, 0, 2},    {3, 2, 5, 0, 7},   {3, 13, 3, 0, 2},  {3, 16, 1, 0, 14},  {3, 20, 1, 0, 0},
        {3, 20, 2, 0, 17},  {3, 20, 6, 0, 17}, {3, 21, 1, 0, 5},  {3, 22, 8, 0, 5},   {3, 24, 8, 0, 8},
        {4, 1, 1, 0, 1},    {5, 1, 1, 0, 1},   {5, 24, 1, 0, 35}, {5, 24, 2, 0, 9},   {5, 24, 3, 0, 141},
        {5, 24, 4, 0, 45},  {5, 24, 7, 0, 19}, {5, 24, 10, 0, 15}, {5, 24, 11, 0, 16}, {5, 24, 12, 0, 19},
        {7, 1, 1, 0, 1},    {7, 14, 1, 3, 218},
    };
    for (const auto& l : lists) {
        const X12Answer kind = ZRX12(l.segment, l.element, l.component, l.transaction, 1);
        const X12Answer size = ZRX12(l.segment, l.element, l.component, l.transaction, 2);
        EXPECT_EQ(x12Number(kind), 1) << l.transaction << "/" << l.segment << "/" << l.element;
        EXPECT_EQ(x12Number(size), l.codes) << l.transaction << "/" << l.segment << "/" << l.element;
        EXPECT_EQ(x12List(ZRX12(l.segment, l.element, l.component, l.transaction, 3)).size(),
                  static_cast<std::size_t>(l.codes));
    }
}

TEST(X12CodeLists, AllListsTogetherHold691Pairs) {
    int pairs = 0;
    for (int t = 1; t <= 7; ++t)
        for (int s = 1; s <= x12Number(ZRX12(0, 0, 0, t, 1)); ++s)
            for (int e = 1; e <= x12Number(ZRX12(s, 0, 0, t, 1)); ++e)
                for (int c = 0; c <= 20; ++c)
                    if (x12Number(ZRX12(s, e, c, t, 1)) == 1) pairs += x12Number(ZRX12(s, e, c, t, 2));
    EXPECT_EQ(pairs, 691);
}

TEST(X12CodeLists, ListsStartWithTheirKnownPairs) {
    const struct {
        int transaction, segment, element, component;
        std::vector<std::string> first;
    } lists[] = {
        {2, 13, 8, 0, {"24=Employers ID", "34=Social Security", "XX=National Provider ID"}},
        {2, 25, 1, 0, {"P=Primary", "S=Secondary", "T=Tertiary"}},
        {2, 25, 9, 0, {"09=Self Pay", "10=Central Certification", "11=Other Non-Federal Programs"}},
        {2, 55, 5, 1, {"11=Office", "12=Home", "21=Inpatient", "22=Outpatient"}},
        {3, 2, 4, 0, {"C=Credit", "D=Debit"}},
        {3, 21, 1, 0,
         {"CO=Contractual Obligations", "CR=Correction and Reversals", "OA=Other adjustments",
          "PI=Payor Initiated Reductions", "PR=Patient Responsibility"}},
        {5, 24, 1, 0, {"1=Active Coverage", "2=Active Full Risk Capitation", "3=Active Service Capitated"}},
        {7, 14, 1, 3, {"13=Contracted Service Provider", "17=Consultant's Office", "1E=Health Maintenance Organization"}},
        // The ST01 lists hold the code alone.
        {2, 1, 1, 0, {"837="}},
        {4, 1, 1, 0, {"837="}},
        {5, 1, 1, 0, {"271="}},
        {7, 1, 1, 0, {"837="}},
    };
    for (const auto& l : lists) {
        std::vector<std::string> got = x12List(ZRX12(l.segment, l.element, l.component, l.transaction, 3));
        if (got.size() > l.first.size()) got.resize(l.first.size());
        EXPECT_EQ(got, l.first) << l.transaction << "/" << l.segment << "/" << l.element;
    }
}

TEST(X12CodeLists, CompositeElementIsNoEntryButItsComponentIs) {
    EXPECT_EQ(x12Number(ZRX12(55, 5, 0, 2, 1)), 0);
    EXPECT_TRUE(x12IsNothing(ZRX12(55, 5, 0, 2, 2)));
    EXPECT_TRUE(x12IsNothing(ZRX12(55, 5, 0, 2, 3)));
    EXPECT_EQ(x12Number(ZRX12(55, 5, 1, 2, 1)), 1);
    EXPECT_EQ(x12Number(ZRX12(55, 5, 1, 2, 2)), 4);
    EXPECT_EQ(x12Number(ZRX12(14, 1, 0, 7, 1)), 0);
    EXPECT_EQ(x12Number(ZRX12(14, 1, 3, 7, 2)), 218);
}

TEST(X12CodeLists, EntryWithoutCodesAnswersAnEmptyList) {
    EXPECT_EQ(x12Number(ZRX12(20, 1, 0, 3, 1)), 1);
    EXPECT_EQ(x12Number(ZRX12(20, 1, 0, 3, 2)), 0);
    EXPECT_TRUE(x12List(ZRX12(20, 1, 0, 3, 3)).empty());
}

TEST(X12CodeLists, SlotsHoldingNothingAnswerZeroThenNothing) {
    const struct {
        int segment, element, component, transaction;
    } empty[] = {
        {6, 1, 0, 2},    // an empty segment slot
        {6, 0, 0, 2},    // the same slot at segment level
        {1, 1, 0, 6},    // a transaction slot without structure
        {1, 0, 0, 1},    // the transaction slot that holds no segment
        {13, 1, 0, 2},   // an empty element slot of a filled segment
        {13, 10, 0, 2},  // beyond the segment's element slots
        {13, 8, 1, 2},   // a component of a simple element
        {55, 5, 2, 2},   // a component slot the composite does not fill
        {121, 0, 0, 2},  // beyond the transaction's segment slots
        {1, 1, 0, 8},    // no eighth transaction slot
        {1, 1, 0, 0},    // nor a slot 0
        {-1, 1, 0, 2},
        {13, -8, 0, 2},
    };
    for (const auto& e : empty) {
        EXPECT_EQ(x12Number(ZRX12(e.segment, e.element, e.component, e.transaction, 1)), 0)
            << e.transaction << "/" << e.segment << "/" << e.element << "/" << e.component;
        EXPECT_TRUE(x12IsNothing(ZRX12(e.segment, e.element, e.component, e.transaction, 2)));
        EXPECT_TRUE(x12IsNothing(ZRX12(e.segment, e.element, e.component, e.transaction, 3)));
    }
    EXPECT_EQ(x12Number(ZRX12(0, 0, 0, 8, 1)), 0);
}

TEST(X12CodeLists, QueriesOtherThanOneToThreeAnswerNothing) {
    for (const int query : {0, 4, -1}) {
        EXPECT_TRUE(x12IsNothing(ZRX12(13, 8, 0, 2, query))) << query;
        EXPECT_TRUE(x12IsNothing(ZRX12(13, 0, 0, 2, query))) << query;
        EXPECT_TRUE(x12IsNothing(ZRX12(0, 0, 0, 2, query))) << query;
    }
}

TEST(X12CodeLists, KnownQueries) {
    EXPECT_EQ(x12Number(ZRX12(13, 8, 0, 2, 2)), 3);
    EXPECT_EQ(x12List(ZRX12(13, 8, 0, 2, 3)),
              (std::vector<std::string>{"24=Employers ID", "34=Social Security", "XX=National Provider ID"}));
    EXPECT_EQ(x12Number(ZRX12(0, 0, 0, 3, 1)), 25);
    EXPECT_EQ(x12Number(ZRX12(20, 0, 0, 3, 1)), 13);
    EXPECT_TRUE(x12IsNothing(ZRX12(6, 1, 0, 2, 2)));
}

}  // namespace
