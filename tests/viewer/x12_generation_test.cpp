// The 276, 837 and HL7 generators, the one-claim rebuild and the Create
// 276/837 write paths, over the hand-written 837 and 835 fixtures.
#include "x12_generation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "node_x12.hpp"
#include "text.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;
namespace fs = std::filesystem;

const BuildTime kGenerationTime{"261211", "20261211", "0930"};

// A loaded file with its claims read by name (the members in this order:
// the reader points at the table and the index).
struct GenerationFile {
    SegmentTable table;
    ClaimIndex index;
    ClaimFields fields;
    explicit GenerationFile(const std::string& path)
        : table(zrtest::loadX12(path)), index(CTL39400C(table, 1)), fields(table, index) {}
    std::size_t claims() const { return CTL39400AA("HL", table); }
};

std::string generationFixture(const std::string& name) { return zrtest::x12Fixture(name); }

ConverterSettings generationKeys(std::map<int, std::string> keys) {
    return [keys](int key) {
        const auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
    };
}

GeneratorContext generationContext(std::map<int, std::string> keys = {}) {
    return {generationKeys(std::move(keys)), kGenerationTime, ""};
}

// The segments of a text, without terminators and line breaks.
std::vector<std::string> generationSegments(const std::string& text, char terminator = '~') {
    std::vector<std::string> out;
    std::string s;
    for (char c : text) {
        if (c == terminator) {
            out.push_back(s);
            s.clear();
        } else if (c != '\r' && c != '\n') {
            s += c;
        }
    }
    return out;
}

std::size_t generationCount(const std::vector<std::string>& segments, const std::string& prefix) {
    return static_cast<std::size_t>(std::count_if(segments.begin(), segments.end(),
                                                  [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

bool generationHas(const std::vector<std::string>& segments, const std::string& segment) {
    return std::find(segments.begin(), segments.end(), segment) != segments.end();
}

// The SE of each set counts the set's segments and repeats ST02; one GE and
// one IEA close the interchange with its control numbers.
void expectWholeInterchange(const std::string& text) {
    const std::vector<std::string> s = generationSegments(text);
    ASSERT_GE(s.size(), 5u) << text;
    EXPECT_EQ(generationCount(s, "ISA*"), 1u);
    EXPECT_EQ(generationCount(s, "GE*"), 1u) << text;
    EXPECT_EQ(generationCount(s, "IEA*"), 1u) << text;
    const auto isa = s.front();
    ASSERT_EQ(isa.size(), 105u) << isa;
    const std::string isa13 = isa.substr(90, 9);
    EXPECT_TRUE(std::all_of(isa13.begin(), isa13.end(), ::isdigit)) << isa13;
    EXPECT_EQ(s.back(), "IEA*1*" + isa13);
    const std::string isa11 = isa.substr(82, 1);
    EXPECT_NE(isa11, "U");
    for (std::size_t i = 1; i < s.size(); ++i) EXPECT_EQ(s[i].find(isa11), std::string::npos) << s[i];
    std::size_t st = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i].rfind("ST*", 0) == 0) st = i;
        if (s[i].rfind("SE*", 0) != 0) continue;
        const std::string st02 = generationSegments(s[st] + "*", '*')[2];
        EXPECT_GE(st02.size(), 4u);
        EXPECT_EQ(s[i], "SE*" + std::to_string(i - st + 1) + "*" + st02);
    }
}

TEST(X12Generation, EnvelopeValuesFromKeysFileAndDefaults) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    struct Case {
        std::map<int, std::string> keys;
        std::string sender, receiver, isa13, usage, gs02, gs06, st02;
    };
    const std::vector<Case> cases = {
        {{}, "SUBMITTER      ", "RECEIVER       ", "000000001", "P", "SENDER", "1001", "0101"},
        {{{3, "42"}}, "SUBMITTER      ", "RECEIVER       ", "000000042", "P", "SENDER", "1001", "0101"},
        {{{3, "ABC"}, {4, "T"}}, "SUBMITTER      ", "RECEIVER       ", "000000001", "T", "SENDER", "1001", "0101"},
        {{{3, "1234567890"}, {4, "TT"}}, "SUBMITTER      ", "RECEIVER       ", "000000001", "P", "SENDER", "1001",
         "0101"},
        {{{1, "A SENDER LONGER THAN FIFTEEN"}, {2, "   "}, {5, " "}, {7, "77"}, {8, "7"}},
         "A SENDER LONGER", "RECEIVER       ", "000000001", "P", "SENDER", "77", "0007"},
        {{{2, "PAYER"}, {5, "APP"}, {8, "123456789012"}}, "SUBMITTER      ", "PAYER          ", "000000001", "P",
         "APP", "1001", "123456789"},
    };
    for (const Case& c : cases) {
        const EnvelopeValues v = envelopeValues(f.table, generationKeys(c.keys));
        EXPECT_EQ(v.sender, c.sender);
        EXPECT_EQ(v.receiver, c.receiver);
        EXPECT_EQ(v.controlNumber, c.isa13);
        EXPECT_EQ(v.usage, c.usage);
        EXPECT_EQ(v.applicationSender, c.gs02);
        EXPECT_EQ(v.groupControl, c.gs06);
        EXPECT_EQ(v.setControl, c.st02);
    }
}

TEST(X12Generation, EnvelopeKeysFromTheIniFile) {
    zrtest::TempDir dir;
    dir.write("zr.ini", "[X12]\r\nISA13=42\r\nisa06=lower sender\r\nCONVERSIONTYPE=3\r\n");
    const GenerationFile f(generationFixture("claims_837p.x12"));
    const GeneratorContext c = generatorContext(dir.path(), "loaded.x12");
    const EnvelopeValues v = envelopeValues(f.table, c.settings);
    EXPECT_EQ(v.controlNumber, "000000042");
    EXPECT_EQ(v.sender, "LOWER SENDER   ");
    EXPECT_EQ(c.sourceFile, "loaded.x12");
    EXPECT_EQ(CTL394CONVB(f.fields, f.claims(), 1, c), "");  // kind 3 builds nothing
}

