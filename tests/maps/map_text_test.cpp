// The built-in map texts: every transaction under every naming scheme loads
// as a map whose rows hang together (conditions, toggles and templates name
// real fields, templates put each value back where it was read), and the
// generator's answers shape the text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "map_file.hpp"
#include "map_names.hpp"
#include "map_text.hpp"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct Case {
    int index;
    int scheme;
};

std::vector<Case> allCases() {
    std::vector<Case> out;
    for (int index = 1; index <= 12; ++index)
        for (int scheme = 1; scheme <= 3; ++scheme) out.push_back({index, scheme});
    return out;
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return "T" + std::to_string(info.param.index) + "S" + std::to_string(info.param.scheme);
}

std::vector<std::string> linesStarting(const std::string& text, const std::string& key) {
    std::vector<std::string> out;
    for (const auto& line : zr::mapLines(text))
        if (line.rfind(key, 0) == 0) out.push_back(line);
    return out;
}

const zr::FieldRow* fieldNamed(const zr::MapFile& m, const std::string& name) {
    for (const auto& f : m.fields)
        if (f.name == name) return &f;
    return nullptr;
}

// A template cell split into its field references and literals.
struct Cell {
    std::string part;       // before the first ":"
    std::string condition;  // after it, "" when none
};

Cell splitCell(const std::string& cell) {
    const auto colon = cell.find(':');
    if (colon == std::string::npos) return {cell, ""};
    return {cell.substr(0, colon), cell.substr(colon + 1)};
}

std::vector<std::string> split(const std::string& s, char c) {
    std::vector<std::string> out(1);
    for (char x : s) {
        if (x == c) out.emplace_back();
        else out.back() += x;
    }
    return out;
}

class EveryText : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        text_ = zr::builtInMapText(GetParam().index, GetParam().scheme);
        map_ = zr::parseMapText(text_);
    }
    // A reference of a template at `level`, as the engine looks it up.
    std::string lookup(const std::string& name, int level) const { return level == 3 ? name + "1" : name; }

    std::string text_;
    zr::MapFile map_;
};

TEST_P(EveryText, HasTheStructureOfABuiltInMap) {
    const auto [index, scheme] = GetParam();
    ASSERT_FALSE(text_.empty());
    EXPECT_EQ(text_.substr(0, 2), "\r\n") << "the text begins with an empty line";
    EXPECT_EQ(text_.substr(text_.size() - 2), "\r\n");
    EXPECT_EQ(text_.find('\n'), text_.find("\r\n") + 1) << "lines end with CR LF";
    for (std::size_t at = text_.find('\n'); at != std::string::npos; at = text_.find('\n', at + 1))
        ASSERT_EQ(text_[at - 1], '\r');
    const char* types[] = {"837I", "835", "276", "277", "270", "271", "278", "278", "834", "837P", "837D", "820"};
    EXPECT_EQ(map_.transactionType, types[index - 1]);
    EXPECT_EQ(map_.version, scheme == 1 ? "4010" : scheme == 2 ? "5010" : "");
    EXPECT_EQ(linesStarting(text_, "VERSION=").size(), scheme == 3 ? 0u : 1u);
    ASSERT_GE(map_.fields.size(), 2u);
    // The file names end the fields of the first maps; fields added since
    // come after them, so that older CSVs keep their columns.
    std::size_t names = 0;
    while (names < map_.fields.size() && map_.fields[names].name != "SOURCEFILE") ++names;
    ASSERT_LT(names + 1, map_.fields.size());
    EXPECT_EQ(map_.fields[names + 1].name, "DESTINATIONFILE");
    // The usage indicator ends the fields added after the file names; the
    // fields added after it come last.
    std::size_t usage = names + 2;
    while (usage < map_.fields.size() && map_.fields[usage].name != "PRODTEST") ++usage;
    ASSERT_LT(usage, map_.fields.size());
    for (std::size_t i = usage + 1; i < map_.fields.size(); ++i) {
        std::string stem = map_.fields[i].name;
        while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back()))) stem.pop_back();
        for (const char* coverage : {"PRIMARY", "SECONDARY", "TERTIARY"})
            if (stem.rfind(coverage, 0) == 0) stem = "X" + stem.substr(std::string(coverage).size());
        EXPECT_THAT(stem, ::testing::AnyOf("SUBPAYERRESPONSIBILITY", "SUBRELATIONSHIP", "SUBGROUPNUMBER",
                                           "SUBGROUPNAME", "SUBINSURANCETYPE", "SUBFILINGCODE", "XOTHERPAYER",
                                           "XPAIDAMTQUAL", "XOIBENEFITS", "XOIRELEASE", "SUBMITTERCONTACT",
                                           "SUBMITTERCOMMQUAL", "SUBMITTERCOMMNUMBER", "SUBMITTERCOMMQUALB",
                                           "SUBMITTERCOMMNUMBERB", "SUBMITTERCOMMQUAL2B", "SUBMITTERCOMMNUMBER2B",
                                           "HEADERNUMBER",
                                           "REMITADJAMOUNT", "REMITADJREASON"))
            << map_.fields[i].name;
    }
    for (std::size_t i = names + 2; i < usage; ++i) {
        const std::string& later = map_.fields[i].name;
        const std::string stem = map_.fields[i].serviceLine.empty()
                                     ? later
                                     : later.substr(0, later.size() - map_.fields[i].serviceLine.size());
        EXPECT_THAT(stem, ::testing::AnyOf("SETCONTROLNUMBER", "PROVIDERSIGNATURE", "PROCDESC", "FAMILYPLANNING",
                                               "PRODTEST", "PAYERREQUESTVALID", "PAYERREJECTREASON",
                                               "PAYERFOLLOWUPACTION", "RECEIVERREQUESTVALID",
                                               "RECEIVERREJECTREASON", "RECEIVERFOLLOWUPACTION"))
            << later;
    }
    EXPECT_THAT(text_, HasSubstr("\r\nFIELD=SOURCEFILE,64,,,,,,,,5\r\nFIELD=DESTINATIONFILE,64,,,,,,,,6\r\n"));
    const bool builds = index == 1 || index == 2 || index == 10 || index == 11 || index == 12;
    EXPECT_EQ(!map_.templates.empty(), builds);
    EXPECT_EQ(text_.find("************************************* X12 Out Mapping") != std::string::npos, builds);
    EXPECT_EQ(!map_.screens.empty(), index == 12);
}

