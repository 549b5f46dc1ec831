#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <stdexcept>

#include "conversion_driver.hpp"
#include "file_io.hpp"
#include "module_state.hpp"
#include "paths.hpp"
#include "messages.hpp"
#include "progress_meter.hpp"
#include "test_support.hpp"

namespace {

using Strings = std::vector<std::string>;

// The engine as the driver sees it: writes the output and says so.
zr::EngineResult fakeEngine(const zr::EngineRequest& r) {
    zr::EngineResult result;
    std::string body = "from " + wl::fileNamePart(r.spec.sourceFile) + "\r\n";
    int error = r.options.merge ? wl::appendToFile(r.spec.destinationFile, body)
                                : wl::writeFileAtomically(r.spec.destinationFile, body);
    result.failed = error != 0;
    result.log = "12:00:00 - ENGINE " + wl::fileNamePart(r.spec.sourceFile) + " -> " + r.spec.destinationFile + "\r\n";
    return result;
}

struct DriverFixture {
    zrtest::TempDir dir;
    zr::DriverMode mode = zr::DriverMode::Batch;
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
        r.mode = mode;
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
    // Asked where somebody is at the screen.
    for (bool yes : {false, true}) {
        DriverFixture f;
        f.mode = zr::DriverMode::Menu;
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

TEST(ConversionDriver, AnUnattendedRunAnswersTheOverwriteQuestionNoAndSaysSo) {
    struct Case {
        const char* options;
        const char* question;
        const char* notCreated;
    };
    const Case cases[] = {
        {"", " already exists. Overwrite it?", "CSV Not Created "},
        {"MF", " already exists. Add to it?", "CSV Not Created "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        DriverFixture f;
        std::string src = f.x12("a.x12");
        const std::string output = f.write(f.out, "a.csv", "old\r\n");
        zrtest::PromptRecorder rec(true);  // a click would say Yes: none may be asked for
        auto result = f.run("X12,CSV", src, f.out, c.options);
        EXPECT_TRUE(rec.prompts().empty());
        EXPECT_EQ(zrtest::readBytes(output), "old\r\n");
        EXPECT_NE(result.log.find("12:00:00 - Unattended Run, Answered No : " + output + c.question + "\r\n"),
                  std::string::npos)
            << result.log;
        EXPECT_NE(result.log.find(c.notCreated), std::string::npos);
        EXPECT_EQ(result.converted, 0);
        EXPECT_EQ(result.skipped, 1);
        EXPECT_EQ(zr::batchExitStatus(result), 1);
    }
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

    // Mended: files the single-file run converts were passed over when
    // anything stood before their ISA.
    DriverFixture lead;
    for (const auto& [name, before] : {std::pair<const char*, std::string>{"bom.x12", "\xEF\xBB\xBF"},
                                       {"blank.x12", "\r\n"},
                                       {"text.x12", "Batch 12 of 40\r\n"}})
        lead.write(lead.in, name, before + "ISA*00*~");
    auto led = lead.run("X12,CSV", lead.in, lead.out, "");
    EXPECT_EQ(led.converted, 3) << led.log;
    EXPECT_EQ(led.skipped, 0) << led.log;
    for (const char* name : {"bom.csv", "blank.csv", "text.csv"})
        EXPECT_TRUE(wl::fileExists(wl::joinPath(lead.out, name))) << name;

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

// An exception in one source's conversion stops that source only: it is
// logged and counted, and the next source is converted.
TEST(ConversionDriver, AnExceptionFailsItsSourceAndTheRunGoesOn) {
    DriverFixture f;
    const std::string bad = f.x12("1.x12");
    f.x12("2.x12");
    zr::DriverRequest r;
    r.type = "X12,CSV";
    r.source = f.in;
    r.destination = f.out;
    r.currentFolder = f.dir.path();
    zr::DriverHooks h;
    h.engine = [](const zr::EngineRequest& e) {
        if (wl::fileNamePart(e.spec.sourceFile) == "1.x12") throw std::runtime_error("disk gone");
        return fakeEngine(e);
    };
    h.clock = [] { return std::string("12:00:00"); };
    const zr::DriverResult result = zr::CTLD48403(r, h);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.converted, 1);
    EXPECT_NE(result.log.find("12:00:00 - Failed : " + bad + " : Conversion Stopped (disk gone)\r\n"),
              std::string::npos)
        << result.log;
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(f.out, "2.csv")), "from 2.x12\r\n");
    EXPECT_TRUE(std::filesystem::exists(result.logPath));
}

TEST(ConversionDriver, FolderIntoOneOutFileWithMerge) {
    DriverFixture f;
    f.x12("1.x12");
    f.x12("2.x12");
    f.x12("3.x12");
    const std::string all = f.write(f.out, "all.csv", "old\r\n");
    const std::string bystander = f.write(f.out, "1.csv", "keep me\r\n");
    auto result = f.run("X12,CSV", f.in, f.out, "OUTFILE=" + all + ",MF,OW");
    // A merge never erases: the earlier rows stay and every source is appended.
    EXPECT_EQ(zrtest::readBytes(all), "old\r\nfrom 1.x12\r\nfrom 2.x12\r\nfrom 3.x12\r\n");
    // A file named like a per-source output stays.
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

// An unattended run waits for no click: what the engine or the driver
// says goes to the log and the meter's text, and the run goes on.
TEST(UnattendedRun, MessagesGoToTheLogAndTheMeterNeverToABox) {
    DriverFixture f;
    f.x12("a.x12");
    f.x12("b.x12");
    zrtest::PromptRecorder rec(/*defaultAnswer=*/false);
    std::vector<std::string> meterTexts;
    const zr::MeterObserver before = zr::setMeterObserver([&](const zr::MeterEvent& e) {
        if (e.kind == zr::MeterEvent::Kind::SecondLine) meterTexts.push_back(e.text);
    });
    zr::DriverRequest r;
    r.type = "X12,CSV";
    r.source = f.in;
    r.destination = f.out;
    r.currentFolder = f.dir.path();
    r.mode = zr::DriverMode::Batch;
    zr::DriverHooks h;
    h.clock = [] { return std::string("12:00:00"); };
    h.date = [] { return std::string("12/10/26"); };
    h.engine = [](const zr::EngineRequest& e) {
        if (wl::fileNamePart(e.spec.sourceFile) == "a.x12") {
            wl::WQOUT({"Cfile <ERROR> FC-Create # 5"});
            wl::MSGSTOP("No Record in Source, No X12 Built", wl::Value("Stop"));
            zr::EngineResult failed;
            failed.failed = true;
            return failed;
        }
        return fakeEngine(e);
    };
    const zr::DriverResult result = zr::CTLD48403(r, h);
    zr::setMeterObserver(before);
    EXPECT_TRUE(rec.prompts().empty()) << rec.texts().front();
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.converted, 1);  // the next source still converted
    for (const char* line : {"12:00:00 - Cfile <ERROR> FC-Create # 5\r\n",
                             "12:00:00 - No Record in Source, No X12 Built\r\n"})
        EXPECT_NE(result.log.find(line), std::string::npos) << line;
    EXPECT_EQ(meterTexts, (Strings{"Cfile <ERROR> FC-Create # 5", "No Record in Source, No X12 Built"}));

    // The same run from the menu shows its messages.
    r.mode = zr::DriverMode::Menu;
    (void)zr::CTLD48403(r, h);
    EXPECT_EQ(std::count_if(rec.prompts().begin(), rec.prompts().end(),
                            [](const wl::Prompt& p) { return !p.isQuestion(); }),
              2);
}

// Runs that convert nothing say why and fail; every log ends with the count.
TEST(UnattendedRun, MissingSourcesAreNamedAndTheLogEndsWithTheCount) {
    DriverFixture f;
    zrtest::PromptRecorder rec;
    const std::string missing = wl::joinPath(f.in, "missing.x12");
    const zr::DriverResult gone = f.run("X12,CSV", missing, f.out, "");
    EXPECT_EQ(gone.failed, 1);
    EXPECT_NE(gone.log.find("12:00:00 - Source Not Found : " + missing + "\r\n"), std::string::npos);
    EXPECT_EQ(gone.notes, Strings{"Source Not Found : " + missing});

    const zr::DriverResult none = f.run("X12,CSV", "", "", "");
    EXPECT_EQ(none.failed, 1);
    EXPECT_NE(none.log.find("12:00:00 - No Source Given for X12,CSV\r\n"), std::string::npos);

    f.x12("a.x12");
    f.write(f.in, "notes.txt", "not X12");
    const zr::DriverResult folder = f.run("X12,CSV", f.in, f.out, "");
    const std::string last = "1 converted, 0 converted with lost data, 0 failed, 1 skipped\r\n";
    ASSERT_GE(folder.log.size(), last.size());
    EXPECT_EQ(folder.log.substr(folder.log.size() - last.size()), last);
    EXPECT_EQ(zr::countLine(folder) + "\r\n", last);
    EXPECT_TRUE(rec.prompts().empty());
}

// A log that cannot be written is no box in an unattended run: the caller
// says it on the error output, and the run fails.
TEST(UnattendedRun, AnUnwritableLogIsReportedToTheCaller) {
    DriverFixture f;
    zrtest::PromptRecorder rec;
    f.x12("a.x12");
    const std::string file = f.write(f.dir.path(), "plain.txt", "x");
    const std::string log = wl::joinPath(file, "run.log");  // below a file: never writable
    const zr::DriverResult result = f.run("X12,CSV", wl::joinPath(f.in, "a.x12"), f.out, "PARSELOG=" + log);
    EXPECT_EQ(result.converted, 1);
    EXPECT_EQ(result.failed, 1);
    EXPECT_NE(result.logError.find("Cfile <ERROR> FC-Create"), std::string::npos) << result.logError;
    EXPECT_NE(result.logError.find(log), std::string::npos);
    EXPECT_TRUE(rec.prompts().empty());
}

TEST(ConversionDriver, OutputNameRoutines) {
    EXPECT_EQ(zr::CTL48403D("a.b.c", "X12,XML", true), "a.xml");
    EXPECT_EQ(zr::CTL48403D("abc", "X12,XML", true), "abc");
    EXPECT_EQ(zr::CTL48400Q("out.txt", "csv", false), "out.csv");
    EXPECT_EQ(zr::CTL48400Q("out", "csv", false), "out.csv");
    EXPECT_EQ(zr::CTL48400L("a,so", 1), 1);
    EXPECT_EQ(zr::CTL48400L("a,so", 2), 0);
}

}  // namespace

// ---------------------------------------------------------------------------
// What a run keeps: the real engine in a scratch current folder.

namespace safety {

namespace fs = std::filesystem;

const char kIsa[] =
    "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";

// An 837P of two claims with the ids given.
std::string claims(const std::string& first, const std::string& second) {
    return std::string(kIsa) +
           "GS*HC*S*R*20261210*1253*1*X*005010X222A2~ST*837*0001~HL*1**20*1~NM1*85*2*CLINIC~"
           "HL*2*1*22*0~NM1*IL*1*SMITH~CLM*" + first + "*100~LX*1~SV1*HC:99213*100~"
           "HL*3*1*22*0~NM1*IL*1*JONES~CLM*" + second + "*75~LX*1~SV1*HC:99214*50~"
           "SE*11*0001~GE*1*1~IEA*1*000000001~";
}

std::string rows(const std::string& first, const std::string& second) {
    return "CLINIC,SMITH," + first + ",99213\r\nCLINIC,JONES," + second + ",99214\r\n";
}

// X12 to CSV.
const char kReadMap[] =
    "KEYHEADERFIELD=HL,,,20\r\nKEYFIELD=HL,,,22\r\nKEYLINEFIELD=SV1\r\n"
    "FIELD=PROVIDER,20,NM1,85,2,3,,,,2\r\nFIELD=SUBNAME,20,NM1,IL,2,3\r\nFIELD=CLAIMID,20,CLM,,,1\r\n"
    "FIELD=PROC1,5,SV1,,,1,2,CLAIMID,,,1\r\n";
// CSV to X12.
const char kBuildMap[] =
    "X12TRANSACTIONTYPE=837P\r\nVERSION=5010\r\nFIELD=NAME,20,NM1,IL,2,3\r\nFIELD=CLAIMID,20,CLM,,,1\r\n"
    "SEGMENT=2,NM1,IL,1,$NAME\r\nSEGMENT=2,CLM,$CLAIMID\r\n";

using Snapshot = std::map<std::string, std::string>;

// The files with the envelope's date and time of making masked.
Snapshot driverSnapshotWithoutTimes(Snapshot files) {
    for (auto& [name, bytes] : files) bytes = zrtest::withoutEnvelopeStamps(bytes);
    return files;
}

struct Fixture {
    zrtest::TempDir dir;
    fs::path old = fs::current_path();
    zrtest::PromptRecorder prompts;
    Fixture() {
        fs::current_path(dir.path());
        fs::create_directories("src");
        fs::create_directories("out");
        write("read.cfg", kReadMap);
        write("build.cfg", kBuildMap);
        write("src/a.x12", claims("A1", "B2"));
    }
    ~Fixture() { fs::current_path(old); }
    void write(const std::string& name, const std::string& bytes) { dir.write(name, bytes); }
    zr::DriverResult run(const std::string& type, const std::string& source, const std::string& destination,
                         const std::string& options) {
        zr::DriverRequest r;
        r.type = type;
        r.source = source;
        r.destination = destination;
        r.options = options;
        r.currentFolder = dir.path();
        zr::DriverHooks h;
        h.clock = [] { return std::string("12:00:00"); };
        h.date = [] { return std::string("12/10/26"); };
        return zr::CTLD48403(r, h);
    }
    // Every file below the folder but the run log, with its bytes.
    Snapshot files() const {
        Snapshot s;
        for (const auto& e : fs::recursive_directory_iterator(dir.path()))
            if (e.is_regular_file() && e.path().filename() != "parse.log")
                s[fs::relative(e.path(), dir.path()).generic_string()] = zrtest::readBytes(e.path().string());
        return s;
    }
};

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(DriverSafety, RunsThatWouldReplaceASourceTheMapOrAnOutputAreRefusedBeforeAnythingIsTouched) {
    struct Case {
        const char* type;
        const char* source;
        const char* destination;
        const char* options;
    };
    const Case cases[] = {
        {"X12,CSV", "src/a.x12", "out", "OW,DS,MAP=read.cfg,OUTFILE=src/a.x12"},  // output is the source
        {"X12,CSV", "src/a.x12", "src/a.x12", "OW,MAP=read.cfg"},                 // destination is the source
        {"CSV,X12", "src/c.csv", "src/c.csv", "OW,MAP=build.cfg"},
        {"X12,CSV", "src", "src", "RE,OW,DS,MAP=read.cfg"},                 // a folder into itself
        {"X12,CSV", "src/a.x12", "out", "OW,MAP=read.cfg,OUTFILE=read.cfg"},  // output is the map
        {"X12,CSV", "src/a.x12", "out", "MAP=read.cfg,PARSELOG=src/a.x12"},   // run log is the source
        {"X12,CSV", "src/a.x12", "out", "MAP=read.cfg,PARSELOG=read.cfg"},    // run log is the map
        {"X12,CSV", "src/a.x12", "out", "MAP=read.cfg,PARSELOG=out/a.csv"},   // run log is the output
        {"X12,CSV", "debug.log", "out", "DEBUG,MAP=read.cfg"},                // debug log is the source
    };
    for (const Case& c : cases) {
        Fixture f;
        f.write("src/c.csv", "SMITH,C1\r\n");
        f.write("debug.log", claims("D1", "D2"));
        const Snapshot before = f.files();
        auto result = f.run(c.type, c.source, c.destination, c.options);
        SCOPED_TRACE(std::string(c.type) + " " + c.source + " " + c.destination + " " + c.options);
        EXPECT_EQ(f.files(), before);  // nothing written, replaced or deleted
        EXPECT_EQ(result.converted, 0);
        EXPECT_GE(result.failed, 1);
        EXPECT_TRUE(has(result.log, "12:00:00 - Run Refused : ")) << result.log;
        ASSERT_FALSE(f.prompts.prompts().empty());
        EXPECT_EQ(f.prompts.prompts()[0].text.rfind("\r\nRun Refused : ", 0), 0u);
        // The log is kept, in "parse.log" when its own name was refused.
        EXPECT_TRUE(has(zrtest::readBytes(result.logPath), "Run Refused : "));
    }
}

TEST(DriverSafety, OverwriteReplacesAnOutputOnlyWithACompleteOne) {
    Fixture f;
    f.write("out/a.csv", "EARLIER\r\n");
    auto result = f.run("X12,CSV", "src/a.x12", "out", "OW,MAP=missing.cfg");
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(zrtest::readBytes("out/a.csv"), "EARLIER\r\n");
    EXPECT_FALSE(has(result.log, "Erased"));
    // A run that succeeds replaces it and says so.
    result = f.run("X12,CSV", "src/a.x12", "out", "OW,MAP=read.cfg");
    EXPECT_EQ(zrtest::readBytes("out/a.csv"), rows("A1", "B2"));
    EXPECT_TRUE(has(result.log, "12:00:00 -  Erased : " + wl::joinPath("out", "a.csv")));
}

TEST(DriverSafety, MergeAppendsToAnExistingOutputAndNeverErasesIt) {
    Fixture f;
    f.write("out/a.csv", "EARLIER,ROW\r\n");
    f.run("X12,CSV", "src/a.x12", "out", "MF,OW,MAP=read.cfg");
    EXPECT_EQ(zrtest::readBytes("out/a.csv"), "EARLIER,ROW\r\n" + rows("A1", "B2"));
    // Without "OW" the question comes first; No leaves the file alone.
    f.prompts.answerNext(false);
    f.run("X12,CSV", "src/a.x12", "out", "MF,MAP=read.cfg");
    ASSERT_EQ(f.prompts.prompts().size(), 1u);
    // The question says what Yes does: the records are added.
    EXPECT_EQ(f.prompts.prompts()[0].text, wl::joinPath("out", "a.csv") + " already exists. Add to it?");
    EXPECT_EQ(zrtest::readBytes("out/a.csv"), "EARLIER,ROW\r\n" + rows("A1", "B2"));
    f.prompts.answerNext(true);
    f.run("X12,CSV", "src/a.x12", "out", "MF,MAP=read.cfg");
    EXPECT_EQ(zrtest::readBytes("out/a.csv"), "EARLIER,ROW\r\n" + rows("A1", "B2") + rows("A1", "B2"));

    // An X12 output takes a second interchange.
    f.write("src/c.csv", "SMITH,C1\r\n");
    f.run("CSV,X12", "src/c.csv", "out", "MF,OW,MAP=build.cfg");
    f.write("src/c.csv", "JONES,C2\r\n");
    auto second = f.run("CSV,X12", "src/c.csv", "out", "MF,OW,MAP=build.cfg");
    EXPECT_EQ(second.failed, 0);
    const std::string x12 = zrtest::readBytes("out/c.x12");
    EXPECT_TRUE(has(x12, "NM1*IL*1*SMITH~CLM*C1~")) << x12;
    EXPECT_TRUE(has(x12, "NM1*IL*1*JONES~CLM*C2~")) << x12;
    EXPECT_EQ(x12.find("ISA", 1), x12.find("IEA*1*") + x12.substr(x12.find("IEA*1*")).find('~') + 1);
}

TEST(DriverSafety, MergeRefusesAFileThatIsNotThisProgramsOutputOfThatKind) {
    struct Case {
        const char* type;
        const char* options;
        const char* file;
        const char* bytes;
    };
    const Case cases[] = {
        {"X12,XML", "MF,OW,MAP=read.cfg", "out/a.xml",
         "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n</EXPORTDATA>\r\n<NOTES>keep</NOTES>\r\n"},
        {"X12,CSV", "MF,OW,MAP=read.cfg,OUTFILE=out/other.x12", "out/other.x12", nullptr},
        {"CSV,X12", "MF,OW,MAP=build.cfg", "out/c.x12", "NAME,ID\r\nSMITH,C1\r\n"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.write("src/c.csv", "JONES,C2\r\n");
        f.write(c.file, c.bytes ? c.bytes : claims("X1", "X2"));
        const std::string source = std::string(c.type).substr(0, 3) == "CSV" ? "src/c.csv" : "src/a.x12";
        auto result = f.run(c.type, source, "out", c.options);
        SCOPED_TRACE(c.file);
        EXPECT_EQ(zrtest::readBytes(c.file), c.bytes ? c.bytes : claims("X1", "X2"));
        EXPECT_EQ(result.failed, 1);
        EXPECT_TRUE(has(result.log, "Merge Refused : ")) << result.log;
    }
}

TEST(DriverSafety, NothingARunWroteIsReplacedByALaterSourceOfTheSameRun) {
    {
        // One "OUTFILE=" for a folder, without "MF": the second source clashes.
        Fixture f;
        f.write("src/b.x12", claims("C3", "D4"));
        auto result = f.run("X12,CSV", "src", "out", "OW,DS,MAP=read.cfg,OUTFILE=out/all.csv");
        EXPECT_EQ(zrtest::readBytes("out/all.csv"), rows("A1", "B2"));
        EXPECT_EQ(result.converted, 1);
        EXPECT_EQ(result.failed, 1);
        EXPECT_TRUE(has(result.log, "Output Clash : out/all.csv was written earlier in this run.")) << result.log;
        EXPECT_FALSE(fs::exists("src/a.x12"));  // its records are in all.csv
        EXPECT_TRUE(fs::exists("src/b.x12"));   // its records are nowhere
    }
    {
        // With "MF" both go into it.
        Fixture f;
        f.write("src/b.x12", claims("C3", "D4"));
        auto result = f.run("X12,CSV", "src", "out", "OW,MF,DS,MAP=read.cfg,OUTFILE=out/all.csv");
        EXPECT_EQ(zrtest::readBytes("out/all.csv"), rows("A1", "B2") + rows("C3", "D4"));
        EXPECT_EQ(result.converted, 2);
        EXPECT_TRUE(f.prompts.prompts().empty());
    }
    {
        // Two sources whose names agree up to the first ".".
        Fixture f;
        fs::remove("src/a.x12");
        f.write("src/a.1.x12", claims("A1", "B2"));
        f.write("src/a.2.x12", claims("C3", "D4"));
        auto result = f.run("X12,CSV", "src", "out", "OW,DS,MAP=read.cfg");
        EXPECT_EQ(zrtest::readBytes("out/a.csv"), rows("A1", "B2"));
        EXPECT_EQ(result.failed, 1);
        EXPECT_TRUE(fs::exists("src/a.2.x12"));
    }
}

TEST(DriverSafety, RenameWithTheMapNameNeverReplacesAFileUnasked) {
    {
        Fixture f;
        f.write("837p.cfg", kReadMap);  // the map derived from GS08
        f.write("out/837p.cfg_a.csv", "PRECIOUS\r\n");
        f.prompts.answerNext(false);
        auto result = f.run("X12,CSV", "src/a.x12", "out", "RPMN");
        ASSERT_EQ(f.prompts.prompts().size(), 1u);
        EXPECT_EQ(f.prompts.prompts()[0].text, wl::joinPath("out", "837p.cfg_a.csv") + " already exists. Overwrite it?");
        EXPECT_EQ(zrtest::readBytes("out/837p.cfg_a.csv"), "PRECIOUS\r\n");
        EXPECT_EQ(zrtest::readBytes("out/a.csv"), rows("A1", "B2"));  // left under its own name
        EXPECT_TRUE(has(result.log, "RPMN : " + wl::joinPath("out", "a.csv")));
        EXPECT_TRUE(has(result.log, "12:00:00 - RPMN : Not Renamed, " + wl::joinPath("out", "837p.cfg_a.csv") + " Kept\r\n"))
            << result.log;
        // "OW" replaces a file this run did not write.
        f.run("X12,CSV", "src/a.x12", "out", "RPMN,OW");
        EXPECT_EQ(zrtest::readBytes("out/837p.cfg_a.csv"), rows("A1", "B2"));
    }
    {
        // Never over an output of the same run, "OW" or not.
        Fixture f;
        f.write("837p.cfg", kReadMap);
        f.write("src/b.x12", claims("C3", "D4"));
        f.run("X12,CSV", "src", "out", "RPMN,OW,MF,OUTFILE=out/all.csv");
        EXPECT_EQ(zrtest::readBytes("out/837p.cfg_all.csv"), rows("A1", "B2"));
        EXPECT_EQ(zrtest::readBytes("out/all.csv"), rows("C3", "D4"));
    }
}

TEST(DriverSafety, AFolderIsNeverReplacedByALogOrAnOutput) {
    Fixture f;
    fs::create_directories("logs");
    auto result = f.run("X12,CSV", "src/a.x12", "out", "MAP=read.cfg,PARSELOG=logs");
    EXPECT_TRUE(fs::is_directory("logs"));
    EXPECT_GE(result.failed, 1);
    // An output named like a folder fails and leaves the folder.
    fs::create_directories("out/b.x12");
    f.write("src/b.csv", "SMITH,C1\r\n");
    f.prompts.answerNext(true);
    f.run("CSV,X12", "src/b.csv", "out", "MAP=build.cfg,OUTFILE=out/b.x12");
    EXPECT_TRUE(fs::is_directory("out/b.x12"));
}

#ifndef _WIN32
TEST(DriverSafety, LogsAndOutputsGoIntoPipesInPlace) {
    Fixture f;
    zrtest::HeldPipe logPipe("logpipe");
    ASSERT_TRUE(logPipe.ok());
    auto result = f.run("X12,CSV", "src/a.x12", "out", "MAP=read.cfg,PARSELOG=logpipe");
    EXPECT_TRUE(fs::is_fifo("logpipe"));
    EXPECT_EQ(logPipe.received(), result.log);

    zrtest::HeldPipe outPipe("outpipe");
    ASSERT_TRUE(outPipe.ok());
    f.write("src/c.csv", "SMITH,C1\r\n");
    result = f.run("CSV,X12", "src/c.csv", "out", "MAP=build.cfg,OUTFILE=outpipe");
    EXPECT_TRUE(fs::is_fifo("outpipe"));
    const std::string x12 = outPipe.received();
    EXPECT_TRUE(has(x12, "NM1*IL*1*SMITH~CLM*C1~")) << x12;
}
#endif

// A record refused (a value holding "~") fails the run and nothing is
// written: an earlier output stays whole with "OW", nothing is appended
// with "MF", and a rerun after the fix adds no claim twice.
TEST(DriverSafety, ARefusedRecordCommitsNothing) {
    for (const char* options : {"OW,MAP=build.cfg", "MF,OW,MAP=build.cfg"}) {
        Fixture f;
        f.write("src/c.csv", "SMITH,C1\r\nJONES,C2\r\n");
        ASSERT_EQ(f.run("CSV,X12", "src/c.csv", "out", options).failed, 0) << options;
        const std::string earlier = zrtest::readBytes("out/c.x12");
        f.write("src/c.csv", "ROE,C3\r\nPOE~NM1*IL*1*EVIL,C4\r\nDOE,C5\r\n");
        auto result = f.run("CSV,X12", "src/c.csv", "out", options);
        EXPECT_EQ(result.failed, 1) << options;
        EXPECT_EQ(result.converted, 0) << options;
        EXPECT_EQ(zrtest::readBytes("out/c.x12"), earlier) << options;
        EXPECT_FALSE(has(result.log, "Erased")) << options;
        EXPECT_TRUE(has(result.log, "Record 2 Refused : Field NAME Holds an X12 Delimiter.")) << result.log;
        EXPECT_TRUE(has(result.log, "Nothing Written (1 Record Refused) : " + wl::joinPath("out", "c.x12")))
            << result.log;
        EXPECT_EQ(zr::batchExitStatus(result), 1);
    }
}

// A comma inside "OUTFILE=" would write the output to the cut path: the
// run is refused before anything is touched.
TEST(DriverSafety, ACommaInsideAnOutputPathRefusesTheRun) {
    Fixture f;
    const Snapshot before = f.files();
    auto result = f.run("X12,CSV", "src/a.x12", "out", "OW,MAP=read.cfg,OUTFILE=out/a,b.csv");
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(f.files(), before);
    EXPECT_TRUE(has(result.log, "Run Refused : A Comma Cuts the Option Value : OUTFILE=out/a,b.csv")) << result.log;
}

// Outputs passed over are not converted: the exit status says so.
TEST(DriverSafety, ASourcePassedOverIsNoSuccess) {
    {
        Fixture f;
        f.write("out/a.csv", "EARLIER\r\n");
        f.prompts.answerNext(false);
        auto result = f.run("X12,CSV", "src/a.x12", "out", "MAP=read.cfg");
        EXPECT_EQ(result.skipped, 1);
        EXPECT_EQ(zr::batchExitStatus(result), 1);
    }
    {
        Fixture f;
        f.write("out/a.csv", "EARLIER\r\n");
        f.write("src/b.x12", claims("C3", "D4"));
        auto result = f.run("X12,CSV", "src", "out", "MAP=read.cfg");
        EXPECT_TRUE(has(result.log, "File Exists : ")) << result.log;
        EXPECT_EQ(result.converted, 1);
        EXPECT_EQ(zr::batchExitStatus(result), 1);
    }
    Fixture f;
    EXPECT_EQ(zr::batchExitStatus(f.run("X12,CSV", "src/a.x12", "out", "MAP=read.cfg")), 0);
}

// A folder converted on several workers writes what one worker writes:
// the same outputs, the same run log line for line, the same counts, with
// a failing source, a source passed over and a replaced output among them.
TEST(DriverSafety, AFolderSideBySideWritesWhatOneAtATimeWrites) {
    struct Case {
        const char* type;
        const char* options;
        const char* extension;
        std::string (*source)(int);
        const char* failing;  // a source that fails
    };
    const Case cases[] = {
        {"X12,CSV", "MAP=read.cfg", "x12",
         [](int i) { return claims("A" + std::to_string(i), "B" + std::to_string(i)); },
         "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*00000"},
        {"X12,CSV", "OW,DS,MAP=read.cfg", "x12",
         [](int i) { return claims("A" + std::to_string(i), "B" + std::to_string(i)); }, "ISA*00~"},
        {"CSV,X12", "OW,MAP=build.cfg", "csv",
         [](int i) { return "SMITH,C" + std::to_string(i) + "\r\nJONES,D" + std::to_string(i) + "\r\n"; },
         "ROE,C3\r\nPOE~NM1*IL*1*EVIL,C4\r\n"},
    };
    for (const Case& c : cases) {
        Fixture f;
        const std::string ext = c.extension;
        auto prepare = [&] {
            fs::remove_all("src");
            fs::remove_all("out");
            fs::create_directories("src");
            fs::create_directories("out");
            for (int i = 0; i < 13; ++i) f.write("src/s" + std::to_string(10 + i) + "." + ext, c.source(i));
            f.write("src/s15." + ext, c.failing);
            // An output already there: passed over, or replaced with "OW".
            f.write(std::string("out/s17.") + (ext == "csv" ? "x12" : "csv"), "EARLIER\r\n");
        };
        auto run = [&](unsigned threads) {
            zr::DriverRequest r;
            r.type = c.type;
            r.source = "src";
            r.destination = "out";
            r.options = c.options;
            r.currentFolder = f.dir.path();
            r.mode = zr::DriverMode::Batch;
            zr::DriverHooks h;
            h.clock = [] { return std::string("12:00:00"); };
            h.date = [] { return std::string("12/10/26"); };
            h.folderThreads = threads;
            return zr::CTLD48403(r, h);
        };
        prepare();
        const zr::DriverResult one = run(1);
        const Snapshot oneFiles = driverSnapshotWithoutTimes(f.files());
        const std::string oneLog = zrtest::readBytes("parse.log");
        EXPECT_GE(one.failed, 1) << c.options << "\n" << one.log;
        EXPECT_GE(one.converted, 10) << c.options << "\n" << one.log;
        for (unsigned threads : {4u, 0u}) {
            prepare();
            const zr::DriverResult many = run(threads);
            EXPECT_EQ(many.log, one.log) << c.options << " " << threads;
            EXPECT_EQ(zrtest::readBytes("parse.log"), oneLog) << c.options << " " << threads;
            EXPECT_EQ(driverSnapshotWithoutTimes(f.files()), oneFiles) << c.options << " " << threads;
            EXPECT_EQ(many.notes, one.notes) << c.options << " " << threads;
            EXPECT_EQ(zr::countLine(many), zr::countLine(one)) << c.options << " " << threads;
            EXPECT_EQ(zr::batchExitStatus(many), 1);
        }
    }
}

#ifndef _WIN32
// Links planted at every temporary name the program ever used lead
// nowhere: the files they point at keep every byte.
TEST(DriverSafety, PlantedLinksAtTemporaryNamesAreNeverFollowed) {
    Fixture f;
    f.write("victim.txt", "PRECIOUS\r\n");
    const std::string victim = fs::absolute("victim.txt").string();
    const std::string source = fs::absolute("src/a.x12").string();
    const std::string before = zrtest::readBytes(source);
    for (const char* name : {"out/a.csv.zrtmp", "parse.log.zrtmp", "debug.log.zrtmp"})
        fs::create_symlink(std::string(name) == "out/a.csv.zrtmp" ? source : victim, name);
    auto result = f.run("X12,CSV", "src/a.x12", "out", "OW,DEBUG,MAP=read.cfg");
    EXPECT_EQ(result.converted, 1) << result.log;
    EXPECT_EQ(zrtest::readBytes(source), before);
    EXPECT_EQ(zrtest::readBytes("victim.txt"), "PRECIOUS\r\n");
    EXPECT_EQ(zrtest::readBytes("out/a.csv"), rows("A1", "B2"));
    EXPECT_TRUE(has(zrtest::readBytes("parse.log"), "Converted : src/a.x12"));
    EXPECT_TRUE(has(zrtest::readBytes("debug.log"), "Start Debug Log"));
}

// "PARSELOG=" naming a pipe nobody reads: the run ends, and says why the
// log is lost.
TEST(DriverSafety, AParseLogPipeNobodyReadsIsReported) {
    Fixture f;
    ASSERT_EQ(::mkfifo("nobody", 0600), 0);
    auto result = f.run("X12,CSV", "src/a.x12", "out", "MAP=read.cfg,PARSELOG=nobody");
    EXPECT_GE(result.failed, 1);
    const std::string note = "Parse Log Not Written, Nobody Reads the Pipe : " + wl::joinPath(f.dir.path(), "nobody");
    EXPECT_NE(std::find(result.notes.begin(), result.notes.end(), note), result.notes.end());
    EXPECT_TRUE(fs::is_fifo("nobody"));
}
#endif

TEST(DriverSafety, ADebugLogThisRunDidNotWriteStaysOutOfTheRun) {
    Fixture f;
    f.write("debug.log", "ANOTHER RUN\r\n");
    auto result = f.run("X12,CSV", "src/a.x12", "out", "MAP=read.cfg");
    EXPECT_EQ(zrtest::readBytes("debug.log"), "ANOTHER RUN\r\n");
    EXPECT_FALSE(has(result.log, "ANOTHER RUN"));
    // With "DEBUG" the run writes its own and adds it to the run log.
    result = f.run("X12,CSV", "src/a.x12", "out", "OW,DEBUG,MAP=read.cfg");
    EXPECT_TRUE(has(zrtest::readBytes("debug.log"), "Start Debug Log"));
    EXPECT_TRUE(has(result.log, "Start Debug Log"));
    EXPECT_FALSE(has(result.log, "ANOTHER RUN"));
}

// The debug text comes with the engine's result: the run log holds the
// last conversion's text although no "debug.log" is there to read.
TEST(DriverSafety, TheRunLogTakesTheDebugTextFromTheEngine) {
    Fixture f;
    zr::DriverRequest r;
    r.type = "X12,CSV";
    r.source = "src/a.x12";
    r.destination = "out";
    r.options = "OW,DEBUG";
    r.currentFolder = fs::current_path().string();
    zr::DriverHooks h;
    h.clock = [] { return std::string("12:00:00"); };
    h.engine = [](const zr::EngineRequest& e) {
        zr::EngineResult result;
        EXPECT_TRUE(e.options.debug);
        EXPECT_TRUE(e.options.overwrite);
        EXPECT_EQ(e.type, zr::ConversionType::X12ToCsv);
        result.debugText = "TRACE OF " + wl::fileNamePart(e.spec.sourceFile) + "\r\n";
        return result;
    };
    const zr::DriverResult result = zr::CTLD48403(r, h);
    EXPECT_FALSE(fs::exists("debug.log"));
    EXPECT_TRUE(result.log.ends_with("TRACE OF a.x12\r\n\r\n\r\n")) << result.log;
}

// A run sets the viewer to unattended: the viewer asks no questions after
// a conversion run.
TEST(DriverSafety, ARunLeavesTheViewerUnattended) {
    Fixture f;
    zr::moduleState() = zr::ModuleState{};
    f.run("X12,CSV", "src/a.x12", "out", "OW,MAP=read.cfg");
    EXPECT_EQ(zr::moduleState().viewerState, zr::ViewerState::Unattended);
    zr::moduleState() = zr::ModuleState{};
}

// "parse.log" of whole runs, byte for byte, with a fixed clock and date.
// The lines that describe the machine (folder, drive, processor, memory,
// compiler, system) keep their labels; their values are not compared. Each
// case is tests/fixtures/driver/NAME.parse.log; on a mismatch the run's log
// is written beside it as NAME.parse.log.new.
TEST(DriverSafety, ParseLogGoldens) {
    struct Case {
        const char* name;
        const char* type;
        const char* source;
        const char* options;
    };
    const Case cases[] = {
        {"x12_csv", "X12,CSV", "src/a.x12", "OW,HO,MAP=read.cfg"},
        {"csv_x12", "CSV,X12", "src/c.csv", "OW,CR,MAP=build.cfg"},
        {"no_map", "X12,XML", "src/a.x12", "MAP=none.cfg"},
    };
    auto machineFree = [](const std::string& log) {
        static const char* const machine[] = {"Current Directory : ", "Current Drive : ", "CPU type : ",
                                              "Hardware memory : ", "Compiler version : ", "Operating System : "};
        std::string out;
        std::size_t start = 0;
        while (start < log.size()) {
            std::size_t end = log.find("\r\n", start);
            end = end == std::string::npos ? log.size() : end + 2;
            std::string line = log.substr(start, end - start);
            for (const char* m : machine)
                if (std::size_t at = line.find(m); at != std::string::npos && at < 30)
                    line = line.substr(0, at + std::string(m).size()) + "*\r\n";
            out += line;
            start = end;
        }
        return out;
    };
    for (const Case& c : cases) {
        Fixture f;
        f.write("src/c.csv", "SMITH,C1\r\nJONES,C2\r\n");
        const zr::DriverResult result = f.run(c.type, c.source, "out", c.options);
        std::string got = machineFree(zrtest::readBytes(result.logPath));
        for (std::size_t at; (at = got.find(f.dir.path())) != std::string::npos;)
            got.replace(at, f.dir.path().size(), "<dir>");
        std::replace(got.begin(), got.end(), '\\', '/');  // paths as written on either system
        const fs::path golden = fs::path(ZR_FIXTURES) / "driver" / (std::string(c.name) + ".parse.log");
        const fs::path fresh = golden.string() + ".new";
        std::error_code ec;
        if (got == zrtest::readBytes(golden.string())) {
            fs::remove(fresh, ec);
            continue;
        }
        std::ofstream(fresh, std::ios::binary) << got;
        ADD_FAILURE() << c.name << ": parse.log differs; see " << fresh.string();
    }
}

}  // namespace safety

// ---------------------------------------------------------------------------
// Runs that start at the screen: the conversion dialog edits the request.

namespace dialog_runs {

struct ScreenRun {
    DriverFixture f;
    std::vector<zr::DriverRequest> shown;  // what the dialog was opened with
    std::vector<zr::MeterEvent::Kind> meter;

