#include <gtest/gtest.h>

#include <fstream>

#include "conversion_driver.hpp"
#include "file_io.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

using Strings = std::vector<std::string>;

// The engine as the driver sees it: writes the output and says so.
zr::EngineResult fakeEngine(const zr::EngineRequest& r) {
    zr::EngineResult result;
    std::string body = "from " + wl::fileNamePart(r.spec.sourceFile) + "\r\n";
    int error = r.merge ? wl::appendToFile(r.spec.destinationFile, body)
                        : wl::writeFileAtomically(r.spec.destinationFile, body);
    result.failed = error != 0;
    result.log = "12:00:00 - ENGINE " + wl::fileNamePart(r.spec.sourceFile) + " -> " + r.spec.destinationFile + "\r\n";
    return result;
}

struct DriverFixture {
    zrtest::TempDir dir;
    std::string in = wl::joinPath(dir.path(), "in");
    std::string out = wl::joinPath(dir.path(), "out");
    DriverFixture() {
        std::filesystem::create_directories(in);
        std::filesystem::create_directories(out);
    }
    std::string x12(const std::string& name) { return write(in, name, "ISA*00*~"); }
    std::string write(const std::string& folder, const std::string& name, const std::string& bytes) {
        const std::string path = wl::joinPath(folder, name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    zr::DriverResult run(const std::string& type, const std::string& source, const std::string& destination,
                         const std::string& options) {
        zr::DriverRequest r;
        r.type = type;
        r.source = source;
        r.destination = destination;
        r.options = options;
        r.currentFolder = dir.path();
        r.mode = 0;
        zr::DriverHooks h;
        h.engine = fakeEngine;
        h.clock = [] { return std::string("12:00:00"); };
        h.date = [] { return std::string("12/10/26"); };
        return zr::CTLD48403(r, h);
    }
};

// The log lines after the header block and before the closing block.
Strings bodyLines(const std::string& log) {
    Strings lines;
    for (std::size_t p = 0, q; (q = log.find("\r\n", p)) != std::string::npos; p = q + 2)
        lines.push_back(log.substr(p, q - p));
    auto first = std::find(lines.begin(), lines.end(), "--------------------------------");
    auto second = std::find(first + 1, lines.end(), "--------------------------------");
    auto third = std::find(second + 1, lines.end(), "--------------------------------");
    return Strings(second + 1, third);
}

TEST(ConversionDriver, FileSourceToFolder) {
    DriverFixture f;
    std::string src = f.x12("claims.837.x12");
    auto result = f.run("X12,CSV", src, f.out, "HO");
    const std::string output = wl::joinPath(f.out, "claims.csv");
    EXPECT_EQ(zrtest::readBytes(output), "from claims.837.x12\r\n");
    EXPECT_EQ(result.converted, 1);
    EXPECT_EQ(result.failed, 0);
    const Strings want = {
        "12:00:00 - Header On File Set to Yes.",
        "12:00:00 - The source is a file.",
        "12:00:00 - Source File : " + src,
        "12:00:00 - Destination Folder exists.",
        "12:00:00 - Destination : " + f.out,
        "12:00:00 - Type Paramter : X12,CSV",
        "12:00:00 - Source Parameter : " + src,
        "12:00:00 - Destination Parameter : " + f.out,
        "12:00:00 - Options Paramter : HO",
        "12:00:00 - Destination Control : 1",
        "12:00:00 - Reading File : " + src,
        "12:00:00 - Writing File : " + output,
        "12:00:00 - Parse X12 to CSV.",
        "12:00:00 - ENGINE claims.837.x12 -> " + output,
        "12:00:00 - Converted : " + src,
        "12:00:00 ",
    };
    EXPECT_EQ(bodyLines(result.log), want);
    // The log file holds what the run returned, header and end included.
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(f.dir.path(), "parse.log")), result.log);
    EXPECT_EQ(result.log.substr(0, 47), "Zarn Software Model ZRK7W315 X12 Parser Log\r\nTo");
    EXPECT_NE(result.log.find("--------------------------------\r\n\r\nParse Ended   12/10/26  12:00:00\r\n"),
              std::string::npos);
}

TEST(ConversionDriver, OutputNames) {
    struct Case {
        const char* options;
        const char* want;
    };
    const Case cases[] = {
        {"", "claims.xml"},                 // everything from the first "." replaced
        {"RE", "claims.837.x12"},           // the source's name kept
        {"OUTFILE=given.txt,CE", "given.xml"},
    };
    for (const auto& c : cases) {
        DriverFixture f;
        std::string src = f.x12("claims.837.x12");
        std::string options = c.options;
        if (options.rfind("OUTFILE=", 0) == 0) options = "OUTFILE=" + wl::joinPath(f.out, "given.txt") + ",CE";
        f.run("X12,XML", src, f.out, options);
        EXPECT_TRUE(wl::fileExists(wl::joinPath(f.out, c.want))) << c.options;
    }
}

