// The table browse dialog driven as a user would: New appends, Enter edits
// the record field by field, Delete asks and packs, a double-click edits
// one cell, a header click answers "Column action"; what it wrote to the
// table is read back by Debian's python3-dbf.
#include "browse_function.hpp"

#include <gtest/gtest.h>

#include "dbf_read_back.hpp"
#include "dialog_waiter.hpp"
#include "parent_window.hpp"
#include "messages.hpp"
#include "timer_steps.hpp"
#include "unix_tools.hpp"

namespace {

using namespace wl;

// A table of three claims in a scratch folder, open and selected.
struct BrowseTable {
    zrtest::ScratchDir dir{"browse-function"};
    std::string path = dir.file("CLAIMS.DBF");
    std::shared_ptr<DbfArea> area;
    BrowseTable() {
        auto t = DbfFile::create(path, {{"CLAIM", 'C', 6, 0}, {"AMOUNT", 'N', 8, 2}, {"PAID", 'L', 1, 0}});
        t->append({Value("C1"), Value(10.0), Value(true)});
        t->append({Value("C2"), Value(20.0), Value(false)});
        t->append({Value("C3"), Value(30.0), Value(false)});
        t.reset();
        area = USEAREA(path, "CLAIMS");
    }
    ~BrowseTable() { dbfCloseArea("CLAIMS"); }
    // Records as python3-dbf reads them, one line each, fields joined by "|".
    std::string readBack() {
        area->file().fields();  // nothing pending: every write is flushed
        return zrtest::dbfReadBack(dir, "CLAIMS.DBF");
    }
};

// The browse on the dialog now up.
TWBrowse* browseOf(HWND dialog) {
    HWND child = FindWindowExA(dialog, nullptr, nullptr, nullptr);
    for (; child; child = FindWindowExA(dialog, child, nullptr, nullptr))
        if (auto* w = dynamic_cast<TWBrowse*>(OWNDFROMHWND(child))) return w;
    return nullptr;
}

HWND browseDialog() { return FindWindowA(nullptr, "CLAIMS"); }

void browseClick(const char* caption) {
    HWND b = FindWindowExA(browseDialog(), nullptr, "Button", caption);
    SendMessageA(b, BM_CLICK, 0, 0);
}

void browseTypeAndEnter(const std::string& text) {
    HWND edit = GetFocus();
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

TEST(BrowseFunction, NewModifyDeleteAndExitChangeTheTable) {
    BrowseTable t;
    std::vector<std::string> asked;
    ScopedPromptHook hook([&](const Prompt& p) {
        asked.push_back(p.text + "/" + p.caption);
        PromptAnswer a;
        a.yes = true;
        return a;
    });
    TWBrowse* b = nullptr;
    std::vector<std::string> headers;
    zrtest::TimerSteps s({
        [&] {
            b = browseOf(browseDialog());
            ASSERT_NE(b, nullptr);
            headers = b->aHeaders;
            browseClick("&New");  // a fourth, blank record, current
        },
        [&] { PostMessageA(b->hWnd, WM_CHAR, 13, 0); },  // Enter: modify it
        [&] { browseTypeAndEnter("C4"); },
        [&] { browseTypeAndEnter("44.5"); },
        [&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },  // the flag: cancelled, the loop ends
        [&] {
            b->GoTop();
            SendMessageA(b->hWnd, WM_KEYDOWN, VK_DELETE, 0);  // C1 goes, packed
        },
        [&] { browseClick("E&xit"); },
    });
    BROWSE({"CLAIMS", "CLAIMS"});
    EXPECT_TRUE(zrtest::TimerSteps::done());
    EXPECT_EQ(headers, (std::vector<std::string>{"CLAIM", "AMOUNT", "PAID"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"Delete this record ?/Please, confirm"}));
    EXPECT_EQ(t.area->RecCount(), 3);
    EXPECT_EQ(t.readBack(), "C2|20.0|False\nC3|30.0|False\nC4|44.5|False\n");
}

TEST(BrowseFunction, ADoubleClickEditsTheCellAndAHeaderClickAnswers) {
    BrowseTable t;
    std::vector<std::string> told;
    ScopedPromptHook hook([&](const Prompt& p) {
        told.push_back(p.text);
        return PromptAnswer{};
    });
    TWBrowse* b = nullptr;
    std::shared_ptr<DbfArea> other;
    zrtest::TimerSteps s({
        [&] {
            b = browseOf(browseDialog());
            ASSERT_NE(b, nullptr);
            SetFocus(b->hWnd);
            b->GoDown();  // C2
            const int h = b->nLineHeight();
            const LPARAM amount = MAKELPARAM(b->GetColSizes()[0] + 5, 2 * h + h / 2);
            PostMessageA(b->hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, amount);
        },
        [&] { browseTypeAndEnter("99"); },
        [&] {
            // Another area holds the record's lock: nothing is written.
            other = DbfArea::open(t.path, "OTHER");
            other->GoTo(2);
            ASSERT_TRUE(other->RLock());
            const int h = b->nLineHeight();
            PostMessageA(b->hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 2 * h + h / 2));
        },
        [&] { browseTypeAndEnter("LOCKED"); },
        [&] { other.reset(); },
        [&] { SendMessageA(b->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 3)); },  // header
        [&] { browseClick("E&xit"); },
    });
    BROWSE({"CLAIMS", "CLAIMS"});
    EXPECT_TRUE(zrtest::TimerSteps::done());
    EXPECT_EQ(told, (std::vector<std::string>{"DataBase non available", "Column action"}));
    EXPECT_EQ(t.readBack(), "C1|10.0|True\nC2|99.0|False\nC3|30.0|False\n");
}

