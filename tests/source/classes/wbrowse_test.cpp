// The record and array browse on a live window: keys, wheel and thumb
// messages move it through a long list and the current row is read back;
// the change closure reports each move once, in order; the header and the
// selected row are painted in their colours; the in-cell edit field; the
// browse over a table and its key range, the modal cell editor, the line
// styles, pressed headers and the icon view.
#include "wbrowse.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbf_read_back.hpp"
#include "font.hpp"
#include "message_sequence.hpp"
#include "messages.hpp"
#include "parent_window.hpp"
#include "print_settings.hpp"
#include "profile_files.hpp"
#include "timer_steps.hpp"
#include "unix_tools.hpp"
#include "window_picture.hpp"

namespace {

using namespace wl;
using zrtest::MessageSequence;

struct BrowseParent : wltest::Parent {
    BrowseParent() : wltest::Parent(400, 400) {}
};

// A browse of `count` rows "Claim N" on the parent, 300 x 200 pixels in a
// pinned 14-pixel Arial; each move records ("change", current row).
struct Browse {
    TWBrowse b;
    int count;
    MessageSequence seq;
    Browse(TWindow& parent, int n, std::vector<int> sizes = {}) : count(n) {
        WBrowseNew a;
        a.oWnd = &parent;
        a.lPixel = true;
        a.nWidth = 300;
        a.nHeight = 200;
        a.aHeaders = {"Claim"};
        a.aColSizes = std::move(sizes);
        a.oFont = TFont::New(FontSpec{"Arial", 0, -14});
        a.bLine = [this] { return ValueList{Value("Claim " + std::to_string(b.nAt))}; };
        a.bChange = [this](TControl&) { seq.record("change", b.nAt); };
        b.New(a);
        b.SetArray([this] { return count; });
        seq.clear();
    }
    void key(WPARAM vk) { SendMessageA(b.hWnd, WM_KEYDOWN, vk, 0); }
    void thumb(int pos) { SendMessageA(b.hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0); }
    void wheel(int delta, int clientY) {
        POINT p{20, clientY};
        ClientToScreen(b.hWnd, &p);
        SendMessageA(b.hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
    }
    int barPos() const { return GetScrollPos(b.hWnd, SB_VERT); }
};

TEST(WBrowse, KeysWheelAndThumbLandOnTheAimedRowOf600000) {
    BrowseParent p;
    Browse br(p.w, 600000);
    ASSERT_GT(br.b.nRowCount(), 3);
    const int rows = br.b.nRowCount();
    struct Step {
        const char* name;
        std::function<void()> act;
        int at, bar;
    };
    const Step steps[] = {
        // 60 items to a bar step: the first ones all stand at 1.
        {"down", [&] { br.key(VK_DOWN); }, 2, 1},
        {"wheel down", [&] { br.wheel(-120, 20); }, 3, 1},
        {"wheel up", [&] { br.wheel(120, 20); }, 2, 1},
        {"page down", [&] { br.key(VK_NEXT); }, 2 + rows, 1},
        {"thumb 5000", [&] { br.thumb(5000); }, 300000, 5000},
        {"up", [&] { br.key(VK_UP); }, 299999, 4999},
        {"end", [&] { br.key(VK_END); }, 600000, 10000 - rows + 1},
        {"home", [&] { br.key(VK_HOME); }, 1, 1},
        {"line down on the bar", [&] { SendMessageA(br.b.hWnd, WM_VSCROLL, SB_LINEDOWN, 0); }, 2, 1},
        {"thumb 9990", [&] { br.thumb(9990); }, 599400, 9990},
    };
    for (const Step& s : steps) {
        br.seq.clear();
        s.act();
        EXPECT_EQ(br.b.nAt, s.at) << s.name;
        EXPECT_EQ(br.b.nVScrollPos(), s.at) << s.name;
        // Windows keeps the thumb within max - page + 1.
        EXPECT_EQ(br.barPos(), s.bar) << s.name;
        EXPECT_EQ(br.seq.mismatch({{"change", s.at}}), "") << s.name;
    }
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(br.b.hWnd, SB_VERT, &si);
    EXPECT_EQ(si.nMin, 1);
    EXPECT_EQ(si.nMax, 10000);
}

TEST(WBrowse, ShortListAndEmptyListEnds) {
    BrowseParent p;
    Browse br(p.w, 3);
    br.key(VK_NEXT);
    EXPECT_EQ(br.b.nAt, 3);
    EXPECT_EQ(br.b.nRowPos(), 3);
    EXPECT_TRUE(br.b.lHitBottom());
    br.seq.clear();
    br.key(VK_DOWN);
    EXPECT_TRUE(br.seq.empty());  // latched at the bottom: no move, no report
    br.key(VK_UP);
    br.key(VK_UP);
    br.key(VK_UP);
    EXPECT_EQ(br.seq.mismatch({{"change", 2}, {"change", 1}, {"change", 1}}), "");
    EXPECT_TRUE(br.b.lHitTop());

    Browse empty(p.w, 0);
    for (WPARAM k : {VK_DOWN, VK_NEXT, VK_END, VK_UP}) empty.key(k);
    empty.thumb(5);
    EXPECT_TRUE(empty.seq.empty());
    const LPARAM onLine2 = MAKELPARAM(20, empty.b.nLineHeight() * 2 + 2);
    SendMessageA(empty.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, onLine2);
    SendMessageA(empty.b.hWnd, WM_LBUTTONUP, 0, onLine2);
    EXPECT_TRUE(empty.seq.empty());
}

TEST(WBrowse, ClicksMoveToTheClickedRowButNotBelowTheLast) {
    BrowseParent p;
    Browse br(p.w, 5);
    const int h = br.b.nLineHeight();
    for (int line : {4, 9}) {
        const LPARAM at = MAKELPARAM(30, line * h + h / 2);
        SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(br.b.nAt, 4);
    EXPECT_EQ(br.b.nRowPos(), 4);
    EXPECT_EQ(br.seq.mismatch({{"change", 4}}), "");
}

TEST(WBrowse, WheelInTheLowestFifthMovesColumns) {
    BrowseParent p;
    Browse br(p.w, 50, {100, 100, 100, 100});
    RECT c{};
    GetClientRect(br.b.hWnd, &c);
    br.wheel(-120, c.bottom - 3);
    EXPECT_EQ(br.b.nColAct(), 2);
    EXPECT_EQ(br.b.nAt, 1);
    EXPECT_EQ(GetScrollPos(br.b.hWnd, SB_HORZ), 2);
    SendMessageA(br.b.hWnd, WM_HSCROLL, SB_RIGHT, 0);  // code 7: the last column
    EXPECT_EQ(br.b.nColPos(), 4);
    SendMessageA(br.b.hWnd, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(br.b.nColAct(), 3);
}

TEST(WBrowse, DraggingAColumnBorderResizesIt) {
    BrowseParent p;
    Browse br(p.w, 10, {60, 80});
    const int y = br.b.nLineHeight() / 2;
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, y));
    SendMessageA(br.b.hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, y));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(90, y));
    EXPECT_EQ(br.b.GetColSizes(), (std::vector<int>{90, 80}));
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, y));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, y));
    EXPECT_EQ(br.b.GetColSizes(), (std::vector<int>{5, 80}));
}

