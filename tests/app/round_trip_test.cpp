// Claims exported to CSV or XML with a built-in map and converted back to
// X12 are the same claims: the segments that carry them come back with the
// same values (envelope ids and dates aside).
#include <gtest/gtest.h>

#include <filesystem>

#include "delimiters.hpp"
#include "map_text.hpp"
#include "paths.hpp"
#include "segment_table.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "x12_to_csv.hpp"

namespace {

using Strings = std::vector<std::string>;

struct RoundTrip {
    const char* name;
    std::string source;
    int mapIndex;        // transaction index of the built-in map (5010)
    Strings claimParts;  // ids (or "ID*QUALIFIER") of the segments compared
};

// The compared segments of a file, in order, trimmed.
Strings claimSegments(const std::string& path, const Strings& parts) {
    zr::SegmentTable t = zr::loadSegmentTable(path, zr::locateDelimiters(path).value_or(zr::X12Delimiters{}));
    Strings out;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const std::string id(t.id(r));
        const std::string qualified = id + "*" + std::string(t.element(r, 1));
        for (const std::string& p : parts)
            if (p == id || p == qualified) {
                out.push_back(wl::alltrim(t.text(r)));
                break;
            }
    }
    return out;
}

zr::EngineResult convert(const std::string& type, const std::string& source, const std::string& output,
                         const std::string& map) {
    zr::EngineRequest r;
    r.spec.parseType = type;
    r.spec.sourceFile = source;
    r.spec.destinationFile = output;
    r.mapOption = map;
    r.clock = [] { return std::string("00:00:00"); };
    return zr::CTL48400A(r);
}

TEST(RoundTrip, BuiltInMapsRebuildTheClaims) {
    ZR_REQUIRE_SAMPLES();
    const std::string fixtures = std::string(ZR_FIXTURES) + "/x12/";
    const std::string samples = std::string(ZR_SAMPLES) + "/";
    const RoundTrip cases[] = {
        {"837P", fixtures + "837p_realistic.x12", 10,
         {"CLM", "HI", "LX", "SV1", "DTP*472", "NM1*85", "NM1*QC", "REF*G1", "N3", "N4", "DMG", "NM1*41", "NM1*40", "BHT"}},
        {"837I", fixtures + "837i.x12", 1, {"CLM", "HI", "CL1", "LX", "SV2", "NM1*85", "NM1*IL"}},
        {"837D", samples + "stupidedi/X224A2-multiple-tooth-numbers.edi", 11, {"CLM", "LX", "SV3", "NM1*85"}},
        // One run rebuilds one transaction set: the claims of both payments
        // come back under the first payment's BPR/TRN, so those are not compared.
        {"835", fixtures + "835_two_sets.x12", 2, {"CLP", "SVC", "CAS", "NM1*QC", "DTM*472"}},
    };
    for (const auto& c : cases) {
        for (const char* format : {"CSV", "XML"}) {
            zrtest::TempDir dir;
            const std::string map = dir.write("map.cfg", zr::builtInMapText(c.mapIndex, 2));
            const std::string middle = dir.file(std::string("records.") + format);
            const std::string back = dir.file("back.x12");
            auto there = convert(std::string("X12,") + format, c.source, middle, map);
            ASSERT_FALSE(there.failed) << c.name << " " << format << "\n" << there.log;
            auto home = convert(std::string(format) + ",X12", middle, back, map);
            ASSERT_FALSE(home.failed) << c.name << " " << format << "\n" << home.log;
            const Strings want = claimSegments(c.source, c.claimParts);
            ASSERT_FALSE(want.empty()) << c.name;
            EXPECT_EQ(claimSegments(back, c.claimParts), want) << c.name << " through " << format;
        }
    }
}

}  // namespace