TEST_P(EveryText, EveryLineLoadsWithoutSurplusOrMissingItems) {
    const auto fieldLines = linesStarting(text_, "FIELD=");
    ASSERT_EQ(fieldLines.size(), map_.fields.size());
    for (const auto& line : fieldLines) EXPECT_LE(zr::splitMapItems(line.substr(6)).size(), 19u) << line;
    const auto templateLines = linesStarting(text_, "SEGMENT=");
    ASSERT_EQ(templateLines.size(), map_.templates.size());
    for (const auto& line : templateLines) EXPECT_LE(zr::splitMapItems(line.substr(8)).size(), 30u) << line;
    std::set<std::string> names;
    for (const auto& f : map_.fields) {
        EXPECT_FALSE(f.name.empty());
        EXPECT_TRUE(names.insert(f.name).second) << "duplicate field " << f.name;
        if (f.level == "5" || f.level == "6") continue;
        EXPECT_FALSE(f.segment.empty()) << f.name;
        EXPECT_GT(zr::mapNumber(f.elementPosition), 0) << f.name;
        if (!f.qualifier.empty()) {
            EXPECT_GT(zr::mapNumber(f.qualifierPosition), 0) << f.name;
        }
        if (!f.previousSegment.empty()) {
            EXPECT_FALSE(f.conditionField.empty()) << f.name << ": a previous segment needs a condition";
            EXPECT_GT(zr::mapNumber(f.previousQualifierPosition), 0) << f.name;
        }
    }
}

// The engine opens a field on the first field whose name begins with the
// condition, and stops it on any field whose name begins the toggle-off
// name: both must find exactly the field meant.
TEST_P(EveryText, ConditionsAndTogglesFindExactlyTheirField) {
    for (const auto& f : map_.fields) {
        if (!f.conditionField.empty()) {
            const zr::FieldRow* first = nullptr;
            for (const auto& g : map_.fields)
                if (g.name.rfind(f.conditionField, 0) == 0) {
                    first = &g;
                    break;
                }
            ASSERT_NE(first, nullptr) << f.name << " waits for a missing " << f.conditionField;
            EXPECT_EQ(first->name, f.conditionField) << f.name;
        }
        if (!f.toggleOffField.empty()) {
            std::vector<std::string> stoppers;
            for (const auto& g : map_.fields)
                if (f.toggleOffField.rfind(g.name, 0) == 0) stoppers.push_back(g.name);
            EXPECT_EQ(stoppers, std::vector<std::string>{f.toggleOffField}) << f.name;
        }
    }
}