TEST(ConversionDriver, OverwriteQuestion) {
    for (bool yes : {false, true}) {
        DriverFixture f;
        std::string src = f.x12("a.x12");
        const std::string output = f.write(f.out, "a.csv", "old\r\n");
        zrtest::PromptRecorder rec;
        rec.answerNext(yes);
        auto result = f.run("X12,CSV", src, f.out, "");
        ASSERT_EQ(rec.prompts().size(), 1u);
        EXPECT_EQ(rec.prompts()[0].text, output + " already exists. Overwrite it?");
        EXPECT_EQ(rec.prompts()[0].caption, "Overwite File?");
        EXPECT_EQ(rec.prompts()[0].kind, wl::PromptKind::NoYes);
        EXPECT_EQ(zrtest::readBytes(output), yes ? "from a.x12\r\n" : "old\r\n");
        EXPECT_EQ(result.log.find("CSV Not Created ") != std::string::npos, !yes);
    }
    DriverFixture f;
    std::string src = f.x12("a.x12");
    const std::string output = f.write(f.out, "a.csv", "old\r\n");
    zrtest::PromptRecorder rec;
    auto result = f.run("X12,CSV", src, f.out, "OW");
    EXPECT_TRUE(rec.prompts().empty());
    EXPECT_EQ(zrtest::readBytes(output), "from a.x12\r\n");
    EXPECT_NE(result.log.find("12:00:00 -  Erased : " + output), std::string::npos);
}

TEST(ConversionDriver, DestinationNamingAFile) {
    DriverFixture f;
    std::string src = f.x12("a.x12");
    // A new name with an extension is the output file itself.
    const std::string target = wl::joinPath(f.out, "result.csv");
    f.run("X12,CSV", src, target, "OW");
    EXPECT_EQ(zrtest::readBytes(target), "from a.x12\r\n");
    // An existing file with "OW" is replaced, not erased and lost.
    f.run("X12,CSV", f.x12("b.x12"), target, "OW");
    EXPECT_EQ(zrtest::readBytes(target), "from b.x12\r\n");
    // A destination folder that does not exist converts nothing and counts as a failure.
    auto missing = f.run("X12,CSV", src, wl::joinPath(f.dir.path(), "nowhere"), "OW");
    EXPECT_EQ(missing.converted, 0);
    EXPECT_EQ(missing.failed, 1);
    EXPECT_NE(missing.log.find("The Destination Folder does Not exist."), std::string::npos);
    EXPECT_NE(missing.log.find("Destination Control : 0"), std::string::npos);
}

TEST(ConversionDriver, FolderSources) {
    DriverFixture f;
    f.x12("1.x12");
    f.x12("2.x12");
    f.write(f.in, "readme.txt", "not X12");
    auto result = f.run("X12,CSV", f.in, f.out, "");
    EXPECT_EQ(result.converted, 2);
    EXPECT_TRUE(wl::fileExists(wl::joinPath(f.out, "1.csv")));
    EXPECT_TRUE(wl::fileExists(wl::joinPath(f.out, "2.csv")));
    EXPECT_FALSE(wl::fileExists(wl::joinPath(f.out, "readme.csv")));
    EXPECT_NE(result.log.find("12:00:00 -  Dir/ File: " + wl::joinPath(f.in, "1.x12")), std::string::npos);
    // Every source has its line, the one passed over included.
    EXPECT_EQ(result.skipped, 1);
    EXPECT_NE(result.log.find("12:00:00 - Converted : " + wl::joinPath(f.in, "2.x12")), std::string::npos);
    EXPECT_NE(result.log.find("12:00:00 - Skipped : Not X12 (does not begin with ISA) : " +
                              wl::joinPath(f.in, "readme.txt")),
              std::string::npos);

    // CSV sources never begin with "ISA": they are converted all the same.
    DriverFixture c;
    c.write(c.in, "a.csv", "A,B\r\n");
    EXPECT_EQ(c.run("CSV,X12", c.in, c.out, "").converted, 1);
    EXPECT_TRUE(wl::fileExists(wl::joinPath(c.out, "a.x12")));
}

// Mended: a folder without X12 files, failed sources and sources whose
// data was cut short all passed as success.
TEST(ConversionDriver, EverySourceEndsWithATruthfulLine) {
    DriverFixture none;
    none.write(none.in, "readme.txt", "not X12");
    auto empty = none.run("X12,CSV", none.in, none.out, "");
    EXPECT_EQ(empty.failed, 1);
    EXPECT_EQ(empty.skipped, 1);
    EXPECT_NE(empty.log.find("12:00:00 - No Source Converted in Folder : " + none.in), std::string::npos);

    DriverFixture f;
    const std::string bad = f.x12("bad.x12");
    const std::string cut = f.x12("cut.x12");
    zr::DriverRequest r;
    r.type = "X12,CSV";
    r.source = f.in;
    r.destination = f.out;
    r.currentFolder = f.dir.path();
    zr::DriverHooks h;
    h.engine = [](const zr::EngineRequest& e) {
        zr::EngineResult result;
        if (wl::fileNamePart(e.spec.sourceFile) == "bad.x12") {
            result.failed = true;
            result.reason = "No Map";
        } else {
            result.problems = {"Source Ends Inside a Transaction Set (no SE)"};
        }
        return result;
    };
    h.clock = [] { return std::string("12:00:00"); };
    auto result = zr::CTLD48403(r, h);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.lostData, 1);
    EXPECT_EQ(result.converted, 0);
    EXPECT_NE(result.log.find("12:00:00 - Failed : " + bad + " : No Map\r\n"), std::string::npos);
    EXPECT_NE(result.log.find("12:00:00 - Converted With Lost Data : " + cut + "\r\n"), std::string::npos);
    EXPECT_EQ(result.notes, (Strings{"Failed : " + bad + " : No Map", "Converted With Lost Data : " + cut,
                                     "   Source Ends Inside a Transaction Set (no SE)"}));
}