TEST(WBrowse, HeaderAndSelectedRowArePaintedInTheirColours) {
    BrowseParent p;
    Browse br(p.w, 20);
    br.b.nClrBackHead = RGB(0, 128, 0);
    br.b.nClrBackFocus = RGB(0, 0, 200);
    br.b.nClrPane = RGB(255, 255, 255);
    SetFocus(br.b.hWnd);
    br.key(VK_DOWN);
    br.key(VK_DOWN);
    const int h = br.b.nLineHeight();
    const int x = 250;  // right of the text, inside the only column
    zrtest::WindowPicture focused(br.b.hWnd);
    EXPECT_EQ(focused.at(x, h / 2), RGB(0, 128, 0));          // header
    EXPECT_EQ(focused.at(x, 3 * h + h / 2), RGB(0, 0, 200));  // row 3, current
    EXPECT_EQ(focused.at(x, 2 * h + h / 2), RGB(255, 255, 255));
    EXPECT_EQ(focused.at(x, 4 * h + h / 2), RGB(255, 255, 255));
    // The grey grid line at the bottom of each data cell.
    EXPECT_EQ(focused.at(x, 2 * h - 1), RGB(128, 128, 128));
    SetFocus(nullptr);
    zrtest::WindowPicture unfocused(br.b.hWnd);
    EXPECT_EQ(unfocused.at(x, 3 * h + h / 2), RGB(128, 128, 128));
}

