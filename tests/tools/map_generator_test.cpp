// The map generator: the questions of each transaction answered from a
// script, the map it builds (header, keys, service lines), and the map at
// work: a shared sample of its type converted and rebuilt through it as
// through the default map.
#include "map_generator.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "conversion_engine.hpp"
#include "delimiters.hpp"
#include "map_file.hpp"
#include "map_names.hpp"
#include "segment_table.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

namespace fs = std::filesystem;

const zr::MapClock kGeneratorClock{"12/11/26", "10:20:30"};

// The dialogs answered from a script; what they were asked is kept.
struct GeneratorScript {
    int transaction = 0;
    int scheme = 0;
    std::deque<std::string> counts;  // then each question's default
    std::pair<int, std::string> otherIndustry{0, ""};
    std::vector<std::string> countQuestions;
    std::string savedName = "-", savedText;

    zr::GeneratorDialogs dialogs() {
        zr::GeneratorDialogs d;
        d.transaction = [this] { return transaction; };
        d.scheme = [this] { return scheme; };
        d.count = [this](const std::string& question, const std::string& def) {
            countQuestions.push_back(question);
            if (counts.empty()) return def;
            std::string answer = counts.front();
            counts.pop_front();
            return answer;
        };
        d.otherIndustry = [this](const std::string&, const std::string&) { return otherIndustry; };
        d.saveMap = [this](const std::string& name, const std::string& text) {
            savedName = name;
            savedText = text;
            return name;
        };
        return d;
    }
};

GeneratorScript generatorScript(int transaction, int scheme, std::deque<std::string> counts = {}) {
    GeneratorScript s;
    s.transaction = transaction;
    s.scheme = scheme;
    s.counts = std::move(counts);
    return s;
}

std::string generatorRun(GeneratorScript& script, const std::string& kind = "X12N") {
    return zr::generateMap("", "", kind, script.dialogs(), kGeneratorClock);
}

// The highest service line a map's fields are written for.
int generatorHighestLine(const std::string& text) {
    int highest = 0;
    for (const zr::FieldRow& f : zr::parseMapText(text).fields)
        highest = std::max(highest, zr::countAnswer(f.serviceLine));
    return highest;
}

TEST(MapGenerator, EveryTransactionAndSchemeGivesTheBuiltInTextBehindItsHeader) {
    for (int index = 1; index <= 12; ++index)
        for (int scheme = 1; scheme <= 3; ++scheme) {
            SCOPED_TRACE(std::to_string(index) + "/" + std::to_string(scheme));
            zrtest::PromptRecorder prompts(true);
            GeneratorScript script = generatorScript(index, scheme);
            EXPECT_EQ(generatorRun(script), zr::mapName(index, scheme));
            const std::string header =
                zr::mapGeneratorHeader(index, scheme, zr::mapName(index, scheme), "12/11/26", "10:20:30");
            EXPECT_EQ(script.savedText, header + zr::builtInMapText(index, scheme));
            EXPECT_EQ(script.savedText.rfind("********** Zarn Software   Parser Map\r\n"
                                              "********** Generated :12/11/26 10:20:30\r\n",
                                              0),
                      0u);
            EXPECT_NE(script.savedText.find("\r\n********* File Name : " + zr::mapName(index, scheme) + "\r\n"),
                      std::string::npos);
            const zr::MapFile map = zr::parseMapText(script.savedText);
            EXPECT_EQ(map.version, scheme == 1 ? "4010" : scheme == 2 ? "5010" : "");
            EXPECT_TRUE(!map.keys.record.front().empty() || !map.keys.header.front().empty());
            EXPECT_EQ(script.countQuestions.front(), "Number of Service Lines");
        }
}

TEST(MapGenerator, TheHeaderNamesVersionAndTransaction) {
    zrtest::PromptRecorder prompts(true);
    GeneratorScript script = generatorScript(10, 2);
    generatorRun(script);
    const std::string stars(50, '*');
    EXPECT_EQ(script.savedText.substr(0, script.savedText.find("\r\n\r\nX12TRANSACTIONTYPE")),
              "********** Zarn Software   Parser Map\r\n********** Generated :12/11/26 10:20:30\r\n"
              "********** Made by the mapping tool from the built-in map; lines beginning with * are comments\r\n" +
                  stars + "\r\n********* File Name : 005010X222A2.cfg\r\n********* X12 Version 5010\r\n"
                  "********* 837P Claim Submission Configuration\r\n" + stars);
}

