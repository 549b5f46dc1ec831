// The De-Identifier: the mask, the chosen elements, the streamed copy byte
// for byte, the overwrite question, and the shared samples: nothing personal
// survives and the copy still loads with the same claims.
#include <gtest/gtest.h>

#include <set>

#include "claim_index.hpp"
#include "conversion_engine.hpp"
#include "conversion_type.hpp"
#include "map_text.hpp"
#include "de_identifier.hpp"
#include "delimiters.hpp"
#include "paths.hpp"
#include "segment_table.hpp"
#include "segment_walk.hpp"
#include "test_support.hpp"

namespace {

const std::string kDeIdIsa =
    "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000101*0*P*:~";

struct DeIdCase {
    std::string segment;  // with its terminator
    std::string masked;   // without it
};

// The segments of a file cut at the terminator the ISA names.
std::vector<std::string> deIdSegments(const std::string& file) {
    std::vector<std::string> out;
    const zr::X12Delimiters d = *zr::locateDelimiters(file);
    zr::SegmentWalkEvents events;
    events.segment = [&](std::string_view s, std::int64_t) { out.emplace_back(s); };
    zr::walkSegments(file, d.terminator[0], events);
    if (!out.empty() && out[0].find("ISA") != 0) out.erase(out.begin());  // text before the ISA
    return out;
}

}  // namespace

TEST(DeIdentifier, MaskKeepsEverythingButLettersAndDigits) {
    EXPECT_EQ(zr::CTLD49200F("Abc 12-Z:y\xE9."), "Xxx 00-X:x\xE9.");
    EXPECT_EQ(zr::CTLD49200F(""), "");
}

TEST(DeIdentifier, SegmentsAreMaskedWhereThePersonalDataIs) {
    const DeIdCase cases[] = {
        {"NM1*IL*1*ABC*DEFG****MI*123456789~", "NM1*IL*1*XXX*XXXX****MI*000000000"},
        {"NM1*85*2*CLINIC ONE*****XX*1234567893~", "NM1*85*2*XXXXXX XXX*****XX*0000000000"},
        {"N4*Abcdefghijk*AB*12345~", "N4*Xxxxxxxxxxx*XX*00000"},
        {"N3*12 MAIN ST*APT 4~", "N3*00 XXXX XX*XXX 0"},
        {"CLM*A37YH556*500***11:B:1*Y*A*Y*Y~", "CLM*X00XX000*500***11:B:1*Y*A*Y*Y"},
        // The claim status code CLP06 is a code: MC stays MC.
        {"CLP*PCN77*1*200*150**MC*PAYERCLAIM9~", "CLP*XXX00*1*200*150**MC*XXXXXXXXXX0"},
        {"DMG*D8*19800514*F~", "DMG*D8*00000000*F"},
        {"DTP*472*RD8*20260101-20260105~", "DTP*472*RD8*00000000-00000000"},
        {"DTM*232*20260101~", "DTM*232*00000000"},
        {"REF*SY*123-45-6789~", "REF*SY*000-00-0000"},
        {"PER*IC*ANNA PARKS*TE*3125550100*EM*ANNA@EXAMPLE.COM~", "PER*IC*XXXX XXXXX*TE*0000000000*EM*XXXX@XXXXXXX.XXX"},
        {"SBR*P*18*GRP12345*ACME GROUP*****CI~", "SBR*P*18*XXX00000*XXXX XXXXX*****CI"},
        // Other segments, and empty elements, stay as they were.
        {"SV1*HC:99213*100*UN*1~", "SV1*HC:99213*100*UN*1"},
        {"\r\nNM1*IL*1**JO~", "\r\nNM1*IL*1**XX"},
        {"N1*PE*JANE DOE MD*XX*1234567893~", "N1*PE*XXXX XXX XX*XX*0000000000"},
        {"SE~", "SE"},
    };
    for (const DeIdCase& c : cases) EXPECT_EQ(zr::CTLD49200B(c.segment, '*', '~'), c.masked) << c.segment;
}

TEST(DeIdentifier, ElementChoiceCountsSeparators) {
    EXPECT_EQ(zr::CTLD49200E("NM1", 4), 1);  // NM103
    EXPECT_EQ(zr::CTLD49200E("NM1", 3), 0);  // NM102
    EXPECT_EQ(zr::CTLD49200E("N3", 2), 1);
    EXPECT_EQ(zr::CTLD49200E("CLP", 7), 0);  // CLP06
    EXPECT_EQ(zr::CTLD49200E("CLP", 8), 1);  // CLP07
    EXPECT_EQ(zr::CTLD49200E("HL", 2), 0);
    EXPECT_EQ(zr::CTLD49200E("N4", 1), 0);   // the id itself
}

