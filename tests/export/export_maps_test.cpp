#include "export_maps.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using Names = std::vector<std::string>;

TEST(ExportMaps, CsvMapNamesWithCrLfLfAndTrailingComma) {
    struct Case {
        std::string text;
        Names names;
    };
    const Case cases[] = {
        {"SUBLNAME,SUBFNAME,CLAIMID", {"SUBLNAME", "SUBFNAME", "CLAIMID"}},
        {"SUBLNAME,SUBFNAME,CLAIMID,", {"SUBLNAME", "SUBFNAME", "CLAIMID"}},
        {"SUBLNAME,\r\nSUBFNAME,\r\nCLAIMID\r\n", {"SUBLNAME", "SUBFNAME", "CLAIMID"}},
        {"SUBLNAME,\nSUBFNAME,\nCLAIMID\n", {"SUBLNAME", "SUBFNAME", "CLAIMID"}},
        {"A,,B\v", {"A", "", "B"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(zr::csvMapFields(c.text), c.names) << c.text;
}

TEST(ExportMaps, XmlMapTagsInAnyCaseAndSavedForm) {
    EXPECT_EQ(zr::xmlMapFields("<configuration>\n<Field>A</fIeLd><FIELD>B</FIELD>\r\n"), (Names{"A", "B"}));
    const std::string saved = zr::xmlMapText({"A", "", "B"});
    EXPECT_EQ(saved,
              "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<CONFIGURATION>\r\n<FIELD>A</FIELD>\r\n"
              "<FIELD>B</FIELD>\r\n</CONFIGURATION>\r\n");
    EXPECT_EQ(zr::xmlMapFields(saved), (Names{"A", "B"}));
}

TEST(ExportMaps, DefaultFileNames) {
    EXPECT_EQ(zr::exportCsvMapName("837", "PROFESSIONAL"), "ZR837p.csv");
    EXPECT_EQ(zr::exportXmlMapName("837", "institutional"), "zr837i.xml");
    EXPECT_EQ(zr::exportXmlMapName("837", "DENTAL"), "zr837d.xml");
    EXPECT_EQ(zr::exportCsvMapName("835", ""), "ZR835.csv");
    EXPECT_EQ(zr::exportCsvMapName("277", ""), "");
    EXPECT_EQ(zr::exportXmlMapName("271", ""), "zr271.xml");
}

TEST(ExportMaps, LoadPrefersCsvThenXmlThenDefault) {
    zrtest::TempDir dir;
    const zr::ExportDictionary dict = zr::exportDictionary("835", 1);
    Names f = zr::CTL39404J("835", {}, 0, "", dict, "", dir.path());
    EXPECT_EQ(f.size(), dict.size());
    dir.write("zr835.xml", zr::xmlMapText({"CLAIMPATCTL", "CLAIMTOTALPAID"}));
    EXPECT_EQ(zr::CTL39404J("835", {}, 0, "", dict, "", dir.path()), (Names{"CLAIMPATCTL", "CLAIMTOTALPAID"}));
    dir.write("ZR835.csv", "PATLNAME,\nPATFNAME\n");
    EXPECT_EQ(zr::CTL39404J("835", {}, 0, "", dict, "", dir.path()), (Names{"PATLNAME", "PATFNAME"}));
    dir.write("mymap.xml", zr::xmlMapText({"TRACEREFID"}));
    EXPECT_EQ(zr::CTL39404J("835", {}, 0, "", dict, "mymap.xml", dir.path()), (Names{"PATLNAME", "PATFNAME"}));
    std::remove(dir.file("ZR835.csv").c_str());
    EXPECT_EQ(zr::CTL39404J("835", {}, 0, "", dict, "mymap.xml", dir.path()), (Names{"TRACEREFID"}));
    EXPECT_EQ(zr::CTL39404J("999", {}, 0, "", dict, "", dir.path()), (Names{""}));
}

TEST(ExportMaps, ProfessionalDefaultListReadsMaritalStatus) {
    zrtest::TempDir dir;
    const Names f = zr::CTL39404J("837", {}, 1, "PROFESSIONAL", {}, "", dir.path());
    ASSERT_EQ(f.size(), 164u);
    EXPECT_EQ(f[12], "SUBMSTATUS");
    EXPECT_EQ(f.back(), "ADJUDID10");
}

TEST(ExportMaps, MapLogGetsItsLinesOnlyWhenItExists) {
    zrtest::TempDir dir;
    zr::ExportClock clock{[] { return std::string("2026/12/10"); }, [] { return std::string("12:00:00"); }};
    zr::CTL39404J("835", {}, 0, "", {}, "", dir.path(), clock);
    EXPECT_EQ(zrtest::readBytes(dir.file("zrmap.log")), "");
    dir.write("zrmap.log", "CONVERSION\r\n");
    zr::CTL39404J("835", {}, 0, "", {}, "", dir.path(), clock);
    EXPECT_EQ(zrtest::readBytes(dir.file("zrmap.log")),
              "CONVERSION\r\n2026/12/10 12:00:00 - Loading Configuration \r\nNo Map Found, Using Default 835 "
              "Mapping. \r\n");
}

TEST(ExportMaps, SaveAsksBeforeReplacing) {
    zrtest::TempDir dir;
    std::vector<std::string> asked;
    bool answer = false;
    zr::ExportPrompts p;
    p.askYes = [&](const std::string& text, const std::string& title) {
        asked.push_back(text + "|" + title);
        return answer;
    };
    EXPECT_TRUE(zr::CTL39404K("837", {"SUBFNAME"}, "DENTAL", p, dir.path()));
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(zr::CTL39404K("837", {"CLAIMID"}, "DENTAL", p, dir.path()));
    EXPECT_EQ(asked, Names{"zr837d.xml Already Exists. Overwrite it?| WARNING."});
    EXPECT_EQ(zr::xmlMapFields(zrtest::readBytes(dir.file("zr837d.xml"))), Names{"SUBFNAME"});
    answer = true;
    EXPECT_TRUE(zr::CTL39404K("837", {"CLAIMID"}, "DENTAL", p, dir.path()));
    EXPECT_EQ(zr::xmlMapFields(zrtest::readBytes(dir.file("zr837d.xml"))), Names{"CLAIMID"});
    zr::CTL39404L("DENTAL", dir.path());
    EXPECT_EQ(zrtest::readBytes(dir.file("zr837d.xml")), "");
}

}  // namespace
