#include "report_engine.hpp"

#include <gtest/gtest.h>

#include "report_text_file.hpp"
#include "text.hpp"
#include "test_support.hpp"

namespace {

struct Claim {
    std::string payer, patient;
    double amount;
};

const std::vector<Claim> kClaims = {
    {"AETNA", "DOE JOHN", 120.5}, {"AETNA", "ROE JANE", 80},     {"CIGNA", "POE ANN", 200},
    {"CIGNA", "LOE TOM", 15.25},  {"CIGNA", "MOE SUE", 4.75},   {"HUMANA", "KOE BOB", 1000},
};

// A claim list by payer with amounts totalled per payer and in all, as a
// text file of `lines` lines a page.
std::string claimReport(const zrtest::TempDir& dir, int lines) {
    std::size_t at = 0;
    auto file = std::make_unique<wl::TRFile>(dir.file("claims.txt"), "Claims");
    file->SetHeight(lines);
    wl::ReportOptions o;
    o.aTitle = {[] { return wl::Value("CLAIMS BY PAYER"); }};
    o.aHeader = {[] { return wl::Value("X12 Parser"); }};
    o.aFooter = {[] { return wl::Value("End of page"); }};
    wl::RPTBEGIN(std::move(file), o);
    wl::RPTADDGROUP([&] { return wl::Value(at < kClaims.size() ? kClaims[at].payer : ""); },
                    [&] { return wl::Value("Payer: " + (at < kClaims.size() ? kClaims[at].payer : std::string())); });
    wl::ColumnOptions payer;
    payer.aTitle = {[] { return wl::Value("Payer"); }};
    payer.aData = {[&] { return wl::Value(kClaims[std::min(at, kClaims.size() - 1)].payer); }};
    payer.nSize = 8;
    wl::RPTADDCOLUMN(payer);
    wl::ColumnOptions patient;
    patient.aTitle = {[] { return wl::Value("Patient"); }};
    patient.aData = {[&] { return wl::Value(kClaims[std::min(at, kClaims.size() - 1)].patient); }};
    patient.nSize = 10;
    wl::RPTADDCOLUMN(patient);
    wl::ColumnOptions amount;
    amount.aTitle = {[] { return wl::Value("Amount"); }};
    amount.aData = {[&] { return wl::Value(kClaims[std::min(at, kClaims.size() - 1)].amount); }};
    amount.nSize = 9;
    amount.aPicture = {"99,999.99"};
    amount.lTotal = true;
    wl::RPTADDCOLUMN(amount);
    std::unique_ptr<wl::TReport> report = wl::RPTEND();
    report->cGrandTotal = "Grand total";
    report->bSkip = [&](int n) { at += static_cast<std::size_t>(n); };
    report->Activate({}, [&] { return at < kClaims.size(); });
    report.reset();
    return zrtest::readBytes(dir.file("claims.txt"));
}

std::vector<std::string> pages(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0, ff;
    while ((ff = text.find('\x0C', start)) != std::string::npos) {
        out.push_back(text.substr(start, ff - start));
        start = ff + 1;
    }
    return out;
}

TEST(TReport, ATextFileReportGroupsAndTotalsAsGolden) {
    zrtest::TempDir dir;
    const std::string text = claimReport(dir, 64);
    const std::string golden = zrtest::readBytes(std::string(ZR_FIXTURES) + "/print/claims_report.txt");
    EXPECT_EQ(text, golden);
}

TEST(TReport, ShortPagesBreakWithPageTotalsAndTheGrandTotalOnTheLast) {
    zrtest::TempDir dir;
    const std::vector<std::string> p = pages(claimReport(dir, 20));
    ASSERT_GE(p.size(), 2u);
    for (const std::string& page : p) EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 20) << page;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) EXPECT_EQ(p[i].find("Grand total"), std::string::npos);
    EXPECT_NE(p.back().find("Grand total"), std::string::npos);
    EXPECT_NE(p.back().find(" 1,420.50"), std::string::npos) << p.back();
}