TEST_P(EveryText, ServiceLinesRepeatLineOneWithTheirNumber) {
    std::map<int, std::vector<const zr::FieldRow*>> lines;
    for (const auto& f : map_.fields)
        if (!f.serviceLine.empty()) lines[zr::mapNumber(f.serviceLine)].push_back(&f);
    if (lines.empty()) return;
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines.begin()->first, 1);
    EXPECT_EQ(lines.rbegin()->first, 10);
    for (const auto& [n, rows] : lines) {
        ASSERT_EQ(rows.size(), lines[1].size()) << "line " << n;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& one = *lines[1][i];
            const auto& row = *rows[i];
            EXPECT_EQ(row.name, one.name.substr(0, one.name.size() - 1) + std::to_string(n));
            EXPECT_EQ(row.segment, one.segment);
            EXPECT_EQ(row.elementPosition, one.elementPosition);
            EXPECT_FALSE(row.conditionField.empty()) << row.name << ": line fields need a condition";
        }
    }
    // The block of line 1 stands together, as the multi-line expansion
    // copies it (line fields added later form a second block, at the end).
    std::size_t first = 0, names = 0;
    while (map_.fields[first].serviceLine != "1") ++first;
    while (map_.fields[names].name != "SOURCEFILE") ++names;
    std::size_t together = 0;
    while (map_.fields[first + together].serviceLine == "1") ++together;
    for (std::size_t i = first + together; i < names; ++i)
        EXPECT_NE(map_.fields[i].serviceLine, "1") << map_.fields[i].name << ": line 1 split before the file names";
    for (std::size_t i = names; i < map_.fields.size(); ++i)
        if (map_.fields[i].serviceLine == "1") ++together;
    EXPECT_EQ(together, lines[1].size());
}

TEST_P(EveryText, TemplatesNameOnlyFieldsThatExist) {
    for (const auto& row : map_.templates) {
        const int level = zr::mapNumber(row[0]);
        EXPECT_TRUE(level >= 1 && level <= 4) << row[1];
        auto expectField = [&](const std::string& ref) {
            ASSERT_FALSE(ref.empty()) << row[1];
            EXPECT_NE(fieldNamed(map_, lookup(ref, level)), nullptr) << "SEGMENT " << row[1] << " names " << ref;
        };
        // Each segment condition: "$NAME", "!$NAME" or "^$NAME".
        const Cell id = splitCell(row[1]);
        if (!id.condition.empty())
            for (std::string condition : split(id.condition, ':')) {
                if (condition[0] == '!' || condition[0] == '^') condition.erase(0, 1);
                ASSERT_EQ(condition[0], '$') << row[1];
                expectField(condition.substr(1));
            }
        for (int k = 2; k < 30; ++k) {
            const Cell cell = splitCell(row[k]);
            if (!cell.condition.empty()) {
                ASSERT_EQ(cell.condition[0], '$') << row[k];
                expectField(cell.condition.substr(1));
            }
            if (cell.part.empty()) continue;
            if (cell.part[0] == '$' || cell.part[0] == '!') expectField(cell.part.substr(1));
            if (cell.part[0] == '%')
                for (const auto& component : split(cell.part.substr(1), ';'))
                    if (!component.empty() && component[0] == '$') expectField(component.substr(1));
            if (cell.part[0] == '&') {
                EXPECT_TRUE(cell.part == "&HL" || cell.part == "&LX") << cell.part;
            }
        }
    }
}