TEST(X12Generation, ClaimStatusRequestExactBytes) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    const GeneratorContext c =
        generationContext({{1, "MYSENDER"}, {2, "MYPAYER"}, {3, "42"}, {5, "APPS"}, {6, "APPR"}, {7, "77"}, {8, "9001"}});
    EXPECT_EQ(CTL394CONVA(f.fields, f.claims(), 1, c),
              "ISA*00*          *00*          *ZZ*MYSENDER       *ZZ*MYPAYER        *261211*0930*^*00501*000000042*1*P*:~"
              "GS*HR*APPS*APPR*20261211*0930*77*X*005010X212~"
              "ST*276*9001~"
              "BHT*0010*13*20261211~"
              "HL*1**20*1~NM1*PR*2*ACME INSURANCE*****PI*PAYER01~"
              "HL*2*1*21*1~NM1*41*2*ACME BILLING*****46*SUB123~"
              "HL*3*2*19*1~NM1*1P*2*FIRST CLINIC*****XX*1111111111~"
              "HL*4*3*22*0~DMG*D8*19800101*M~NM1*QC*1*SMITH*JOHN*Q***MI*SUB001~TRN*1*CLAIM001~REF*BLT*111~"
              "AMT*T3*100~DTP*232*RD8*20120105-20120107~"
              "SE*16*9001~GE*1*77~IEA*1*000000042~");
}

// The table shows the file's commas as blanks; a request names the values
// as the file writes them, read again from the file while it is the one
// loaded.
TEST(X12Generation, ClaimStatusRequestKeepsTheCommasOfTheFilesValues) {
    zrtest::TempDir dir;
    const std::string path = dir.write("commas.x12", zrtest::readBytes(generationFixture("276_values_with_commas.x12")));
    const GenerationFile f(path);
    GeneratorContext c = generationContext();
    c.sourceFile = path;
    const std::vector<std::string> withCommas = {
        "NM1*PR*2*ACME, INSURANCE*****PI*PAYER01", "NM1*41*2*BILLING, INC*****46*SUB123",
        "NM1*1P*2*CLINIC, NORTH*****XX*1111111111", "NM1*QC*1*SMITH, JR*JOHN*Q***MI*SUB,001", "TRN*1*CL,AIM1"};
    const std::string request = CTL394CONVA(f.fields, 1, 1, c);
    for (const std::string& segment : withCommas)
        EXPECT_TRUE(generationHas(generationSegments(request), segment)) << segment << "\n" << request;
    expectWholeInterchange(request);

    // The callers that ask for every claim read the file once for all.
    zrtest::PromptRecorder yes(true);
    const WrittenFiles all = CTL39406AC(f.fields, 1, dir.path(), dir.path(), 0, 1, c);
    ASSERT_EQ(all.written.size(), 1u);
    EXPECT_EQ(zrtest::readBytes(all.written[0]), request);

    // Without the file, or once it changed, the loaded values serve.
    for (const std::string& source : {std::string(), dir.write("changed.x12", "ISA*changed~")}) {
        c.sourceFile = source;
        EXPECT_EQ(CTL394CONVA(f.fields, 1, 1, c).find(','), std::string::npos) << source;
    }
}

TEST(X12Generation, ClaimStatusRequestOfClaimKReadsClaimKsPayerAndProvider) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    const std::vector<std::string> s = generationSegments(CTL394CONVA(f.fields, f.claims(), 3, generationContext()));
    EXPECT_TRUE(generationHas(s, "NM1*PR*2*MEDICARE*****PI*PAYER03"));
    EXPECT_TRUE(generationHas(s, "NM1*1P*2*SECOND CLINIC*****XX*6666666666"));
    EXPECT_TRUE(generationHas(s, "TRN*1*MULTI-1"));
    EXPECT_FALSE(generationHas(s, "NM1*PR*2*ACME INSURANCE*****PI*PAYER01"));
    expectWholeInterchange(CTL394CONVA(f.fields, f.claims(), 3, generationContext()));
}

TEST(X12Generation, ClaimStatusRequestForAllClaimsOpensAPayerLevelPerPayer) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    const std::string text = CTL394CONVA(f.fields, f.claims(), 0, generationContext());
    expectWholeInterchange(text);
    std::vector<std::string> levels;
    for (const std::string& s : generationSegments(text))
        if (s.rfind("HL*", 0) == 0 || s.rfind("NM1*PR", 0) == 0 || s.rfind("NM1*1P", 0) == 0) levels.push_back(s);
    EXPECT_EQ(levels, (std::vector<std::string>{
                          "HL*1**20*1", "NM1*PR*2*ACME INSURANCE*****PI*PAYER01", "HL*2*1*21*1", "HL*3*2*19*1",
                          "NM1*1P*2*FIRST CLINIC*****XX*1111111111", "HL*4*3*22*0", "HL*5*3*22*0", "HL*6**20*1",
                          "NM1*PR*2*MEDICARE*****PI*PAYER03", "HL*7*6*21*1", "HL*8*7*19*1",
                          "NM1*1P*2*SECOND CLINIC*****XX*6666666666", "HL*9*8*22*0"}));
}

// A one-claim 837 of the given CLM and date rows.
std::string generationClaimFile(const std::string& clm, const std::vector<std::string>& claimRows) {
    std::vector<std::string> rows = {"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001*005010X222A1",
                                     "BHT*0019*00*B*20261210*1253*CH", "NM1*41*2*SUBMITTER*****46*S1",
                                     "HL*1**20*1", "NM1*85*2*CLINIC*****XX*1234567893", "HL*2*1*22*0",
                                     "SBR*P*18*******CI", "NM1*IL*1*DOE*JANE****MI*M1",
                                     "NM1*PR*2*PAYER*****PI*P1", clm};
    rows.insert(rows.end(), claimRows.begin(), claimRows.end());
    rows.push_back("SE*" + std::to_string(rows.size()) + "*0001");
    rows.push_back("GE*1*1");
    rows.push_back("IEA*1*000000001");
    return zrtest::x12Text(rows);
}

TEST(X12Generation, ClaimStatusRequestWithoutPlaceOrRecordCountsFifteen) {
    zrtest::TempDir dir;
    const GenerationFile f(dir.write("bare.x12", generationClaimFile("CLM*C1*10", {"LX*1", "SV1*HC:99213*10*UN*1", "DTP*472*D8*20261101"})));
    const std::string text = CTL394CONVA(f.fields, f.claims(), 1, generationContext());
    expectWholeInterchange(text);
    const std::vector<std::string> s = generationSegments(text);
    EXPECT_TRUE(generationHas(s, "SE*15*0101")) << text;
    // One date of service becomes a range of that date.
    EXPECT_TRUE(generationHas(s, "DTP*232*RD8*20261101-20261101")) << text;
}

