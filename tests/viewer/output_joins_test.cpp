// The joins of the viewer's per-pass outputs: the names, each type's join,
// MERGEST=OFF, DBF tables, ".835" files and a final file that cannot be
// written.
#include "output_joins.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "dbf_file.hpp"
#include "paths.hpp"
#include "text.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

ParseSpec joinsRequest(const std::string& type, const std::string& folder, const std::string& name = "out") {
    return ParseSpec{type, "in.x12", folder, "", name, ""};
}

TEST(OutputJoins, KindsAndFileNames) {
    struct Case {
        std::string type;
        JoinKind kind;
    };
    for (const Case& c : std::vector<Case>{{"XML", JoinKind::Xml}, {" csv ", JoinKind::Csv}, {"DBF", JoinKind::Dbf},
                                           {"835", JoinKind::Remittance835}, {"ODBC", JoinKind::None},
                                           {"X12,CSV", JoinKind::None}, {"", JoinKind::None}})
        EXPECT_EQ(joinKindOf(c.type), c.kind) << c.type;
    zrtest::TempDir dir;
    EXPECT_EQ(joinFilePath(joinsRequest("CSV", dir.path()), JoinKind::Csv, "_ISA2"), dir.file("out_ISA2.csv"));
    EXPECT_EQ(joinFilePath(joinsRequest("DBF", dir.path(), "2026"), JoinKind::Dbf, "_ST1"), dir.file("a_2026_ST1.dbf"));
    // Without a folder in item 3 the name stands alone, as the screens write it.
    EXPECT_EQ(joinFilePath(joinsRequest("XML", ""), JoinKind::Xml), "out.xml");
    EXPECT_EQ(passRequest(joinsRequest("XML", ""), "_ST3").destinationFile, "out_ST3");
    const OutputJoiner none(joinsRequest("ODBC", dir.path()), false);
    EXPECT_FALSE(none.joins());
    EXPECT_EQ(none.interchangeSuffix(2), "");
    EXPECT_EQ(OutputJoiner(joinsRequest("CSV", dir.path()), false).setSuffix(2), "_ST2");
}

TEST(OutputJoins, XmlPassesJoinTheirBodiesUnderOneRoot) {
    zrtest::TempDir dir;
    OutputJoiner joiner(joinsRequest("XML", dir.path()), false);
    const std::string head = "<?xml version=\"1.0\"  encoding=\"windows-1252\"?>\r\n<EXPORTDATA>\r\n";
    dir.write("out_ISA1.xml", head + "<R>1</R>\r\n</EXPORTDATA>\r\n");
    joiner.interchangePassDone(1);
    dir.write("out_ISA2.xml", head + "<R>2</R>\r\n</EXPORTDATA>\r\n");
    joiner.interchangePassDone(2);
    joiner.interchangePassDone(3);  // a pass that wrote nothing
    EXPECT_EQ(zrtest::readBytes(dir.file("out.xml")),
              "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n<R>1</R>\r\n\r\n<R>2</R>\r\n"
              "</EXPORTDATA>\r\n");
    EXPECT_FALSE(wl::fileExists(dir.file("out_ISA1.xml")));
    EXPECT_FALSE(wl::fileExists(dir.file("out_ISA2.xml")));
}

TEST(OutputJoins, CsvInterchangePassesDropLaterHeadersAndMergeOffKeepsSetFiles) {
    zrtest::TempDir dir;
    {
        OutputJoiner joiner(joinsRequest("CSV", dir.path()), false);
        dir.write("out_ISA1.csv", "ID,AMT\r\nA,1\r\n\r\n");
        joiner.interchangePassDone(1);
        dir.write("out_ISA2.csv", "ID,AMT\r\nB,2\r\n");
        joiner.interchangePassDone(2);
        EXPECT_EQ(zrtest::readBytes(dir.file("out.csv")), "ID,AMT\r\nA,1\r\nB,2\r\n");
    }
    {
        // Set passes join only when the table holds several sets, each text whole.
        OutputJoiner joiner(joinsRequest("CSV", dir.path(), "sets"), false);
        dir.write("sets_ST1.csv", "A,1\r\n");
        joiner.setPassDone(1, 1);
        EXPECT_TRUE(wl::fileExists(dir.file("sets_ST1.csv")));
        joiner.setPassDone(1, 2);
        dir.write("sets_ST2.csv", "B,2\r\n");
        joiner.setPassDone(2, 2);
        EXPECT_EQ(zrtest::readBytes(dir.file("sets.csv")), "A,1\r\nB,2\r\n");
    }
    OutputJoiner off(joinsRequest("CSV", dir.path(), "kept"), true);
    dir.write("kept_ST1.csv", "A,1\r\n");
    off.setPassDone(1, 2);
    EXPECT_TRUE(wl::fileExists(dir.file("kept_ST1.csv")));
    EXPECT_FALSE(wl::fileExists(dir.file("kept.csv")));
}

TEST(OutputJoins, DbfSetTablesAppendToACopyOfTheFirst) {
    zrtest::TempDir dir;
    const std::vector<wl::DbfField> fields = {{"F_000001", 'C', 8, 0}};
    auto table = [&](const std::string& name, const std::vector<std::string>& values) {
        std::optional<wl::DbfFile> t = wl::DbfFile::create(dir.file(name), fields);
        ASSERT_TRUE(t);
        for (const std::string& v : values) ASSERT_TRUE(t->append({wl::Value(v)}));
    };
    table("a_1_ST1.dbf", {"ONE", "TWO"});
    table("a_1_ST2.dbf", {"THREE"});
    OutputJoiner joiner(joinsRequest("DBF", dir.path(), "1"), true);  // MERGEST=OFF still appends tables
    joiner.setPassDone(1, 2);
    joiner.setPassDone(2, 2);
    EXPECT_FALSE(wl::fileExists(dir.file("a_1_ST1.dbf")));
    EXPECT_FALSE(wl::fileExists(dir.file("a_1_ST2.dbf")));
    std::optional<wl::DbfFile> joined = wl::DbfFile::open(dir.file("a_1.dbf"));
    ASSERT_TRUE(joined);
    ASSERT_EQ(joined->recordCount(), 3u);
    EXPECT_EQ(wl::alltrim(joined->read(3)[0].text()), "THREE");
}

TEST(OutputJoins, RemittanceFilesAppendAfterTheFinalTextTrimmed) {
    zrtest::TempDir dir;
    OutputJoiner joiner(joinsRequest("835", dir.path()), false);
    dir.write("out.835", "  OLD~\r\n");
    dir.write("out_ISA1.835", "ISA*1~\r\n");
    joiner.interchangePassDone(1);
    dir.write("out_ST1.835", "ISA*2~\r\n");
    joiner.setPassDone(1, 1);  // ".835" files join whatever the table holds
    EXPECT_EQ(zrtest::readBytes(dir.file("out.835")), "OLD~\r\nISA*1~\r\nISA*2~\r\n");
    EXPECT_FALSE(wl::fileExists(dir.file("out_ISA1.835")));
}

TEST(OutputJoins, AFinalFileThatCannotBeWrittenIsSaidAndThePassKept) {
    zrtest::TempDir dir;
    std::filesystem::create_directory(dir.file("out.csv"));  // a folder where the final file should go
    OutputJoiner joiner(joinsRequest("CSV", dir.path()), false);
    dir.write("out_ISA1.csv", "A,1\r\n");
    zrtest::PromptRecorder prompts;
    joiner.interchangePassDone(1);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error CSV Multi ST Create"});
    EXPECT_EQ(zrtest::readBytes(dir.file("out_ISA1.csv")), "A,1\r\n");
}

}  // namespace
