#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "records_to_x12.hpp"
#include "test_support.hpp"
#include "text.hpp"

namespace {

using Strings = std::vector<std::string>;

// A small claim map: header, per-record and per-line templates, a trailer.
const char* const kClaimMap =
    "X12TRANSACTIONTYPE=837P\r\n"
    "VERSION=5010\r\n"
    "FIELD=SUBMITTER,20,NM1,41,2,3,,,,1\r\n"
    "FIELD=CLAIMID,20,CLM,,,1\r\n"
    "FIELD=AMOUNT,10,CLM,,,2\r\n"
    "FIELD=PRIORAUTH,10,REF,G1,2,2\r\n"
    "FIELD=PATNAME,20,NM1,QC,2,3\r\n"
    "FIELD=PROC1,10,SV1,,,1,2,,,,1\r\n"
    "FIELD=AMT1,10,SV1,,,2,,,,,1\r\n"
    "FIELD=PROC2,10,SV1,,,1,2,,,,2\r\n"
    "FIELD=AMT2,10,SV1,,,2,,,,,2\r\n"
    "FIELD=ADJ,10,PLB,,,3,,,,1\r\n"
    "SEGMENT=1,BHT,0019,00,$SUBMITTER\r\n"
    "SEGMENT=2,HL,&HL,1,22,0\r\n"
    "SEGMENT=2,NM1,QC,1,!PATNAME\r\n"
    "SEGMENT=2,CLM,$CLAIMID,$AMOUNT,,,11:B:1\r\n"
    "SEGMENT=2,REF:$PRIORAUTH,G1,$PRIORAUTH\r\n"
    "SEGMENT=3,LX,&LX\r\n"
    "SEGMENT=3,SV1,%HC;$PROC,$AMT,UN,1\r\n"
    "SEGMENT=4,PLB,1234,20261231,$ADJ\r\n";

struct BuildRun {
    std::string x12;
    zr::X12BuildResult result;
    std::string log;
};

BuildRun build(const std::string& mapText, const std::string& source, bool xml, bool crlf = false,
               unsigned threads = 0, std::size_t partBytes = 0, bool lineRows = false) {
    zrtest::TempDir dir;
    const std::string mapPath = dir.write("m.cfg", mapText);
    zr::MapFile map = zr::parseMapText(mapText);
    zr::X12BuildRequest r;
    r.xml = xml;
    r.source = dir.write(xml ? "in.xml" : "in.csv", source);
    r.output = dir.file("out.x12");
    r.mapPath = mapPath;
    r.crlf = crlf;
    r.date = "20261210";
    r.time = "1300";
    r.threads = threads;
    r.partBytes = partBytes;
    r.lineRows = lineRows;
    zr::RunLog log([] { return std::string("00:00:00"); });
    BuildRun run;
    run.result = zr::buildX12(map, r, log);
    run.x12 = zrtest::readBytes(r.output);
    run.log = log.text();
    return run;
}

// Nothing given: sender and receiver placeholders, control number 1, the
// repetition separator of 5010, GS01 and GS08 of the map's transaction.
const std::string kIsa = "ISA*00*          *00*          *ZZ*SENDER         *ZZ*RECEIVER       *261210*1300*^*00501*000000001*1*T*:~";

TEST(RecordsToX12, LevelsCountersAndConditions) {
    // Three records; the second has no prior authorisation and an empty
    // procedure, the third no patient name (a required field).
    const std::string csv =
        "ACME,C1,100,PA1,DOE,99213,60,87880,40,\r\n"
        "ACME,C2,50,,ROE,,50,,,\r\n"
        "ACME,C3,75,,,99214,75,,,-5\r\n";
    BuildRun run = build(kClaimMap, csv, false);
    EXPECT_FALSE(run.result.failed);
    EXPECT_EQ(run.result.records, 3u);
    const std::string want = kIsa +
        "GS*HC*SENDER*RECEIVER*20261210*1300*1*X*005010X222A1~"
        "ST*837*0001*005010X222A1~"
        "BHT*0019*00*ACME~"
        "HL*1*1*22*0~NM1*QC*1*DOE~CLM*C1*100***11:B:1~REF*G1*PA1~"
        "LX*1~SV1*HC:99213*60*UN*1~LX*2~SV1*HC:87880*40*UN*1~"
        "HL*2*1*22*0~NM1*QC*1*ROE~CLM*C2*50***11:B:1~"
        "LX*1~SV1*HC*50*UN*1~"
        "HL*3*1*22*0~CLM*C3*75***11:B:1~"
        "LX*1~SV1*HC:99214*75*UN*1~"
        "PLB*1234*20261231*-5~"
        "SE*21*0001~GE*1*1~IEA*1*000000001~";
    EXPECT_EQ(run.x12, want);
}

// A run's log with the temporary folders left out.
std::string withoutFolders(const std::string& log) {
    return std::regex_replace(log, std::regex("[^ ]*in\\.(csv|xml)"), "in");
}

TEST(RecordsToX12, PartsBuiltSideBySideGiveTheOutputOfOneThread) {
    // Sets that change every few records, HL numbers (one in a segment
    // left out when its required value is empty), refused records, rows
    // without a claim id, quoted cells with commas and line breaks, a byte
    // order mark, values carried from record to record (short lines, XML
    // claims without them) and no line break at the end: cut anywhere,
    // built on any number of threads, the output is that of one thread.
    zrtest::PromptRecorder prompts;  // the refusals are said on screen
    const std::string map = std::string(kClaimMap) + "SEGMENT=2,HL,&HL,!PRIORAUTH,23\r\n";
    std::string csv = "\xEF\xBB\xBF", shortCsv = csv;
    std::string xml = csv + "<?xml version=\"1.0\"?>\r\n<EXPORTDATA>\r\n";
    for (int i = 0; i < 120; ++i) {
        const std::string n = std::to_string(i), end = i % 2 ? "\r\n" : "\n";
        std::string line = "ACME" + std::to_string(i / 7) + ",C" + n + "," + n + ",";
        line += i % 3 ? "PA" + n : "";
        line += i % 5 ? ",DOE" + n : ",\"ROE, JR\"";
        line += i % 11 ? ",99213,60" : ",\"99\r\n213\",60";
        line += ",87880,40," + std::string(i % 13 ? "" : "-5");
        // (A refused record fails the whole source: none here.)
        if (i % 19 == 6) line = "ACME,,,,NOCLAIM,,,,,";        // no claim id
        csv += line + end;
        // Every fourth line stops before the adjustment, which carries on.
        shortCsv += (i % 4 == 1 ? line.substr(0, line.rfind(',')) : line) + end;
        xml += "<CLAIM>" + end;
        if (i % 4 != 1) xml += "<SUBMITTER>ACME" + std::to_string(i / 7) + "</SUBMITTER>";
        if (i % 19 != 6) xml += "<CLAIMID>C" + n + "</CLAIMID>";
        if (i % 3) xml += "<PRIORAUTH>PA" + n + "</PRIORAUTH>";
        xml += "<PATNAME>D&amp;E" + n + "</PATNAME><PROC1>99213</PROC1><AMT1>60</AMT1>" + end;
        if (i % 13 == 0) xml += "<ADJ>-" + n + "</ADJ>";
        xml += "</CLAIM>" + end;
    }
    csv.resize(csv.size() - 1);
    xml += "</EXPORTDATA>";
    const struct {
        const char* name;
        const std::string& text;
        bool xml;
    } sources[] = {{"csv", csv, false}, {"short csv lines", shortCsv, false}, {"xml", xml, true}};
    for (const auto& source : sources) {
        const BuildRun one = build(map, source.text, source.xml, false, 1);
        ASSERT_NE(one.x12.find("ST*837*0017"), std::string::npos) << source.name << one.x12;
        for (unsigned threads : {2u, 3u, 5u})
            for (std::size_t partBytes : {1u, 100u, 777u, 5000u}) {
                const BuildRun many = build(map, source.text, source.xml, false, threads, partBytes);
                EXPECT_EQ(many.x12, one.x12) << source.name << ", " << threads << " threads, parts of " << partBytes;
                EXPECT_EQ(many.result.failed, one.result.failed);
                EXPECT_EQ(many.result.problems.size(), one.result.problems.size());
                EXPECT_EQ(withoutFolders(many.log), withoutFolders(one.log));
            }
    }
}

TEST(RecordsToX12, AFirstPassInPiecesNumbersAndRefusesAsOneThread) {
    // The first pass cut into pieces surveyed side by side: a title line,
    // rows without a claim id, values past the map's fields and (in the
    // second source) a refused record keep the numbers and words of one
    // thread, whatever the pieces.
    zrtest::PromptRecorder prompts;
    auto masked = [](const std::string& text) {
        return std::regex_replace(withoutFolders(text), std::regex("zrtest-[0-9-]+"), "dir");
    };
    std::string csv = "SUBMITTER,CLAIMID,AMOUNT,PRIORAUTH,PATNAME,PROC1,AMT1,PROC2,AMT2,ADJ\r\n";
    for (int i = 0; i < 90; ++i) {
        const std::string n = std::to_string(i);
        if (i % 17 == 3) csv += "ACME,,,,NOCLAIM,,,,,\r\n";
        else if (i % 23 == 5) csv += "ACME" + std::to_string(i / 9) + ",C" + n + ",1,,DOE,,,,,,EXTRA\r\n";
        else csv += "ACME" + std::to_string(i / 9) + ",C" + n + "," + n + ",,\"DOE\r\n" + n + "\",99213,60,,,\r\n";
    }
    std::string refused = csv;
    refused.insert(refused.find("C40,"), "C4~");
    for (const std::string& source : {csv, refused}) {
        const BuildRun one = build(kClaimMap, source, false, false, 1);
        ASSERT_FALSE(one.log.empty());
        for (unsigned threads : {2u, 4u})
            for (std::size_t partBytes : {7u, 64u, 500u, 2000u}) {
                const BuildRun many = build(kClaimMap, source, false, false, threads, partBytes);
                EXPECT_EQ(many.x12, one.x12) << threads << " threads, parts of " << partBytes;
                EXPECT_EQ(many.result.failed, one.result.failed);
                EXPECT_EQ(masked(many.result.reason), masked(one.result.reason));
                ASSERT_EQ(many.result.problems.size(), one.result.problems.size());
                for (std::size_t i = 0; i < one.result.problems.size(); ++i)
                    EXPECT_EQ(masked(many.result.problems[i]), masked(one.result.problems[i]));
                EXPECT_EQ(masked(many.log), masked(one.log));
            }
    }
    const BuildRun whole = build(kClaimMap, csv, false, false, 1);
    EXPECT_NE(whole.log.find("Title Line Skipped"), std::string::npos);
    ASSERT_EQ(whole.result.problems.size(), 2u);
    EXPECT_NE(whole.result.problems[0].find("Records 6, "), std::string::npos) << whole.result.problems[0];
    EXPECT_NE(whole.result.problems[1].find("Not Built : 4, "), std::string::npos) << whole.result.problems[1];
    const BuildRun refusedRun = build(kClaimMap, refused, false, false, 1);
    EXPECT_TRUE(refusedRun.result.failed);
    EXPECT_NE(refusedRun.result.reason.find("Record 41 Refused"), std::string::npos) << refusedRun.result.reason;
}

TEST(RecordsToX12, LineEndsEmptyLinesAndTheLastLine) {
    // LF line ends, an empty line between records, no final line break:
    // every record is converted and the trailer fires on the last one.
    BuildRun lf = build(kClaimMap, "ACME,C1,100,,DOE,,,,,\n\nACME,C2,50,,ROE,,,,,7", false);
    EXPECT_EQ(lf.result.records, 2u);
    EXPECT_NE(lf.x12.find("CLM*C2*50"), std::string::npos);
    EXPECT_NE(lf.x12.find("PLB*1234*20261231*7~"), std::string::npos);
    EXPECT_EQ(lf.x12.find("HL*3"), std::string::npos);
}

TEST(RecordsToX12, EnvelopeFromMapDefaultsWithCrLf) {
    std::string map = std::string(kClaimMap) +
                      "ISA06=SENDER\r\nISA08=RECEIVER\r\nISA13=000000042\r\nISA15=P\r\nGS1=HC\r\nGS2=SND\r\n"
                      "GS3=RCV\r\nGS6=42\r\nGS8=005010X222A1\r\nST2=0001\r\nST3=005010X222A1\r\n";
    BuildRun run = build(map, "ACME,C1,100,,DOE,,,,,\r\n", false, true);
    const std::string want =
        "ISA*00*          *00*          *ZZ*SENDER         *ZZ*RECEIVER       *261210*1300*^*00501*000000042*1*P*:~\r\n"
        "GS*HC*SND*RCV*20261210*1300*42*X*005010X222A1~\r\n"
        "ST*837*0001*005010X222A1~\r\n"
        "BHT*0019*00*ACME~\r\nHL*1*1*22*0~\r\nNM1*QC*1*DOE~\r\nCLM*C1*100***11:B:1~\r\nPLB*1234*20261231~\r\n"
        "SE*7*0001~\r\nGE*1*42~\r\nIEA*1*000000042~\r\n";
    // SE01 counts ST to SE: 7 segments; a claim without line values gets
    // no line of literals ("LX*1", "SV1*HC**UN*1") it never held.
    EXPECT_EQ(run.x12, want);
}

// ISA15: the map's default first, then the records' own usage indicator
// (a known code only), then "T".
TEST(RecordsToX12, TheUsageIndicatorComesFromTheMapThenTheRecords) {
    struct Case {
        const char* mapLine;
        const char* recordValue;
        char want;
    };
    const Case cases[] = {
        {"", "P", 'P'}, {"", "p", 'P'}, {"", "I", 'I'}, {"", "", 'T'}, {"", "X", 'T'},
        {"ISA15=T\r\n", "P", 'T'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mapLine) + "|" + c.recordValue);
        const std::string map = std::string(kClaimMap) + "FIELD=PRODTEST,1,ISA,,,15,,,,1\r\n" + c.mapLine;
        BuildRun run = build(map, std::string("ACME,C1,100,,DOE,,,,,,") + c.recordValue + "\r\n", false);
        ASSERT_GT(run.x12.size(), 104u) << run.log;
        EXPECT_EQ(run.x12.substr(101, 3), std::string("*") + c.want + "*");
    }
}