TEST(X12Generation, RepetitionSeparatorIsACharacterTheTextDoesNotUse) {
    zrtest::TempDir dir;
    const GenerationFile f(dir.write("caret.x12", generationClaimFile("CLM*A^B{C*10", {})));
    const std::string text = CTL394CONVA(f.fields, f.claims(), 1, generationContext());
    EXPECT_TRUE(generationHas(generationSegments(text), "TRN*1*A^B{C"));
    EXPECT_EQ(text.substr(82, 1), "}");
    expectWholeInterchange(text);
}

TEST(X12Generation, ClaimKindsOfTheNewClaimFile) {
    struct Case {
        std::string fixture, key, gs08;
    };
    for (const Case& c : std::vector<Case>{{"claims_837p.x12", "1", "005010X222A1"},
                                           {"claims_837i.x12", "1", "005010X223A1"},
                                           {"claims_837d.x12", "1", "005010X224A2"}}) {
        const GenerationFile f(generationFixture(c.fixture));
        const std::string text = CTL394CONVB(f.fields, f.claims(), 1, generationContext({{9, c.key}}));
        expectWholeInterchange(text);
        const std::vector<std::string> s = generationSegments(text);
        EXPECT_EQ(s[1], "GS*HC*SENDER*RECEIVER*20261211*0930*1001*X*" + c.gs08) << c.fixture;
        EXPECT_EQ(s[2], "ST*837*0101");
    }
    const GenerationFile f(generationFixture("claims_837p.x12"));
    for (const char* key : {"", "0", "2"})
        EXPECT_EQ(CTL394CONVB(f.fields, f.claims(), 2, generationContext({{9, key}})), CTL394CONVF(f.table, f.index, 2));
    EXPECT_EQ(CTL394CONVB(f.fields, f.claims(), 2, generationContext({{9, "3"}})), "");
}

// The rebuilt claim's segments between ST and SE are the source's rows of
// the given stretches (first and last segment of each), in order.
std::vector<std::string> generationStretches(const SegmentTable& t,
                                             const std::vector<std::pair<std::string, std::string>>& stretches) {
    std::vector<std::string> rows;
    for (std::size_t r = 1; r <= t.size(); ++r) rows.push_back(generationSegments(std::string(t.text(r)) + "~")[0]);
    std::vector<std::string> out;
    for (const auto& [first, last] : stretches) {
        auto from = std::find(rows.begin(), rows.end(), first);
        auto to = std::find(from, rows.end(), last);
        EXPECT_NE(to, rows.end()) << first << " .. " << last;
        if (to != rows.end()) out.insert(out.end(), from, to + 1);
    }
    return out;
}

std::vector<std::string> generationBody(const std::string& text) {
    std::vector<std::string> s = generationSegments(text);
    const auto st = std::find_if(s.begin(), s.end(), [](const std::string& x) { return x.rfind("ST*", 0) == 0; });
    const auto se = std::find_if(s.begin(), s.end(), [](const std::string& x) { return x.rfind("SE*", 0) == 0; });
    if (st == s.end() || se == s.end()) return {};
    return {st, se};
}

TEST(X12Generation, RebuildOfEachClaimOfAnEightThirtySevenWithTwoBillingProviders) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    const std::pair<std::string, std::string> header{"ST*837*0001*005010X222A1", "NM1*40*2*BIG PAYER CLEARING*****46*REC987"};
    const std::pair<std::string, std::string> first{"HL*1**20*1", "REF*EI*999888777"};
    const std::pair<std::string, std::string> second{"HL*5**20*1", "REF*EI*444555666"};
    struct Case {
        std::size_t k;
        std::vector<std::pair<std::string, std::string>> stretches;
    };
    for (const Case& c : std::vector<Case>{
             {1, {header, first, {"HL*2*1*22*0", "DTP*472*D8*20261103"}}},
             {2, {header, first, {"HL*3*1*22*1", "SV1*HC:99211*0.20*UN*1"}}},
             // The second provider's loop carries the first claims' numbers:
             // it is found by structure, not by the claim column.
             {3, {header, second, {"HL*6*5*22*0", "SV1*HC:30000*30*UN*1"}}},
         }) {
        const std::string text = CTL394CONVF(f.table, f.index, c.k);
        expectWholeInterchange(text);
        EXPECT_EQ(generationBody(text), generationStretches(f.table, c.stretches)) << "claim " << c.k;
        const std::vector<std::string> s = generationSegments(text);
        EXPECT_EQ(s.end()[-2], "GE*1*1");
    }
}

TEST(X12Generation, RebuildOfEachClaimOfARemittanceTakesItsOwnLx) {
    const GenerationFile f(generationFixture("generation_835_lx_groups.x12"));
    const std::pair<std::string, std::string> header{"ST*835*0007*005010X221A1", "N1*PE*FAMILY CLINIC*XX*1234567893"};
    struct Case {
        std::size_t k;
        std::vector<std::pair<std::string, std::string>> stretches;
    };
    for (const Case& c : std::vector<Case>{
             {1, {header, {"LX*1", "TS3*1234567893*11*20261231*2*300"}, {"CLP*PAT001*1*150*100*10*12*CNPAT001*11*1", "CAS*CO*45*50"}}},
             {2, {header, {"LX*1", "TS3*1234567893*11*20261231*2*300"}, {"CLP*PAT002*2*150*80**12*CNPAT002*11*1", "SVC*HC:99214*150*80**1"}}},
             {3, {header, {"LX*2", "LX*2"}, {"CLP*PAT003*1*200*150*50*13*CNPAT003*21*1", "DTM*472*20261103"}}},
         }) {
        const std::string text = CTL394CONVF(f.table, f.index, c.k);
        expectWholeInterchange(text);
        EXPECT_EQ(generationBody(text), generationStretches(f.table, c.stretches)) << "claim " << c.k;
        EXPECT_EQ(generationSegments(text).end()[-2], "GE*1*7001");
    }
    EXPECT_EQ(CTL394CONVF(f.table, f.index, 4), "");
}