TEST(TReport, ToExcelEndsInItsAlertOrTheCallersAction) {
    zrtest::TempDir dir;
    wl::TReport report(std::make_unique<wl::TRFile>(dir.file("x.txt")));
    zrtest::PromptRecorder prompts;
    report.ToExcel();
    ASSERT_EQ(prompts.texts(), std::vector<std::string>{"Excel not installed"});
    int called = 0;
    report.bToExcel = [&](wl::TReport&) { ++called; };
    report.ToExcel();
    EXPECT_EQ(called, 1);
    EXPECT_EQ(prompts.prompts().size(), 1u);
}

TEST(TRFile, WritesRowsKeepingWhatFollowsAndCondensesWideRows) {
    zrtest::TempDir dir;
    {
        wl::TRFile f(dir.file("t.txt"));
        f.SetHeight(3);
        f.StartPage();
        f.Say(0, 0, "abcdefghij", 1);
        f.Say(0, 2, "XY", 1);          // over the middle: the rest stays
        f.Say(1, 4, "ok", 1, 5);       // filled with blanks to its width
        f.Say(7, 0, "outside", 1);     // beyond the page: ignored
        f.EndPage();
        f.StartPage();
        f.Say(2, 75, "0123456789", 1);  // wider than 80 columns
        f.EndPage();
        f.End();
        EXPECT_FALSE(f.failed());
    }
    EXPECT_EQ(zrtest::readBytes(dir.file("t.txt")),
              "abXYefghij\r\n    ok   \r\n\r\n\x0C"
              "\x0F\r\n\r\n                                                                           0123456789\r\n\x0C");
}

// A printer-like device in pixels that records what the report draws.
struct ReportRecord {
    char kind;  // 'L' line, 'F' fill, 'S' text, 'I' picture
    int top, left, bottom, right;
    std::string text;
    unsigned color = 0;
};

class RecordingPrinter : public wl::ReportDevice {
public:
    RecordingPrinter(int width, int height, std::vector<ReportRecord>& out) : w_(width), h_(height), out_(out) {}
    int orientation = 1, landscapeTurns = 0;
    bool ok() const override { return true; }
    void StartPage() override {}
    void EndPage() override {}
    void End() override {}
    void Say(int row, int col, const std::string& text, int, std::optional<int>) override {
        out_.push_back({'S', row, col, row, col, text});
    }
    int GetTextWidth(const std::string& text, int) override { return 10 * static_cast<int>(text.size()); }
    int GetTextHeight(const std::string&, int) override { return 20; }
    void Line(int top, int left, int bottom, int right, int) override { out_.push_back({'L', top, left, bottom, right, {}}); }
    void FillRect(int top, int left, int bottom, int right, unsigned color) override {
        out_.push_back({'F', top, left, bottom, right, {}, color});
    }
    int nHorzRes() override { return w_; }
    int nVertRes() override { return h_; }
    int nLogPixelX() override { return dpiX; }
    int nLogPixelY() override { return dpiY; }
    int GetOrientation() override { return orientation; }
    void SayImage(int row, int col, const std::string& image, int width, int height, int alpha) override {
        out_.push_back({'I', row, col, row + height, col + width, image, static_cast<unsigned>(alpha)});
    }
    int dpiX = 100, dpiY = 100;
    void SetLandscape() override {
        ++landscapeTurns;
        orientation = 2;
        std::swap(w_, h_);
    }

private:
    int w_, h_;
    std::vector<ReportRecord>& out_;
};