TEST(RecordsToX12, XmlRecordsBatchEnvelopeAndEntities) {
    const std::string xml =
        "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<EXPORTDATA>\r\n"
        "<BATCH><SENDERID>XMLSENDER</SENDERID><ICNUMBER>7</ICNUMBER><GROUPCTLNUM>77</GROUPCTLNUM>"
        "<TRANSACTIONSETCTLNUM>0007</TRANSACTIONSETCTLNUM></BATCH>\r\n"
        "<CLAIM>\r\n<SUBMITTER>SMITH &amp; SONS</SUBMITTER>\r\n<CLAIMID>C1</CLAIMID>\r\n<PATNAME>DOE</PATNAME>\r\n"
        "</CLAIM>\r\n<CLAIM>\r\n<CLAIMID>C2</CLAIMID>\r\n<PATNAME>ROE</PATNAME>\r\n</CLAIM></EXPORTDATA>";
    BuildRun run = build(kClaimMap, xml, true);
    EXPECT_EQ(run.result.records, 2u);
    EXPECT_NE(run.x12.find("*ZZ*XMLSENDER      *"), std::string::npos) << run.x12;
    EXPECT_NE(run.x12.find("BHT*0019*00*SMITH & SONS~"), std::string::npos);
    EXPECT_NE(run.x12.find("CLM*C2****11:B:1~"), std::string::npos) << "the last record is kept";
    EXPECT_NE(run.x12.find("SE*"), std::string::npos);
    EXPECT_NE(run.x12.find("SE*10*0007~GE*1*77~IEA*1*000000007~"), std::string::npos) << run.x12;
}