TEST(X12Generation, RebuildWhereTheIndexPointsAtTheProvidersLevel) {
    zrtest::TempDir dir;
    const std::string path = dir.write(
        "providers.x12",
        zrtest::x12Text({"GS*HC*S*R*20261210*1253*5*X*005010X222A1", "ST*837*0001*005010X222A1",
                         "BHT*0019*00*B*20261210*1253*CH", "HL*1**20*1", "NM1*85*2*ONE*****XX*1", "HL*2*1*22*0",
                         "NM1*IL*1*A", "CLM*C1*10", "HL*3**20*1", "NM1*85*2*TWO*****XX*2", "HL*4*3*22*0",
                         "NM1*IL*1*B", "CLM*C2*20", "SE*14*0001", "GE*1*5", "IEA*1*000000001"}));
    const GenerationFile f(path);
    ASSERT_EQ(f.index.size(), 2u);
    EXPECT_EQ(generationBody(CTL394CONVF(f.table, f.index, 2)),
              (std::vector<std::string>{"ST*837*0001*005010X222A1", "BHT*0019*00*B*20261210*1253*CH", "HL*3**20*1",
                                        "NM1*85*2*TWO*****XX*2", "HL*4*3*22*0", "NM1*IL*1*B", "CLM*C2*20"}));
    // Claim 0 is every row, each SE recounted: the source's wrong count is mended.
    const std::string all = CTL394CONVF(f.table, f.index, 0);
    EXPECT_EQ(all.substr(all.size() - 44), "CLM*C2*20~SE*13*0001~GE*1*5~IEA*1*000000001~");
    expectWholeInterchange(all);
}

// The remittance values of the 835 fixture's three claims, as the getters
// of the remittance screens give them.
RemittanceFieldReader generationRemittanceReader(bool dated = true) {
    using Values = std::map<std::pair<std::size_t, std::string>, std::string>;
    static const Values claims = {
        {{1, "CLAIMPATCTL"}, "PAT001"}, {{1, "CLAIMSTATUSCODE"}, "1"}, {{1, "CLAIMTOTALCHARGE"}, "150"},
        {{1, "CLAIMTOTALPAID"}, "100"}, {{1, "PATRESPONSIBLE"}, "10"}, {{1, "FILIND"}, "12"},
        {{1, "PAYERCLAIMCODE"}, "CNPAT001"}, {{1, "FACILITYTYPECODE"}, "11"}, {{1, "CLAIMFREQ"}, "1"},
        {{1, "CLMADJGRPCODE"}, "CO"}, {{1, "CLMADJCODE"}, "45"}, {{1, "CLMADJAMT"}, "40"},
        {{1, "CLMADJCODE1"}, "253"}, {{1, "CLMADJAMT1"}, "10"}, {{1, "CLAIMMSTATEMENTPERIODSTART"}, "20261101"},
        {{1, "CLAIMDATEREC"}, "20261105"}, {{1, "SUBLNAME"}, "SMITH"}, {{1, "SUBFNAME"}, "JOHN"},
        {{1, "SUBIDQUALCODE"}, "MI"}, {{1, "SUBID"}, "S001"}, {{1, "PATLNAME"}, "SMITH"}, {{1, "PATFNAME"}, "JOHN"},
        {{1, "PATMI"}, "Q"}, {{1, "PATIDQUALCODE"}, "MI"}, {{1, "PATID"}, "M001"},
        {{2, "CLAIMPATCTL"}, "PAT002"}, {{2, "CLAIMSTATUSCODE"}, "2"}, {{2, "CLAIMTOTALCHARGE"}, "150"},
        {{2, "CLAIMTOTALPAID"}, "80"}, {{2, "FILIND"}, "12"}, {{2, "PATLNAME"}, "JONES"}, {{2, "PATFNAME"}, "MARY"},
        {{3, "CLAIMPATCTL"}, "PAT003"}, {{3, "CLAIMSTATUSCODE"}, "1"}, {{3, "CLAIMTOTALCHARGE"}, "200"},
        {{3, "CLAIMTOTALPAID"}, "150"}, {{3, "CLMADJGRPCODE"}, "PR"}, {{3, "CLMADJCODE"}, "1"},
        {{3, "CLMADJAMT"}, "50"}, {{3, "PATLNAME"}, "BROWN"}, {{3, "PATFNAME"}, "ALICE"},
    };
    RemittanceFieldReader r;
    r.claim = [](std::size_t k, const std::string& name) {
        const auto it = claims.find({k, name});
        return it == claims.end() ? std::string() : it->second;
    };
    r.transaction = [dated](const std::string& name) -> std::string {
        // The getters describe BPR01, BPR03 and BPR04 in words.
        if (name == "TRANSHANDCODE") return "Remittance Information Only";
        if (name == "TRANSTOTALPAYAMT") return "330";
        if (name == "TRANSDC") return "Credit";
        if (name == "TRANSPAYMETHOD") return "Automated Clearing House (ACH)";
        if (name == "TRANSDATE" && dated) return "20261210";
        return "";
    };
    r.serviceLine = [](std::size_t k, const std::string& name) {
        return name == "PROCEDURECODE" ? std::string(k == 2 ? "HC,99214" : "HC,99213") : std::string();
    };
    return r;
}

TEST(X12Generation, RemittanceOfOneClaimExactBytes) {
    const GenerationFile f(generationFixture("generation_835_lx_groups.x12"));
    EXPECT_EQ(CTL394CONVD(f.table, f.index, generationRemittanceReader(), 3, 1, {}, generationContext({{3, "5"}})),
              "ISA*00*          *00*          *ZZ*PAYERSENDER    *ZZ*CLINICRECV     *261211*0930*^*00501*000000005*1*P*:~"
              "GS*HP*PAYERSENDER*CLINICRECV*20261211*0930*1001*X*005010X221A1~"
              "ST*835*0101~"
              "BPR*I*330*C*ACH************20261210~"
              "TRN*1*CHECK7*1512345678~"
              "LX*1~"
              "CLP*PAT001*1*150*100*10*12*CNPAT001*11*1~"
              "CAS*CO*45*40**253*10~"
              "DTM*050*20261105~DTM*232*20261101~"
              "NM1*IL*1*SMITH*JOHN****MI*S001~"
              "NM1*QC*1*SMITH*JOHN*Q***MI*M001~"
              "SE*11*0101~GE*1*1001~IEA*1*000000005~");
}