TEST(ConversionDriver, FolderIntoOneOutFileWithMerge) {
    DriverFixture f;
    f.x12("1.x12");
    f.x12("2.x12");
    f.x12("3.x12");
    const std::string all = f.write(f.out, "all.csv", "old\r\n");
    const std::string bystander = f.write(f.out, "1.csv", "keep me\r\n");
    auto result = f.run("X12,CSV", f.in, f.out, "OUTFILE=" + all + ",MF,OW");
    EXPECT_EQ(zrtest::readBytes(all), "from 1.x12\r\nfrom 2.x12\r\nfrom 3.x12\r\n");
    // Only the real output is erased; a file named like a per-source output stays.
    EXPECT_EQ(zrtest::readBytes(bystander), "keep me\r\n");
    EXPECT_EQ(result.converted, 3);
}

TEST(ConversionDriver, EmptyParametersUnknownTypeAndParseLogName) {
    DriverFixture f;
    zrtest::PromptRecorder rec(/*defaultAnswer=*/true);
    f.dir.write("parse.log", "OLD RUN\r\n");
    auto empty = f.run("", "", "", "");
    ASSERT_EQ(rec.prompts().size(), 1u);
    EXPECT_EQ(rec.prompts()[0].text, "There is already a Parse.log. Add to it?");
    EXPECT_EQ(rec.prompts()[0].caption, "Merge Parse Log?");
    EXPECT_NE(empty.log.find("\r\nOLD RUN\r\n"), std::string::npos);
    EXPECT_NE(empty.log.find("12:00:00 - Parameter 1 and 2 are empty. Start User Interface \r\n"), std::string::npos);
    EXPECT_NE(empty.log.find("12:00:00 - Parameter 1 empty. \r\n"), std::string::npos);
    auto noSource = f.run("X12,CSV", "", "", "");
    EXPECT_NE(noSource.log.find("12:00:00 - Parameter 2 empty.\r\n"), std::string::npos);
    auto unknown = f.run("ABC,DEF", f.x12("a.x12"), f.out, "");
    EXPECT_EQ(unknown.converted, 0);
    EXPECT_NE(unknown.log.find("Destination Control : 0"), std::string::npos);

    const std::string named = wl::joinPath(f.dir.path(), "mine.log");
    auto result = f.run("X12,CSV", f.x12("b.x12"), f.out, "PARSELOG=" + named);
    EXPECT_EQ(result.logPath, named);
    EXPECT_NE(result.log.find("12:00:00 - Parselog = \r\n12:00:00 - Parse Log Set to : " + named), std::string::npos);
    EXPECT_EQ(zrtest::readBytes(named), result.log);
}

TEST(ConversionDriver, OptionWords) {
    zr::RunLog log([] { return std::string("t"); });
    auto o = zr::parseOptions("MAP=My837.cfg,MAPLOG,MAPPATH=C:\\maps, OW,DEFAULTMAPPATH= D:\\m ,x", log);
    EXPECT_EQ(o.map, "My837.cfg");
    EXPECT_TRUE(o.mapLog);
    EXPECT_EQ(o.mapPath, "C:\\maps");
    EXPECT_FALSE(o.overwrite);  // a word with a leading blank is not recognised
    EXPECT_EQ(o.defaultMapPath, "D:\\m");
    // Unknown words are named, so a mistyped option does not pass unseen.
    EXPECT_EQ(log.text(), "t - Map = \r\nt - Map Log ON.\r\nt - MapPath = \r\nt - Unknown option :  OW\r\n"
                          "t - DefaultMapPath = \r\nt - Unknown option : x\r\n");
    EXPECT_EQ(zr::CTL48403D("a.b.c", "X12,XML", true), "a.xml");
    EXPECT_EQ(zr::CTL48403D("abc", "X12,XML", true), "abc");
    EXPECT_EQ(zr::CTL48400Q("out.txt", "csv", false), "out.csv");
    EXPECT_EQ(zr::CTL48400Q("out", "csv", false), "out.csv");
    EXPECT_EQ(zr::CTL48400L("a,so", 1), 1);
    EXPECT_EQ(zr::CTL48400L("a,so", 2), 0);
}

}  // namespace
