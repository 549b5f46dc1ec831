// The 5010 professional default map against a hand-written claim file that
// carries every loop the map reads: converted by the engine, every field of
// the map finds its data, and the values come from the loops the
// implementation guide puts them in.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "map_file.hpp"
#include "map_text.hpp"
#include "test_support.hpp"
#include "conversion_engine.hpp"
#include "x12_to_csv.hpp"

namespace {

using Record = std::map<std::string, std::string>;

// The records of the engine's XML output: one map of field values each.
std::vector<Record> xmlRecords(const std::string& xml) {
    std::vector<Record> out;
    std::size_t at = 0;
    while ((at = xml.find("\r\n<", at)) != std::string::npos) {
        at += 3;
        const auto close = xml.find('>', at);
        const std::string tag = xml.substr(at, close - at);
        if (tag == "CLAIM") out.emplace_back();
        if (tag == "CLAIM" || tag[0] == '/' || tag == "EXPORTDATA" || out.empty()) continue;
        const auto end = xml.find("</" + tag + ">", close);
        out.back()[tag] = xml.substr(close + 1, end - close - 1);
    }
    return out;
}

class Realistic837P : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string map = dir_.write("005010X222A2.cfg", zr::builtInMapText(10, 2));
        fields_ = zr::parseMapText(zr::builtInMapText(10, 2)).fields;
        zr::EngineRequest request;
        request.spec.parseType = "X12,XML";
        request.type = zr::conversionTypeOf(request.spec.parseType);
        // The realistic claims, their first line with a description
        // (SV101-7) and family planning (SV112), and a second contact of
        // the submitter, so that every field of the map has data.
        request.spec.sourceFile = std::string(ZR_FIXTURES) + "/x12/837p_line_description.x12";
        request.spec.destinationFile = dir_.file("out.xml");
        request.options.map = map;
        request.clock = [] { return std::string("10:20:30"); };
        const zr::EngineResult result = zr::CTL48400A(request);
        ASSERT_FALSE(result.failed) << result.log;
        records_ = xmlRecords(zrtest::readBytes(dir_.file("out.xml")));
    }

    zrtest::TempDir dir_;
    zrtest::PromptRecorder prompts_;
    std::vector<zr::FieldRow> fields_;
    std::vector<Record> records_;
};

TEST_F(Realistic837P, OneRecordPerSubscriber) {
    ASSERT_EQ(records_.size(), 2u);
    EXPECT_EQ(records_[0].at("SUBLNAME"), "SMITH");
    EXPECT_EQ(records_[1].at("SUBLNAME"), "JONES");
}

