// The conversion tool's "FIELD(name)=value" option test and the series
// value of "zr.ctl".
#include <gtest/gtest.h>

#include <fstream>

#include "conversion_settings.hpp"
#include "paths.hpp"
#include "test_support.hpp"

namespace {

zr::FieldTable fieldsWith(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::vector<zr::FieldRow> rows;
    for (const auto& [name, value] : fields) {
        zr::FieldRow r;
        r.name = name;
        r.value = value;
        rows.push_back(r);
    }
    zr::FieldTable table(rows);
    table.compile();
    return table;
}

TEST(ConversionSettings, FieldOptionMatchesANamedFieldsValue) {
    const zr::FieldTable table = fieldsWith({{"CLAIMID", "A1234"}, {"PAYER", "ACME"}});
    struct Case {
        std::string options;
        bool match;
    };
    const Case cases[] = {
        {"OW,FIELD(claim)=A12", true},    // name by prefix, any case; value by prefix
        {"field(PAYER):ACME", true},      // any one separator character
        {"FIELD(CLAIM)=B", false},        // value differs
        {"FIELD(NOSUCH)=A", false},       // no such field
        {"FIELD(CLAIM)", false},          // no separator
        {"OW, FIELD(CLAIM)=A", false},    // a leading blank is part of the item
        {"FIELD(CLAIM)=a12", false},      // values compare exactly
    };
    for (const Case& c : cases) {
        zr::ParseSpec spec;
        spec.parseOptions = c.options;
        EXPECT_EQ(zr::CTL48400AI(spec, table), c.match) << c.options;
    }
}

TEST(ConversionSettings, SeriesOfTheControlFile) {
    zrtest::TempDir dir;
    const std::string ctl = wl::joinPath(dir.path(), "zr.ctl");
    EXPECT_EQ(zr::CTL48400R(0, 1, "", dir.path()), std::optional<std::string>(""));  // no file
    EXPECT_EQ(zr::CTL48400R(1, 1, "S-42", dir.path()), std::optional<std::string>("S-42"));
    EXPECT_EQ(zrtest::readBytes(ctl), "<SERIES>S-42</SERIES>");
    EXPECT_EQ(zr::CTL48400R(0, 1, "ignored", dir.path()), std::optional<std::string>("S-42"));
    EXPECT_EQ(zr::CTL48400R(0, 2, "", dir.path()), std::nullopt);
    std::ofstream(ctl, std::ios::binary) << "<OTHER>x</OTHER><series>S-7</series>";
    EXPECT_EQ(zr::CTL48400R(0, 1, "", dir.path()), std::optional<std::string>("S-7"));
}

}  // namespace