    zr::DriverResult run(zr::DriverRequest r, std::function<void(zr::DriverRequest&)> answer) {
        r.currentFolder = f.dir.path();
        zr::DriverHooks h;
        h.engine = [](const zr::EngineRequest& e) {
            zr::ScopedMeter m(e.meterMode, "Loading File " + e.spec.sourceFile, "Please Wait..");
            return fakeEngine(e);
        };
        h.clock = [] { return std::string("12:00:00"); };
        h.date = [] { return std::string("12/10/26"); };
        h.dialog = [this, answer](zr::DriverRequest& req) {
            shown.push_back(req);
            answer(req);
        };
        const zr::MeterObserver before = zr::setMeterObserver([this](const zr::MeterEvent& e) { meter.push_back(e.kind); });
        zr::DriverResult result = zr::CTLD48403(r, h);
        zr::setMeterObserver(before);
        return result;
    }
};

zr::DriverRequest menuRequest(const std::string& source = "") {
    zr::DriverRequest r;
    r.source = source;
    r.destination = std::string(255, ' ');
    r.options = std::string(255, ' ');
    r.mode = zr::DriverMode::Menu;
    r.showMeter = true;
    return r;
}

TEST(DialogRun, BeginConvertsWhatTheDialogHolds) {
    ScreenRun d;
    const std::string src = d.f.x12("claims.x12");
    const zr::DriverResult result = d.run(menuRequest(src), [&](zr::DriverRequest& r) {
        r.type = "X12,CSV";
        r.destination = d.f.out + std::string(240, ' ');  // padded as the dialog edits it
        r.options = "HO" + std::string(253, ' ');
    });
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].source, src);  // the drop-down's file reaches the dialog
    EXPECT_EQ(result.converted, 1);
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(d.f.out, "claims.csv")), "from claims.x12\r\n");
    EXPECT_NE(result.log.find("12:00:00 - Parameter 1 and 2 are empty. Start User Interface \r\n"), std::string::npos);
    EXPECT_NE(result.log.find("12:00:00 - Header On File Set to Yes.\r\n"), std::string::npos);
    // The menu's run shows the meter.
    EXPECT_EQ(d.meter.front(), zr::MeterEvent::Kind::Open);
}