// Two records of two columns ("AB" and "CDEF" wide) on `device`; `setup`
// adjusts the report before it runs.
std::unique_ptr<wl::TReport> reportTwoColumns(std::unique_ptr<wl::ReportDevice> device,
                                              const std::function<void(wl::TReport&)>& setup,
                                              std::vector<std::string> memo = {}) {
    auto at = std::make_shared<std::size_t>(0);
    auto report = std::make_unique<wl::TReport>(std::move(device));
    auto first = std::make_unique<wl::TRColumn>();
    first->aTitle = {[] { return wl::Value("AB"); }};
    first->aData = {[] { return wl::Value("ab"); }};
    first->aPicture = {""};
    report->AddColumn(std::move(first));
    auto second = std::make_unique<wl::TRColumn>();
    second->aTitle = {[] { return wl::Value("CDEF"); }};
    if (memo.empty()) {
        second->aData = {[] { return wl::Value("cdef"); }};
    } else {
        second->lMemo = true;
        second->nSize = 10;
        second->aData = {[at, memo] { return wl::Value(memo[std::min(*at, memo.size() - 1)]); }};
    }
    second->aPicture = {""};
    report->AddColumn(std::move(second));
    report->bSkip = [at](int n) { *at += static_cast<std::size_t>(n); };
    setup(*report);
    report->Activate({}, [at] { return *at < 2; });
    return report;
}

std::size_t reportCount(const std::vector<ReportRecord>& r, char kind) {
    return static_cast<std::size_t>(std::count_if(r.begin(), r.end(), [&](const ReportRecord& x) { return x.kind == kind; }));
}

TEST(TReport, CellViewGridsEveryColumnWithRulesHalfASeparatorOutside) {
    std::vector<ReportRecord> drawn;
    auto report = reportTwoColumns(std::make_unique<RecordingPrinter>(1000, 1400, drawn),
                                   [](wl::TReport& r) { r.CellView(); });
    ASSERT_TRUE(report->lStable);
    EXPECT_TRUE(report->lJoin && report->lSeparator && report->lBoxOnTotal && report->lGrid);
    // The separator is one "B" (10 pixels): the grid stands 5 pixels outside
    // each column.
    for (const auto& c : report->aColumns) {
        for (int x : {c->nCalCol - 5, c->nCalCol + c->nWidth + 5}) {
            const bool found = std::any_of(drawn.begin(), drawn.end(), [&](const ReportRecord& d) {
                return d.kind == 'L' && d.left == x && d.right == x && d.bottom > d.top;
            });
            EXPECT_TRUE(found) << "no vertical rule at " << x;
        }
    }
}

TEST(TReport, ShadowedColumnsAreFilledWithTheShadowColourWidenedWhenGridded) {
    struct Case {
        bool grid;
        int widen;
    };
    for (const Case& k : {Case{false, 0}, Case{true, 2}}) {
        std::vector<ReportRecord> drawn;
        auto report = reportTwoColumns(std::make_unique<RecordingPrinter>(1000, 1400, drawn), [&](wl::TReport& r) {
            r.aColumns[1]->lShadow = true;
            r.aColumns[1]->lGrid = k.grid;
            r.SetShdColor(0x123456);
        });
        const wl::TRColumn& c = *report->aColumns[1];
        ASSERT_EQ(reportCount(drawn, 'F'), 2u) << k.grid;  // one band per record
        for (const auto& d : drawn) {
            if (d.kind != 'F') continue;
            EXPECT_EQ(d.color, 0x123456u);
            EXPECT_EQ(d.left, c.nCalCol - k.widen);
            EXPECT_EQ(d.right, c.nCalCol + c.nWidth + k.widen);
            EXPECT_EQ(d.bottom - d.top, 20);
        }
    }
}