TEST(X12Generation, RemittanceFilterAndOptions) {
    const RemittanceOptions o = remittanceOptions("ic,FILTER=x,y,MAP=m.map,SL,OW");
    EXPECT_TRUE(o.individualClaims);
    EXPECT_TRUE(o.serviceLines);
    EXPECT_TRUE(o.overwrite);
    EXPECT_EQ(o.filterField, "X");
    EXPECT_EQ(o.filterValue, "Y");
    EXPECT_EQ(o.mapName, "M.MAP");

    const GenerationFile f(generationFixture("generation_835_lx_groups.x12"));
    ParseSpec request;
    struct Case {
        std::string options;
        std::vector<std::string> claims;
    };
    for (const Case& c : std::vector<Case>{{"", {"PAT001", "PAT002", "PAT003"}},
                                           {"FILTER=CLAIMSTATUSCODE,1", {"PAT001", "PAT003"}},
                                           {"FILTER=TRANSPAYMETHOD,AUTOMATED", {"PAT001", "PAT002", "PAT003"}},
                                           {"FILTER=PROCEDURECODE,HC 99214", {"PAT002"}},
                                           {"FILTER=CLAIMSTATUSCODE,9", {}},
                                           {"FILTER=CLAIMSTATUSCODE,>1", {"PAT002"}},
                                           {"FILTER=CLAIMPATCTL,<PAT002", {"PAT001"}},
                                           {"FILTER=CLAIMPATCTL,#4:3:003", {"PAT003"}},
                                           {"FILTER=CLAIMPATCTL,#4:3:pat", {}}}) {
        request.parseOptions = c.options;
        const std::string text =
            CTL394CONVD(f.table, f.index, generationRemittanceReader(), 3, 0, request, generationContext());
        expectWholeInterchange(text);
        std::vector<std::string> clp, lx;
        for (const std::string& s : generationSegments(text)) {
            if (s.rfind("CLP*", 0) == 0) clp.push_back(s.substr(4, 6));
            if (s.rfind("LX*", 0) == 0) lx.push_back(s);
        }
        EXPECT_EQ(clp, c.claims) << c.options;
        EXPECT_EQ(lx.size(), c.claims.size());
        if (!lx.empty()) {
            EXPECT_EQ(lx.back(), "LX*" + std::to_string(lx.size()));
        }
    }
    // Without a payment date BPR ends at its method (its codes are the
    // loaded BPR's); without adjustments a claim has no CAS.
    const std::vector<std::string> s = generationSegments(
        CTL394CONVD(f.table, f.index, generationRemittanceReader(false), 3, 2, {}, generationContext()));
    EXPECT_TRUE(generationHas(s, "BPR*I*330*C*ACH"));
    EXPECT_EQ(generationCount(s, "CAS*"), 0u);
}

TEST(X12Generation, RemittanceThroughTheRemittanceGetters) {
    const GenerationFile f(generationFixture("835_remittance.x12"));
    const ClaimIndex inSet = CTL39400C(f.table, 2);
    const RemittanceFieldReader reader = remittanceFieldReader(inSet, f.table);
    const std::string reversal = CTL394CONVD(f.table, inSet, reader, 3, 2, {}, generationContext());
    expectWholeInterchange(reversal);
    const std::vector<std::string> s = generationSegments(reversal);
    EXPECT_EQ(s[1].substr(0, 6), "GS*HP*");
    EXPECT_TRUE(generationHas(s, "BPR*I*460*C*ACH************20261215")) << reversal;
    EXPECT_TRUE(generationHas(s, "TRN*1*TRACE55*1512345678")) << reversal;
    EXPECT_TRUE(generationHas(s, "CLP*PAT002*22*-150*-100**12*CN002")) << reversal;
    EXPECT_TRUE(generationHas(s, "CAS*CO*45*-50**45*-50")) << reversal;
    ParseSpec request;
    request.parseOptions = "FILTER=CLAIMSTATUSCODE,1";
    const std::string kept = CTL394CONVD(f.table, inSet, reader, 3, 0, request, generationContext());
    EXPECT_NE(kept.find("CLP*PAT001*1*"), std::string::npos);
    EXPECT_EQ(kept.find("CLP*PAT002"), std::string::npos);
    EXPECT_NE(kept.find("LX*2~CLP**19*"), std::string::npos) << kept;
    EXPECT_NE(kept.find("NM1*IL*1*SMITH*JANE****MI*S456~NM1*QC*1*SMITH*JOHN*Q***MI*M123~"), std::string::npos)
        << kept;
    // The rebuild of the reversal: its own rows under its LX, no other
    // claim's and no provider adjustment.
    const std::string rebuilt = CTL394CONVF(f.table, f.index, 2);
    expectWholeInterchange(rebuilt);
    EXPECT_NE(rebuilt.find("~LX*1~CLP*PAT002*22"), std::string::npos);
    EXPECT_EQ(rebuilt.find("PAT001"), std::string::npos);
    EXPECT_EQ(rebuilt.find("PLB"), std::string::npos);
}

TEST(X12Generation, HealthLevelSevenTextAndElementMap) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    EXPECT_EQ(CTL394CONVE(f.table.delimiters(), 3, 0), "MSH~*:\r\nPID*1\r\n~PID*2\r\n~PID*3\r\n~");
    EXPECT_EQ(CTL394CONVE(f.table.delimiters(), 3, 2), "MSH~*:\r\nPID*1\r\n~");
    EXPECT_EQ(CTL394AMAP(f.fields), "*PR*2******PI**41*2*ACME BILLING*****46*SUB123*1P*2*FIRST CLINIC******QC*1******MI*");
}

TEST(X12Generation, WriterPiecesOfTheClaimDataModes) {
    const GenerationFile f(generationFixture("claims_837p.x12"));
    const GeneratorContext c = generationContext();
    EXPECT_EQ(claimWriterPiece(110, f.fields, 3, 2, c), CTL394CONVB(f.fields, 3, 2, c));
    EXPECT_EQ(claimWriterPiece(111.1, f.fields, 3, 2, c), CTL394CONVA(f.fields, 3, 2, c));
    EXPECT_EQ(claimWriterPiece(114.1, f.fields, 3, 2, c), CTL394CONVE(f.table.delimiters(), 3, 2));
    for (double mode : {112.0, 112.1, 113.0, 113.1, 100.0}) EXPECT_EQ(claimWriterPiece(mode, f.fields, 3, 2, c), "");
}

