#include "claim_form.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

// A professional 837 of one claim with n service lines (procedure 99200+n,
// amount n, pointer n), filed as claim type `type`.
std::string formClaimFile(int n, const std::string& type = "CI") {
    std::vector<std::string> s = {
        "GS*HC*SENDER*RECEIVER*20261210*1253*1*X*005010X222A1",
        "ST*837*0001*005010X222A1",
        "BHT*0019*00*BATCH42*20261210*1253*CH",
        "NM1*41*2*ACME BILLING*****46*SUB123",
        "NM1*40*2*BIG PAYER CLEARING*****46*REC987",
        "HL*1**20*1",
        "NM1*85*2*FIRST CLINIC*****XX*1111111111",
        "N3*1 MAIN ST",
        "N4*SPRINGFIELD*IL*62701",
        "REF*EI*111222333",
        "HL*2*1*22*0",
        "SBR*P*18*GRP1*GROUP ONE*****" + type,
        "NM1*IL*1*SMITH*JOHN*Q***MI*SUB001",
        "N3*5 ELM ST",
        "N4*SPRINGFIELD*IL*62704",
        "DMG*D8*19800215*M",
        "NM1*PR*2*ACME INSURANCE*****PI*PAYER01",
        "N3*100 INSURER WAY",
        "N4*HARTFORD*CT*06101",
        "CLM*CLAIM001*" + std::to_string(n * (n + 1) / 2) + "***11:B:1*Y*A*Y*Y*P*EM",
        "HI*ABK:J449*ABF:E119*ABF:I10",
        "NM1*77*2*NORTH LAB*****XX*5555555555",
        "N3*7 LAB RD",
        "N4*LABTOWN*IL*62799",
    };
    for (int i = 1; i <= n; ++i) {
        s.push_back("LX*" + std::to_string(i));
        s.push_back("SV1*HC:" + std::to_string(99200 + i) + "*" + std::to_string(i) + "*UN*1***" +
                    std::to_string((i - 1) % 12 + 1));
        s.push_back("DTP*472*D8*20261101");
    }
    s.push_back("SE*" + std::to_string(s.size()) + "*0001");
    s.push_back("GE*1*1");
    s.push_back("IEA*1*000000001");
    return zrtest::x12Text(s);
}

struct FormClaim {
    zrtest::TempDir dir;
    zr::SegmentTable table;
    zr::ClaimIndex index;
    explicit FormClaim(int lines, const std::string& type = "CI")
        : table(zrtest::loadX12(dir.write("claim.x12", formClaimFile(lines, type)))), index(zr::CTL39400C(table, 2)) {}
    std::vector<zr::FormRows> forms() const { return zr::cms1500Range(zr::ClaimFields(table, index), 1, 1); }
};

// The text at a row (from 1) and column (from 0), as long as `expected`.
std::string formAt(const zr::FormRows& form, int row, std::size_t column, std::size_t length) {
    const std::string& r = form[row - 1];
    return column < r.size() ? r.substr(column, length) : std::string();
}

TEST(ClaimForm, BoxesHoldTheClaimsValuesAtTheirRowAndColumn) {
    const FormClaim c(1);
    const auto forms = c.forms();
    ASSERT_EQ(forms.size(), 1u);
    const zr::FormRows& f = forms[0];
    struct Box {
        int row;
        std::size_t column;
        std::string value;
    } boxes[] = {
        {1, 35, "ACME INSURANCE"},
        {3, 35, "HARTFORD, CT 06101"},
        {7, 30, "X"},  // a commercial plan ("CI")
        {7, 50, "SUB001"},
        {9, 0, "SMITH, JOHN Q."},
        {9, 30, "02 15 80"},
        {9, 41, "X"},  // male
        {9, 50, "SMITH, JOHN Q."},
        {11, 32, "X"},  // self
        {13, 75, "IL"},
        {21, 35, "X"},  // employment
        {37, 3, "J449"},
        {37, 15, "E119"},
        {43, 0, "11 01 26"},
        {43, 25, "99201"},
        {43, 45, "A"},
        {43, 49, "1"},
        {55, 1, "111222333"},
        {55, 24, "CLAIM001"},
        {57, 23, "NORTH LAB"},
        {57, 50, "FIRST CLINIC"},
        {59, 23, "LABTOWN IL 62799"},  // apart, as on the billing side
        {59, 50, "SPRINGFIELD IL 62701"},
        {60, 50, "1111111111"},
    };
    for (const Box& b : boxes) EXPECT_EQ(formAt(f, b.row, b.column, b.value.size()), b.value) << "row " << b.row;
    EXPECT_TRUE(f[44].empty());  // no second service line
}