TEST(DeIdentifier, TheOutputStandsBesideTheInputWithItsFolderAsGiven) {
    EXPECT_EQ(zr::deIdentifiedFileName("/data/Claims/in.x12"), "/data/Claims/DI_in.x12");
    EXPECT_EQ(zr::deIdentifiedFileName("C:\\Edi\\Mixed\\in.x12"), "C:\\Edi\\Mixed\\DI_in.x12");
}

TEST(DeIdentifier, TheCopyIsWrittenByteForByte) {
    zrtest::TempDir dir;
    const std::string input = dir.write("in.x12", kDeIdIsa + "\r\nGS*HC*A*B~\r\nNM1*IL*1*ABC*DEFG****MI*123456789~\r\n"
                                                                 "N4*Abcdefghijk*AB*12345~\r\nSE*4*1~\r\n");
    zrtest::PromptRecorder prompts;
    const std::string last = zr::CTLD49200A(input);
    EXPECT_EQ(zrtest::readBytes(dir.file("DI_in.x12")),
              kDeIdIsa + "\r\nGS*HC*A*B~\r\nNM1*IL*1*XXX*XXXX****MI*000000000~\r\nN4*Xxxxxxxxxxx*XX*00000~\r\nSE*4*1~");
    EXPECT_EQ(last, "\r\nSE*4*1~");
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST(DeIdentifier, ASecondRunAsksBeforeReplacing) {
    zrtest::TempDir dir;
    const std::string input = dir.write("in.x12", kDeIdIsa + "NM1*IL*1*ABC~");
    const std::string output = dir.file("DI_in.x12");
    std::ofstream(output, std::ios::binary) << "older";
    {
        zrtest::PromptRecorder prompts(false);
        EXPECT_EQ(zr::CTLD49200A(input), "");
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].text, "Replace " + output + "?");
        EXPECT_EQ(prompts.prompts()[0].caption, "WARNING File Exists");
        EXPECT_EQ(zrtest::readBytes(output), "older");
    }
    zrtest::PromptRecorder prompts(true);
    EXPECT_EQ(zr::CTLD49200A(input), "NM1*IL*1*XXX~");
    EXPECT_EQ(zrtest::readBytes(output), kDeIdIsa + "NM1*IL*1*XXX~");
}

TEST(DeIdentifier, NothingIsWrittenForAMissingOrCancelledInput) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(zr::CTLD49200A(dir.file("none.x12")), "");
    EXPECT_EQ(zr::CTLD49200(), "");  // the dialog answers Cancel
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
    EXPECT_FALSE(std::filesystem::exists(dir.file("DI_none.x12")));
}

TEST(DeIdentifier, AFileWithoutAnIsaHeaderIsRefusedNotCopiedInClear) {
    zrtest::TempDir dir;
    const std::string input = dir.write("in.x12", "NM1*IL*1*DOE*JOHN~");
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(zr::CTLD49200A(input), "");
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::Stop);
    EXPECT_FALSE(std::filesystem::exists(dir.file("DI_in.x12")));
}

TEST(DeIdentifier, TextBeforeTheIsaDoesNotHideTheDelimiters) {
    zrtest::TempDir dir;
    const std::string input = dir.write("in.x12", "note\r\n" + kDeIdIsa + "NM1*IL*1*DOE~");
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(zr::CTLD49200A(input), "NM1*IL*1*XXX~");
    EXPECT_EQ(zrtest::readBytes(dir.file("DI_in.x12")), "note\r\n" + kDeIdIsa + "NM1*IL*1*XXX~");
}

TEST(DeIdentifier, TheDialogAsksForTheFileToDeIdentify) {
    zrtest::TempDir dir;
    const std::string input = dir.write("in.x12", kDeIdIsa + "REF*EA*X1~");
    zrtest::PromptRecorder prompts;
    prompts.answerFile(input);
    EXPECT_EQ(zr::CTLD49200(), "REF*EA*X0~");
    EXPECT_EQ(prompts.prompts()[0].caption, "Select X12 File to de-identify");
}

// What identifies a patient or subscriber: a person's name and id (NM1
// with NM102 "1"), addresses, the date of birth, and the claim numbers.
bool deIdPersonal(const std::string& segment, char sep, const std::string& id, std::size_t element) {
    if (id == "NM1") return zr::segmentPiece(segment, sep, 3) == "1" && (element == 3 || element == 4 || element == 9);
    if (id == "N3" || id == "N4") return element <= 3;
    if (id == "DMG") return element == 2;
    if (id == "CLM") return element == 1;
    if (id == "CLP") return element == 1 || element == 7;
    return false;
}