// A value read from element e (component c) of a segment is written back to
// that element and component; a literal standing where a field reads its
// qualifier is one of that qualifier's codes.
TEST_P(EveryText, TemplatesPutEveryValueBackWhereItWasRead) {
    for (const auto& row : map_.templates) {
        const int level = zr::mapNumber(row[0]);
        const std::string id = splitCell(row[1]).part;
        auto check = [&](const std::string& ref, int element, int component) {
            const zr::FieldRow* f = fieldNamed(map_, lookup(ref, level));
            if (!f || f->segment != id) return;
            EXPECT_EQ(zr::mapNumber(f->elementPosition), element) << "SEGMENT " << id << " $" << ref;
            const int read = zr::mapNumber(f->subelementPosition);
            if (component == 0) {
                EXPECT_LE(read, 1) << "SEGMENT " << id << " $" << ref;
            } else {
                EXPECT_EQ(read, component) << "SEGMENT " << id << " $" << ref;
            }
            const int q = zr::mapNumber(f->qualifierPosition);
            if (f->qualifier.empty() || q < 2) return;
            const std::string literal = splitCell(row[q]).part;
            if (literal.empty() || literal[0] == '$' || literal[0] == '%' || literal[0] == '!') return;
            const auto codes = split(f->qualifier, ':');
            EXPECT_NE(std::find(codes.begin(), codes.end(), literal), codes.end())
                << "SEGMENT " << id << " writes " << literal << " where " << ref << " wants " << f->qualifier;
        };
        for (int k = 2; k < 30; ++k) {
            const std::string part = splitCell(row[k]).part;
            if (part.empty()) continue;
            if (part[0] == '$' || part[0] == '!') check(part.substr(1), k - 1, 0);
            if (part[0] == '%') {
                const auto components = split(part.substr(1), ';');
                for (std::size_t j = 0; j < components.size(); ++j)
                    if (!components[j].empty() && components[j][0] == '$')
                        check(components[j].substr(1), k - 1, static_cast<int>(j) + 1);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllTransactionsAndSchemes, EveryText, ::testing::ValuesIn(allCases()), caseName);

// ---------------------------------------------------------------- keys

TEST(BuiltInMapText, KeyLinesPerTransaction) {
    const std::map<int, std::vector<std::string>> keys = {
        {1, {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYDOCFIELD=CLM", "KEYLINEFIELD=SV2"}},
        {2, {"KEYHEADERFIELD=LX", "KEYFIELD=CLP", "KEYLINEFIELD=SVC"}},
        {3, {"KEYFIELD=HL,,,22"}},
        {4, {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22:PT", "KEYLINEFIELD=SVC"}},
        {5, {"KEYFIELD=HL,,,22", "KEYLINEFIELD=EB"}},
        {6, {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYLINEFIELD=EB"}},
        {7, {"KEYFIELD=HL,,,22", "KEYLINEFIELD=SV2"}},
        {8, {"KEYFIELD=HL,,,22", "KEYLINEFIELD=SV2"}},
        {9, {"KEYFIELD=INS", "KEYLINEFIELD=HD"}},
        {10, {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYDOCFIELD=CLM", "KEYLINEFIELD=SV1"}},
        {11, {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=SBR", "KEYDOCFIELD=CLM", "KEYLINEFIELD=SV3"}},
        {12, {"KEYHEADERFIELD=HL,,,20", "KEYFIELD=HL,,,22", "KEYLINEFIELD=SV2"}},
    };
    for (const auto& [index, expected] : keys) {
        const std::string text = zr::builtInMapText(index, 2);
        EXPECT_EQ(linesStarting(text, "KEY"), expected) << index;
        const std::string type = linesStarting(text, "X12TRANSACTIONTYPE=").at(0);
        EXPECT_EQ(text.substr(0, 2 + type.size() + 2 + 14), "\r\n" + type + "\r\nVERSION=5010\r\n") << index;
    }
}

TEST(BuiltInMapText, OutsideTheTableThereIsNoText) {
    EXPECT_EQ(zr::builtInMapText(0, 1), "");
    EXPECT_EQ(zr::builtInMapText(13, 1), "");
    EXPECT_EQ(zr::builtInMapText(1, 0), "");
    EXPECT_EQ(zr::builtInMapText(1, 4), "");
}

// ------------------------------------------------- documented samples

TEST(BuiltInMapText, CarriesTheDocumentedRowsVerbatim) {
    const std::string p5 = zr::builtInMapText(10, 2);
    for (const char* line :
         {"FIELD=SUBADDR1,30,N3,,,1,,SUBID,,,,,,,,NM1,IL,2,PAYERID",
          "FIELD=PRIMARYSUBID,16,NM1,IL,2,9,,PRIMARYCOV,,,,,,,,SBR,P,2,PRIMARYPAYERID",
          "FIELD=PRIMARYCOV,1,SBR,P,2,1", "FIELD=SECONDARYCOV,1,SBR,S,2,1", "FIELD=TERTIARYCOV,1,SBR,T,2,1",
          "FIELD=BILLINGPROVIDERNAME,32,NM1,85,2,3,,,,2", "FIELD=SUBMITTERNAME,32,NM1,41,2,3,,,,1",
          "FIELD=TRANSACTIONID,20,BHT,,,3,,,,1", "FIELD=FACILITYCODEVALUE,3,CLM,,,5,1,SUBID",
          "SEGMENT=1,BHT,0019,$TRANSACTIONSETCODE,$TRANSACTIONID,$TRANSACTIONDATE", "SEGMENT=2,HL,&HL,1,22,",
          "SEGMENT=2,REF:$PRIORAUTH,G1,$PRIORAUTH", "SEGMENT=3,SV1,%HC;$PROC;", "SEGMENT=3,LX,&LX"})
        EXPECT_THAT(p5, HasSubstr(std::string("\r\n") + line)) << line;
    const std::string i5 = zr::builtInMapText(1, 2);
    for (int n : {1, 7, 10})
        EXPECT_THAT(i5, HasSubstr("\r\nFIELD=IREVCODE" + std::to_string(n) + ",10,SV2,,,1,,SUBID,,," +
                                  std::to_string(n) + "\r\n"));
    EXPECT_THAT(zr::builtInMapText(2, 2), HasSubstr("\r\nSEGMENT=4,PLB,"));
}

// The 837 institutional code lists: twelve fields per HI, component 2,
// qualifiers by version.
TEST(BuiltInMapText, InstitutionalCodeListQualifiersFollowTheVersion) {
    struct Row {
        const char* field;
        const char* q4010;
        const char* q5010;
    };
    const Row rows[] = {{"OTHERDX01", "BF", "ABF:BF"},       {"OTHERDX12", "BF", "ABF:BF"},
                        {"PRINCIPALPROC", "BR", "BBR:BR"},   {"OTHERPROC05", "BBQ:BQ:BO", "BBQ:BQ"},
                        {"OCCURRENCESPAN03", "BI", "BI"},     {"OCCURRENCECODE12", "BH", "BH"},
                        {"VALUECODE01", "BE", "BE"},          {"CONDITIONCODE01", "BG", "BG"},
                        {"TREATMENTCODE01", "TC", "TC"}};
    const zr::MapFile m4 = zr::parseMapText(zr::builtInMapText(1, 1));
    const zr::MapFile m5 = zr::parseMapText(zr::builtInMapText(1, 2));
    for (const auto& row : rows) {
        const zr::FieldRow* f4 = fieldNamed(m4, row.field);
        const zr::FieldRow* f5 = fieldNamed(m5, row.field);
        ASSERT_TRUE(f4 && f5) << row.field;
        EXPECT_EQ(f4->qualifier, row.q4010) << row.field;
        EXPECT_EQ(f5->qualifier, row.q5010) << row.field;
        EXPECT_EQ(f5->segment, "HI");
        EXPECT_EQ(f5->subelementPosition, "2");
        EXPECT_EQ(f5->conditionField, "SUBID");
    }
    EXPECT_EQ(fieldNamed(m5, "OTHERDX07")->elementPosition, "7");
    EXPECT_NE(fieldNamed(m5, "ADMITDX01"), nullptr);
    EXPECT_NE(fieldNamed(m5, "VISITREASON12"), nullptr);
    EXPECT_EQ(fieldNamed(m4, "VISITREASON01"), nullptr) << "visit reasons are a 5010 list";
}

// The transaction-based map reads files of either version.
TEST(BuiltInMapText, TransactionBasedMapsAcceptBothVersionsCodes) {
    const zr::MapFile i3 = zr::parseMapText(zr::builtInMapText(1, 3));
    EXPECT_EQ(fieldNamed(i3, "OTHERDX01")->qualifier, "ABF:BF");
    EXPECT_EQ(fieldNamed(i3, "PRINCIPALDX")->qualifier, "ABK:BK");
    EXPECT_NE(fieldNamed(i3, "ADMITDX"), nullptr) << "4010's admitting diagnosis, which no 5010 row replaces";
    const zr::MapFile p3 = zr::parseMapText(zr::builtInMapText(10, 3));
    EXPECT_EQ(fieldNamed(p3, "DX01")->qualifier, "ABK:BK");
    EXPECT_NE(fieldNamed(p3, "PAYTOPROVIDERNAME"), nullptr);
    EXPECT_THAT(zr::builtInMapText(10, 3), HasSubstr("SEGMENT=2,HI:$DX01,%ABK;$DX01,%ABF;$DX02:$DX02,"));
    EXPECT_THAT(zr::builtInMapText(10, 1), HasSubstr("SEGMENT=2,HI:$DX01,%BK;$DX01,%BF;$DX02:$DX02,"));
    EXPECT_THAT(zr::builtInMapText(10, 1), HasSubstr("SEGMENT=1,REF,87,004010X098A1\r\n"));
    EXPECT_THAT(zr::builtInMapText(10, 2), Not(HasSubstr("REF,87")));
}

// ------------------------------------------------------------- answers

TEST(BuiltInMapText, ServiceLineCountShapesTheLineGroups) {
    zr::MapAnswers five;
    five.serviceLines = 5;
    const zr::MapFile m = zr::parseMapText(zr::builtInMapText(10, 2, five));
    EXPECT_NE(fieldNamed(m, "PROC5"), nullptr);
    EXPECT_EQ(fieldNamed(m, "PROC6"), nullptr);
    EXPECT_EQ(fieldNamed(m, "PROC5")->serviceLine, "5");
}

TEST(BuiltInMapText, NoAnswersDropTheirGroupsAndTheTemplatesThatUseThem) {
    zr::MapAnswers no;
    no.billingProvider = no.subscriber = no.patient = no.coverage = no.serviceProvider = false;
    no.providerAdjustments = false;
    for (int index : {1, 2, 10, 11}) {
        const std::string text = zr::builtInMapText(index, 2, no);
        const zr::MapFile m = zr::parseMapText(text);
        for (const char* name : {"PATLNAME", "SUBLNAME", "PRIMARYCOV", "RENDERINGLNAME", "PLBPROVIDERID"})
            EXPECT_EQ(fieldNamed(m, name), nullptr) << index << " " << name;
        for (const auto& row : m.templates)
            for (const auto& cell : row)
                for (const char* gone : {"$PATLNAME", "$SUBLNAME", "$PRIMARYCOV", "$RENDERINGLNAME", "PLB"})
                    EXPECT_EQ(cell.find(gone), std::string::npos) << index << " " << cell;
    }
    // Only the institutional claim asks about the billing provider.
    EXPECT_EQ(fieldNamed(zr::parseMapText(zr::builtInMapText(1, 2, no)), "BILLINGPROVIDERNAME"), nullptr);
    EXPECT_NE(fieldNamed(zr::parseMapText(zr::builtInMapText(10, 2, no)), "BILLINGPROVIDERNAME"), nullptr);
    zr::MapAnswers noAddress;
    noAddress.billingProviderAtBatch = false;
    const zr::MapFile i = zr::parseMapText(zr::builtInMapText(1, 2, noAddress));
    EXPECT_NE(fieldNamed(i, "BILLINGPROVIDERNAME"), nullptr);
    EXPECT_EQ(fieldNamed(i, "BILLINGPROVIDERADDR1"), nullptr);
}

TEST(BuiltInMapText, SeveralSegmentsOfAKindReadByOccurrence) {
    zr::MapAnswers two;
    two.otherDiagnosisSegments = 2;
    two.providerAdjustmentSegments = 2;
    two.messageSegments = 3;
    const std::string i = zr::builtInMapText(1, 2, two);
    const zr::MapFile mi = zr::parseMapText(i);
    EXPECT_EQ(fieldNamed(mi, "OTHERDX01"), nullptr);
    ASSERT_NE(fieldNamed(mi, "OTHERDX05_2"), nullptr);
    EXPECT_EQ(fieldNamed(mi, "OTHERDX05_2")->occurrence, "2");
    EXPECT_EQ(fieldNamed(mi, "OTHERDX05_1")->occurrence, "1");
    EXPECT_THAT(i, HasSubstr("SEGMENT=2,HI:$OTHERDX01_1,%ABF;$OTHERDX01_1,%ABF;$OTHERDX02_1:$OTHERDX02_1,"));
    EXPECT_THAT(i, HasSubstr("SEGMENT=2,HI:$OTHERDX01_2,%ABF;$OTHERDX01_2,"));
    EXPECT_EQ(fieldNamed(mi, "OTHERPROC01")->occurrence, "");
    const zr::MapFile r = zr::parseMapText(zr::builtInMapText(2, 2, two));
    ASSERT_NE(fieldNamed(r, "PLBAMOUNT06_2"), nullptr);
    EXPECT_EQ(fieldNamed(r, "PLBAMOUNT06_2")->occurrence, "2");
    EXPECT_EQ(fieldNamed(r, "PLBAMOUNT06_2")->elementPosition, "14");
    EXPECT_EQ(fieldNamed(r, "PLBREFID03_1")->subelementPosition, "2");
    const zr::MapFile e = zr::parseMapText(zr::builtInMapText(6, 2, two));
    EXPECT_EQ(fieldNamed(e, "MESSAGETEXT_3")->occurrence, "3");
    EXPECT_EQ(fieldNamed(zr::parseMapText(zr::builtInMapText(6, 2)), "MESSAGETEXT")->segment, "MSG");
}

TEST(BuiltInMapText, The271IncludeTextFollowsEachLineWithItsNumber) {
    zr::MapAnswers a;
    a.serviceLines = 2;
    a.serviceLineInclude = "FIELD=EXTRA&,10,III,,,2,,SUBID,,,&\r\nFIELD=MORE&,5,III,,,3,,SUBID,,,&\r\n";
    const std::string text = zr::builtInMapText(6, 2, a);
    const auto line1 = text.find("FIELD=EXTRA1,10,III,,,2,,SUBID,,,1\r\nFIELD=MORE1,5,III,,,3,,SUBID,,,1\r\n");
    const auto line2 = text.find("FIELD=BENEFIT2,");
    ASSERT_NE(line1, std::string::npos);
    ASSERT_NE(line2, std::string::npos);
    EXPECT_LT(line1, line2);
    EXPECT_THAT(text, HasSubstr("FIELD=MORE2,5,III,,,3,,SUBID,,,2\r\n"));
    EXPECT_THAT(zr::builtInMapText(5, 2, a), Not(HasSubstr("EXTRA"))) << "only the 271 takes the include file";
}

// ----------------------------------------------------- generator header

TEST(MapGeneratorHeader, LinesOfTheCommentBlock) {
    const std::string h = zr::mapGeneratorHeader(10, 2, "005010X222A2.cfg", "12/10/26", "12:53:00");
    const std::string stars(50, '*');
    EXPECT_EQ(h.rfind("********** Zarn Software   Parser Map\r\n********** Generated :12/10/26 12:53:00\r\n", 0), 0u);
    EXPECT_THAT(h, HasSubstr("\r\n" + stars + "\r\n********* File Name : 005010X222A2.cfg\r\n"
                             "********* X12 Version 5010\r\n********* 837P Claim Submission Configuration\r\n" +
                             stars + "\r\n"));
    for (const auto& line : linesStarting(h, "")) EXPECT_EQ(line[0], '*') << line;
    EXPECT_THAT(zr::mapGeneratorHeader(3, 1, "x", "d", "t"),
                HasSubstr("********* X12 Version 4010\r\n*********  276 Claim Status Inquiry Configuration\r\n"));
    const std::string t3 = zr::mapGeneratorHeader(2, 3, "835.cfg", "d", "t");
    EXPECT_THAT(t3, Not(HasSubstr("X12 Version")));
    EXPECT_THAT(t3, HasSubstr("********* 835 Claim Submission Configuration\r\n"));
    const std::string response = zr::mapGeneratorHeader(8, 2, "005010X217B.cfg", "d", "t");
    const std::string last = "********* X12 Version 5010\r\n";
    ASSERT_GE(response.size(), last.size());
    EXPECT_EQ(response.substr(response.size() - last.size()), last) << "the 278 response has no title line";
    EXPECT_THAT(zr::mapGeneratorHeader(12, 2, "x", "d", "t"), HasSubstr("\r\n********* 820\r\n" + stars));
}

}  // namespace