TEST(MapGenerator, ServiceLinesFollowTheCount) {
    for (int index : {1, 2, 10, 11})
        for (int lines : {1, 5, 10, 25}) {
            SCOPED_TRACE(std::to_string(index) + " with " + std::to_string(lines));
            zrtest::PromptRecorder prompts(true);
            GeneratorScript script = generatorScript(index, 2, {std::to_string(lines)});
            generatorRun(script);
            EXPECT_EQ(generatorHighestLine(script.savedText), lines);
        }
}

TEST(MapGenerator, EachTransactionAsksItsOwnQuestions) {
    using Texts = std::vector<std::string>;
    const Texts common = {"Generate New Map?", "Do you have a Service Line Include File?"};
    const Texts parts = {"Include Subscriber Information?", "Include Patient Information?",
                         "Include Coverage Information?", "Include Service Provider Information?"};
    const Texts hiCounts = {"Number of Service Lines", "Number of Other Diagnosis Segments",
                            "Number of Other Procedure Segments", "Number of Occurence Span Segments",
                            "Number of Occurence Codes Segments", "Number of Value Codes Segments",
                            "Number of Condition Code Segments", "Number of Treatment Code Segments"};
    Texts hiCounts5010 = hiCounts;
    hiCounts5010.insert(hiCounts5010.end(), {"Number of Admitting Diagnosis Code Segments", "Number of Visit Reason Segments"});
    Texts institutional = common;
    institutional.insert(institutional.end(), {"Include Billing Provider Information?", "Map Billing Provider at Batch Level?"});
    institutional.insert(institutional.end(), parts.begin(), parts.end());
    Texts claims = common;
    claims.insert(claims.end(), parts.begin(), parts.end());
    Texts remittance = common;
    remittance.insert(remittance.end(), {"Include Subscriber Information?", "Include Patient Information?",
                                         "Include Service Provider Information?", "Include Provider Adjustments?"});
    const struct {
        int index, scheme;
        Texts questions, counts;
    } cases[] = {
        {1, 1, institutional, hiCounts},
        {1, 2, institutional, hiCounts5010},
        {10, 3, claims, {"Number of Service Lines"}},
        {11, 2, claims, {"Number of Service Lines"}},
        {2, 2, remittance, {"Number of Service Lines", "Number of Provider Adjustment Segments"}},
        {6, 2, common, {"Number of Service Lines", "Number Message Segments"}},
        {3, 1, common, {"Number of Service Lines"}},
        {12, 3, common, {"Number of Service Lines"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        zrtest::PromptRecorder prompts(true);
        GeneratorScript script = generatorScript(c.index, c.scheme);
        generatorRun(script);
        std::vector<std::string> questions;
        for (const wl::Prompt& p : prompts.prompts())
            if (p.isQuestion()) questions.push_back(p.text);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(script.countQuestions, c.counts);
    }
}

TEST(MapGenerator, AnswersNoLeaveTheirGroupsOut) {
    zrtest::PromptRecorder prompts(false);
    prompts.answerNext(true);  // Generate New Map?
    GeneratorScript script = generatorScript(10, 2);
    generatorRun(script);
    zr::MapAnswers none;
    none.subscriber = none.patient = none.coverage = none.serviceProvider = false;
    EXPECT_EQ(script.savedText, zr::mapGeneratorHeader(10, 2, "005010X222A2.cfg", "12/11/26", "10:20:30") +
                                    zr::builtInMapText(10, 2, none));
    EXPECT_LT(script.savedText.size(), zr::builtInMapText(10, 2).size());
}

TEST(MapGenerator, AServiceLineIncludeFollowsEachLineOf271) {
    zrtest::TempDir dir;
    const std::string include = dir.write("line.inc", "FIELD=EXTRA&,5,MSG,,,1,,,,,&\r\n");
    zrtest::PromptRecorder prompts(true);
    prompts.answerFile(include);
    GeneratorScript script = generatorScript(6, 2, {"2"});
    generatorRun(script);
    EXPECT_NE(script.savedText.find("FIELD=EXTRA1,5,MSG,,,1,,,,,1\r\n"), std::string::npos);
    EXPECT_NE(script.savedText.find("FIELD=EXTRA2,5,MSG,,,1,,,,,2\r\n"), std::string::npos);
    EXPECT_EQ(script.savedText.find("FIELD=EXTRA3"), std::string::npos);
    EXPECT_EQ(zr::CTL48600AB(12, "A&B&"), "A12B12");
}

TEST(MapGenerator, NothingChosenStillOpensSaveMapEmpty) {
    for (bool generate : {false, true}) {
        zrtest::PromptRecorder prompts(generate);
        GeneratorScript script = generatorScript(0, 2);
        EXPECT_EQ(generatorRun(script), "");
        EXPECT_EQ(script.savedName, "");
        EXPECT_EQ(script.savedText, "");
    }
}

TEST(MapGenerator, OtherIndustryBuildsThe832Map) {
    zrtest::PromptRecorder prompts(true);
    GeneratorScript script;
    script.otherIndustry = {1, "005050.cfg"};
    EXPECT_EQ(generatorRun(script, "X12M"), "005050.cfg");
    EXPECT_EQ(script.savedText, zr::priceCatalogMapHeader(zr::CatalogHeaderFor::Generator, "005050.cfg", "12/11/26",
                                                          "10:20:30") +
                                    zr::priceCatalogMapBody());
    EXPECT_EQ(script.countQuestions, (std::vector<std::string>{"Number of Service Lines"}));
    GeneratorScript closed;
    EXPECT_EQ(generatorRun(closed, "X12M"), "");
    EXPECT_EQ(closed.savedText, "");
}

TEST(MapGenerator, OtherIndustryNames) {
    EXPECT_EQ(zr::otherIndustryMapName("005", "050", "      "), "005050.cfg");
    EXPECT_EQ(zr::otherIndustryMapName(" 005", "050 ", "123456"), "005050123456.cfg");
}

TEST(MapGenerator, CountsReadTheirLeadingDigits) {
    const std::pair<const char*, int> cases[] = {{"10", 10}, {"  5 ", 5}, {"", 0}, {"x3", 0}, {"7a", 7},
                                                 {"99999999999", 999999}};
    for (const auto& [text, n] : cases) EXPECT_EQ(zr::countAnswer(text), n) << text;
}

TEST(MapGenerator, SaveMapWritesOnlyUnderAName) {
    zrtest::TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(zr::saveMapPresence("837p.cfg"), "File Not Present ");
    EXPECT_EQ(zr::saveMapContinue(std::string(255, ' '), "text"), "");
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_EQ(zr::saveMapContinue("837p.cfg" + std::string(100, ' '), "one\r\n"), "837p.cfg");
    EXPECT_EQ(zrtest::readBytes(dir.file("837p.cfg")), "one\r\n");
    EXPECT_EQ(zr::saveMapPresence("837p.cfg"), "File Present ");
    {
        zrtest::PromptRecorder prompts(false);
        zr::saveMapContinue("837p.cfg", "two\r\n");
        EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Replace 837p.cfg ?"}));
    }
    EXPECT_EQ(zrtest::readBytes(dir.file("837p.cfg")), "one\r\n");
    fs::current_path(previous);
}

// ---------------------------------------------------------------------------
// Generated maps at work

// The first sound shared sample of the transaction whose version fits the
// scheme (the transaction-based map reads either; 5010 first).
std::string generatorSample(int index, int scheme) {
    static const char* const kSt01[] = {"837", "835", "276", "277", "270", "271",
                                        "278", "278", "834", "837", "837", "820"};
    const std::string samples = ZR_SAMPLES;
    for (int version : scheme == 3 ? std::vector<int>{2, 1} : std::vector<int>{scheme}) {
        std::ifstream in(samples + "/README.md", std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("| `", 0) != 0) continue;
            std::vector<std::string> cols;
            for (std::size_t at = 1, bar; (bar = line.find(" | ", at)) != std::string::npos; at = bar + 3)
                cols.push_back(wl::alltrim(line.substr(at, bar - at)));
            if (cols.size() < 12 || cols[3] != kSt01[index - 1] || cols[10] != "no" || cols[11] != "ok") continue;
            if (cols[4].compare(0, 10, zr::mapName(index, version), 0, 10) != 0) continue;
            const std::string type = cols[6];
            if (index == 1 && type != "837I") continue;
            if (index == 10 && type != "837P") continue;
            if (index == 11 && type != "837D") continue;
            return samples + "/" + cols[0].substr(1, cols[0].size() - 2);
        }
    }
    return "";
}

zr::EngineResult generatorConvert(const std::string& type, const std::string& source, const std::string& output,
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

// What a conversion there and back gives: the CSV, and the rebuilt X12
// without its envelope date and time ("" when the map cannot build).
struct GeneratorTrip {
    std::string csv, x12;
    bool built = false;
};

GeneratorTrip generatorTrip(const std::string& source, const std::string& mapText, const zrtest::TempDir& dir,
                            const std::string& tag) {
    const std::string map = dir.write(tag + ".cfg", mapText);
    GeneratorTrip trip;
    const auto there = generatorConvert("X12,CSV", source, dir.file(tag + ".csv"), map);
    EXPECT_FALSE(there.failed) << there.log;
    // The output's own path is a value of the CSV (level 6): compared without its folder.
    trip.csv = zrtest::readBytes(dir.file(tag + ".csv"));
    for (auto at = trip.csv.find(dir.path()); at != std::string::npos; at = trip.csv.find(dir.path()))
        trip.csv.erase(at, dir.path().size());
    const auto back = generatorConvert("CSV,X12", dir.file(tag + ".csv"), dir.file(tag + ".x12"), map);
    trip.built = !back.failed;
    trip.x12 = zrtest::readBytes(dir.file(tag + ".x12"));
    return trip;
}

TEST(MapGenerator, AGeneratedMapConvertsAndRebuildsASampleAsTheDefaultMapDoes) {
    ZR_REQUIRE_SAMPLES();
    int tripped = 0;
    for (int index = 1; index <= 12; ++index)
        for (int scheme = 1; scheme <= 3; ++scheme) {
            const std::string source = generatorSample(index, scheme);
            if (source.empty()) continue;
            SCOPED_TRACE(std::to_string(index) + "/" + std::to_string(scheme) + " " + source);
            zrtest::PromptRecorder prompts(true);
            GeneratorScript script = generatorScript(index, scheme);
            generatorRun(script);
            // Each in a folder of its own under the same names: the CSV
            // carries the map's and the output's names.
            zrtest::TempDir dir, defaultDir;
            const GeneratorTrip generated = generatorTrip(source, script.savedText, dir, "trip");
            const GeneratorTrip builtIn = generatorTrip(source, zr::builtInMapText(index, scheme), defaultDir, "trip");
            EXPECT_EQ(generated.csv, builtIn.csv);
            EXPECT_EQ(generated.built, builtIn.built);
            // The rebuilt envelopes are stamped with the time of their runs.
            EXPECT_EQ(zrtest::withoutEnvelopeStamps(generated.x12), zrtest::withoutEnvelopeStamps(builtIn.x12));
            if (!generated.built) continue;
            // Read back: a whole interchange of a valid version.
            const std::string rebuilt = dir.file("trip.x12");
            const auto delimiters = zr::locateDelimiters(rebuilt);
            ASSERT_TRUE(delimiters.has_value());
            const zr::SegmentTable t = zr::loadSegmentTable(rebuilt, *delimiters);
            ASSERT_GT(t.size(), 3u);
            EXPECT_EQ(t.id(1), "ISA");
            const std::string isa12(t.element(1, 12));
            EXPECT_EQ(isa12, scheme == 1 ? "00401" : "00501");
            EXPECT_EQ(t.id(t.size()), "IEA");
            ++tripped;
        }
    EXPECT_GE(tripped, 12);
}

}  // namespace
