#include "browse_function.hpp"

#include "button.hpp"
#include "dialog.hpp"
#include "memo_edit.hpp"
#include "messages.hpp"

namespace wl {

namespace {

// Lets pending painting and input run between two edits.
void drainMessages() {
    MSG m{};
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

bool isMemoField(DbfArea& area, int pos) {
    return area.fields()[static_cast<std::size_t>(pos - 1)].type == 'M';
}

// A memo field goes to the memo editor, any other is edited over its cell;
// true when the user confirmed a value.
bool askFieldValue(TWBrowse& b, DbfArea& area, int pos, Value& v) {
    if (!isMemoField(area, pos)) return b.lEditCol(pos, v);
    std::string text = v.isText() ? v.text() : std::string();
    if (!MemoEdit(text)) return false;
    v = Value(text);
    return true;
}

// Edits field `pos` of the current record; false when cancelled or when
// the record could not be locked.
bool editField(TWBrowse& b, DbfArea& area, int pos, bool& lockFailed) {
    Value v = area.FieldGet(pos);
    if (!askFieldValue(b, area, pos, v)) return false;
    if (!area.RLock()) {
        MSGALERT(Value("DataBase non available"));
        lockFailed = true;
        return false;
    }
    area.FieldPut(pos, v);
    area.UnLock();
    b.Refresh(false);
    return true;
}

}  // namespace

void browseAppendRecord(TWBrowse& b) {
    b.RecAdd();
    b.GoBottom();
}

void browseModifyRecord(TWBrowse& b) {
    const auto area = b.area();
    if (!area || area->Eof()) return;
    const int fields = static_cast<int>(area->fields().size());
    bool lockFailed = false;
    for (int pos = 1; pos <= fields; ++pos) {
        if (!editField(b, *area, pos, lockFailed)) break;
        drainMessages();
    }
}

void browseDeleteRecord(TWBrowse& b) {
    const auto area = b.area();
    if (!area || area->Eof()) return;
    if (!MSGYESNO(Value("Delete this record ?"), Value("Please, confirm"))) return;
    area->Delete();
    area->Pack();
    b.GoTop();
    b.Display();
}

void browsePrintTable(TWBrowse& b) {
    const auto area = b.area();
    if (!area) return;
    b.Report("Report: " + area->Alias(), true);
    area->GoTop();
    b.Display();
}

void EDITCELL(TWBrowse& b, int row, int col) {
    const auto area = b.area();
    if (!area || area->Eof() || b.nAtRow(row) != b.nRowPos()) return;
    const int pos = b.nAtCol(col);
    if (pos < 1 || pos > static_cast<int>(area->fields().size())) return;
    bool lockFailed = false;
    editField(b, *area, pos, lockFailed);
}

void BROWSE(const BrowseArgs& a) {
    const auto area = dbfSelected();
    if (!area) return;
    TDialog dlg;
    DialogNew dn;
    dn.nTop = 3;
    dn.nLeft = 3;
    dn.nBottom = 26;
    dn.nRight = 79;
    dn.cCaption = a.cTitle;
    dlg.New(dn);

    TSay label;
    SayNew sn;
    sn.nRow = 0.1;
    sn.nCol = 1.4;
    sn.oWnd = &dlg;
    sn.bText = [caption = a.cListName] { return Value(caption); };
    label.New(sn);

    TWBrowse browse;
    WBrowseNew bn;
    bn.nRow = 1;
    bn.nCol = 1;
    bn.nWidth = 284;
    bn.nHeight = 137;
    bn.oWnd = &dlg;
    bn.cAlias = area->Alias();
    bn.aColSizes = a.aColSizes;
    bn.bLDblClick = [&browse](int row, int col, WPARAM, TWindow&) { EDITCELL(browse, row, col); };
    browse.New(bn);
    // Every header answers the same.
    for (std::size_t i = 0; i < area->fields().size(); ++i)
        browse.aActions.push_back([](TWBrowse&, int, int) { MSGINFO(Value("Column action")); });

    // After an action the browse repaints and takes the focus.
    auto run = [&browse](const BrowseAction& given, void (*otherwise)(TWBrowse&)) {
        return [&browse, given, otherwise](TWindow&) {
            if (given)
                given(browse);
            else if (otherwise)
                otherwise(browse);
            browse.Refresh(false);
            browse.SetFocus();
        };
    };
    const BrowseAction modify = a.bModify, remove = a.bDelete;
    browse.bKeyDown = [&browse, remove](WPARAM key, LPARAM, TWindow&) {
        if (key != VK_DELETE) return;
        if (remove)
            remove(browse);
        else
            browseDeleteRecord(browse);
    };
    browse.bKeyChar = [&browse, modify](WPARAM key, LPARAM) {
        if (key != 13) return;
        if (modify)
            modify(browse);
        else
            browseModifyRecord(browse);
    };

    struct Button {
        const char* caption;
        double col;
        BrowseAction given;
        void (*otherwise)(TWBrowse&);
    };
    const Button buttons[] = {{"&New", 1.4, a.bNew, browseAppendRecord},
                              {"&Modify", 9.5, a.bModify, browseModifyRecord},
                              {"&Delete", 17.6, a.bDelete, browseDeleteRecord},
                              {"&Search", 25.7, a.bSearch, nullptr},
                              {"&Print", 33.8, a.bList, browsePrintTable}};
    std::vector<std::unique_ptr<TButton>> made;
    for (const Button& b : buttons) {
        ButtonNew n;
        n.nRow = 8.7;
        n.nCol = b.col;
        n.nWidth = 40;
        n.nHeight = 12;
        n.oWnd = &dlg;
        n.cCaption = b.caption;
        if (b.given || b.otherwise) n.bAction = run(b.given, b.otherwise);
        made.push_back(std::make_unique<TButton>());
        made.back()->New(n);
    }
    ButtonNew exit;
    exit.nRow = 8.7;
    exit.nCol = 41.9;
    exit.nWidth = 40;
    exit.nHeight = 12;
    exit.oWnd = &dlg;
    exit.cCaption = "E&xit";
    exit.bAction = [&dlg](TWindow&) { dlg.End(); };
    made.push_back(std::make_unique<TButton>());
    made.back()->New(exit);

    DialogActivate da;
    da.lCentered = true;
    dlg.Activate(da);
}

}  // namespace wl