// Mended: the program's own title line was read as a record (a made-up
// claim CLM*CLAIMID*AMOUNT...).
TEST(RecordsToX12, TheTitleLineIsNoRecord) {
    const std::string title = "SUBMITTER,CLAIMID,AMOUNT,PRIORAUTH,PATNAME,PROC1,AMT1,PROC2,AMT2,ADJ\r\n";
    BuildRun run = build(kClaimMap, title + "ACME,C1,100,,DOE,,,,,\r\n", false);
    EXPECT_EQ(run.result.records, 1u);
    EXPECT_EQ(run.x12.find("CLAIMID"), std::string::npos) << run.x12;
    EXPECT_NE(run.x12.find("CLM*C1*100"), std::string::npos);
    EXPECT_NE(run.log.find("Title Line Skipped"), std::string::npos);
    // Values that merely resemble names (another case) are a record.
    EXPECT_EQ(build(kClaimMap, "submitter,claimid,1,,x,,,,,\r\n", false).result.records, 1u);
}

// Mended: maps without templates turned any source into an empty envelope
// reported as converted; a source without records likewise.
TEST(RecordsToX12, NothingToBuildIsRefused) {
    zrtest::PromptRecorder rec;
    const std::string noTemplates = "X12TRANSACTIONTYPE=271\r\nVERSION=5010\r\nFIELD=SUBID,20,NM1,IL,2,9\r\n";
    BuildRun bare = build(noTemplates, "A1\r\n", false);
    EXPECT_TRUE(bare.result.failed);
    EXPECT_NE(bare.result.reason.find("Map Has No Segment Templates"), std::string::npos);
    EXPECT_EQ(bare.x12, "") << "nothing written";
    BuildRun empty = build(kClaimMap, "", false);
    EXPECT_TRUE(empty.result.failed);
    EXPECT_NE(empty.log.find("No Record in Source"), std::string::npos);
    EXPECT_EQ(rec.prompts().size(), 2u);
}