TEST(BrowseFunction, DeletingTheLastRecordLeavesAnEmptyBrowse) {
    BrowseTable t;
    ScopedPromptHook hook([](const Prompt&) {
        PromptAnswer a;
        a.yes = true;
        return a;
    });
    TWBrowse* b = nullptr;
    int left = -1;
    zrtest::TimerSteps s({
        [&] {
            b = browseOf(browseDialog());
            for (int i = 0; i < 3; ++i) browseClick("&Delete");
        },
        [&] {
            left = b->nLen();
            browseClick("&Delete");  // nothing left to delete: no question
            browseClick("&Search");  // no search action: nothing happens
            browseClick("E&xit");
        },
    });
    BROWSE({"CLAIMS", "CLAIMS"});
    EXPECT_EQ(left, 0);
    EXPECT_EQ(t.area->RecCount(), 0);
    EXPECT_EQ(t.readBack(), "");
}

// A table with a memo field: a memo cell opens the memo dialog; Ok writes
// the text, Cancel leaves it.
struct MemoTable {
    zrtest::ScratchDir dir{"browse-function-memo"};
    std::string path = dir.file("NOTES.DBF");
    std::shared_ptr<DbfArea> area;
    MemoTable() {
        auto t = DbfFile::create(path, {{"CLAIM", 'C', 6, 0}, {"NOTE", 'M', 10, 0}});
        t->append({Value("C1"), Value("first note")});
        t->append({Value("C2"), Value("")});
        t.reset();
        area = USEAREA(path, "NOTES");
    }
    ~MemoTable() { dbfCloseArea("NOTES"); }
};

TEST(BrowseFunction, AMemoCellIsEditedInTheMemoDialog) {
    MemoTable t;
    wltest::Parent parent(400, 300);
    TWBrowse b;
    WBrowseNew bn;
    bn.oWnd = &parent.w;
    bn.lPixel = true;
    bn.nWidth = 300;
    bn.nHeight = 200;
    bn.cAlias = t.area->Alias();
    b.New(bn);
    b.GoTop();
    std::string shown;
    auto answer = [&](const char* text, const char* button) {
        return zrtest::whenShown("MemoEdit", [&shown, text, button](HWND box) {
            HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
            char was[64] = {};
            GetWindowTextA(edit, was, sizeof was);
            shown = was;
            SetWindowTextA(edit, text);
            PostMessageA(FindWindowExA(box, nullptr, "Button", button), BM_CLICK, 0, 0);
        });
    };
    const int h = b.nLineHeight();
    const int noteX = b.GetColSizes()[0] + 5;
    std::thread ok = answer("second thought", "&Ok");
    EDITCELL(b, h + h / 2, noteX);
    ok.join();
    EXPECT_EQ(shown, "first note");
    std::thread cancel = answer("not kept", "&Cancel");
    EDITCELL(b, h + h / 2, noteX);
    cancel.join();
    EXPECT_EQ(shown, "second thought");
    t.area->file().fields();
    EXPECT_EQ(zrtest::dbfReadBack(t.dir, "NOTES.DBF"), "C1|second thought\nC2|\n");
}

}  // namespace