TEST(TReport, ATooWideReportTurnsLandscapeOnceThenAsks) {
    struct Case {
        int width, height;
        bool autoLand;
        int turns;
        std::size_t questions;
    };
    // The report is 70 pixels wide ("ab" 20, separator 10, "cdef" 40).
    const Case cases[] = {
        {60, 100, true, 1, 0},   // landscape fits: turned silently
        {50, 60, true, 1, 1},    // still too wide after turning: asked
        {60, 100, false, 0, 1},  // no automatic turn: asked at once
    };
    for (const Case& k : cases) {
        std::vector<ReportRecord> drawn;
        zrtest::PromptRecorder prompts(true);
        RecordingPrinter* device = nullptr;
        auto printer = std::make_unique<RecordingPrinter>(k.width, k.height, drawn);
        device = printer.get();
        auto report = reportTwoColumns(std::move(printer), [&](wl::TReport& r) { r.lAutoLand = k.autoLand; });
        EXPECT_EQ(device->landscapeTurns, k.turns) << k.width;
        EXPECT_EQ(prompts.prompts().size(), k.questions) << k.width;
        if (k.questions) EXPECT_EQ(prompts.texts()[0], "Report width is greater than page width");
        EXPECT_TRUE(report->lStable);
    }
}

TEST(TReport, MarginsInInchesOrCentimetres) {
    struct Case {
        double value;
        int type, scale;
        int left, right, top, bottom;
    };
    const Case cases[] = {
        {1, 1, 1, 100, 20, 20, 20},
        {2.54, 2, 2, 20, 100, 20, 20},
        {0.5, 4, 1, 20, 20, 50, 20},
        {0.5, 5, 1, 20, 20, 20, 50},
        {3, 3, 1, 20, 20, 20, 20},  // no such margin
    };
    for (const Case& k : cases) {
        std::vector<ReportRecord> drawn;
        wl::TReport r(std::make_unique<RecordingPrinter>(1000, 1400, drawn));
        r.Margin(k.value, k.type, k.scale);
        EXPECT_EQ(std::vector<int>({r.nLeftMargin, r.nRightMargin, r.nTopMargin, r.nDnMargin}),
                  std::vector<int>({k.left, k.right, k.top, k.bottom}))
            << k.type;
    }
}

TEST(TReport, AMemoColumnTakesTheLinesItsTextNeeds) {
    zrtest::TempDir dir;
    {
        auto file = std::make_unique<wl::TRFile>(dir.file("memo.txt"));
        reportTwoColumns(std::move(file), [](wl::TReport& r) { r.nTitleUpLine = r.nTitleDnLine = 0; },
                         {"first line of the memo", "short"});
    }
    std::vector<std::string> lines;
    for (const std::string& line : wl::reportMemoLines(zrtest::readBytes(dir.file("memo.txt")), 1000))
        if (!wl::alltrim(line).empty()) lines.push_back(wl::alltrim(line));
    // Three memo lines for the first record, one for the second; the other
    // column prints on each record's first line only.
    const std::vector<std::string> expected = {"AB CDEF", "ab first line", "of the", "memo", "ab short", "\f"};
    EXPECT_EQ(lines, expected);
}

TEST(TReport, ATextFileGridMeetsTheRulesInBoxCharacters) {
    zrtest::TempDir dir;
    {
        reportTwoColumns(std::make_unique<wl::TRFile>(dir.file("grid.txt")), [](wl::TReport& r) {
            r.CellView();
            r.lBoxOnTotal = false;
        });
    }
    const std::string text = zrtest::readBytes(dir.file("grid.txt"));
    // The double rule over the titles opens and closes the grid, the data
    // lines hold the vertical bars.
    EXPECT_NE(text.find("\xD5\xCD\xCD\xD1"), std::string::npos) << text;
    EXPECT_NE(text.find("\xB3" "ab" "\xB3" "cdef" "\xB3"), std::string::npos) << text;
}

