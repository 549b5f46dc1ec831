// The "D" writer against the real SQLite ODBC driver: rows added through
// the driver manager, read back with the sqlite3 tool.
#include "odbc_table_sink.hpp"

#include <gtest/gtest.h>

#include "export_engine.hpp"
#include "odbc_source.hpp"
#include "x12_fixtures.hpp"

namespace {

zr::ExportRequest sinkRequest(const zr::SegmentTable& table, const zr::ClaimIndex& index, const std::string& st01,
                              const std::vector<std::string>& fields, const std::string& target,
                              const std::string& folder) {
    zr::ExportRequest r;
    r.letter = zr::ExportLetter::Odbc;
    r.table = &table;
    r.index = &index;
    r.st01 = st01;
    r.fields = fields;
    r.outputMode = zr::OutputMode::Export;
    r.spec.destinationFile = target;
    r.workFolder = folder;
    return r;
}

zr::ExportPrompts sinkPrompts() {
    zr::ExportPrompts p;
    p.openSink = [] { return zr::odbcTableSink(); };
    return p;
}

TEST(OdbcTableSink, RemittanceRowsReachTheTableAndASecondRunAddsAfterThem) {
    zrtest::SqliteSource source{"zrexport"};
    if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    zrtest::TempDir dir;
    const zr::SegmentTable table = zrtest::loadX12(zrtest::x12Fixture("835_remittance.x12"));
    const zr::ClaimIndex index = zr::CTL39400C(table, 1);
    const auto r = sinkRequest(table, index, "835", {"CLAIMPATCTL", "CLAIMTOTALCHARGE"}, source.dsn() + ":CLAIMS",
                               dir.path());
    zr::CTL39404G(r, sinkPrompts());
    EXPECT_EQ(source.sqlite("SELECT SQLRECID, CLAIMPATCTL, CLAIMTOTALCHARGE FROM CLAIMS ORDER BY SQLRECID"),
              "RECID000001|PAT001|300\nRECID000002|PAT002|-150\nRECID000003||80");
    source.sqlite("DELETE FROM CLAIMS WHERE SQLRECID = 'RECID000002'");
    zr::CTL39404G(r, sinkPrompts());
    EXPECT_EQ(source.sqlite("SELECT COUNT(*), MAX(SQLRECID) FROM CLAIMS"), "5|RECID000006");
}

TEST(OdbcTableSink, QuotesInValuesStayInTheirColumn) {
    zrtest::SqliteSource source{"zrexportq"};
    if (!source.ready()) GTEST_SKIP() << "ODBCSYSINI is not set";
    zrtest::TempDir dir;
    const std::string path = dir.write(
        "q.x12", zrtest::x12Text({"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001*005010X222A1",
                                  "HL*1**20*1", "NM1*85*2*CLINIC*****XX*1234567893", "HL*2*1*22*0",
                                  "NM1*IL*1*O'BRIEN*ANN \"Q\"****MI*W1", "CLM*PAT'1*10***11:B:1*Y*A*Y*Y", "SE*7*0001",
                                  "GE*1*1", "IEA*1*000000001"}));
    const zr::SegmentTable table = zrtest::loadX12(path);
    const zr::ClaimIndex index = zr::CTL39400C(table, 1);
    zr::CTL39404G(sinkRequest(table, index, "837", {"CLAIMID", "SUBLNAME", "SUBFNAME"}, source.dsn() + ":CLAIMS",
                              dir.path()),
                  sinkPrompts());
    EXPECT_EQ(source.sqlite("SELECT CLAIMID, SUBLNAME, SUBFNAME FROM CLAIMS"), "PAT'1|O'BRIEN|ANN \"Q\"");
}

}  // namespace
