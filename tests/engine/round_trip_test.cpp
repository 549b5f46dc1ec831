// Claims exported to CSV or XML with a built-in map and converted back to
// X12 are the same claims: the segments that carry them come back with the
// same values (envelope ids and dates aside).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "delimiters.hpp"
#include "map_text.hpp"
#include "paths.hpp"
#include "segment_table.hpp"
#include "test_support.hpp"
#include "text.hpp"
#include "map_file.hpp"
#include "record_readers.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

using Strings = std::vector<std::string>;

struct RoundTrip {
    const char* name;
    std::string source;
    int mapIndex;        // transaction index of the built-in map (5010)
    Strings claimParts;  // ids (or "ID*QUALIFIER") of the segments compared
    int scheme = 2;      // of the built-in map: 1 4010, 2 5010
};

// The compared segments of a file, in order, trimmed, written with the
// delimiters of the files this program builds ("*" and ":").
Strings claimSegments(const std::string& path, const Strings& parts) {
    const zr::X12Delimiters d = zr::locateDelimiters(path).value_or(zr::X12Delimiters{});
    zr::SegmentTable t = zr::loadSegmentTable(path, d);
    Strings out;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const std::string id(t.id(r));
        const std::string qualified = id + "*" + std::string(t.element(r, 1));
        for (const std::string& p : parts)
            if (p == id || p == qualified) {
                std::string text = wl::alltrim(t.text(r));
                for (char& c : text) {
                    if (d.element.size() == 1 && c == d.element[0]) c = '*';
                    else if (d.component.size() == 1 && c == d.component[0]) c = ':';
                }
                out.push_back(std::move(text));
                break;
            }
    }
    return out;
}