// Mended: a missing source counted as converted.
TEST(RecordsToX12, AMissingSourceFails) {
    zrtest::PromptRecorder rec;
    zrtest::TempDir dir;
    const std::string mapText = zrtest::readBytes(std::string(ZR_FIXTURES) + "/build/title_line/map.cfg");
    zr::MapFile map = zr::parseMapText(mapText);
    zr::X12BuildRequest r;
    r.source = dir.file("none.csv");
    r.output = dir.file("out.x12");
    r.mapPath = dir.write("m.cfg", mapText);
    zr::RunLog log([] { return std::string("00:00:00"); });
    const zr::X12BuildResult result = zr::buildX12(map, r, log);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(log.text(), "00:00:00 - Cfile <ERROR> FC-Open # 2 : " + r.source + "\r\n");
    EXPECT_FALSE(std::filesystem::exists(r.output));
    EXPECT_EQ(rec.prompts().size(), 1u);
}

// A row of header values alone (no claim id) would be built as a made-up
// claim: it is left out, and said so.
TEST(RecordsToX12, ARowWithoutAClaimIdIsNoClaim) {
    BuildRun run = build(kClaimMap, "ACME,,,,DOE,,,,,\r\nACME,C2,50,,ROE,,,,,\r\n", false);
    EXPECT_FALSE(run.result.failed);
    ASSERT_EQ(run.result.problems.size(), 1u);
    EXPECT_NE(run.result.problems[0].find("Records Without a Claim Id Not Built : 1 :"), std::string::npos);
    EXPECT_EQ(run.x12.find("DOE"), std::string::npos) << run.x12;
    EXPECT_NE(run.x12.find("HL*1*1*22*0~NM1*QC*1*ROE~CLM*C2*50"), std::string::npos) << run.x12;
}

