#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "set_chunks.hpp"
#include "test_support.hpp"

namespace {

TEST(SetChunks, TheLastSetEndIsFoundAfterATerminatorOrAtTheStart) {
    struct Case {
        const char* text;
        std::size_t after;  // 0: none
    } cases[] = {
        {"ST*1~A*2~SE*2*1~GE*1~", 16},
        {"SE*2*1~", 7},                     // at the start of the range
        {"A~\r\n  SE*2*1~B*1~", 13},         // line breaks and blanks before the id
        {"A~SE*2*1~B~SE*2*2~C", 18},          // the last of two; C is not complete
        {"A~SE*2*1", 0},                      // no terminator after it yet
        {"A~SES*1~STSE*1~SE~", 0},            // other ids, and SE without elements
        {"A~XSE*1~", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        const std::string t = c.text;
        EXPECT_EQ(zr::afterLastSetEnd(t.data(), t.size(), '~', '*'), c.after) << c.text;
    }
}

TEST(SetChunks, OnlyDelimitersTheSegmentReaderKeepsAsTheyAreAllowCutsAtSets) {
    EXPECT_TRUE(zr::setEndsCuttable('~', '*'));
    EXPECT_TRUE(zr::setEndsCuttable('\'', '+'));
    for (char t : {' ', ',', '\r', '\n', '\t'}) EXPECT_FALSE(zr::setEndsCuttable(t, '*')) << int(t);
    for (char e : {' ', ',', '\r', '\n', '~'}) EXPECT_FALSE(zr::setEndsCuttable('~', e)) << int(e);
}

// Reads the whole file in parts; answers the parts' texts.
std::vector<std::string> partsOf(const std::string& path, std::size_t size, char terminator, bool atSets,
                                 std::vector<bool>* endsSet = nullptr) {
    zr::ChunkReader reader(terminator, '*');
    reader.setParts(size, atSets ? 8 : 0);
    EXPECT_EQ(reader.open(path), 0);
    std::vector<std::string> parts;
    zr::SourceChunk c;
    std::uint64_t position = 0;
    while (reader.next(c)) {
        EXPECT_EQ(c.base, position);
        position += c.size;
        parts.emplace_back(c.bytes(), c.size);
        if (endsSet) endsSet->push_back(c.endsSet);
    }
    EXPECT_EQ(reader.error(), 0);
    return parts;
}

TEST(SetChunks, PartsAreWholeSegmentsEndingAtSetsWhereTheyCan) {
    zrtest::TempDir dir;
    const std::string text = "ISA*1~ST*1~A*1~SE*2*1~ST*2~A*2~B*2~SE*3*2~GE*1~IEA*1~tail";
    const std::string path = dir.write("f.x12", text);
    for (std::size_t size : {1, 5, 12, 25, 100}) {
        std::vector<bool> endsSet;
        const auto parts = partsOf(path, size, '~', true, &endsSet);
        std::string joined;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            joined += parts[i];
            if (i + 1 < parts.size()) {
                EXPECT_EQ(parts[i].back(), '~') << size;
                const std::size_t before = parts[i].find_last_of('~', parts[i].size() - 2);
                const std::string last = parts[i].substr(before == std::string::npos ? 0 : before + 1);
                EXPECT_EQ(endsSet[i], last.rfind("SE*", 0) == 0)
                    << size << " " << parts[i];
            }
        }
        EXPECT_EQ(joined, text) << size;
    }
    // With room for both sets, the part ends after the second SE.
    const auto parts = partsOf(path, 45, '~', true);
    ASSERT_GE(parts.size(), 2u);
    EXPECT_EQ(parts[0], "ISA*1~ST*1~A*1~SE*2*1~ST*2~A*2~B*2~SE*3*2~");
}

TEST(SetChunks, ASegmentLongerThanAPartIsReadWholeAndCommaTerminatorsCutAnywhere) {
    zrtest::TempDir dir;
    const std::string longOne = "A*" + std::string(300, 'x') + "~B~";
    const auto parts = partsOf(dir.write("long.x12", longOne), 16, '~', true);
    ASSERT_GE(parts.size(), 1u);
    EXPECT_EQ(parts[0], "A*" + std::string(300, 'x') + "~B~");
    // A comma never ends a segment: any cut reads the same, and memory
    // stays that of a part.
    const auto commas = partsOf(dir.write("commas.x12", std::string(1000, 'a')), 64, ',', true);
    EXPECT_EQ(commas.size(), 16u);
}

// A source read in parts of any size gives the segments of the whole text,
// also where a segment is cut by a part's end or is longer than a part.
TEST(SetChunks, PartsOfAnySizeGiveTheSegmentsOfTheWholeText) {
    const std::string text = "ISA*00*A,B~\r\nGS*HC~\r\nST*837*0001~NM1*85*2*A VERY LONG NAME FOR A SMALL BLOCK~~SE*4~tail";
    std::string whole = text;
    std::vector<std::string> expected;
    std::vector<std::uint64_t> ends;
    zr::forEachSegment(whole, '~', [&](std::string_view t, std::size_t end) {
        expected.emplace_back(t);
        ends.push_back(end);
    });
    zrtest::TempDir dir;
    const std::string path = dir.write("source.x12", text);
    for (std::size_t size : {1u, 2u, 3u, 7u, 16u, 64u, 4096u})
        for (bool atSets : {false, true}) {
            zr::ChunkReader reader('~', '*');
            reader.setParts(size, atSets ? 8 : 0);
            ASSERT_EQ(reader.open(path), 0);
            std::vector<std::string> got;
            std::vector<std::uint64_t> at;
            zr::WalkDelimiters d;
            const int error = reader.forEachSegment(d, [&](std::string_view t, std::uint64_t end) {
                got.emplace_back(t);
                at.push_back(end);
            });
            EXPECT_EQ(error, 0);
            EXPECT_EQ(got, expected) << size;
            EXPECT_EQ(at, ends) << size;
        }
}

// A source cut while it is read ends before the size it had at open: that
// is a read error, not the end of the file, whether the cut falls in the
// first part or a later one.
TEST(SetChunks, ASourceCutWhileItIsReadIsAReadError) {
    // Larger than any stdio buffer, so that the cut is seen by the reads.
    std::string text = "ISA*00~GS*HC~ST*837*1~";
    while (text.size() < (1u << 20)) text += "NM1*IL*1*SMITH~";
    text += "SE*3*1~GE*1~IEA*1~";
    for (std::size_t cut : {std::size_t{0}, std::size_t{300000}, text.size() - 1}) {
        zrtest::TempDir dir;
        const std::string path = dir.write("a.x12", text);
        zr::ChunkReader reader('~', '*');
        reader.setParts(64 * 1024, 0);
        ASSERT_EQ(reader.open(path), 0);
        zr::SourceChunk chunk;
        if (cut > 0) {
            ASSERT_TRUE(reader.next(chunk));
        }
        std::filesystem::resize_file(path, cut);
        while (reader.next(chunk)) {
        }
        EXPECT_EQ(reader.error(), 30) << cut;
        EXPECT_STREQ(reader.step(), "FC-Fread");
    }
    // Read whole, the same file ends without an error.
    zrtest::TempDir dir;
    zr::ChunkReader reader('~', '*');
    ASSERT_EQ(reader.open(dir.write("a.x12", text)), 0);
    zr::WalkDelimiters d;
    EXPECT_EQ(reader.forEachSegment(d, [](std::string_view, std::uint64_t) {}), 0);
}


// One segment longer than the cap (a file with no terminator after the
// ISA, a runaway BIN) ends the read with its own failure instead of holding
// the file whole; a segment just under the cap is read.
TEST(SetChunks, ASegmentOverTheCapEndsTheReadNamed) {
    const std::size_t cap = 256 * 1024;
    const struct {
        std::size_t segment;
        bool fits;
    } cases[] = {{cap - 1024, true}, {cap + 1, false}, {4 * cap, false}};
    for (const auto& c : cases) {
        const std::string text = "ISA*00~ST*275*1~BIN*" + std::string(c.segment, 'x') + "~SE*3*1~";
        zrtest::TempDir dir;
        zr::ChunkReader reader('~', '*');
        reader.setParts(4096, 0);
        reader.limitSegments(cap);
        ASSERT_EQ(reader.open(dir.write("a.x12", text)), 0);
        zr::WalkDelimiters d;
        std::size_t longest = 0;
        const int error =
            reader.forEachSegment(d, [&](std::string_view s, std::uint64_t) { longest = std::max(longest, s.size()); });
        if (c.fits) {
            EXPECT_EQ(error, 0) << c.segment;
            EXPECT_GE(longest, c.segment);
        } else {
            EXPECT_EQ(error, zr::ChunkReader::kErrorSegmentTooLong) << c.segment;
            EXPECT_STREQ(reader.step(), zr::ChunkReader::kSegmentTooLong);
        }
    }
}

}  // namespace
