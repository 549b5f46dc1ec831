// The full 837 viewer without its window: the file it settles on, its load,
// the claim list (claim id, the subscriber's own last name, amount of the
// loop's last CLM) and the listing by subscriber order.
#include "full_claims_viewer.hpp"

#include <gtest/gtest.h>

#include "claims_listing.hpp"
#include "x12_fixtures.hpp"

namespace {

using namespace zr;

std::vector<std::string> fullViewerRowsOf(const std::string& path) {
    const std::optional<FullViewerFile> f = loadFullViewerFile(path);
    if (!f) return {};
    return fullViewerClaimRows(f->table, f->claims);
}

TEST(FullClaimsViewer, ClaimRowsTakeTheLastClmOfEachLoop) {
    const std::string path = zrtest::x12Fixture("claims_837p.x12");
    const std::optional<FullViewerFile> f = loadFullViewerFile(path);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->fileName, path);
    EXPECT_EQ(f->loops.size(), 40u);
    EXPECT_EQ(CTL39411AA(f->table), 3u);
    EXPECT_EQ(fullViewerClaimRows(f->table, f->claims),
              (std::vector<std::string>{"CLAIM001 SMITH 100", "KID-B BROWN 0.20", "MULTI-3 JONES 30"}));
    EXPECT_EQ(CTL39411AB(f->table, f->claims, 4), "");
    EXPECT_EQ(CTL39411AB(f->table, f->claims, 0), "");
}

TEST(FullClaimsViewer, TheSubscribersNameIsNotTheOtherInsuredsOrNoClaims) {
    zrtest::TempDir dir;
    const std::string cob =
        dir.write("cob.x12", zrtest::x12Text({"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001",
                                              "HL*1**20*1", "NM1*85*2*CLINIC", "HL*2*1*22*0", "SBR*P*18",
                                              "NM1*IL*1*DOE*JOHN", "CLM*C1*10", "SBR*S*01", "OI***Y",
                                              "NM1*IL*1*ROE*JANE", "LX*1", "SV1*HC:99213*10", "SE*13*0001",
                                              "GE*1*1", "IEA*1*000000001"}));
    EXPECT_EQ(fullViewerRowsOf(cob), std::vector<std::string>{"C1 DOE 10"});
    const std::string none = dir.write(
        "none.x12", zrtest::x12Text({"GS*HC*S*R*20261210*1253*1*X*005010X222A1", "ST*837*0001", "HL*1**20*1",
                                     "NM1*85*2*CLINIC", "SE*4*0001", "GE*1*1", "IEA*1*000000001"}));
    EXPECT_EQ(fullViewerRowsOf(none), std::vector<std::string>{"No Claims Detected"});
    // A file without a segment is not shown.
    EXPECT_FALSE(loadFullViewerFile(dir.write("empty.x12", "")));
}

TEST(FullClaimsViewer, FileIsTheGivenOneOrTheChosenOne) {
    zrtest::TempDir dir;
    const std::string given = dir.write("given.x12", "ISA");
    zrtest::PromptRecorder prompts;
    EXPECT_EQ(fullViewerFileName(given, dir.path(), dir.path()), given);
    EXPECT_TRUE(prompts.prompts().empty());
    // A missing file or a folder asks; a cancelled or missing choice is none.
    EXPECT_EQ(fullViewerFileName(dir.file("missing.x12"), dir.path(), dir.path()), "");
    prompts.answerFile(given);
    EXPECT_EQ(fullViewerFileName(dir.path(), dir.path(), dir.path()), given);
    prompts.answerFile(dir.file("gone.x12"));
    EXPECT_EQ(fullViewerFileName("", dir.path(), dir.path()), "");
    ASSERT_EQ(prompts.prompts().size(), 3u);
    EXPECT_EQ(prompts.prompts()[0].kind, wl::PromptKind::File);
}

TEST(FullClaimsViewer, ListingByOrderCode) {
    const std::optional<FullViewerFile> f = loadFullViewerFile(zrtest::x12Fixture("claims_837p.x12"));
    ASSERT_TRUE(f);
    const ClaimFields fields(f->table, f->claims);
    const std::vector<std::string> all = CTL39406A(fields, "ALL");
    EXPECT_EQ(all, CTL39406B(fields).rows);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(CTL39406A(fields, "P"), (std::vector<std::string>{all[0], all[1]}));
    EXPECT_EQ(CTL39406A(fields, "S"), std::vector<std::string>{all[2]});
    EXPECT_EQ(CTL39406A(fields, "T"), std::vector<std::string>{""});
}

}  // namespace