// Every shared sample of patient data: no name, id, address or birth date
// of a person in the input is left anywhere in the copy, the copy keeps
// every segment's length, and it loads with the same claims.
TEST(DeIdentifier, SharedSamplesKeepNoPersonalDataAndLoadTheSame) {
    ZR_REQUIRE_SAMPLES();
    const char* samples[] = {
        "/stupidedi/X223A2-ppo-repriced-claim.edi", "/LinuxForHealth-x12/two-claims-single-provider.837i",
        "/LinuxForHealth-x12/coordination-of-benefits.837", "/LinuxForHealth-x12/demo.drug.example10.3.837",
        "/LinuxForHealth-x12/demo-single-line.270", "/pyx12/835_simple.txt", "/pyx12/example834_5010.txt",
        "/stupidedi/X221-case1-plus-elements.edi", "/edi-835-parser/united_healthcare_legacy_sample.txt",
    };
    for (const char* name : samples) {
        zrtest::TempDir dir;
        const std::string input = dir.file("sample.x12");
        std::filesystem::copy_file(std::string(ZR_SAMPLES) + name, input);
        zrtest::PromptRecorder prompts;
        zr::CTLD49200A(input);
        EXPECT_TRUE(prompts.prompts().empty()) << name;
        const std::string output = dir.file("DI_sample.x12");
        const std::vector<std::string> in = deIdSegments(input), out = deIdSegments(output);
        ASSERT_EQ(in.size(), out.size()) << name;
        const char sep = zr::locateDelimiters(input)->element[0];
        std::set<std::string> secrets, kept;
        for (std::size_t i = 1; i < in.size(); ++i) {
            ASSERT_EQ(in[i].size(), out[i].size()) << name << " " << in[i];
            const std::string id = zr::segmentId(in[i], sep);
            const std::size_t count = zr::segmentElementCount(in[i], sep);
            for (std::size_t k = 2; k <= count; ++k) {
                const std::string value = zr::trimmedSegmentText(zr::segmentPiece(in[i], sep, k));
                if (deIdPersonal(in[i], sep, id, k - 1) && value.size() >= 3 && value != zr::CTLD49200F(value))
                    secrets.insert(value);
            }
            for (std::size_t k = 2; k <= zr::segmentElementCount(out[i], sep); ++k)
                kept.insert(zr::trimmedSegmentText(zr::segmentPiece(out[i], sep, k)));
        }
        EXPECT_FALSE(secrets.empty()) << name;
        for (const std::string& s : secrets) EXPECT_EQ(kept.count(s), 0u) << name << ": " << s;
        const zr::X12Delimiters d = *zr::locateDelimiters(input);
        const zr::SegmentTable before = zr::loadSegmentTable(input, d), after = zr::loadSegmentTable(output, d);
        EXPECT_EQ(before.size(), after.size()) << name;
        EXPECT_EQ(zr::CTL39400C(before, 1), zr::CTL39400C(after, 1)) << name;
    }
}

namespace {

// The CSV records a built-in map makes of an X12 file (one line each).
std::size_t deIdCsvLines(const std::string& source, const std::string& map, const std::string& output) {
    zr::EngineRequest r;
    r.spec.parseType = "X12,CSV";
    r.type = zr::conversionTypeOf(r.spec.parseType);
    r.spec.sourceFile = source;
    r.spec.destinationFile = output;
    r.options.map = map;
    r.clock = [] { return std::string("00:00:00"); };
    const zr::EngineResult result = zr::CTL48400A(r);
    EXPECT_FALSE(result.failed) << source << "\n" << result.log;
    const std::string csv = zrtest::readBytes(output);
    std::size_t lines = 0;
    for (std::size_t p = 0; (p = csv.find('\n', p)) != std::string::npos; ++p) ++lines;
    return lines;
}

}  // namespace

// The copy converts as the original does: the same number of claim records.
TEST(DeIdentifier, SharedSamplesConvertToTheSameRecords) {
    ZR_REQUIRE_SAMPLES();
    const std::pair<const char*, int> samples[] = {
        {"/LinuxForHealth-x12/two-claims-single-provider.837i", 1},
        {"/stupidedi/X224A2-multiple-tooth-numbers.edi", 11},
        {"/stupidedi/X221A1-multiple-claims-single-check.edi", 2},
    };
    for (const auto& [name, mapIndex] : samples) {
        zrtest::TempDir dir;
        const std::string input = dir.file("sample.x12");
        std::filesystem::copy_file(std::string(ZR_SAMPLES) + name, input);
        zrtest::PromptRecorder prompts;
        zr::CTLD49200A(input);
        const std::string map = dir.write("map.cfg", zr::builtInMapText(mapIndex, 2));
        const std::size_t before = deIdCsvLines(input, map, dir.file("before.csv"));
        const std::size_t after = deIdCsvLines(dir.file("DI_sample.x12"), map, dir.file("after.csv"));
        EXPECT_GT(before, 0u) << name;
        EXPECT_EQ(after, before) << name;
        EXPECT_NE(zrtest::readBytes(dir.file("before.csv")), zrtest::readBytes(dir.file("after.csv"))) << name;
    }
}