// Every claim-level field has data in one of the records; every line field
// in one of the three lines (lines 4 to 10 repeat line 1's rows).
TEST_F(Realistic837P, EveryFieldOfTheMapFindsItsData) {
    std::set<std::string> missing;
    std::set<std::string> linesFound;
    for (const auto& f : fields_) {
        const int line = zr::mapNumber(f.serviceLine);
        const std::string base = line ? f.name.substr(0, f.name.size() - f.serviceLine.size()) : f.name;
        bool found = false;
        for (const auto& r : records_)
            if (r.count(f.name) && !r.at(f.name).empty()) found = true;
        if (line == 0 && !found) missing.insert(f.name);
        if (line >= 1 && line <= 3 && found) linesFound.insert(base);
        if (line == 1) missing.insert(base);
    }
    for (const auto& base : linesFound) missing.erase(base);
    EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

struct Expected {
    int record;
    const char* field;
    const char* value;
};

// Values from the loops the guide puts them in, including those whose
// segment also stands in other loops.
TEST_F(Realistic837P, ValuesComeFromTheirOwnLoops) {
    const Expected expected[] = {
        {0, "BILLINGPROVIDERNAME", "WELBY"},      {0, "BILLINGPROVIDERID", "1234567893"},
        {0, "BILLINGPROVIDERADDR2", "SUITE 200"}, {0, "BILLINGPROVIDERTAXID", "371234567"},
        {0, "BILLINGPROVIDERCONTACT", "BETTY WELBY"},
        {0, "PAYTOPROVIDERADDR1", "PO BOX 4400"}, {0, "SUBMITTERCONTACT", "ANNA PARKS"},
        {0, "SUBID", "W123456789"},               {0, "SUBADDR1", "12 OAK AVENUE"},
        {0, "SUBDOB", "19700101"},                {0, "PAYERNAME", "ACME HEALTH PLAN"},
        {0, "PAYERADDR1", "PO BOX 1000"},         {0, "PRIMARYSUBID", "W123456789"},
        {0, "PRIMARYPAYERID", "ACME01"},          {0, "SECONDARYSUBID", "S987654321"},
        {0, "SECONDARYPAYERNAME", "SECOND HEALTH"}, {0, "SECONDARYPAIDAMT", ""},
        {0, "TERTIARYPAIDAMT", "0"},              {0, "TERTIARYADJGROUP", "OA"},
        {0, "CLAIMID", "PAT001"},                 {0, "CLAIMFREQUENCY", "7"},
        {0, "ACCIDENTSTATE", "NY"},               {0, "DELAYREASON", "1"},
        {0, "CLAIMNOTE", "PATIENT INJURED AT WORK LIFTING BOXES"},
        {0, "PRIORAUTH", "PA445566"},             {0, "DX01", "S3992XA"},
        {0, "DX12", "R2689"},                     {0, "RENDERINGLNAME", "KILDARE"},
        {0, "FACILITYADDR1", "400 CLINIC ROAD"},  {0, "PATLNAME", ""},
        {0, "PROC1", "99214"},                    {0, "MODD1", "59"},
        {0, "DXPTRD1", "4"},                      {0, "LINEPRIORAUTH1", "LPA0001"},
        {0, "NDC1", "00409123401"},               {0, "ADJQTY1", "1"},
        {0, "PROC2", "72100"},                    {0, "DOSQUAL2", "RD8"},
        {0, "DOS2", "20261115-20261116"},         {0, "LINEPAIDAMT2", "60"},
        {0, "PROC3", "97110"},                    {0, "MODA3", "GP"},
        {0, "QTY3", "2"},                         {0, "LINEPAIDAMT3", ""},
        {1, "SUBHLCHILDCODE", "1"},               {1, "TERTIARYSUBID", "T100200300"},
        {1, "TERTIARYPAYERNAME", "THIRD COVERAGE INC"}, {1, "PRIMARYSUBID", "P111222333"},
        {1, "PRIMARYPAIDAMT", "80"},              {1, "PRIMARYADJAMOUNT", "20"},
        {1, "SECONDARYPAIDAMT", "15"},            {1, "SECONDARYADJGROUP", "PR"},
        {1, "TERTIARYADJGROUP", ""},              {1, "PATID", "4"},
        {1, "PATHLPARENT", "3"},                  {1, "PATRELATIONSHIP", "19"},
        {1, "PATFNAME", "TINA"},                  {1, "PATADDR2", "REAR UNIT"},
        {1, "PATDOB", "20080607"},                {1, "SUBDOB", "19800315"},
        {1, "CLAIMID", "PAT002"},                 {1, "FACILITYCODEVALUE", "21"},
        {1, "LMPDATE", "20261001"},               {1, "BILLINGPROVIDERNAME", "WELBY"},
        {1, "PROC1", "99223"},                    {1, "PROC2", ""},
    };
    ASSERT_EQ(records_.size(), 2u);
    for (const auto& e : expected) {
        ASSERT_TRUE(records_[e.record].count(e.field)) << e.field;
        EXPECT_EQ(records_[e.record].at(e.field), e.value) << "record " << e.record + 1 << " " << e.field;
    }
}

}  // namespace