TEST(X12Generation, HostileClaimIdsMakeSafeFileNames) {
    struct Case {
        std::string id, name;
    };
    for (const Case& c : std::vector<Case>{{"CLAIM001", "CLAIM001"},
                                           {" ID 7 ", "ID 7"},
                                           {"../../etc/passwd", "____etc_passwd"},
                                           {"C:\\Windows\\x", "C__Windows_x"},
                                           {"a*b?c<d>e|f\"g", "a_b_c_d_e_f_g"},
                                           {"tab\there", "tab_here"},
                                           {"name. .", "name"},
                                           {"..", "_"},
                                           {"CON", "_CON"},
                                           {"com1.x", "_com1.x"},
                                           {"COM10", "COM10"},
                                           {"COM", "COM"},
                                           {"lpt9", "_lpt9"},
                                           {"...", "_"},
                                           {"a..b", "a_b"},
                                           {"   ", ""}})
        EXPECT_EQ(cleanedClaimFileName(c.id), c.name) << c.id;
    RunFileNames names;
    EXPECT_EQ(names.unused("", "claimstatus", ".276"), "claimstatus.276");
    EXPECT_EQ(names.unused("", "claimstatus", ".276"), "claimstatus_2.276");
    EXPECT_EQ(names.unused("", "claimstatus_2", ".276"), "claimstatus_2_2.276");
    EXPECT_EQ(names.unused("", "other", ".276"), "other.276");
}

std::string generationThreeClaims(const std::vector<std::string>& ids) {
    std::vector<std::string> rows = {"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001*005010X222A1",
                                     "BHT*0019*00*B*20261210*1253*CH", "HL*1**20*1", "NM1*85*2*CLINIC*****XX*1"};
    std::size_t hl = 1;
    for (const std::string& id : ids) {
        rows.push_back("HL*" + std::to_string(++hl) + "*1*22*0");
        rows.push_back("NM1*IL*1*DOE");
        rows.push_back("CLM*" + id + "*10");
    }
    rows.push_back("SE*" + std::to_string(rows.size()) + "*0001");
    rows.push_back("GE*1*1");
    rows.push_back("IEA*1*000000001");
    return zrtest::x12Text(rows);
}

TEST(X12Generation, RequestsForAllClaimsNeverOverwriteEachOther) {
    zrtest::TempDir dir;
    const GenerationFile f(dir.write("three.x12", generationThreeClaims({"", "", "../up"})));
    const std::string kept = dir.write("claimstatus.276", "kept");
    zrtest::PromptRecorder prompts;  // No to the overwrite question
    const WrittenFiles w = CTL39406AC(f.fields, 3, dir.path(), dir.path(), 0, 1, generationContext());
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::NoYes);
    EXPECT_EQ(prompts.prompts()[0].text, "Overwrite any existing files?");
    EXPECT_EQ(prompts.prompts()[0].caption, "Overwite Files?");
    EXPECT_EQ(w.skipped, std::vector<std::string>{kept});
    EXPECT_EQ(w.written, (std::vector<std::string>{dir.file("claimstatus_2.276"), dir.file("__up.276")}));
    EXPECT_EQ(zrtest::readBytes(kept), "kept");
    EXPECT_EQ(zrtest::readBytes(dir.file("claimstatus_2.276")), CTL394CONVA(f.fields, 3, 2, generationContext()));
    EXPECT_EQ(zrtest::readBytes(dir.file("__up.276")), CTL394CONVA(f.fields, 3, 3, generationContext()));

    zrtest::PromptRecorder yes(true);
    const WrittenFiles again = CTL39406AC(f.fields, 3, dir.path(), dir.path(), 0, 1, generationContext());
    EXPECT_EQ(again.written.size(), 3u);
    EXPECT_EQ(zrtest::readBytes(kept), CTL394CONVA(f.fields, 3, 1, generationContext()));
}

TEST(X12Generation, CreateFilesOfOneClaimThroughTheSaveDialog) {
    zrtest::TempDir dir;
    const GenerationFile f(generationFixture("claims_837p.x12"));
    EXPECT_EQ(claimFileName(f.fields, 1, 1, "claimstatus", ".276"), "CLAIM001.276");
    EXPECT_EQ(claimFileName(f.fields, 2, 1, "claims", ".837"), "KID-A.837");
    const std::string file = dir.file("made.276");
    {
        zrtest::PromptRecorder prompts;
        prompts.answerFile(file);
        const WrittenFiles w = CTL39406AC(f.fields, 3, dir.path(), dir.path(), 3, 1, generationContext());
        ASSERT_EQ(prompts.prompts().size(), 1u);
        EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
        EXPECT_EQ(prompts.prompts()[0].caption, "Create a 276 Claims File");
        EXPECT_EQ(w.written, std::vector<std::string>{file});
        EXPECT_EQ(zrtest::readBytes(file), CTL394CONVA(f.fields, 3, 3, generationContext()));
    }
    {
        zrtest::PromptRecorder prompts;  // No, the default, keeps the file
        prompts.answerFile(file);
        fs::resize_file(file, 3);
        EXPECT_TRUE(CTL39406AD(f.fields, dir.path(), 2, 1).written.empty());
        ASSERT_EQ(prompts.prompts().size(), 2u);
        EXPECT_EQ(prompts.prompts()[0].caption, "Create a 837 Claims File");
        EXPECT_EQ(prompts.prompts()[1].text, file + " already exists. Overwrite it?");
        EXPECT_EQ(prompts.prompts()[1].caption, "Overwite File?");
        EXPECT_EQ(fs::file_size(file), 3u);
    }
    {
        zrtest::PromptRecorder prompts(true);
        prompts.answerFile(file);
        EXPECT_EQ(CTL39406AD(f.fields, dir.path(), 2, 1).written, std::vector<std::string>{file});
        EXPECT_EQ(zrtest::readBytes(file), CTL394CONVF(f.table, f.index, 2));
    }
    {
        zrtest::PromptRecorder prompts;  // Cancel, and claim 0: nothing asked twice, nothing written
        prompts.answerFile("");
        EXPECT_TRUE(CTL39406AC(f.fields, 3, dir.path(), dir.path(), 1, 1, generationContext()).written.empty());
        EXPECT_TRUE(CTL39406AD(f.fields, dir.path(), 0, 1).written.empty());
        EXPECT_EQ(prompts.prompts().size(), 1u);
    }
}