TEST(WBrowse, PaintingAMillionRowsAsksOnlyForTheVisibleLines) {
    BrowseParent p;
    Browse br(p.w, 1000000);
    int lines = 0;
    br.b.bLine = [&] {
        ++lines;
        return ValueList{Value(br.b.nAt)};
    };
    br.key(VK_END);
    zrtest::WindowPicture pic(br.b.hWnd);
    EXPECT_EQ(lines, br.b.nRowCount());
    EXPECT_EQ(br.b.nAt, 1000000);
}

// Lets posted messages run, as the message loop would.
void wbrowsePump() {
    MSG m{};
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

TEST(WBrowse, TheCellEditorHandsBackTheValueOrNothingOnEscape) {
    BrowseParent p;
    Browse br(p.w, 5, {80, 120});
    SetFocus(br.b.hWnd);
    MessageSequence done;
    std::vector<std::string> edited;
    auto onDone = [&](const std::optional<Value>& v, int key, TWBrowse&) {
        done.record(v ? "value" : "none", key);
        if (v) edited.push_back(CVALTOCHAR(*v));
    };
    struct Case {
        Value start;
        const char* typed;
        WPARAM key;
    };
    const Case cases[] = {{Value("old       "), "new", VK_RETURN}, {Value("old"), "x", VK_ESCAPE},
                          {Value(12), "7", VK_RETURN}, {Value(true), "", VK_RETURN}};
    for (const Case& c : cases) {
        br.b.EditCol(2, c.start, onDone);
        ASSERT_TRUE(br.b.IsEditing());
        HWND edit = GetFocus();
        ASSERT_NE(edit, br.b.hWnd);
        RECT r{};
        GetWindowRect(edit, &r);
        MapWindowPoints(nullptr, br.b.hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 80);
        EXPECT_EQ(r.top, br.b.nLineHeight());
        if (c.start.isLogical()) SendMessageA(edit, WM_KEYDOWN, VK_DOWN, 0);  // the other choice
        for (const char* t = c.typed; *t; ++t) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*t), 0);
        SendMessageA(edit, c.start.isLogical() ? WM_KEYDOWN : WM_CHAR, c.key, 0);
        wbrowsePump();
        EXPECT_FALSE(br.b.IsEditing());
        EXPECT_EQ(GetFocus(), br.b.hWnd);
    }
    EXPECT_EQ(done.mismatch({{"value", 13}, {"none", 27}, {"value", 13}, {"value", 13}}), "");
    EXPECT_EQ(edited, (std::vector<std::string>{"new       ", "7", ".F."}));

    // Losing the focus ends it with the value.
    br.b.EditCol(1, Value("abc"), onDone);
    SetFocus(p.w.hWnd);
    wbrowsePump();
    EXPECT_FALSE(br.b.IsEditing());
    EXPECT_EQ(done.mismatch({{"value", 13}, {"none", 27}, {"value", 13}, {"value", 13}, {"value", 0}}), "");
}

// ---------------------------------------------------------------- tables

// CODE A1 A2 B1 B2 B3 C1 with AMOUNT 1..6, open as "CODES" and selected.
struct WBrowseTable {
    zrtest::ScratchDir dir{"wbrowse-table"};
    std::shared_ptr<DbfArea> area;
    WBrowseTable() {
        auto t = DbfFile::create(dir.file("CODES.DBF"), {{"CODE", 'C', 4, 0}, {"AMOUNT", 'N', 6, 1}});
        int n = 0;
        for (const char* c : {"A1", "A2", "B1", "B2", "B3", "C1"}) t->append({Value(c), Value(++n * 1.0)});
        t.reset();
        area = USEAREA(dir.file("CODES.DBF"), "CODES");
    }
    ~WBrowseTable() { dbfCloseArea("CODES"); }
    std::string readBack() {
        return zrtest::dbfReadBack(dir, "CODES.DBF");
    }
};

// A table browse of 300 x 200 pixels in a pinned font, over the selected
// table, limited to the key range when a start is given.
void wbrowseOnTable(TWBrowse& b, TWindow& parent, const std::string& field = {}, const Value& start = Value(),
                    std::vector<int> sizes = {60, 80}) {
    WBrowseNew a;
    a.oWnd = &parent;
    a.lPixel = true;
    a.nWidth = 300;
    a.nHeight = 200;
    a.oFont = TFont::New(FontSpec{"Arial", 0, -14});
    a.aColSizes = std::move(sizes);
    a.cField = field;
    a.uValue1 = start;
    b.New(a);
}

