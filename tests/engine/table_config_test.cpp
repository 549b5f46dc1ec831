// The table-configuration file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "table_config.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;

const char kTableIsa[] = "ISA*00*          *00*          *ZZ*SUBMITTER      *ZZ*RECEIVER       *261210*1253*^*00501*000000001*0*P*:~";

TEST(TableConfig, ReadsEntriesAndNamesTheMapOfTheSourcesType) {
    zrtest::TempDir dir;
    const std::string config = dir.write("tables.cfg",
                                         "TABLE=CLAIMS\r\nTRANSACTIONTYPE=837P\r\nSERVER=srv\r\nUSER=u\r\n"
                                         "FIELD=A\r\nFIELD=B\r\n837P=my837.cfg\r\n");
    const zr::TableConfig t = zr::CTLD48400AD(config);
    ASSERT_EQ(t.entries.size(), 1u);
    EXPECT_EQ(t.entries[0].name, "CLAIMS");
    EXPECT_EQ(t.entries[0].transactionType, "837P");
    EXPECT_EQ(t.entries[0].server, "srv");
    EXPECT_EQ(t.entries[0].fields, "A\r\nB\r\n");
    const std::string source = dir.write("s.x12", std::string(kTableIsa) + "GS*HC~ST*837*1~SE*1*1~");
    EXPECT_EQ(zr::CTLD48400AE(config, "", source), "my837.cfg");
    EXPECT_EQ(zr::CTLD48400AE(config, "given.cfg", source), "given.cfg");
    EXPECT_EQ(zr::CTLD48400AE("", "", source), "");
}

}  // namespace