zr::EngineResult convert(const std::string& type, const std::string& source, const std::string& output,
                         const std::string& map) {
    zr::EngineRequest r;
    r.spec.parseType = type;
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = source;
    r.spec.destinationFile = output;
    r.options.map = map;
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
        // CLM20 after an empty CLM11, and a claim without lines (no "LX*1" made up).
        {"837P tail", fixtures + "837p_claim_tail.x12", 10, {"CLM", "HI", "LX", "SV1"}},
        {"837I", fixtures + "837i.x12", 1, {"CLM", "HI", "CL1", "LX", "SV2", "NM1*85", "NM1*IL"}},
        // The institutional provider's signature (CLM06), a professional
        // line's description (SV101-7) and family planning (SV112).
        {"837I CLM06", fixtures + "837i_provider_signature.x12", 1, {"CLM"}},
        {"837P SV101-7, SV112", fixtures + "837p_line_description.x12", 10, {"SV1"}},
        {"837D", samples + "stupidedi/X224A2-multiple-tooth-numbers.edi", 11, {"CLM", "LX", "SV3", "NM1*85"}},
        // One run rebuilds one transaction set: the claims of both payments
        // come back under the first payment's BPR/TRN, so those are not compared.
        {"835", fixtures + "835_two_sets.x12", 2, {"CLP", "SVC", "CAS", "NM1*QC", "DTM*472"}},
        // Each header number where it changes, not one LX for the set.
        {"835 LX", fixtures + "generation_835_lx_groups.x12", 2, {"LX", "CLP"}},
        // A member's adjustment stays with its member.
        {"820 ADX", fixtures + "820_list_bill_adjustments.x12", 12, {"ENT", "RMR", "ADX"}},
        // A member named by its id alone (NM1*QE*1).
        {"820 NM1*QE", samples + "pyx12/820.loops.txt", 12, {"ENT", "NM1", "RMR"}, 1},
        // A contact without a name (PER*CX**TE*...).
        {"835 PER", samples + "stupidedi/X091A1-835-case1.edi", 2, {"PER", "CLP"}, 1},
        // The submitter's second contact.
        {"837P PER", fixtures + "837p_second_submitter_contact.x12", 10, {"NM1*41", "PER", "NM1*40"}},
        // The subscriber's own SBR keeps its responsibility (S).
        {"837I 4010 subscriber", fixtures + "837i_4010_other_payers.x12", 1, {"SBR*S", "CLM"}, 1},
    };
    for (const auto& c : cases) {
        for (const char* format : {"CSV", "XML"}) {
            zrtest::TempDir dir;
            const std::string map = dir.write("map.cfg", zr::builtInMapText(c.mapIndex, c.scheme));
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

std::vector<Strings> csvRows(const std::string& text);

Strings sorted(Strings v) {
    std::sort(v.begin(), v.end());
    return v;
}

// "NAME=value" of the columns whose names begin with one of the prefixes,
// for each row of a record-mode CSV of the map.
std::vector<Strings> namedColumns(const std::string& csv, const zr::MapFile& map, const Strings& prefixes) {
    std::vector<std::pair<std::size_t, std::string>> cols;
    std::size_t column = 0;
    for (const zr::FieldRow& f : map.fields) {
        const std::string name = wl::alltrim(f.name);
        if (name.empty()) continue;
        for (const std::string& p : prefixes)
            if (name.rfind(p, 0) == 0) {
                cols.emplace_back(column, name);
                break;
            }
        ++column;
    }
    std::vector<Strings> out;
    for (const Strings& row : csvRows(csv)) {
        Strings v;
        for (const auto& [c, name] : cols) v.push_back(name + "=" + (c < row.size() ? row[c] : ""));
        out.push_back(std::move(v));
    }
    return out;
}

// An institutional claim whose subscriber is the secondary insured, with
// the tertiary and the primary payer after the claim: rebuilt, read back,
// every coverage gives the values it gave (the other payers' loops in the
// map's order), with each payer's own amount qualifier and OI answers.
TEST(RoundTrip, OtherPayerLoopsReadBackAlike) {
    const std::string source = std::string(ZR_FIXTURES) + "/x12/837i_4010_other_payers.x12";
    const Strings coverage{"PRIMARY", "SECONDARY", "TERTIARY", "SUB"};
    for (const char* format : {"CSV", "XML"}) {
        SCOPED_TRACE(format);
        zrtest::TempDir dir;
        const std::string mapText = zr::builtInMapText(1, 1);
        const zr::MapFile map = zr::parseMapText(mapText);
        const std::string mapPath = dir.write("map.cfg", mapText);
        const std::string middle = dir.file(std::string("records.") + format);
        const std::string back = dir.file("back.x12");
        ASSERT_FALSE(convert(std::string("X12,") + format, source, middle, mapPath).failed);
        ASSERT_FALSE(convert(std::string(format) + ",X12", middle, back, mapPath).failed);
        ASSERT_FALSE(convert("X12,CSV", source, dir.file("first.csv"), mapPath).failed);
        ASSERT_FALSE(convert("X12,CSV", back, dir.file("again.csv"), mapPath).failed);
        const auto want = namedColumns(zrtest::readBytes(dir.file("first.csv")), map, coverage);
        ASSERT_EQ(want.size(), 1u);
        EXPECT_EQ(namedColumns(zrtest::readBytes(dir.file("again.csv")), map, coverage), want);
        EXPECT_EQ(sorted(claimSegments(back, {"SBR", "OI", "AMT*B6", "NM1*PR"})),
                  sorted(claimSegments(source, {"SBR", "OI", "AMT*B6", "NM1*PR"})));
    }
}

// The claim ids (CLP01) of each transaction set of a file, set by set.
std::vector<Strings> roundTripClaimsBySet(const std::string& path) {
    zr::SegmentTable t = zr::loadSegmentTable(path, zr::locateDelimiters(path).value_or(zr::X12Delimiters{}));
    std::vector<Strings> sets;
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const std::string id(t.id(r));
        if (id == "ST") sets.emplace_back();
        if (id == "CLP" && !sets.empty()) sets.back().push_back(wl::alltrim(t.element(r, 1)));
    }
    return sets;
}

// Two payments with one BPR and TRN (as de-identified and test files have
// them) come back as two sets, each with its own claims: merged, the set's
// BPR02 would no longer be the sum of its claims' payments.
TEST(RoundTrip, PaymentsWithEqualHeadersStaySetsOfTheirOwn) {
    const std::string source = std::string(ZR_FIXTURES) + "/x12/835_equal_payments.x12";
    const std::vector<Strings> want{{"PAT001", "PAT002"}, {"PAT003"}};
    ASSERT_EQ(roundTripClaimsBySet(source), want);
    for (const char* format : {"CSV", "XML"}) {
        zrtest::TempDir dir;
        const std::string map = dir.write("map.cfg", zr::builtInMapText(2, 2));
        const std::string middle = dir.file(std::string("records.") + format);
        const std::string back = dir.file("back.x12");
        auto there = convert(std::string("X12,") + format, source, middle, map);
        ASSERT_FALSE(there.failed) << format << "\n" << there.log;
        auto home = convert(std::string(format) + ",X12", middle, back, map);
        ASSERT_FALSE(home.failed) << format << "\n" << home.log;
        EXPECT_EQ(roundTripClaimsBySet(back), want) << format;
    }
}

// The header numbers (LX) come back where they change, within the one set
// of the source: a new header number is no new payment.
TEST(RoundTrip, HeaderNumbersStayWithinTheirSet) {
    const std::string source = std::string(ZR_FIXTURES) + "/x12/generation_835_lx_groups.x12";
    const std::vector<Strings> want{{"PAT001", "PAT002", "PAT003"}};
    ASSERT_EQ(roundTripClaimsBySet(source), want);
    for (const char* format : {"CSV", "XML"}) {
        zrtest::TempDir dir;
        const std::string map = dir.write("map.cfg", zr::builtInMapText(2, 2));
        const std::string middle = dir.file(std::string("records.") + format);
        const std::string back = dir.file("back.x12");
        ASSERT_FALSE(convert(std::string("X12,") + format, source, middle, map).failed) << format;
        ASSERT_FALSE(convert(std::string(format) + ",X12", middle, back, map).failed) << format;
        EXPECT_EQ(roundTripClaimsBySet(back), want) << format;
        EXPECT_EQ(claimSegments(back, {"LX"}), (Strings{"LX*1", "LX*2"})) << format;
    }
}

// ISA15 of a file (its sixteenth element), "" when it has no ISA.
std::string roundTripUsage(const std::string& path) {
    zr::SegmentTable t = zr::loadSegmentTable(path, zr::locateDelimiters(path).value_or(zr::X12Delimiters{}));
    for (std::size_t r = 1; r <= t.size(); ++r)
        if (t.id(r) == "ISA") return wl::alltrim(t.element(r, 15));
    return "";
}

// A production interchange rebuilt from its records is one again, and a
// test interchange stays a test: the records keep ISA15 ("PRODTEST").
TEST(RoundTrip, TheUsageIndicatorComesBack) {
    const std::string fixture = std::string(ZR_FIXTURES) + "/x12/837p_realistic.x12";
    const std::string bytes = zrtest::readBytes(fixture);
    ASSERT_EQ(bytes.substr(101, 3), "*P*");
    for (const char* usage : {"P", "T"}) {
        for (const char* format : {"CSV", "XML"}) {
            SCOPED_TRACE(std::string(usage) + " through " + format);
            zrtest::TempDir dir;
            std::string changed = bytes;
            changed[102] = usage[0];
            const std::string source = dir.write("source.x12", changed);
            const std::string map = dir.write("map.cfg", zr::builtInMapText(10, 2));
            const std::string middle = dir.file(std::string("records.") + format);
            const std::string back = dir.file("back.x12");
            ASSERT_FALSE(convert(std::string("X12,") + format, source, middle, map).failed);
            ASSERT_FALSE(convert(std::string(format) + ",X12", middle, back, map).failed);
            EXPECT_EQ(roundTripUsage(back), usage);
        }
    }
}

// ---------------------------------------------------------------------------
// Every shared sample with a default map, there and back

// The envelope of a built file is whole and consistent: control numbers
// filled and matching, SE01 the count of its set, GE01 the count of sets.
std::string envelopeFault(const zr::SegmentTable& t) {
    std::string isa13, gs06, st02;
    std::size_t sets = 0, inSet = 0;
    auto el = [&](std::size_t r, int n) { return wl::alltrim(t.element(r, n)); };
    for (std::size_t r = 1; r <= t.size(); ++r) {
        const std::string id(t.id(r));
        if (id == "ISA") {
            isa13 = el(r, 13);
            for (int n : {6, 8, 13})
                if (el(r, n).empty()) return "ISA" + std::to_string(n) + " blank";
        } else if (id == "GS") {
            gs06 = el(r, 6);
            if (gs06.empty() || el(r, 8).empty() || el(r, 1).empty()) return "GS01, GS06 or GS08 empty";
        } else if (id == "ST") {
            st02 = el(r, 2);
            if (st02.empty()) return "ST02 empty";
            inSet = 1;
            ++sets;
        } else if (id == "SE") {
            ++inSet;
            if (el(r, 1) != std::to_string(inSet)) return "SE01 " + el(r, 1) + " for " + std::to_string(inSet);
            if (el(r, 2) != st02) return "SE02 differs from ST02";
            inSet = 0;
        } else if (id == "GE") {
            if (el(r, 1) != std::to_string(sets) || el(r, 2) != gs06) return "GE does not match";
        } else if (id == "IEA") {
            if (el(r, 2) != isa13) return "IEA02 differs from ISA13";
        } else if (inSet) {
            ++inSet;
        }
    }
    return sets == 0 ? "no transaction set" : "";
}

// The CSV rows of a file, cut into columns as the CSV reader cuts them
// (values holding a comma are quoted).
std::vector<Strings> csvRows(const std::string& text) {
    std::vector<Strings> rows;
    for (zr::SourceRecord& r : zr::readCsvRecords(text)) {
        Strings cols;
        for (const std::string& c : r.columns) cols.push_back(wl::alltrim(c));
        rows.push_back(std::move(cols));
    }
    return rows;
}

// The columns of the claim and service-line segments (CLM, CLP, SV1 to SV3,
// SVC; for a premium payment its ENT and RMR), in the record-mode CSV of the
// map, the claim id's first: what a round trip must keep.
std::vector<std::size_t> claimColumns(const zr::MapFile& map) {
    std::vector<std::size_t> cols;
    std::size_t column = 0;
    for (const zr::FieldRow& f : map.fields) {
        if (wl::alltrim(f.name).empty()) continue;
        const std::string seg = wl::alltrim(f.segment);
        const bool claimId = (seg == "CLM" || seg == "CLP") && zr::mapNumber(f.elementPosition) == 1;
        if (claimId) cols.insert(cols.begin(), column);  // the claim id first
        else if (seg == "CLM" || seg == "CLP" || seg == "SV1" || seg == "SV2" || seg == "SV3" || seg == "SVC")
            cols.push_back(column);
        ++column;
    }
    if (!cols.empty()) return cols;
    // A map without claims (820): its remittance lines (ENT, RMR).
    column = 0;
    for (const zr::FieldRow& f : map.fields) {
        if (wl::alltrim(f.name).empty()) continue;
        const std::string seg = wl::alltrim(f.segment);
        if (seg == "ENT" || seg == "RMR") cols.push_back(column);
        ++column;
    }
    return cols;
}

// The claim and line values of each row that holds a claim (its first
// column, the claim id, not empty: rows of header values alone are no claim
// and are not built back).
std::vector<Strings> claimValues(const std::string& csv, const std::vector<std::size_t>& cols, bool claims = true) {
    std::vector<Strings> out;
    for (const Strings& row : csvRows(csv)) {
        Strings v;
        for (std::size_t c : cols) v.push_back(c < row.size() ? row[c] : "");
        if (!v.empty() && (!v.front().empty() || !claims)) out.push_back(std::move(v));
    }
    return out;
}

// A CSV written before the columns after the usage indicator existed
// rebuilds as it did: one LX for the set; the subscriber's SBR as the
// primary one, with the secondary and tertiary loops of then.
TEST(RoundTrip, ACsvWithoutTheNewestColumnsRebuildsAsBefore) {
    const struct {
        std::string source;
        int index, scheme;
        Strings parts, want;
    } cases[] = {
        {"generation_835_lx_groups.x12", 2, 2, {"LX"}, {"LX*1"}},
        {"837i_4010_other_payers.x12", 1, 1, {"SBR", "AMT"},
         {"SBR*P*01*GRP9*STATE PLAN*****CI", "SBR*S*18*******MC", "SBR*T*18**UNION PLAN*****CI", "AMT*D*605"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        zrtest::TempDir dir;
        const std::string mapText = zr::builtInMapText(c.index, c.scheme);
        const zr::MapFile parsed = zr::parseMapText(mapText);
        std::size_t columns = 0;
        while (columns < parsed.fields.size() && parsed.fields[columns].name != "PRODTEST") ++columns;
        ASSERT_LT(columns, parsed.fields.size());
        const std::string map = dir.write("map.cfg", mapText);
        const std::string source = std::string(ZR_FIXTURES) + "/x12/" + c.source;
        ASSERT_FALSE(convert("X12,CSV", source, dir.file("new.csv"), map).failed);
        // Each row cut after the usage indicator (no value holds a comma).
        std::string older;
        for (const Strings& cells : csvRows(zrtest::readBytes(dir.file("new.csv")))) {
            ASSERT_GT(cells.size(), columns);
            for (std::size_t i = 0; i <= columns; ++i) older += (i ? "," : "") + cells[i];
            older += "\r\n";
        }
        const std::string csv = dir.write("older.csv", older);
        ASSERT_FALSE(convert("CSV,X12", csv, dir.file("back.x12"), map).failed);
        EXPECT_EQ(claimSegments(dir.file("back.x12"), c.parts), c.want);
    }
}

TEST(RoundTrip, EverySharedSampleWithADefaultMapKeepsItsClaims) {
    namespace fs = std::filesystem;
    const std::string samples = ZR_SAMPLES;
    if (!fs::exists(samples + "/README.md")) GTEST_SKIP() << "no shared samples in " << samples;
    zrtest::PromptRecorder prompts;
    std::ifstream in(samples + "/README.md", std::ios::binary);
    int tripped = 0, refused = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| `", 0) != 0) continue;
        const std::string file = line.substr(3, line.find('`', 3) - 3);
        const std::string source = samples + "/" + file;
        zrtest::TempDir dir;
        const fs::path previous = fs::current_path();
        fs::current_path(dir.path());
        // The default map, chosen (and written here) as a conversion chooses it.
        auto first = convert("X12,CSV", source, dir.file("source.csv"), "");
        std::string map;
        for (const auto& e : fs::directory_iterator(dir.path()))
            if (e.path().extension() == ".cfg") map = e.path().string();
        fs::current_path(previous);
        if (first.failed || map.empty()) continue;
        const zr::MapFile parsed = zr::parseMapText(zrtest::readBytes(map));
        if (parsed.templates.empty()) {
            // Maps that collect but cannot build: refused, never an empty envelope.
            EXPECT_TRUE(convert("CSV,X12", dir.file("source.csv"), dir.file("back.x12"), map).failed) << file;
            ++refused;
            continue;
        }
        const auto cols = claimColumns(parsed);
        const bool claims = std::any_of(parsed.fields.begin(), parsed.fields.end(), [](const zr::FieldRow& f) {
            const std::string seg = wl::alltrim(f.segment);
            return seg == "CLM" || seg == "CLP";
        });
        const auto want = claimValues(zrtest::readBytes(dir.file("source.csv")), cols, claims);
        for (const char* format : {"CSV", "XML"}) {
            const std::string middle = dir.file(std::string("records.") + format);
            const std::string back = dir.file(std::string("back-") + format + ".x12");
            zr::EngineRequest there;
            there.spec.parseType = std::string("X12,") + format;
            there.type = zr::conversionTypeOf(there.spec.parseType);
            there.spec.sourceFile = source;
            there.spec.destinationFile = middle;
            there.spec.parseOptions = "HO";  // the title line must not come back as a claim
            there.options = zr::parseOptions(there.spec.parseOptions);
            there.options.map = map;
            ASSERT_FALSE(zr::CTL48400A(there).failed) << file;
            auto home = convert(std::string(format) + ",X12", middle, back, map);
            if (want.empty()) {
                // No claim in the source: nothing to build, and said so.
                EXPECT_TRUE(home.failed) << file;
                continue;
            }
            ASSERT_FALSE(home.failed) << file << " " << format << "\n" << home.log;
            const zr::SegmentTable t =
                zr::loadSegmentTable(back, zr::locateDelimiters(back).value_or(zr::X12Delimiters{}));
            EXPECT_EQ(envelopeFault(t), "") << file << " through " << format;
            auto again = convert("X12,CSV", back, dir.file("again.csv"), map);
            ASSERT_FALSE(again.failed) << file << " " << format << "\n" << again.log;
            EXPECT_EQ(claimValues(zrtest::readBytes(dir.file("again.csv")), cols, claims), want)
                << file << " through " << format;
        }
        ++tripped;
    }
    EXPECT_GE(tripped, 20);
    EXPECT_GE(refused, 5);
}

}  // namespace