TEST(TReport, UnderlinesSpanTheTextTheColumnOrTheGriddedCell) {
    struct Case {
        bool text, doble, grid;
        int left, right;  // relative to the column's x
        std::size_t rules;
    };
    // The second column is 40 pixels wide and its text "cdef" too; a right
    // aligned 2-character text would start 20 pixels in.
    const Case cases[] = {
        {false, false, false, 0, 40, 1},
        {false, true, false, 0, 40, 2},
        {false, false, true, -5, 45, 1},
        {true, false, true, 0, 40, 1},
    };
    for (const Case& k : cases) {
        std::vector<ReportRecord> drawn;
        auto report = reportTwoColumns(std::make_unique<RecordingPrinter>(1000, 1400, drawn), [&](wl::TReport& r) {
            r.nTitleUpLine = r.nTitleDnLine = 0;
            wl::TRColumn& c = *r.aColumns[1];
            c.lUnderline = true;
            c.lTextUnd = k.text;
            c.lDobleUnd = k.doble;
            c.lGrid = k.grid;
        });
        const wl::TRColumn& c = *report->aColumns[1];
        std::size_t rules = 0;
        for (const auto& d : drawn)
            if (d.kind == 'L' && d.top == d.bottom && d.left == c.nCalCol + k.left && d.right == c.nCalCol + k.right)
                ++rules;
        EXPECT_EQ(rules, 2 * k.rules) << k.text << k.doble << k.grid;  // two records
    }
}

TEST(ReportMemoLines, BreaksAtBlanksAndLineEnds) {
    struct Case {
        std::string text;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", 10, {""}},
        {"short", 10, {"short"}},
        {"first line of the memo", 10, {"first line", "of the", "memo"}},
        {"first line of the memo", 8, {"first", "line of", "the memo"}},
        {"abcdefghijklmno", 5, {"abcde", "fghij", "klmno"}},
        {"one\r\ntwo", 10, {"one", "two"}},
    };
    for (const Case& k : cases) EXPECT_EQ(wl::reportMemoLines(k.text, k.width), k.lines) << k.text;
}

TEST(XlHeaderLine, FontStyleSizeAndText) {
    struct Case {
        std::string text;
        bool bold, italic;
        std::string expected;
    };
    const Case cases[] = {
        {"", true, false, ""},
        {"Claims", false, false, "\n&\"Arial,Normal\"&10Claims"},
        {"Claims", true, false, "\n&\"Arial,Bold\"&10Claims"},
        {"Claims", false, true, "\n&\"Arial,Italic\"&10Claims"},
        {"Claims", true, true, "\n&\"Arial,Bold Italic\"&10Claims"},
    };
    for (const Case& k : cases) {
        const wl::XlHeaderFont font{"Arial", -40, k.bold, k.italic};  // 40 pixels at 288 dpi: 10 points
        EXPECT_EQ(wl::XLHEADERLINE([&] { return wl::Value(k.text); }, font, 288), k.expected);
    }
    const wl::XlHeaderFont arial{"Arial", -40, false, false};
    EXPECT_EQ(wl::xlHeaderBlock({[] { return wl::Value("A"); }, [] { return wl::Value("B"); }}, {arial}, 288),
              "&\"Arial,Normal\"&10A\n&\"Arial,Normal\"&10B");
    EXPECT_EQ(wl::xlHeaderBlock({[] { return wl::Value(""); }}, {arial}, 288), "");
}

TEST(TReport, SayBitmapPlacesInInchesCentimetresOrPixels) {
    struct Case {
        double row, col, width, height;
        int scale;
        ReportRecord drawn;
    };
    // 100 pixels an inch across, 200 down.
    const Case cases[] = {
        {0.5, 1, 2, 1, 1, {'I', 100, 100, 100 + 200, 100 + 200, "pic.bmp"}},
        {2.54, 5.08, 2.54, 2.54, 2, {'I', 200, 200, 200 + 200, 200 + 100, "pic.bmp"}},
        {30, 40, 50, 60, 0, {'I', 30, 40, 30 + 60, 40 + 50, "pic.bmp"}},
    };
    for (const Case& k : cases) {
        std::vector<ReportRecord> drawn;
        auto device = std::make_unique<RecordingPrinter>(1000, 1400, drawn);
        device->dpiY = 200;
        wl::TReport r(std::move(device));
        r.SayBitmap(k.row, k.col, "pic.bmp", k.width, k.height, k.scale, 128);
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(std::vector<int>({drawn[0].top, drawn[0].left, drawn[0].bottom, drawn[0].right}),
                  std::vector<int>({k.drawn.top, k.drawn.left, k.drawn.bottom, k.drawn.right}))
            << k.scale;
        EXPECT_EQ(drawn[0].color, 128u);
    }
}