std::string wbrowseCode(TWBrowse& b) { return b.area()->FieldGet(1).text(); }

TEST(WBrowse, ATableBrowseWalksTheKeyRangeAndShowsTheFields) {
    BrowseParent p;
    WBrowseTable t;
    TWBrowse b;
    wbrowseOnTable(b, p.w, "CODE", Value("B"));
    EXPECT_EQ(b.cAlias, "CODES");
    EXPECT_EQ(b.nLen(), 3);
    EXPECT_EQ(b.aHeaders, (std::vector<std::string>{"CODE", "AMOUNT"}));
    EXPECT_EQ(b.aJustify, (std::vector<bool>{false, true}));
    EXPECT_EQ(wbrowseCode(b), "B1  ");
    EXPECT_EQ(CVALTOCHAR(b.bLine()[1]), "3.0");
    struct Step {
        WPARAM key;
        const char* code;
        int row;
    };
    const Step steps[] = {{VK_DOWN, "B2  ", 2}, {VK_END, "B3  ", 3}, {VK_DOWN, "B3  ", 3},
                          {VK_HOME, "B1  ", 1}, {VK_UP, "B1  ", 1},  {VK_NEXT, "B3  ", 3}};
    for (const Step& s : steps) {
        SendMessageA(b.hWnd, WM_KEYDOWN, s.key, 0);
        EXPECT_EQ(wbrowseCode(b), s.code) << s.key;
        EXPECT_EQ(b.nRowPos(), s.row) << s.key;
    }
    // From "A" while the code is at most "B" (compared over its length).
    EXPECT_EQ(b.RecCount(Value("A")), 5);
    b.nMaxFilter = 1;
    EXPECT_EQ(b.RecCount(Value("B")), 1);
    b.Display();
    EXPECT_EQ(b.nLen(), 1);
}

TEST(WBrowse, FilterTypesThatDifferAreToldAndTheAreaCanBeClosed) {
    BrowseParent p;
    WBrowseTable t;
    std::vector<std::string> told;
    ScopedPromptHook hook([&](const Prompt& pr) {
        told.push_back(pr.text);
        return PromptAnswer{};
    });
    TWBrowse b;
    wbrowseOnTable(b, p.w, "AMOUNT", Value("B"));
    EXPECT_EQ(told, (std::vector<std::string>{"TWBrowse SetFilter() types don't match with current Index Key type!"}));
    b.ShowSizes();
    EXPECT_EQ(told.back(), "CODE: 60\r\nAMOUNT: 80");
    EXPECT_TRUE(b.lCloseArea());
    EXPECT_EQ(b.cAlias, "");
    EXPECT_FALSE(dbfAreaOf("CODES"));
}

TEST(WBrowse, RecAddAppendsABlankRecordAndFindsItsLine) {
    BrowseParent p;
    WBrowseTable t;
    TWBrowse b;
    wbrowseOnTable(b, p.w);
    ASSERT_GE(b.nRowCount(), 7);
    b.RecAdd();
    EXPECT_EQ(t.area->RecCount(), 7);
    EXPECT_EQ(t.area->RecNo(), 7u);
    EXPECT_EQ(b.nRowPos(), 7);
}

TEST(WBrowse, DoubleClickEditsTheCellAndAutoSkipGoesOnToTheNext) {
    BrowseParent p;
    WBrowseTable t;
    TWBrowse b;
    wbrowseOnTable(b, p.w);
    b.lAutoEdit = true;
    b.lAutoSkip = true;
    SetFocus(b.hWnd);
    b.GoDown();
    std::vector<int> editorLeft;
    auto typeAndEnter = [&](const std::string& text) {
        HWND edit = GetFocus();
        RECT r{};
        GetWindowRect(edit, &r);
        MapWindowPoints(nullptr, b.hWnd, reinterpret_cast<POINT*>(&r), 2);
        editorLeft.push_back(r.left);
        for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
        PostMessageA(edit, WM_CHAR, VK_RETURN, 0);
    };
    zrtest::TimerSteps s({[&] { typeAndEnter("ZZ"); }, [&] { typeAndEnter("9"); },
                     [&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }});
    const int h = b.nLineHeight();
    SendMessageA(b.hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 2 * h + h / 2));
    EXPECT_TRUE(zrtest::TimerSteps::done());
    EXPECT_EQ(editorLeft, (std::vector<int>{0, 60}));
    // The third edit is column 1 of the next record, cancelled.
    EXPECT_EQ(t.area->RecNo(), 3u);
    const std::string rows = t.readBack();
    EXPECT_EQ(rows.substr(0, rows.find("B1")), "A1|1.0\nZZ|9.0\n") << rows;
}

