// The saved layout of a grid browse: a round trip, and texts that try to
// be more than data.
#include "browse_layout.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace wl;

BrowseLayout sample() {
    BrowseLayout l;
    l.nCreationOrders = {3, 1, 2};
    l.nRowHeight = 21;
    l.nWidths = {120, 45, 80};
    l.lHides = {false, true, false};
    l.cGrpHdrs = {"", "Money", "Money"};
    l.cHeaders = {"Claim", "Paid \"net\"", "Billed"};
    l.extra = {{"nFreeze", Value(1)}};
    return l;
}

TEST(BrowseLayout, SavedStateRestoresOrderWidthsFlagsAndHeaders) {
    const std::string text = browseSaveState(sample());
    EXPECT_EQ(text.substr(0, 4), "XS1:");
    const auto back = browseRestoreState(text, 3, {"nFreeze"});
    ASSERT_TRUE(back);
    EXPECT_EQ(back->nCreationOrders, sample().nCreationOrders);
    EXPECT_EQ(back->nRowHeight, 21);
    EXPECT_EQ(back->nWidths, sample().nWidths);
    EXPECT_EQ(back->lHides, sample().lHides);
    EXPECT_EQ(back->cGrpHdrs, sample().cGrpHdrs);
    EXPECT_EQ(back->cHeaders, sample().cHeaders);
    ASSERT_EQ(back->extra.size(), 1u);
    EXPECT_EQ(back->extra[0].first, "nFreeze");
    EXPECT_EQ(back->extra[0].second.number(), 1);
}

TEST(BrowseLayout, HostileOrMalformedTextsAreRefused) {
    const std::string cases[] = {
        "XS1:{{\"_nWidths\",FERASE(\"zr.ini\")}}",          // a call is not a literal
        "XS1:{{\"_nWidths\",{10,20}},{\"_bLine\",{||QUIT()}}}",  // code block
        "XS1:{{\"_oBrw\",1}}",                                // unknown name
        "XS1:{{\"nWidths\",{1}}}",                            // not a _name
        "XS1:{{\"_nWidths\",{1}},{\"_nWidths\",{2}}}",        // twice
        "XS1:{{\"_nWidths\",{\"a\"}}}",                       // wrong kind
        "XS1:{{\"_nRowHeight\",1e400}}",
        "XS1:{{\"_nWidths\",{1,2}}",                          // unbalanced
        "XS1:{{\"_cHeaders\",{\"a}}}",                        // unterminated text
        "XS1:{{\"_nWidths\",{1}}} + QOUT(1)",                 // trailing text
        "XS1:" + std::string(5000, '{') + std::string(5000, '}'),  // nesting
        "XSS:0A0B0C",                                          // the serialised form is not read
        "20;1:10:A;1:20:B;3:30:C",                             // old form: column 1 twice
        "20;1:10:A;2:20:B",                                    // old form: a column missing
        "20;1:10:A;2:20:B;9:30:C",                             // old form: no column 9
        "x;1:10:A;2:20:B;3:30:C",
    };
    for (const std::string& t : cases) EXPECT_FALSE(browseRestoreState(t, 3, {"nFreeze"}).has_value()) << t.substr(0, 60);
    // An extra name is read only where the caller allows it.
    EXPECT_FALSE(browseRestoreState("XS1:{{\"_nFreeze\",1}}", 3).has_value());
}

TEST(BrowseLayout, OlderFormNamesEveryColumn) {
    const auto l = browseRestoreState("18;2:40:Paid:H:Money;1:90:Claim;3:60:Billed::Money", 3);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->nRowHeight, 18);
    EXPECT_EQ(l->nCreationOrders, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(l->nWidths, (std::vector<int>{40, 90, 60}));
    EXPECT_EQ(l->lHides, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(l->cHeaders, (std::vector<std::string>{"Paid", "Claim", "Billed"}));
    EXPECT_EQ(l->cGrpHdrs, (std::vector<std::string>{"Money", "", "Money"}));
}

TEST(BrowseLayout, LiteralsReadBack) {
    struct Case {
        std::string text;
        bool ok;
    };
    for (const Case& c : {Case{"{1,-2.5,'x',\"y\",.T.,.f.,{}}", true}, Case{"{1,,2}", false}, Case{"1.2.3", false},
                          Case{".X.", false}, Case{"{1 2}", false}}) {
        const auto v = browseParseLiteral(c.text);
        EXPECT_EQ(v.has_value(), c.ok) << c.text;
        if (v) {
            EXPECT_EQ(browseParseLiteral(browseLiteral(*v))->list().size(), v->list().size());
        }
    }
}

}  // namespace
