#include <gtest/gtest.h>

#include "record_readers.hpp"
#include "test_support.hpp"

namespace {

using Strings = std::vector<std::string>;
using Named = std::vector<std::pair<std::string, std::string>>;

std::vector<Strings> csvColumns(const std::string& text) {
    std::vector<Strings> out;
    for (const zr::SourceRecord& r : zr::readCsvRecords(text)) out.push_back(r.columns);
    return out;
}

TEST(RecordReaders, CsvAsSpreadsheetsWriteIt) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<Strings> want;
    };
    const Case cases[] = {
        {"own unquoted rows", "ACME,C1,100\r\nBETA, C2 ,\r\n", {{"ACME", "C1", "100"}, {"BETA", " C2 ", ""}}},
        {"a quoted comma", "\"HARTWELL, JR\",C1,100\r\n", {{"HARTWELL, JR", "C1", "100"}}},
        {"doubled quotes", "\"SAY \"\"HI\"\"\",C1\r\n", {{"SAY \"HI\"", "C1"}}},
        {"a line break inside quotes", "\"LINE1\r\nLINE2\",C1\r\nX,C2\r\n", {{"LINE1\r\nLINE2", "C1"}, {"X", "C2"}}},
        {"an empty quoted value", "\"\",C1\n", {{"", "C1"}}},
        {"a quote inside an unquoted value", "O\"BRIEN,C1\r\n", {{"O\"BRIEN", "C1"}}},
        {"a byte order mark", "\xEF\xBB\xBF" "ACME,C1\r\n", {{"ACME", "C1"}}},
        {"LF and CR line ends, no last break", "A,1\nB,2\rC,3", {{"A", "1"}, {"B", "2"}, {"C", "3"}}},
        {"lines without a comma", "\r\nTITLE\r\n\"A,B\"\r\nX,Y\r\n", {{"X", "Y"}}},
        {"an unclosed quote runs to the end", "A,\"B,C", {{"A", "B,C"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(csvColumns(c.text), c.want) << c.name;
}

// A line with more cells than the map has fields hands on only those; the
// cells past them are not held (a line of millions of cells once took many
// times its size), and whether one of them held a value is told.
TEST(RecordReaders, CsvCellsPastTheKeptOnesAreNotedNotHeld) {
    const struct {
        const char* name;
        std::string text;
        Strings cells;
        bool beyond;
    } cases[] = {
        {"plain, a value past", "A,B,C,D\r\n", {"A", "B"}, true},
        {"plain, blanks past", "A,B, ,,\r\n", {"A", "B"}, false},
        {"quoted, a value past", "\"A\",B,\"x, y\"\r\n", {"A", "B"}, true},
        {"quoted, blanks past", "\"A\",B,\"\",\r\n", {"A", "B"}, false},
        {"shorter than kept", "A,\"B\"\r\n", {"A", "B"}, false},
        {"a long line", "A,B" + std::string(200000, ',') + "Z\r\n", {"A", "B"}, true},
    };
    for (const auto& c : cases) {
        zr::ByteInput in{std::string_view(c.text)};
        zr::CsvReader reader(in);
        reader.keepCells(2);
        std::vector<std::string_view> cells;
        ASSERT_TRUE(reader.nextCells(cells)) << c.name;
        EXPECT_EQ(Strings(cells.begin(), cells.end()), c.cells) << c.name;
        EXPECT_EQ(reader.valueBeyondKept(), c.beyond) << c.name;
    }
}

// Every record of a CSV text as the reader hands it on: its kept cells and
// whether a value lay past them.
struct RecordReadersCsvLine {
    Strings cells;
    bool beyond = false;
    bool operator==(const RecordReadersCsvLine&) const = default;
};

std::vector<RecordReadersCsvLine> recordReadersCsvLines(zr::ByteInput& in, std::size_t keep, std::size_t streamFrom) {
    zr::CsvReader reader(in);
    if (keep) reader.keepCells(keep);
    reader.streamLinesFrom(streamFrom);
    std::vector<RecordReadersCsvLine> out;
    for (std::vector<std::string_view> cells; reader.nextCells(cells);)
        out.push_back({Strings(cells.begin(), cells.end()), reader.valueBeyondKept()});
    return out;
}

// A line longer than the buffer is read on in blocks, its kept cells copied
// and the rest passed over (a 50 MB line no longer takes 50 MB): read so,
// every line gives what the whole-line reading gives.
TEST(RecordReaders, CsvLinesReadInBlocksGiveWhatWholeLinesGive) {
    const std::string texts[] = {
        "ACME,C1,100\r\nBETA, C2 ,\r\n",
        "\"HARTWELL, JR\",C1,100\r\n",
        "\"SAY \"\"HI\"\"\",C1\r\n",
        "\"LINE1\r\nLINE2\",C1\r\nX,C2\r\n",
        "\"\",C1\n",
        "O\"BRIEN,C1\r\n\"A\"B\"C,D\r\n",
        "\xEF\xBB\xBF" "ACME,C1\r\n",
        "A,1\nB,2\rC,3",
        "A,1\r\rB,2\r",
        "\r\nTITLE\r\n\"A,B\"\r\nX,Y\r\n",
        "A,\"B,C",
        "A,B,C,D\r\nA,B, ,,\r\n\"A\",B,\"x, y\"\r\n\"A\",B,\"\",\t\r\nA,\"B\"\r\n",
        "A,B" + std::string(5000, ',') + "Z\r\nA,B" + std::string(5000, ',') + " \r\nNEXT,1\r\n",
    };
    zrtest::TempDir dir;
    for (const std::string& one : texts) {
        // Repeated, so that lines cross the blocks (read 16 bytes at least)
        // at every place.
        std::string text;
        for (int k = 0; k < 6; ++k) text += one;
        const std::string path = dir.write("long.csv", text);
        for (std::size_t keep : {std::size_t{0}, std::size_t{2}}) {
            zr::ByteInput whole{std::string_view(text)};
            const auto want = recordReadersCsvLines(whole, keep, std::string::npos);
            ASSERT_FALSE(want.empty()) << text;
            for (std::size_t block : {16u, 17u, 19u, 31u, 64u}) {
                zr::ByteInput in(path, block);
                EXPECT_EQ(recordReadersCsvLines(in, keep, 1), want) << "block " << block << ", keep " << keep << ": " << text.substr(0, 40);
            }
        }
    }
}

TEST(RecordReaders, XmlForms) {
    struct Case {
        const char* name;
        std::string body;  // inside <EXPORTDATA>
        std::vector<Named> want;
    };
    const Case cases[] = {
        {"plain elements", "<CLAIM><SUBLNAME>DOE</SUBLNAME><CLAIMID>C1</CLAIMID></CLAIM>",
         {{{"SUBLNAME", "DOE"}, {"CLAIMID", "C1"}}}},
        {"attributes", "<CLAIM id=\"1\"><SUBLNAME type=\"x>y\">DOE</SUBLNAME></CLAIM>", {{{"SUBLNAME", "DOE"}}}},
        {"CDATA", "<CLAIM><SUBLNAME><![CDATA[O'NEIL & <SON>]]></SUBLNAME></CLAIM>",
         {{{"SUBLNAME", "O'NEIL & <SON>"}}}},
        {"character references", "<CLAIM><SUBLNAME>M&#220;LLER &#xC4;&amp;&#9731;</SUBLNAME></CLAIM>",
         {{{"SUBLNAME", "M\xDCLLER \xC4&?"}}}},
        {"comments and empty elements", "<!-- x --><CLAIM><A/><B>1<!-- c -->2</B></CLAIM>", {{{"A", ""}, {"B", "12"}}}},
        {"a claim inside a claim", "<CLAIM><A>1</A><CLAIM><B>2</B></CLAIM><C>3</C></CLAIM>",
         {{{"A", "1"}, {"B", "2"}, {"C", "3"}}}},
        {"line breaks", "<CLAIM>\r\n<A>X\r\nY</A>\r\n</CLAIM>\r\n", {{{"A", "XY"}}}},
    };
    for (const Case& c : cases) {
        const std::string xml = "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>" + c.body + "</EXPORTDATA>\r\n";
        const zr::XmlRecords read = zr::readXmlSource(xml);
        EXPECT_TRUE(read.complete) << c.name;
        std::vector<Named> got;
        for (const zr::SourceRecord& r : read.records) got.push_back(r.byName);
        EXPECT_EQ(got, c.want) << c.name;
    }
}

TEST(RecordReaders, XmlCutShortIsIncomplete) {
    const std::string whole =
        "<?xml version=\"1.0\"?>\r\n<EXPORTDATA>\r\n<CLAIM>\r\n<A>1</A>\r\n</CLAIM>\r\n<CLAIM>\r\n<A>2</A>\r\n</CLAIM>\r\n"
        "</EXPORTDATA>\r\n";
    EXPECT_TRUE(zr::readXmlSource(whole).complete);
    // Cut anywhere before the root closes: reported, whatever came before.
    for (std::size_t cut : {whole.size() / 2, whole.find("</EXPORTDATA>") + 5, whole.find("</EXPORTDATA>"),
                            whole.find("<A>2") + 2})
        EXPECT_FALSE(zr::readXmlSource(whole.substr(0, cut)).complete) << cut;
    EXPECT_FALSE(zr::readXmlSource("<EXPORTDATA><CLAIM><A><![CDATA[1").complete);
    EXPECT_EQ(zr::readXmlRecords(whole.substr(0, whole.size() / 2)).size(), 1u);
}

// A tag left open runs into the next: reading stops there and names the
// line, in whatever blocks the file arrives.
TEST(RecordReaders, XmlTagLeftOpenIsMalformedAtItsLine) {
    struct Case {
        const char* text;
        int line;  // 0: well formed
    };
    const Case cases[] = {
        {"<EXPORTDATA>\r\n<CLAIM>\r\n<SUBLNAME>HARTWELL</SUBLNAME\r\n<SUBFNAME>JOHN</SUBFNAME>\r\n</CLAIM>\r\n</EXPORTDATA>\r\n", 3},
        {"<EXPORTDATA><CLAIM><A>1</A><B>2</B\n></CLAIM></EXPORTDATA>", 0},  // a line break inside a tag is fine
        {"<EXPORTDATA>\n<CLAIM>\n<A note=\"a<b\">1</A>\n</CLAIM>\n</EXPORTDATA>", 0},  // "<" quoted
        {"<EXPORTDATA>\n<CLAIM>\n<A>1</A>\n</CLAIM>\n<CLAIM\n<A>2</A></CLAIM>\n</EXPORTDATA>", 5},
    };
    for (const Case& c : cases) {
        for (std::size_t block : {std::size_t{16}, std::size_t{1} << 20}) {
            zrtest::TempDir dir;
            zr::ByteInput in(dir.write("in.xml", c.text), block);
            zr::XmlReader reader(in);
            for (zr::SourceRecord r; reader.next(r);) {
            }
            EXPECT_EQ(reader.malformedLine(), c.line) << c.text << " in blocks of " << block;
            if (c.line > 0) {
                EXPECT_FALSE(reader.complete()) << c.text;
            }
        }
    }
}

TEST(RecordReaders, DecodeXmlText) {
    EXPECT_EQ(zr::decodeXmlText("&lt;a&gt; &quot;&apos; &amp;amp; &#65;&#x42;"), "<a> \"' &amp; AB");
    EXPECT_EQ(zr::decodeXmlText("&#; &#xZZ; &unknown; &"), "&#; &#xZZ; &unknown; &");
}

}  // namespace

namespace {

// Read in blocks of any size, a source gives the records it gives read
// whole: units cut by a block's end (a tag, an entity, CR LF, a quoted
// line break) wait for the next block, and no boundary stalls the reader.
TEST(RecordReaders, BlocksOfAnySizeGiveTheSameRecords) {
    zrtest::TempDir dir;
    const std::string csv = "\xEF\xBB\xBF" "A,\"B, \"\"C\"\"\r\nD\",E\r\nno comma\r\n\r\nF,G\nH,I\rJ,K";
    const std::string xml =
        "<?xml version=\"1.0\"?>\r\n<EXPORTDATA><!-- c --><CLAIM>\r\n<ID>C&amp;1</ID><NAME><![CDATA[A<B]]></NAME>"
        "<LINELEVEL><PROC1>1</PROC1><PROC2/></LINELEVEL></CLAIM>\r\n<CLAIM><ID>C&#50;</ID></CLAIM></EXPORTDATA>\r\n";
    const std::string csvPath = dir.write("s.csv", csv), xmlPath = dir.write("s.xml", xml);
    auto same = [](const std::vector<zr::SourceRecord>& a, const std::vector<zr::SourceRecord>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].columns != b[i].columns || a[i].byName != b[i].byName) return false;
        return true;
    };
    const auto csvWhole = zr::readCsvRecords(csv);
    const auto xmlWhole = zr::readXmlSource(xml);
    ASSERT_EQ(csvWhole.size(), 4u);
    ASSERT_EQ(xmlWhole.records.size(), 2u);
    for (std::size_t block = 1; block <= 48; ++block) {
        std::vector<zr::SourceRecord> got;
        zr::ByteInput in(csvPath, block);
        zr::CsvReader csvReader(in);
        for (zr::SourceRecord r; csvReader.next(r);) got.push_back(r);
        EXPECT_TRUE(same(got, csvWhole)) << "CSV in blocks of " << block;
        got.clear();
        zr::ByteInput xin(xmlPath, block);
        zr::XmlReader xmlReader(xin);
        for (zr::SourceRecord r; xmlReader.next(r);) got.push_back(r);
        EXPECT_TRUE(same(got, xmlWhole.records)) << "XML in blocks of " << block;
        EXPECT_TRUE(xmlReader.complete()) << block;
    }
}

}  // namespace