// Values past the map's fields would vanish without a word: they are
// lost data, named by record; blank cells padding a row are not.
TEST(RecordsToX12, ValuesBeyondTheMapsFieldsAreLostData) {
    struct Case {
        const char* csv;
        const char* problem;  // "" when none
    };
    const Case cases[] = {
        {"ACME,C1,100,,DOE,,,,,\r\nACME,C2,50,,ROE,,,,,,  ,\r\n", ""},
        {"ACME,C1,100,,DOE,,,,,,EXTRA\r\nACME,C2,50,,ROE,,,,,\r\nACME,C3,5,,POE,,,,,,,X\r\n",
         "Values Beyond the Map's 10 Fields Not Built, Records 1, 3 : "},
    };
    for (const Case& c : cases) {
        BuildRun run = build(kClaimMap, c.csv, false);
        EXPECT_FALSE(run.result.failed) << c.csv;
        if (*c.problem == '\0') {
            EXPECT_TRUE(run.result.problems.empty()) << c.csv;
            continue;
        }
        ASSERT_EQ(run.result.problems.size(), 1u) << c.csv;
        EXPECT_EQ(run.result.problems[0].rfind(c.problem, 0), 0u) << run.result.problems[0];
        EXPECT_NE(run.log.find(c.problem), std::string::npos) << run.log;
    }
}

TEST(RecordsToX12, ConditionalElementsAndComposites) {
    const std::string map =
        "X12TRANSACTIONTYPE=835\r\n"
        "FIELD=A,1,X,,,1\r\nFIELD=B,1,X,,,2\r\nFIELD=C,1,X,,,3\r\n"
        "SEGMENT=2,TST,$A,$B:$B\r\n"         // conditional as last element: written when B has a value
        "SEGMENT=2,CMP,%$A;$C\r\n"           // composite stops after the last component with text
        "SEGMENT=2,TWO,%$C;$C,X\r\n"         // two empty references: an empty element, no lone separator
        "SEGMENT=2,STP,$A,$C:$C,$B\r\n";     // an unmet condition ends the segment
    BuildRun run = build(map, "a,b,\r\n", false);
    EXPECT_NE(run.x12.find("TST*a*b~"), std::string::npos) << run.x12;
    EXPECT_NE(run.x12.find("CMP*a~"), std::string::npos);
    EXPECT_NE(run.x12.find("TWO**X~"), std::string::npos);
    EXPECT_NE(run.x12.find("STP*a~"), std::string::npos);
    EXPECT_EQ(zr::CTL48400H("$b", zr::parseMapText(map).fields), "");
}

