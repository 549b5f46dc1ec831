#include "claim_form.hpp"

#include <gtest/gtest.h>

#include "revenue_codes.hpp"
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

// An institutional 837 of one claim with n service lines (revenue code
// 0120 for odd lines, 0250 for even ones, amount 100.5 * n).
std::string ubClaimFile(int n) {
    std::vector<std::string> s = {
        "GS*HC*SENDER*RECEIVER*20261210*1253*1*X*005010X223A2",
        "ST*837*0001*005010X223A2",
        "BHT*0019*00*IBATCH*20261210*1253*CH",
        "NM1*41*2*ACME BILLING*****46*SUB123",
        "NM1*40*2*PAYER CLEARING*****46*REC456",
        "HL*1**20*1",
        "NM1*85*2*RIVER HOSPITAL*****XX*1987654320",
        "N3*1 RIVER RD",
        "N4*RIVERTON*IL*62000",
        "REF*EI*987654321",
        "NM1*87*2*RIVER PAYMENTS*****XX*1987654321",
        "N3*PO BOX 9",
        "N4*RIVERTON*IL*62001",
        "HL*2*1*22*0",
        "SBR*P*18*******MC",
        "NM1*IL*1*DOE*JOHN****MI*123456789A",
        "N3*5 OAK ST",
        "N4*RIVERTON*IL*62002",
        "DMG*D8*19500505*M",
        "NM1*PR*2*MEDICARE*****PI*00120",
        "CLM*INPAT01*2500***11:A:1**A*Y*Y",
        "DTP*434*RD8*20261101-20261105",
        "CL1*1*7*01",
        "REF*EA*MRN778",
        "HI*ABK:I10",
        "HI*ABF:E119*ABF:J449*ABF:K219*ABF:M545*ABF:N390*ABF:R51*ABF:Z0000*ABF:E785*ABF:F329",
    };
    for (int i = 1; i <= n; ++i) {
        s.push_back("LX*" + std::to_string(i));
        s.push_back(std::string("SV2*") + (i % 2 ? "0120" : "0250") + "*HC:" + std::to_string(99000 + i) + "*" +
                    std::to_string(i * 100) + ".5*UN*" + std::to_string(i));
        s.push_back("DTP*472*D8*20261102");
    }
    s.push_back("SE*" + std::to_string(s.size()) + "*0001");
    s.push_back("GE*1*1");
    s.push_back("IEA*1*000000001");
    return zrtest::x12Text(s);
}

struct UbClaim {
    zrtest::TempDir dir;
    zr::SegmentTable table;
    zr::ClaimIndex index;
    explicit UbClaim(int lines)
        : table(zrtest::loadX12(dir.write("claim.x12", ubClaimFile(lines)))), index(zr::CTL39400C(table, 2)) {}
    std::vector<zr::FormRows> forms() const { return zr::ubRange(zr::ClaimFields(table, index), 1, 1); }
};

TEST(ClaimForm, UbFormHoldsTheInstitutionalClaimAtItsRowsAndColumns) {
    const auto forms = UbClaim(2).forms();
    ASSERT_EQ(forms.size(), 1u);
    const zr::FormRows& f = forms[0];
    struct Box {
        int row;
        std::size_t column;
        std::string value;
    } boxes[] = {
        {1, 1, "RIVER HOSPITAL"},
        {1, 25, "RIVER PAYMENTS"},
        {1, 52, "INPAT01"},
        {2, 1, "1 RIVER RD"},
        {2, 25, "PO BOX 9"},
        {2, 52, "MRN778"},
        {2, 75, "111"},  // frequency 1 + facility 11
        {3, 1, "RIVERTON, IL 62000"},
        {3, 25, "RIVERTON, IL 62001"},
        {4, 49, "987654321"},
        {4, 58, "110126"},
        {4, 65, "110526"},
        {5, 1, "DOE, JOHN"},
        {5, 40, "5 OAK ST"},
        {6, 40, "RIVERTON, IL 62002"},
        {7, 1, "05 05 50"},
        {17, 1, "0120"},
        {17, 35, "99001"},
        {17, 43, "20261102"},
        {17, 53, "1"},
        {17, 60, "     100.50"},
        {18, 1, "0250"},
        {18, 60, "     200.50"},
        {40, 1, "I10"},
        {40, 11, "E119"},
        {40, 51, "N390"},
        {40, 71, "Z0000"},  // the eighth code ends the first row
        {41, 1, "E785"},
        {41, 11, "F329"},
    };
    for (const Box& b : boxes) EXPECT_EQ(formAt(f, b.row, b.column, b.value.size()), b.value) << "row " << b.row;
    // The revenue code's words beside it, cut before the procedure's column.
    EXPECT_EQ(formAt(f, 17, 5, 4), zr::CTL39406DX("0120").substr(0, 4));
    EXPECT_FALSE(zr::CTL39406DX("0120").empty());
    EXPECT_TRUE(f[18].empty());  // no third service line
}

TEST(ClaimForm, UbFormTakesTwentyTwoLinesAForm) {
    struct Case {
        int lines;
        std::size_t forms;
    } cases[] = {{1, 1}, {22, 1}, {23, 2}, {45, 3}};
    for (const Case& c : cases) {
        const auto forms = UbClaim(c.lines).forms();
        ASSERT_EQ(forms.size(), c.forms) << c.lines;
        const int onLast = (c.lines - 1) % 22 + 1;
        EXPECT_EQ(formAt(forms.back(), 16 + onLast, 35, 5), std::to_string(99000 + c.lines)) << c.lines;
        // The diagnoses stay clear of the service lines on every form.
        for (const auto& form : forms) EXPECT_EQ(formAt(form, 40, 1, 3), "I10") << c.lines;
    }
}

TEST(ClaimForm, UbAmountIsElevenWideWithTwoDecimals) {
    const std::pair<std::string, std::string> cases[] = {
        {"1800", "    1800.00"}, {"12.5", "      12.50"}, {"0.125", "       0.13"}, {"-3.333", "      -3.33"},
        {"", "       0.00"},     {"abc", "       0.00"}};
    for (const auto& [amount, text] : cases) EXPECT_EQ(zr::ubAmount(amount), text) << amount;
}

TEST(ClaimForm, OlderLayoutMarksTheSexElsewhereAndTakesTheBillingId) {
    const FormClaim c(1);
    const auto older = zr::cms1500Range(zr::ClaimFields(c.table, c.index), 1, 1, zr::kOlderCms1500Layout);
    ASSERT_EQ(older.size(), 1u);
    EXPECT_EQ(formAt(older[0], 9, 43, 1), "X");  // male
    EXPECT_NE(formAt(older[0], 9, 41, 1), "X");
    EXPECT_EQ(formAt(older[0], 55, 1, 10), "1111111111");
}

TEST(ClaimForm, PicturesTakeAFreshName) {
    zrtest::TempDir dir;
    const std::string first = zr::freshFormPictureName(dir.path());
    EXPECT_EQ(first, dir.file("test"));
    dir.write("test.tif", "x");
    EXPECT_EQ(zr::freshFormPictureName(dir.path()), dir.file("test2"));
    dir.write("test2.bmp", "x");
    EXPECT_EQ(zr::freshFormPictureName(dir.path()), dir.file("test3"));
    const zr::FormPlacement screen = zr::formPlacementOnSheet(712, 920, {"ON", "0805", 10, 5});
    EXPECT_DOUBLE_EQ(screen.rowHeight, 920.0 / 66);
    EXPECT_DOUBLE_EQ(screen.left, 0.01 * 712 / 85 + 5);
}

}  // namespace