TEST(ClaimForm, SixServiceLinesAFormAndEveryLinePrinted) {
    struct Case {
        int lines;
        std::size_t forms;
        std::string lastProcedure;  // on the last form's last used row
    } cases[] = {{1, 1, "99201"}, {6, 1, "99206"}, {7, 2, "99207"}, {13, 3, "99213"},
                 {52, 9, "99252"}, {60, 10, "99260"}};
    for (const Case& c : cases) {
        const FormClaim claim(c.lines);
        const auto forms = claim.forms();
        ASSERT_EQ(forms.size(), c.forms) << c.lines;
        const int onLast = (c.lines - 1) % 6 + 1;
        EXPECT_EQ(formAt(forms.back(), 43 + 2 * (onLast - 1), 25, 5), c.lastProcedure) << c.lines;
        if (onLast < 6) EXPECT_TRUE(forms.back()[42 + 2 * onLast].empty()) << c.lines;
        // The claim's own rows repeat on every form.
        for (const auto& form : forms) EXPECT_EQ(formAt(form, 55, 24, 8), "CLAIM001");
    }
    // Line 7 opens the second form of a 13-line claim; its pointer 7 is "G".
    const auto thirteen = FormClaim(13).forms();
    EXPECT_EQ(formAt(thirteen[1], 43, 25, 5), "99207");
    EXPECT_EQ(formAt(thirteen[1], 43, 45, 1), "G");
    EXPECT_EQ(formAt(thirteen[2], 43, 25, 5), "99213");
}

TEST(ClaimForm, MedicareClaimPrintsSameForTheInsured) {
    const auto forms = FormClaim(1, "MB").forms();
    ASSERT_EQ(forms.size(), 1u);
    EXPECT_EQ(formAt(forms[0], 7, 0, 1), "X");
    EXPECT_EQ(formAt(forms[0], 9, 50, 4), "SAME");
    EXPECT_EQ(formAt(forms[0], 11, 30, 1), "X");
}

TEST(ClaimForm, PointerLetters) {
    const std::pair<std::string, std::string> cases[] = {{"1", "A"}, {" 12 ", "L"}, {"13", ""}, {"0", ""},
                                                         {"", ""},   {"A", ""},    {"4", "D"}};
    for (const auto& [pointer, letter] : cases) EXPECT_EQ(zr::CTL394PRTU(pointer), letter) << pointer;
}

TEST(ClaimForm, TextPathCutsRowsAndPadsEachForm) {
    const auto forms = FormClaim(7).forms();
    const std::string text72 = zr::CTL394PRTN(forms);
    EXPECT_EQ(std::count(text72.begin(), text72.end(), '\n'), 2 * 72);
    EXPECT_EQ(text72.find('\f'), std::string::npos);
    // Row 1 is the fourth line of each form.
    EXPECT_EQ(text72.substr(0, 6), "\r\n\r\n\r\n");
    EXPECT_EQ(text72.substr(6, 49), std::string(35, ' ') + "ACME INSURANCE");
    std::string optionB(zr::kTextFormOptions);
    optionB[39] = 'B';
    const std::string text65 = zr::CTL394PRTN(forms, optionB);
    EXPECT_EQ(std::count(text65.begin(), text65.end(), '\n'), 2 * 65);
    EXPECT_EQ(std::count(text65.begin(), text65.end(), '\f'), 2);
    // No line is longer than 80.
    std::size_t start = 0;
    for (std::size_t end; (end = text65.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 81u);
}

TEST(ClaimForm, FormConfigRoundTripAndDefaults) {
    zrtest::TempDir dir;
    EXPECT_EQ(zr::readFormConfig(dir.path()), (zr::FormConfig{"ON", "0805", 0, 0}));
    EXPECT_EQ(zr::readFormConfig(dir.path(), "0212").revision, "0212");
    const std::string text = zr::CTL394PRTL(zr::formConfigPath(dir.path()), 30, -5, "OFF", "1290");
    EXPECT_EQ(text,
              "<ARTSWITCH>OFF</ARTSWITCH><FORMREVISION>1290</FORMREVISION><VERTICAL> 30</VERTICAL>"
              "<HORIZONTAL> -5</HORIZONTAL>");
    EXPECT_EQ(zrtest::readBytes(dir.file("form.cfg")), text);
    EXPECT_EQ(zr::readFormConfig(dir.path()), (zr::FormConfig{"OFF", "1290", 30, -5}));
    EXPECT_EQ(zr::CTL394PRTL(dir.file("no/such/folder/form.cfg"), 0, 0, "ON", "0805"), "");
}

TEST(ClaimForm, FontAndPlacementFollowOptionsAndOffsets) {
    const std::pair<char, zr::FormFont> fonts[] = {{'A', {"Courier New", 8}},  {'D', {"MS Sans Serif", 8}},
                                                   {'G', {"Times New Roman", 10}}, {'J', {"Arial", 12}},
                                                   {'Z', {"Times New Roman", 10}}};
    for (const auto& [letter, font] : fonts) {
        std::string options(zr::kPrinterFormOptions);
        options[28] = letter;
        EXPECT_EQ(zr::formFont(options).face, font.face) << letter;
        EXPECT_EQ(zr::formFont(options).points, font.points) << letter;
    }
    const zr::FormPlacement plain = zr::formPlacement(600, 600, {});
    EXPECT_DOUBLE_EQ(plain.rowHeight, 100);
    EXPECT_DOUBLE_EQ(plain.columnWidth, 60);
    EXPECT_DOUBLE_EQ(plain.top, 30);
    const zr::FormPlacement moved = zr::formPlacement(600, 600, {"ON", "0805", 30, 60});
    EXPECT_DOUBLE_EQ(moved.top - plain.top, 30);
    EXPECT_DOUBLE_EQ(moved.left - plain.left, 60);
    EXPECT_FALSE(zr::formPlacement(0, 0, {}).usable());
}

}  // namespace