TEST(RecordsToX12, ServiceLineExpansion) {
    std::vector<zr::FieldRow> fields = zr::parseMapText(
        "FIELD=ID,5,CLM,,,1\r\nFIELD=PROC1,5,SV1,,,1,2,ID,,,1\r\nFIELD=AMT1,5,SV1,,,2,,PROC1,,,1\r\nFIELD=LAST,1,SE,,,1\r\n").fields;
    zr::expandServiceLines(fields, 3);
    Strings names, conditions, lines;
    for (const auto& f : fields) {
        names.push_back(f.name);
        conditions.push_back(f.conditionField);
        lines.push_back(f.serviceLine);
    }
    EXPECT_EQ(names, (Strings{"ID", "PROC1", "AMT1", "PROC2", "AMT2", "PROC3", "AMT3", "LAST"}));
    EXPECT_EQ(conditions, (Strings{"", "ID", "PROC1", "ID", "PROC2", "ID", "PROC3", ""}));
    EXPECT_EQ(lines, (Strings{"", "1", "1", "2", "2", "3", "3", ""}));
}

// A line field added after the file names (a later column) is copied for
// each line too, beside line 1's own.
TEST(RecordsToX12, ServiceLineExpansionCopiesALaterLineField) {
    std::vector<zr::FieldRow> fields = zr::parseMapText(
        "FIELD=ID,5,CLM,,,1\r\nFIELD=PROC1,5,SV1,,,1,2,ID,,,1\r\nFIELD=LAST,1,SE,,,1\r\n"
        "FIELD=DESC1,5,SV1,,,1,7,ID,,,1\r\n").fields;
    ASSERT_TRUE(zr::expansionFits(fields, 3));
    zr::expandServiceLines(fields, 3);
    Strings names;
    for (const auto& f : fields) names.push_back(f.name);
    EXPECT_EQ(names, (Strings{"ID", "PROC1", "PROC2", "PROC3", "LAST", "DESC1", "DESC2", "DESC3"}));
}

// Rows of service lines ("SL", "ML") hold the claim's cells and line 1's
// alone: a cell after the line is the claim's, not line 2's. (A Windows
// path in a trailing cell was read as line 2's composite and refused.)
TEST(RecordsToX12, RowsOfServiceLinesAreReadInTheCellsTheyWereWrittenIn) {
    const std::string rows =
        "SUBMITTER,CLAIMID,AMOUNT,PRIORAUTH,PATNAME,PROC1,AMT1,ADJ\r\n"
        "ACME,C1,90,,DOE,99213,50,Z:\\claims\\in.x12\r\n"
        "ACME,C1,90,,DOE,99214,40,Z:\\claims\\in.x12\r\n";
    for (unsigned threads : {1u, 2u}) {
        BuildRun run = build(kClaimMap, rows, false, false, threads, 16, true);
        EXPECT_FALSE(run.result.failed) << run.log;
        EXPECT_EQ(run.result.records, 2u);
        EXPECT_EQ(run.log.find("Refused"), std::string::npos) << run.log;
        EXPECT_NE(run.log.find("Title Line Skipped"), std::string::npos) << run.log;
        EXPECT_NE(run.x12.find("SV1*HC:99213*50*UN*1~"), std::string::npos) << run.x12;
        EXPECT_NE(run.x12.find("SV1*HC:99214*40*UN*1~"), std::string::npos) << run.x12;
        EXPECT_EQ(run.x12.find("SV1*HC:Z"), std::string::npos) << run.x12;
        EXPECT_NE(run.x12.find("PLB*1234*20261231*Z:\\claims\\in.x12~"), std::string::npos) << run.x12;
    }
    // Rows of whole claims keep cell k as field k.
    BuildRun whole = build(kClaimMap, "ACME,C1,90,,DOE,99213,50,99214,40,7\r\n", false);
    EXPECT_NE(whole.x12.find("SV1*HC:99214*40*UN*1~"), std::string::npos) << whole.x12;
    EXPECT_NE(whole.x12.find("PLB*1234*20261231*7~"), std::string::npos) << whole.x12;
}

// A line the map already has fields for is not copied again: a row of
// that line would carry its values twice.
TEST(RecordsToX12, ServiceLineExpansionKeepsTheMapsOwnLines) {
    std::vector<zr::FieldRow> fields = zr::parseMapText(
        "FIELD=ID,5,CLM,,,1\r\nFIELD=PROC1,5,SV1,,,1,2,ID,,,1\r\nFIELD=PROC2,5,SV1,,,1,2,ID,,,2\r\n").fields;
    zr::expandServiceLines(fields, 3);
    Strings names;
    for (const auto& f : fields) names.push_back(f.name);
    EXPECT_EQ(names, (Strings{"ID", "PROC1", "PROC3", "PROC2"}));
}