TEST(WBrowse, AModalLogicalEditorConfirmsTheOtherChoiceOrPutsTheValueBack) {
    BrowseParent p;
    Browse br(p.w, 3, {80, 120});
    SetFocus(br.b.hWnd);
    Value v(true);
    zrtest::TimerSteps pick({[&] {
        SendMessageA(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    }});
    EXPECT_TRUE(br.b.lEditCol(2, v));
    EXPECT_TRUE(v.isLogical());
    EXPECT_FALSE(v.logical());
    EXPECT_EQ(br.b.nColAct(), 2);
    Value text("old");
    zrtest::TimerSteps cancel({[&] {
        SendMessageA(GetFocus(), WM_CHAR, 'x', 0);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    }});
    EXPECT_FALSE(br.b.lEditCol(1, text));
    EXPECT_EQ(text.text(), "old");
}

TEST(WBrowse, LineStylesDrawTheirRules) {
    BrowseParent p;
    Browse br(p.w, 5, {80, 200});
    br.b.nClrPane = RGB(255, 255, 255);
    const int h = br.b.nLineHeight();
    const int mid = 3 * h + h / 2, bottom = 4 * h - 1, x = 80;  // column 2 of line 3
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), grey = RGB(128, 128, 128);
    struct Case {
        int style;
        COLORREF left, under;
    };
    const Case cases[] = {{0, white, white}, {5, black, white}, {6, grey, white}, {7, white, black}, {8, white, grey}};
    for (const Case& c : cases) {
        br.b.nLineStyle = c.style;
        zrtest::WindowPicture pic(br.b.hWnd);
        EXPECT_EQ(pic.at(x, mid), c.left) << c.style;
        EXPECT_EQ(pic.at(x + 100, bottom), c.under) << c.style;
    }
    br.b.nLineStyle = 4;  // a dotted frame: every other pixel of the top edge
    zrtest::WindowPicture dotted(br.b.hWnd);
    int dark = 0;
    for (int i = 0; i < 40; ++i) dark += dotted.at(x + 20 + i, 3 * h) == black;
    EXPECT_GE(dark, 10);
    EXPECT_LE(dark, 30);
}

TEST(WBrowse, AHeaderIsPressedWhileItsActionRuns) {
    BrowseParent p;
    Browse br(p.w, 5, {80, 200});
    COLORREF during = 0;
    int ran = 0;
    br.b.aActions = {[&](TWBrowse& b, int, int) {
        ++ran;
        zrtest::WindowPicture pic(b.hWnd);
        during = pic.at(2, 2);
    }};
    const COLORREF before = zrtest::WindowPicture(br.b.hWnd).at(2, 2);
    SendMessageA(br.b.hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 3));
    SendMessageA(br.b.hWnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 3));
    EXPECT_EQ(ran, 1);
    EXPECT_NE(during, before);
    EXPECT_EQ(zrtest::WindowPicture(br.b.hWnd).at(2, 2), before);
}

TEST(WBrowse, TheIconViewLabelsEachItemAndHitsItsCell) {
    BrowseParent p;
    Browse br(p.w, 7);
    br.b.lIconView = true;
    br.b.bIconText = [&] { return std::string(); };
    br.key(VK_DOWN);  // item 2 is current
    zrtest::WindowPicture pic(br.b.hWnd);
    // Labels under the icons: navy under the current one only.
    EXPECT_EQ(pic.at(62, 47), RGB(0, 0, 128));
    EXPECT_NE(pic.at(12, 47), RGB(0, 0, 128));
    EXPECT_EQ(br.b.nIconPos, 2);
    EXPECT_EQ(br.b.nAt, 2);
    EXPECT_EQ(br.b.nAtIcon(30, 70), 2);
    EXPECT_EQ(br.b.nAtIcon(5, 70), 0);
}