#ifndef _WIN32

// The segments of a source table's rows from..to, elements joined with "*"
// and without line breaks, as the external reader gives them.
std::string generationStarred(std::string_view text, const X12Delimiters& d) {
    std::string out;
    for (char c : text) {
        if (c == '\r' || c == '\n') continue;
        out += std::string(1, c) == d.element ? std::string("*") : std::string(1, c);
    }
    return out;
}

// node-x12 accepted the file as one interchange of one group of one set,
// with every count and control number right.
const zrtest::NodeX12Set* generationReadSet(const std::map<std::string, zrtest::NodeX12File>& read,
                                            const std::string& file, const std::string& gs01) {
    const auto it = read.find(file);
    EXPECT_NE(it, read.end()) << file << " was not read";
    if (it == read.end()) return nullptr;
    const zrtest::NodeX12File& f = it->second;
    EXPECT_EQ(f.error, "") << file;
    if (!f.error.empty() || f.interchanges.size() != 1) return nullptr;
    const zrtest::NodeX12Interchange& i = f.interchanges[0];
    EXPECT_EQ(i.isa13, i.iea02) << file;
    EXPECT_EQ(i.iea01, "1") << file;
    EXPECT_EQ(i.groups.size(), 1u) << file;
    if (i.groups.size() != 1) return nullptr;
    const zrtest::NodeX12Group& g = i.groups[0];
    EXPECT_EQ(g.gs01, gs01) << file;
    EXPECT_EQ(g.ge02, g.gs06) << file;
    EXPECT_EQ(g.ge01, "1") << file;
    if (g.sets.size() != 1) return nullptr;
    const zrtest::NodeX12Set& s = g.sets[0];
    EXPECT_EQ(s.se01, std::to_string(s.segments.size() + 2)) << file;
    EXPECT_EQ(s.se02, s.st02) << file;
    EXPECT_GE(s.st02.size(), 4u) << file;
    return &s;
}

bool generationReadHas(const zrtest::NodeX12Set* s, const std::string& segment) {
    return s && std::find(s->segments.begin(), s->segments.end(), segment) != s->segments.end();
}

TEST(X12Generation, AnotherX12ReaderAcceptsEveryGeneratedFile) {
    ASSERT_NE(zrtest::nodeX12Modules(), "") << "node-x12 is not installed (scripts/setup installs it)";
    zrtest::TempDir dir;
    struct Made {
        std::string file, gs01;
        std::vector<std::string> mustHold;  // segments the reader must find in the set
    };
    std::vector<Made> made;
    std::vector<std::string> files;
    auto keep = [&](const std::string& name, const std::string& text, const std::string& gs01,
                    std::vector<std::string> mustHold) {
        made.push_back({dir.write(name, text), gs01, std::move(mustHold)});
        files.push_back(made.back().file);
    };
    const GeneratorContext kind1 = generationContext({{3, "77"}, {8, "5"}, {9, "1"}});
    for (const std::string fixture : {"claims_837p.x12", "claims_837i.x12", "claims_837d.x12"}) {
        const GenerationFile f(generationFixture(fixture));
        const std::size_t n = f.claims();
        for (std::size_t k = 0; k <= n; ++k) {
            const std::string tag = fixture + "." + std::to_string(k);
            std::vector<std::string> values;
            for (std::size_t j = (k ? k : 1); j <= (k ? k : n); ++j) {
                values.push_back("TRN*1*" + f.fields.claim(1, static_cast<long long>(j), "CLAIMID"));
                values.push_back("AMT*T3*" + f.fields.claim(1, static_cast<long long>(j), "CLAIMAMT"));
            }
            keep(tag + ".276", CTL394CONVA(f.fields, n, k, generationContext()), "HR", values);
            keep(tag + ".kind1.837", CTL394CONVB(f.fields, n, k, kind1), "HC", values);
            if (k == 0) continue;
            // The rebuild holds the claim's own rows, as the source has them.
            std::vector<std::string> rows;
            for (std::size_t r = f.index[k - 1]; r <= f.table.size() && f.table.id(r) != "SE"; ++r)
                if (f.table.id(r) == "CLM" || f.table.id(r) == "SV1" || f.table.id(r) == "SV2" || f.table.id(r) == "SV3")
                    rows.push_back(generationStarred(f.table.text(r), f.table.delimiters()));
            keep(tag + ".837", CTL394CONVF(f.table, f.index, k), "HC", {});
            made.back().mustHold = {rows.front()};
        }
    }
    {
        // Values with commas, read again from the file.
        const std::string commas = generationFixture("276_values_with_commas.x12");
        const GenerationFile f(commas);
        GeneratorContext c = generationContext();
        c.sourceFile = commas;
        keep("commas.276", CTL394CONVA(f.fields, 1, 1, c), "HR", {"TRN*1*CL,AIM1"});
    }
    const GenerationFile r(generationFixture("generation_835_lx_groups.x12"));
    for (std::size_t k = 1; k <= r.index.size(); ++k)
        keep("remittance." + std::to_string(k) + ".835", CTL394CONVF(r.table, r.index, k), "HP",
             {generationStarred(r.table.text(r.index[k - 1]), r.table.delimiters())});

    ParseSpec filtered;
    filtered.parseOptions = "FILTER=CLAIMSTATUSCODE,1";
    for (std::size_t k = 0; k <= 3; ++k)
        keep("remittance." + std::to_string(k) + ".made.835",
             CTL394CONVD(r.table, r.index, generationRemittanceReader(), 3, k, k ? ParseSpec{} : filtered,
                         generationContext()),
             "HP", {"TRN*1*CHECK7*1512345678", k ? "LX*1" : "LX*2"});

    const auto read = zrtest::nodeX12Read(files);
    for (const Made& m : made) {
        const zrtest::NodeX12Set* s = generationReadSet(read, m.file, m.gs01);
        for (const std::string& segment : m.mustHold) EXPECT_TRUE(generationReadHas(s, segment)) << m.file << " " << segment;
        // This program's own loader reads the file back with its set whole.
        const SegmentTable back = zrtest::loadX12(m.file);
        EXPECT_EQ(CTL39400AA("ST", back), 1u) << m.file;
    }
}