TEST(RecordsToX12, OutputThatCannotBeWrittenIsReported) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder rec;
    zr::MapFile map = zr::parseMapText(kClaimMap);
    zr::X12BuildRequest r;
    r.source = dir.write("in.csv", "ACME,C1,1,,DOE\r\n");
    r.output = dir.file("missing-folder/out.x12");
    zr::RunLog log([] { return std::string("00:00:00"); });
    auto result = zr::buildX12(map, r, log);
    EXPECT_TRUE(result.failed);
    EXPECT_NE(log.text().find("Cfile <ERROR> FC-Create #"), std::string::npos);
    EXPECT_EQ(rec.prompts().size(), 1u);
}

// ---------------------------------------------------------------------------
// Golden files of this direction. Each folder under tests/fixtures/build is
// one case: map.cfg, source.csv or source.xml, and expected.x12 (built on
// 2026-12-10 at 13:00), or case.txt with "FAIL=text" for a run that must be
// refused with that text and write nothing. On a mismatch the output is
// written as expected.x12.new beside the expected file.
TEST(RecordsToX12Golden, EveryCaseGivesItsExpectedOutput) {
    namespace fs = std::filesystem;
    zrtest::PromptRecorder prompts;
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(ZR_FIXTURES) / "build")) {
        if (!entry.is_directory()) continue;
        ++cases;
        const fs::path folder = entry.path();
        const std::string name = folder.filename().string();
        const bool xml = fs::exists(folder / "source.xml");
        std::string fail;
        {
            std::string c = zrtest::readBytes((folder / "case.txt").string());
            if (wl::prefixMatch(c, "FAIL=")) fail = c.substr(5, c.find('\r') - 5);
        }
        const std::string mapText = zrtest::readBytes((folder / "map.cfg").string());
        BuildRun run = build(mapText, zrtest::readBytes((folder / (xml ? "source.xml" : "source.csv")).string()), xml);
        if (!fail.empty()) {
            EXPECT_TRUE(run.result.failed) << name;
            EXPECT_NE(run.result.reason.find(fail), std::string::npos) << name << ": " << run.result.reason;
            EXPECT_EQ(run.x12, "") << name;
            continue;
        }
        EXPECT_FALSE(run.result.failed) << name << "\n" << run.log;
        const fs::path expected = folder / "expected.x12", fresh = folder / "expected.x12.new";
        std::error_code ec;
        if (run.x12 == zrtest::readBytes(expected.string())) {
            fs::remove(fresh, ec);
            continue;
        }
        std::ofstream(fresh, std::ios::binary) << run.x12;
        ADD_FAILURE() << name << ": output differs; see " << fresh.string();
    }
    EXPECT_GT(cases, 0);
}

