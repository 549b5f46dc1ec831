#include <gtest/gtest.h>

#include "claim_index.hpp"
#include "elements.hpp"
#include "x12_fixtures.hpp"

namespace {

using zrtest::loadX12;
using zrtest::x12Fixture;
using zrtest::x12Text;

TEST(ElementGetters, ZeroAndOneBased) {
    const std::string st = "ST*837*0001";
    struct Case {
        int n;
        const char* zeroBased;
        const char* oneBased;
    };
    const Case cases[] = {{0, "ST", ""}, {1, "837", "ST"}, {2, "0001", "837"}, {3, "", "0001"}, {-1, "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(zr::CTL39400AU(st, c.n, "*"), c.zeroBased) << c.n;
        EXPECT_EQ(zr::CTL39400AX(st, c.n, "*"), c.oneBased) << c.n;
        EXPECT_EQ(zr::CTL39400AG(st, "*", 0, 0, c.n), c.oneBased) << c.n;
    }
    EXPECT_EQ(zr::CTL39400AU("HL*1**20", 2, "*"), "");
    EXPECT_EQ(zr::CTL39400AU("HL*1**20", 3, "*"), "20");
    EXPECT_EQ(zr::CTL39400AU("HC:99213:25", 1, ":"), "99213");
}

TEST(ElementGetters, PieceCount) {
    EXPECT_EQ(zr::CTL39400F("NM1*85*2", "*"), 3);
    EXPECT_EQ(zr::CTL39400F("A*B*", "*"), 2);  // a separator as last character does not count
    EXPECT_EQ(zr::CTL39400F("A", "*"), 1);
    EXPECT_EQ(zr::CTL39400F("", "*"), 1);
}

TEST(Formatting, AmountsAndDates) {
    struct Case {
        const char* value;
        const char* kind;
        const char* want;
    };
    const Case cases[] = {
        {"12", "$", "12.00"},     {"12.5", "$", "12.50"},         {"12.50", "$", "12.50"}, {"5", "$", "5.00"},
        {".5", "$", ".5"},        {"20261201", "D", "12/01/2026"}, {"2026120", "D", "2026120"},
        {"20261201", "X", "20261201"},
    };
    for (const auto& c : cases) EXPECT_EQ(zr::CTL39400AF(c.value, c.kind), c.want) << c.value << c.kind;
}

TEST(HeaderValues, SetIdVersionAndNames) {
    auto t = loadX12(x12Fixture("837p_two_claims.x12"));
    EXPECT_EQ(zr::CTL39400AB(t, 1, 1, "ST"), "837");
    EXPECT_EQ(zr::CTL39400AB(t, 1, 3, "ST"), "005010X222A1");
    EXPECT_EQ(zr::CTL39400AB(t, 1, 4, "ISA"), "5010");
    EXPECT_EQ(zr::CTL39400AB(t, 1, 2, "ISA"), "000000001");
    EXPECT_EQ(zr::CTL39400AB(t, 1, 10, "ST"), "SMITH");
    EXPECT_EQ(zr::CTL39400AB(t, 1, 11, "ST"), "ACME BILLING");
    EXPECT_EQ(zr::CTL39400AB(t, 2, 1, "ST"), "");  // no second set
    EXPECT_EQ(zr::CTL39400AB(t, 1, 99, "ST"), "");

    zrtest::TempDir dir;
    std::string v4010 = x12Text({"GS*HC"});
    v4010.replace(84, 5, "00401");
    EXPECT_EQ(zr::CTL39400AB(loadX12(dir.write("a.x12", v4010)), 1, 4, "ISA"), "4010");
    std::string v306 = x12Text({"GS*HC"});
    v306.replace(84, 5, "00306");
    EXPECT_EQ(zr::CTL39400AB(loadX12(dir.write("b.x12", v306)), 1, 4, "ISA"), "00306");

    auto two = loadX12(x12Fixture("two_interchanges.x12"));
    EXPECT_EQ(zr::CTL39400AB(two, 2, 1, "ST"), "835");
    EXPECT_EQ(zr::CTL39400AB(two, 2, 2, "ISA"), "000000002");
}

TEST(HeaderValues, EnvelopeFieldsAndRequestItems) {
    auto t = loadX12(x12Fixture("837p_two_claims.x12"));
    EXPECT_EQ(zr::CTL39400AM(t, "TRANSACTIONSETDATE"), "20261210");
    EXPECT_EQ(zr::CTL39400AM(t, "TRANSACTIONSETTIME"), "1253");
    EXPECT_EQ(zr::CTL39400AM(t, "INTERCHANGESENDERID"), "SUBMITTER      ");
    EXPECT_EQ(zr::CTL39400AM(t, "APPLICATIONRECEIVERID"), "RECEIVER");
    EXPECT_EQ(zr::CTL39400AM(t, "CLAIMAMOUNT"), "");

    zr::ParseSpec spec{"X12,CSV", "in.x12", "out", "OW,HO", "out.csv", ""};
    EXPECT_EQ(zr::CTL39400AV("parsetype", spec, "837"), "X12,CSV");
    EXPECT_EQ(zr::CTL39400AV("DESTINATIONFOLDER", spec, "837"), "out");
    EXPECT_EQ(zr::CTL39400AV("DESTINATIONFILE", spec, "837"), "out.csv");
    EXPECT_EQ(zr::CTL39400AV("X12TYPE", spec, "837"), "837");
    EXPECT_EQ(zr::CTL39400AV("OTHER", spec, "837"), "");
}

TEST(Counters, KindsAndFinders) {
    auto t = loadX12(x12Fixture("837p_two_claims.x12"));
    EXPECT_EQ(zr::CTL39400AA("HL", t), 2u);
    EXPECT_EQ(zr::CTL39400AA("ISA", t), 1u);
    EXPECT_EQ(zr::CTL39400AA("ST", t), 1u);
    EXPECT_EQ(zr::CTL39400AA("NM185", t), 1u);
    EXPECT_EQ(zr::CTL39400AZ("HL", t, 2), 29u);
    EXPECT_EQ(zr::CTL39400AZ("HL", t, 3), 0u);
    EXPECT_EQ(zr::CTL39400AN(t, 1), 1u);
    EXPECT_EQ(zr::CTL39400AN(t, 2), 2u);
    EXPECT_EQ(zr::CTL39400AD(t, 2, 1), std::stoull(t.column(29, 9)));
    EXPECT_EQ(zr::CTL39400AD(t, 1, 3), std::stoull(t.column(8, 9)));
    EXPECT_EQ(zr::CTL39400AD(t, 1, 2), 0u);

    auto r = loadX12(x12Fixture("835_two_sets.x12"));
    auto idx = zr::CTL39400C(r, 1);
    ASSERT_EQ(idx.size(), 3u);
    for (auto row : idx) EXPECT_EQ(r.id(row), "CLP");
    EXPECT_EQ(zr::CTL39400AD(r, 3, 2), std::stoull(r.column(idx[2], 9)));
}

TEST(LoopIdList, FortyItems) {
    auto l = zr::CTL39400AC();
    ASSERT_EQ(l.size(), 40u);
    EXPECT_EQ(l[0], "1000A");
    EXPECT_EQ(l[15], "2310B");
    EXPECT_EQ(l[16], "2310B");
    EXPECT_EQ(l[38], "2440");
    EXPECT_EQ(l[39], "");
}

}  // namespace

#include "check_table.hpp"

namespace {

TEST(CheckTable, PairsRunToCommandZeroOnly) {
    zrtest::TempDir dir;
    dir.write("ZR.INI",
              "[SYSTEM]\r\nA=1\r\n[X12CHECKTABLE]\r\nnm1=85\r\n  REF = EI=X \r\nnovalue=\r\nX\r\n"
              "[X12VIEWER]\r\nFIELD=CLAIM\r\nCOMMAND=0\r\nAFTER=1\r\n");
    auto t = zr::CTL39400T(dir.path());
    EXPECT_EQ(t[0], (std::pair<std::string, std::string>{"NM1", "85"}));
    EXPECT_EQ(t[1], (std::pair<std::string, std::string>{"REF ", " EIX"}));
    // A later section's key lines are pairs too until "COMMAND=0".
    EXPECT_EQ(t[2], (std::pair<std::string, std::string>{"FIELD", "CLAIM"}));
    EXPECT_EQ(t[3].first, "");
    EXPECT_EQ(zr::CTL39400T(dir.file("none"))[0].first, "");
}

TEST(CheckTable, AtMostOneHundredPairs) {
    zrtest::TempDir dir;
    std::string ini = "[X12CHECKTABLE]\r\n";
    for (int i = 0; i < 120; ++i) ini.append("K").append(std::to_string(i)).append("=V\r\n");
    dir.write("zr.ini", ini + "COMMAND=0\r\n");
    auto t = zr::CTL39400T(dir.path());
    EXPECT_EQ(t[99].first, "K99");
}

}  // namespace

#include "block_reader.hpp"

namespace {

TEST(BlockReader, ModesOfTheUncalledBlockReader) {
    const std::string path = x12Fixture("837p_two_claims.x12");
    const std::string bytes = zrtest::readBytes(path);
    const std::size_t hl3 = bytes.find("HL*3*1*22");
    EXPECT_EQ(zr::CTL39400AQ(path, "*", "~", 0, 2000, 1), std::to_string(hl3 + 1));
    EXPECT_EQ(zr::CTL39400AQ(path, "*", "~", 0, 200, 1), "");
    EXPECT_EQ(zr::CTL39400AQ(path, "*", "~", 3, 5, 2), bytes.substr(3, 5));
    EXPECT_EQ(zr::CTL39400AQ(path, "*", "~", 0, 300, 3),
              bytes.substr(0, 106) + "GS*HC*SUBMITTER*RECEIVER*20261210*1253*1001*X*005010X222A1~"
                                     "ST*837*0001*005010X222A1~");
    EXPECT_EQ(zr::CTL39400AQ(path, "*", "~", 0, 60, 4), "SE*39*0001~");
    EXPECT_EQ(zr::CTL39400AQ(path, "*", "~", 0, 60, 9), "");
    EXPECT_EQ(zr::CTL39400AP(path), bytes.size());
}

}  // namespace