TEST(TReport, AnImageColumnTakesFourLinesAndDrawsItsPicture) {
    std::vector<ReportRecord> drawn;
    auto report = reportTwoColumns(std::make_unique<RecordingPrinter>(1000, 1400, drawn), [](wl::TReport& r) {
        r.nTitleUpLine = r.nTitleDnLine = 0;
        wl::TRColumn& c = *r.aColumns[0];
        c.lImage = true;
        c.aData = {[] { return wl::Value("logo.bmp"); }};
    });
    const wl::TRColumn& c = *report->aColumns[0];
    EXPECT_EQ(c.nImgLines, 4);
    EXPECT_EQ(c.nImgHtx, 80);
    std::vector<ReportRecord> pictures;
    for (const auto& d : drawn)
        if (d.kind == 'I') pictures.push_back(d);
    ASSERT_EQ(pictures.size(), 2u);
    for (const auto& p : pictures) {
        EXPECT_EQ(p.text, "logo.bmp");
        EXPECT_EQ(p.left, c.nCalCol);
        EXPECT_EQ(p.right - p.left, c.nWidth);
        EXPECT_EQ(p.bottom - p.top, 20 * 4 - 20);
    }
    EXPECT_EQ(pictures[1].top - pictures[0].top, 4 * 20);  // four data lines a record
    for (const auto& d : drawn)
        if (d.kind == 'S') EXPECT_NE(d.text, "logo.bmp") << "the picture's name printed as text";
}

// A progress window that records what it is told and cancels on the
// `cancelAt`th look.
class ReportProgressRecorder : public wl::ReportProgress {
public:
    explicit ReportProgressRecorder(int cancelAt) : cancelAt_(cancelAt) {}
    std::vector<std::string> events;
    void Start(const std::string& name, bool cancelable) override {
        events.push_back("start " + name + (cancelable ? " cancelable" : ""));
    }
    void Page(int page) override { events.push_back("page " + std::to_string(page)); }
    bool Cancelled() override { return ++looks_ >= cancelAt_; }
    void Close() override { events.push_back("close"); }

private:
    int cancelAt_, looks_ = 0;
};

TEST(TReport, TheProgressWindowShowsPagesAndCancelStopsBeforeTheEnd) {
    struct Case {
        int cancelAt;
        bool noCancel;
        bool ended;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {100, false, true, {"start Claims cancelable", "page 1", "close"}},
        {100, true, true, {"start Claims", "page 1", "close"}},
        {2, false, false, {"start Claims cancelable", "page 1", "close"}},
    };
    for (const Case& k : cases) {
        std::vector<ReportRecord> drawn;
        ReportProgressRecorder* progress = nullptr;
        bool ended = false;
        auto report = reportTwoColumns(std::make_unique<RecordingPrinter>(1000, 1400, drawn), [&](wl::TReport& r) {
            auto p = std::make_unique<ReportProgressRecorder>(k.cancelAt);
            progress = p.get();
            r.oRptWnd = std::move(p);
            r.cName = "Claims";
            r.lNoCancel = k.noCancel;
            r.bEnd = [&](wl::TReport&) { ended = true; };
        });
        EXPECT_EQ(progress->events, k.events) << k.cancelAt;
        EXPECT_EQ(ended, k.ended) << k.cancelAt;
        EXPECT_EQ(report->lBreak, !k.ended);
        // Cancelled at the second record: only the first one printed.
        const auto printed = std::count_if(drawn.begin(), drawn.end(), [](const ReportRecord& d) { return d.text == "ab"; });
        EXPECT_EQ(printed, k.ended ? 2 : 1) << k.cancelAt;
    }
}

}  // namespace