TEST(RecordsToX12, ValuesNeverCarryDelimitersIntoTheOutput) {
    zrtest::PromptRecorder rec;
    const std::string injected = "HARTWELL~NM1*IL*1*INJECTED~REF*XX*EVIL";
    // CSV: the record is refused by name and the run fails with nothing
    // written (the others are not committed without it).
    BuildRun csv = build(kClaimMap,
                         "ACME,C1,100,," + injected + ",,,,,\r\n"
                         "ACME,C2,50,,O:NEIL,99:213,,,,\r\n"  // ":" inside a composite's component
                         "ACME,C3,75,,ROE,99214,,,,\r\n",
                         false);
    EXPECT_TRUE(csv.result.failed);
    EXPECT_EQ(csv.result.records, 0u);
    EXPECT_EQ(csv.x12, "");
    EXPECT_NE(csv.log.find("00:00:00 - Nothing Written (2 Records Refused) : "), std::string::npos) << csv.log;
    EXPECT_NE(csv.log.find("00:00:00 - Record 1 Refused : Field PATNAME Holds an X12 Delimiter.\r\n"), std::string::npos)
        << csv.log;
    EXPECT_NE(csv.log.find("00:00:00 - Record 2 Refused : Field PROC1 Holds an X12 Delimiter.\r\n"), std::string::npos);
    // A whole element may hold a composite, as the X12 to CSV direction reads one.
    BuildRun composite = build(kClaimMap, "ACME,C4,75,,O:NEIL,,,,,\r\n", false);
    EXPECT_FALSE(composite.result.failed);
    EXPECT_NE(composite.x12.find("NM1*QC*1*O:NEIL~"), std::string::npos);

    // XML: the same for element values, entities and CDATA included.
    BuildRun xml = build(kClaimMap,
                         "<EXPORTDATA><CLAIM><CLAIMID>C1</CLAIMID><PATNAME><![CDATA[" + injected +
                             "]]></PATNAME></CLAIM>"
                             "<CLAIM><CLAIMID>C2&#42;X</CLAIMID><PATNAME>DOE</PATNAME></CLAIM>"
                             "<CLAIM><CLAIMID>C3</CLAIMID><PATNAME>ROE^2</PATNAME></CLAIM>"
                             "<CLAIM><CLAIMID>C4</CLAIMID><PATNAME>POE</PATNAME></CLAIM></EXPORTDATA>",
                         true);
    EXPECT_TRUE(xml.result.failed);
    EXPECT_EQ(xml.result.records, 0u);
    EXPECT_EQ(xml.x12, "");
    EXPECT_NE(xml.log.find("Record 1 Refused : Field PATNAME Holds an X12 Delimiter."), std::string::npos);
    EXPECT_NE(xml.log.find("Record 2 Refused : Field CLAIMID Holds an X12 Delimiter."), std::string::npos);
    EXPECT_NE(xml.log.find("Record 3 Refused : Field PATNAME Holds an X12 Delimiter."), std::string::npos);
    EXPECT_EQ(rec.prompts().size(), 5u);  // one message per refused record

    // The envelope's values from a "BATCH" element: no output at all.
    BuildRun batch = build(kClaimMap,
                           "<EXPORTDATA><BATCH><APPSENDERCODE>S~NM1*IL*1*INJECTED</APPSENDERCODE></BATCH>"
                           "<CLAIM><CLAIMID>C1</CLAIMID></CLAIM></EXPORTDATA>",
                           true);
    EXPECT_TRUE(batch.result.failed);
    EXPECT_EQ(batch.x12, "");
    EXPECT_NE(batch.log.find("Envelope Refused : GS02 Holds an X12 Delimiter."), std::string::npos) << batch.log;
}

// Mended: a comma in a value came back as a blank ("HART, WELL" as
// "HART  WELL"); the CSV quotes it and the X12 keeps it.
TEST(RecordsToX12, ACommaInAValueComesBackAsAComma) {
    for (bool xml : {false, true}) {
        BuildRun run = build(kClaimMap,
                             xml ? "<EXPORTDATA><CLAIM><CLAIMID>C1</CLAIMID><PATNAME>HART, WELL</PATNAME></CLAIM></EXPORTDATA>"
                                 : "ACME,C1,100,,\"HART, WELL\",,,,,\r\n",
                             xml);
        EXPECT_FALSE(run.result.failed) << run.log;
        EXPECT_NE(run.x12.find("NM1*QC*1*HART, WELL~"), std::string::npos) << run.x12;
    }
}

TEST(RecordsToX12, XmlCutShortOrExpandingPastTheLimitMakesNoOutput) {
    zrtest::PromptRecorder rec;
    const std::string whole = "<EXPORTDATA><CLAIM><CLAIMID>C1</CLAIMID></CLAIM><CLAIM><CLAIMID>C2</CLAIMID></CLAIM></EXPORTDATA>";
    BuildRun cut = build(kClaimMap, whole.substr(0, whole.size() / 2), true);
    EXPECT_TRUE(cut.result.failed);
    EXPECT_EQ(cut.x12, "");
    EXPECT_NE(cut.log.find("XML Incomplete : the file ends before its root element closes : "), std::string::npos);

    // "ML" with more service lines than the field limit allows: refused
    // before the table grows.
    std::string lines = "<EXPORTDATA><CLAIM><CLAIMID>C1</CLAIMID><LINELEVEL>";
    for (int i = 0; i < 60000; ++i) lines += "<PROC1>1</PROC1>";
    lines += "</LINELEVEL></CLAIM></EXPORTDATA>";
    zrtest::TempDir dir;
    zr::MapFile map = zr::parseMapText(kClaimMap);
    zr::X12BuildRequest r;
    r.xml = true;
    r.multiLine = true;
    r.source = dir.write("in.xml", lines);
    r.output = dir.file("out.x12");
    zr::RunLog log([] { return std::string("00:00:00"); });
    auto result = zr::buildX12(map, r, log);
    EXPECT_TRUE(result.failed);
    EXPECT_LT(map.fields.size(), 100u);
    EXPECT_FALSE(std::filesystem::exists(r.output));
    EXPECT_EQ(log.text(), "00:00:00 - ML Expansion Error : 60000 Service Lines Exceed 100000 Fields.\r\n");
}

}  // namespace