// The shared samples' 837 and 835 files that are well formed.
std::vector<std::string> generationSamples() {
    std::vector<std::string> out;
    std::ifstream manifest(std::string(ZR_SAMPLES) + "/manifest.tsv");
    for (std::string line; std::getline(manifest, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cells;
        std::string cell;
        for (char c : line + "\t") {
            if (c == '\t') {
                cells.push_back(cell);
                cell.clear();
            } else {
                cell += c;
            }
        }
        if (cells.size() < 7 || cells[6] != "no") continue;
        const std::string path = std::string(ZR_SAMPLES) + "/" + cells[0] + "/" + cells[1];
        const SegmentTable t = zrtest::loadX12(path);
        for (std::size_t row = 1; row <= t.size(); ++row)
            if (t.id(row) == "ST" && (t.element(row, 1) == "837" || t.element(row, 1) == "835")) {
                out.push_back(path);
                break;
            }
    }
    return out;
}

TEST(X12Generation, EverySharedSampleClaimRebuildsFromItsOwnRows) {
    ZR_REQUIRE_SAMPLES();
    ASSERT_NE(zrtest::nodeX12Modules(), "") << "node-x12 is not installed (scripts/setup installs it)";
    const std::vector<std::string> samples = generationSamples();
    ASSERT_GE(samples.size(), 8u);
    zrtest::TempDir dir;
    std::vector<std::string> files;
    std::map<std::string, std::string> groupOf;
    std::set<std::size_t> bareSegments;  // samples with a segment of its id alone
    std::size_t claims = 0, withCommas = 0;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const GenerationFile f(samples[n]);
        const X12Delimiters& d = f.table.delimiters();
        std::vector<std::string> source;  // every row, starred
        for (std::size_t r = 1; r <= f.table.size(); ++r) {
            source.push_back(generationStarred(f.table.text(r), d));
            if (f.table.id(r).empty() && !wl::alltrim(source.back()).empty()) bareSegments.insert(n);
        }
        std::vector<bool> covered(f.table.size() + 1, false);
        for (std::size_t k = 1; k <= f.index.size(); ++k) {
            const std::size_t first = f.index[k - 1];
            const std::size_t st = [&] {
                std::size_t r = first;
                while (r > 1 && f.table.id(r) != "ST") --r;
                return r;
            }();
            const std::string setId(f.table.element(st, 1));
            if (setId != "837" && setId != "835") continue;
            const std::string text = CTL394CONVF(f.table, f.index, k, samples[n]);
            ASSERT_NE(text, "") << samples[n] << " claim " << k;
            if (text.find(',') != std::string::npos) ++withCommas;
            // Each rebuilt segment is a row of the claim's set, in the set's
            // order; the claim's own rows are found from its first row on.
            std::vector<std::string> rebuilt;
            std::string s;
            for (char c : text) {
                if (std::string(1, c) == d.terminator) {
                    // The table shows the file's commas as blanks.
                    std::replace(s.begin(), s.end(), ',', ' ');
                    rebuilt.push_back(generationStarred(s, d));
                    s.clear();
                } else {
                    s += c;
                }
            }
            // From the claim's first row forward, then from the row before
            // it backward (the nearest header loop is the claim's own).
            const std::size_t end = rebuilt.size() - 3;
            std::size_t i0 = 3;
            while (i0 < end && rebuilt[i0] != source[first - 1]) ++i0;
            ASSERT_LT(i0, end) << samples[n] << " claim " << k;
            for (std::size_t i = i0, at = first; i < end; ++i, ++at) {
                while (at <= f.table.size() && source[at - 1] != rebuilt[i]) ++at;
                ASSERT_LE(at, f.table.size()) << samples[n] << " claim " << k << ": " << rebuilt[i];
                covered[at] = true;
            }
            for (std::size_t i = i0, at = first; i-- > 3;) {
                while (--at > st && source[at - 1] != rebuilt[i]) {
                }
                ASSERT_GE(at, st) << samples[n] << " claim " << k << ": " << rebuilt[i];
                covered[at] = true;
            }
            const std::string file = dir.file(std::to_string(n) + "." + std::to_string(k) + ".x12");
            std::ofstream(file, std::ios::binary) << text;
            files.push_back(file);
            groupOf[file] = setId == "837" ? "HC" : "HP";
            ++claims;
        }
        // Every row of a claim set between its header and its SE is in some
        // claim's rebuild, but for an 835's provider adjustments and an
        // 837's provider levels with no subscriber below them (they stand
        // for no claim).
        bool emptyLoop = false;
        for (std::size_t r = 1; r <= f.table.size(); ++r) {
            const std::string_view id = f.table.id(r);
            if (id == "HL") {
                std::size_t next = r + 1;
                while (next <= f.table.size() && f.table.id(next) != "HL" && f.table.id(next) != "SE") ++next;
                emptyLoop = f.table.element(r, 3) == "20" &&
                            (next > f.table.size() || f.table.id(next) == "SE" || f.table.element(next, 3) == "20");
            }
            if (f.table.claim(r).inSet == 0 || emptyLoop) continue;
            if (id.empty() || id == "SE" || id == "GE" || id == "IEA" || id == "PLB" || id == "ST" || id == "GS" ||
                id == "ISA")
                continue;
            EXPECT_TRUE(covered[r]) << samples[n] << " row " << r << " " << source[r - 1];
        }
    }
    EXPECT_GE(claims, 20u);
    // Names and addresses keep their commas ("XYZ CLEARINGHOUSE, INC.").
    EXPECT_GE(withCommas, 3u);
    // The external reader drops a segment that is its id alone (a sample
    // has bare "HL" rows) and then miscounts the set: those rebuilds are not
    // asked of it.
    const auto read = zrtest::nodeX12Read(files);
    std::size_t checked = 0;
    for (const std::string& file : files) {
        if (bareSegments.count(std::stoul(fs::path(file).filename().string()))) continue;
        generationReadSet(read, file, groupOf[file]);
        ++checked;
    }
    EXPECT_GE(checked, files.size() - 10);
}

#endif

}  // namespace