TEST(DialogRun, ExitOrCloseConvertsNothingAndDeletesNothing) {
    ScreenRun d;
    const std::string src = d.f.x12("claims.x12");
    d.f.write(d.f.out, "claims.csv", "keep me");
    const zr::DriverResult result = d.run(menuRequest(), [&](zr::DriverRequest& r) {
        // What the dialog hands back when it was cancelled: the type emptied.
        r.type = "";
        r.source = src;
        r.destination = d.f.out;
        r.options = "OW,DS";
    });
    EXPECT_EQ(result.converted, 0);
    EXPECT_TRUE(wl::fileExists(src));
    EXPECT_EQ(zrtest::readBytes(wl::joinPath(d.f.out, "claims.csv")), "keep me");
    EXPECT_NE(result.log.find("12:00:00 - Parameter 1 empty. \r\n"), std::string::npos);
    EXPECT_TRUE(d.meter.empty());
}

TEST(DialogRun, PreparedRequestIsShownFirstAndAskedParseLogMergesBefore) {
    ScreenRun d;
    const std::string src = d.f.x12("a.x12");
    zr::DriverRequest r = menuRequest(src);
    r.type = "X12,XML";
    r.destination = d.f.out;
    r.mode = zr::DriverMode::DialogFirst;
    r.showMeter = false;
    const zr::DriverResult result = d.run(r, [](zr::DriverRequest&) {});
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].type, "X12,XML");
    EXPECT_EQ(result.converted, 1);
    EXPECT_FALSE(d.meter.empty());  // as a batch run: the meter shows

    // A run at the screen without a type asks about the old run log first.
    zrtest::PromptRecorder rec;
    rec.answerNext(true);
    d.shown.clear();
    const zr::DriverResult merged = d.run(menuRequest(), [](zr::DriverRequest&) {});
    ASSERT_EQ(rec.prompts().size(), 1u);
    EXPECT_EQ(rec.prompts()[0].text, "There is already a Parse.log. Add to it?");
    EXPECT_EQ(d.shown.size(), 1u);
    // The old log's text is carried into the new one.
    EXPECT_NE(merged.log.find("X12 Parser Log"), merged.log.rfind("X12 Parser Log"));
}

}  // namespace dialog_runs
