// HL7 message files: the line rules, the MSH check, the delimiters, fields,
// descriptions and names, and the segment dialog's field list.
#include "hl7_message.hpp"

#include <gtest/gtest.h>

#include "progress_meter.hpp"
#include "test_support.hpp"

namespace {

using Texts = std::vector<std::string>;

Texts hl7Lines(std::string_view bytes, std::size_t split = std::string::npos) {
    zr::Hl7LineReader reader;
    reader.add(bytes.substr(0, split));
    if (split != std::string::npos) reader.add(bytes.substr(split));
    return reader.lines();
}

TEST(Hl7Message, LineRules) {
    struct Case {
        std::string bytes;
        Texts lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"A\r\nB\r\n", {"A", "B"}},
        {"A\rB\rtail", {"A", "B"}},
        {"A\r\r\rB\r", {"A", "B"}},
        {"A\r\r", {"A", ""}},
        {"\r\rA\r", {"A"}},
        {std::string("A\x01\tB\x1f\r", 6), {"AB"}},
        {"A\x92\xff\r", {"A\x92\xff"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hl7Lines(c.bytes), c.lines) << c.bytes;
        for (std::size_t split = 0; split <= c.bytes.size(); ++split)
            EXPECT_EQ(hl7Lines(c.bytes, split), c.lines) << c.bytes << " split " << split;
    }
}

TEST(Hl7Message, FileLoadsWithTheMeter) {
    zrtest::TempDir dir;
    std::vector<zr::MeterEvent> events;
    const zr::MeterObserver previous = zr::setMeterObserver([&](const zr::MeterEvent& e) { events.push_back(e); });
    EXPECT_EQ(zr::CTL48700(dir.write("a.hl7", "MSH|^~\\&|X\r\nPID|1\r\n")), (Texts{"MSH|^~\\&|X", "PID|1"}));
    EXPECT_EQ(zr::CTL48700(dir.file("missing.hl7")), Texts{""});
    zr::setMeterObserver(previous);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front().kind, zr::MeterEvent::Kind::Open);
    EXPECT_EQ(events.front().text, "Loading");
    EXPECT_EQ(events.front().caption, "Please Stand By..");
    EXPECT_EQ(events.back().kind, zr::MeterEvent::Kind::Close);
}

TEST(Hl7Message, MshCheck) {
    zrtest::TempDir dir;
    zrtest::PromptRecorder prompts;
    EXPECT_TRUE(zr::CTL48700A(dir.write("u.hl7", "MSH|")));
    EXPECT_TRUE(zr::CTL48700A(dir.write("l.hl7", "msh|")));
    EXPECT_FALSE(zr::CTL48700A(dir.write("o.hl7", "PID|")));
    EXPECT_TRUE(prompts.texts().empty());
    EXPECT_FALSE(zr::CTL48700A(dir.write("s.hl7", "MS")));
    EXPECT_EQ(zr::hl7CheckFile(dir.file("s.hl7")), zr::Hl7Check::ReadFailed);
    EXPECT_FALSE(zr::CTL48700A(dir.file("none.hl7")));
    ASSERT_EQ(prompts.texts().size(), 2u);
    EXPECT_NE(prompts.texts()[0].find(" <ERROR> MSH Check FC-Read # 0"), std::string::npos);
    EXPECT_NE(prompts.texts()[1].find("no file " + dir.file("none.hl7")), std::string::npos);
}

TEST(Hl7Message, Delimiters) {
    const auto d = zr::hl7Delimiters("MSH|^~\\&|");
    const Texts values = {d[0].value, d[1].value, d[2].value, d[3].value, d[4].value};
    EXPECT_EQ(values, (Texts{"|", "^", "&", "~", "\\"}));
    EXPECT_EQ(std::string(d[2].label), "- Sub-sub Composite Delimiter");
    EXPECT_EQ(zr::CTL48700B("MSH|^", 3), "");
    EXPECT_EQ(zr::CTL48700B("MSH|^~\\&", 0), "Err");
    EXPECT_EQ(zr::CTL48700B("MSH|^~\\&", 6), "Err");
}

TEST(Hl7Message, FieldsNamesAndDescriptions) {
    EXPECT_EQ(zr::CTL48700C("PID|1||123", 1, '|'), "PID");
    EXPECT_EQ(zr::CTL48700C("PID|1||123", 3, '|'), "");
    EXPECT_EQ(zr::CTL48700C("PID|1||123", 4, '|'), "123");
    EXPECT_EQ(zr::CTL48700C("PID|1||123", 5, '|'), "");
    EXPECT_EQ(zr::CTL48700E("PID|1||123", '|'), 3u);
    EXPECT_EQ(zr::CTL48700D("PV2"), "Patient Visit");
    EXPECT_EQ(zr::CTL48700D("GT1"), "Guarnator Information");
    EXPECT_EQ(zr::CTL48700D("ZZZ"), "");
    EXPECT_EQ(zr::CTL48700F("PID", 6), "Mother\x92s Maiden Name");
    EXPECT_EQ(zr::CTL48700F("PID", 30), "Patient Death Indicator");
    EXPECT_EQ(zr::CTL48700F("PID", 31), "");
    EXPECT_EQ(zr::CTL48700F("MSH", 19), "Principal Language Of Message");
    EXPECT_EQ(zr::CTL48700F("EVN", 6), "Event Occurred");
    EXPECT_EQ(zr::CTL48700F("OBX", 0), "Segment Name");
    EXPECT_EQ(zr::CTL48700F("OBX", 1), "");
    EXPECT_EQ(zr::CTL48700F("ZZZ", 0), "");
}

TEST(Hl7Message, FieldListPairsEachFieldWithItsName) {
    EXPECT_EQ(zr::hl7FieldList("PID|1||123", '|'),
              (Texts{"1>    PID               Segment Name", "2>    1                 Set ID - Patient ID",
                     "3>                      Patient ID (External ID)",
                     "4>    123               Patient ID (Internal ID)"}));
    EXPECT_EQ(zr::hl7FieldList("ZZ1|a-value-longer-than-the-column", '|')[1],
              "2>    a-value-longer-than-the-column");
    EXPECT_EQ(zr::hl7LineEntry(12, "PID|1"), "12>PID|1");
}

}  // namespace