TEST(WBrowse, AnOutlineOpensByDoubleClickAndClosesByEnter) {
    BrowseParent p;
    Browse br(p.w, 0);
    TLinkList tree;
    TTreeItem& aetna = tree.Add("AETNA");
    aetna.AddChild("C1");
    aetna.AddChild("C2");
    tree.Add("HUMANA");
    br.b.SetTree(&tree);
    EXPECT_EQ(br.b.nLen(), 2);
    EXPECT_FALSE(br.b.lMChange);
    EXPECT_FALSE(GetWindowLongPtrA(br.b.hWnd, GWL_STYLE) & WS_HSCROLL);
    const int h = br.b.nLineHeight();
    SendMessageA(br.b.hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, h + h / 2));
    EXPECT_TRUE(aetna.lOpened);
    EXPECT_EQ(br.b.nLen(), 4);
    br.key(VK_DOWN);
    EXPECT_EQ(br.b.oTreeItem->cPrompt, "C1");
    // Two connector cells and C1's own (empty) picture cell, then its prompt.
    const ValueList line = br.b.bLine();
    ASSERT_EQ(line.size(), 4u);
    EXPECT_EQ(CVALTOCHAR(line[3]), "C1");
    EXPECT_EQ(br.b.GetColSizes(), (std::vector<int>{16, 16, 16, 300}));
    br.key(VK_END);
    EXPECT_EQ(br.b.oTreeItem->cPrompt, "HUMANA");
    EXPECT_EQ(br.b.nRowPos(), 4);
    br.key(VK_HOME);
    SendMessageA(br.b.hWnd, WM_CHAR, VK_RETURN, 0);
    EXPECT_FALSE(aetna.lOpened);
    EXPECT_EQ(br.b.nLen(), 2);
}

TEST(WBrowse, AnOutlineDrawsItsConnectorPicturesBeforeThePrompts) {
    BrowseParent p;
    Browse br(p.w, 0);
    TLinkList tree;
    tree.Add("AETNA").AddChild("C1");
    tree.Add("HUMANA");
    br.b.SetTree(&tree);
    const int h = br.b.nLineHeight();
    zrtest::WindowPicture pic(br.b.hWnd);
    const COLORREF black = RGB(0, 0, 0);
    // AETNA (line 1): the boxed plus of a closed parent with a sibling after
    // it: the box's left side, the plus's upright, and the dotted line on
    // to the bottom of the cell.
    EXPECT_EQ(pic.at(4, h + 8), black);
    EXPECT_EQ(pic.at(8, h + 7), black);
    EXPECT_EQ(pic.at(8, h + 14), black);
    // HUMANA (line 2), the last item: the dotted line from the top turns
    // right at the middle and stops there.
    EXPECT_EQ(pic.at(8, 2 * h + 2), black);
    EXPECT_EQ(pic.at(12, 2 * h + 8), black);
    EXPECT_NE(pic.at(8, 2 * h + 14), black);
    // No "+" text before the prompts any more: the first text pixels stand
    // right of the two 16-pixel picture cells.
    bool inkLeftOfPrompt = false;
    for (int x = 17; x < 32; ++x)
        for (int y = 2 * h; y < 3 * h; ++y) inkLeftOfPrompt |= pic.at(x, y) == black;
    EXPECT_FALSE(inkLeftOfPrompt);
    bool promptInk = false;
    for (int x = 36; x < 80; ++x)
        for (int y = 2 * h; y < 3 * h; ++y) promptInk |= pic.at(x, y) == black;
    EXPECT_TRUE(promptInk);
}

// The report on the private CUPS PDF printer (the default printer while the
// test runs): title, date line, header and every line, read back from the
// PDF by pdftotext.
TEST(WBrowse, ReportPrintsEveryLineOnThePrinter) {
    BrowseParent p;
    Browse br(p.w, 45);
    br.key(VK_DOWN);  // the report starts from the top and puts the row back
    DefaultPrinterSwitch use("ZRPDF," + GETPROFSTRING(std::string("Devices"), std::string("ZRPDF")));
    const std::vector<std::string> before = zrtest::pdfsNow();
    br.b.Report("zr browse report", false);
    EXPECT_EQ(br.b.nAt, 2);
    const std::string pdf = zrtest::awaitNewPdf(before);
    ASSERT_FALSE(pdf.empty()) << "CUPS wrote no PDF";
    zrtest::ScratchDir dir("browse-report");
    const std::string copy = dir.file("report.pdf");
    std::filesystem::copy_file(pdf, copy);
    std::filesystem::remove(pdf);
    const std::string text = zrtest::runUnix(dir.path(), "pdftotext -layout report.pdf -").output;
    for (const char* expected : {"zr browse report", "Date: ", "Page:", "Claim", "Claim 1", "Claim 45"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    EXPECT_EQ(text.find("Claim 46"), std::string::npos);
}

}  // namespace
