#include "fixed_layout.hpp"

#include <gtest/gtest.h>

#include "x12_fixtures.hpp"

namespace {

std::vector<std::string> fixedCells(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : line) {
        if (c == ',') {
            cells.push_back(cell);
            cell.clear();
        } else if (c != '\r' && c != '\n') {
            cell += c;
        }
    }
    cells.push_back(cell);
    return cells;
}

TEST(FixedLayout, EachClaimOneLineOfSixtyCellsInTheirPlaces) {
    const auto t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    std::vector<std::string> lines;
    zr::fixedLayoutCsv(t, ",", [&](const std::string& l) { lines.push_back(l); });
    ASSERT_EQ(lines.size(), 3u);
    const auto cells = fixedCells(lines[0]);
    ASSERT_EQ(cells.size(), 60u);
    EXPECT_EQ(cells[0], "PAT001");   // CLP01
    EXPECT_EQ(cells[2], "300");      // CLP03
    EXPECT_EQ(cells[10], "CO");      // CAS group
    EXPECT_EQ(cells[11], "45");      // its first reason
    EXPECT_EQ(cells[12], "50");
    EXPECT_EQ(cells[15], "SMITH");   // NM1*QC from column 16: name, first, middle, suffix, id code, id
    EXPECT_EQ(cells[17], "Q");
    EXPECT_EQ(cells[20], "M123");
    EXPECT_EQ(cells[21], "SMITH");   // NM1*IL from column 22
    EXPECT_EQ(cells[22], "JANE");
    EXPECT_EQ(cells[26], "S456");
    EXPECT_EQ(lines[0].substr(lines[0].size() - 2), "\r\n");
}

TEST(FixedLayout, XmlNamesTheElementsAndEmptiesAbsentGroups) {
    const auto t = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    std::string xml;
    zr::fixedLayoutXml(t, [&](const std::string& s) { xml += s; });
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n<CLAIM>\r\n"
                        "<CLAIMPATCTL>PAT001</CLAIMPATCTL>\r\n",
                        0),
              0u);
    EXPECT_NE(xml.find("<PATLNAME>SMITH</PATLNAME>"), std::string::npos);
    EXPECT_NE(xml.find("<XOVERCARRIER></XOVERCARRIER>\r\n"), std::string::npos);
    EXPECT_EQ(std::count(xml.begin(), xml.end(), '\n') > 0, true);
    EXPECT_TRUE(xml.ends_with("</CLAIM>\r\n</EXPORTDATA>"));
}

}  // namespace
