// The row editor's row: read from a work area, a TDataBase, a grid browse
// model or the caller's list; names and prompts; type-checked assignment;
// saving only what changed back to each kind of source (a record locked
// elsewhere gives up with "Record in use" instead of waiting for ever);
// and the "EDIT" dialog's button states and close question.
#include "data_row.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "messages.hpp"
#include "test_support.hpp"
#include "xbrowse_model.hpp"

namespace {

using namespace wl;

std::string dataRowTable(const zrtest::TempDir& dir) {
    const std::string path = dir.file("MEMBERS.DBF");
    auto t = DbfFile::create(path, {{"NAME", 'C', 8, 0}, {"PLAN", 'C', 4, 0}, {"COPAY", 'N', 6, 2}});
    t->append({Value("ANN"), Value("PPO"), Value(20.0)});
    t->append({Value("JOE"), Value("HMO"), Value(15.5)});
    return path;
}

struct DataRowAreas {
    ~DataRowAreas() {
        for (const std::string& alias : AGETWORKAREAS()) dbfCloseArea(alias);
    }
};

TEST(TDataRow, NamesPromptsAndTypedAssignment) {
    zrtest::TempDir dir;
    DataRowAreas closeAll;
    auto area = USEAREA(dataRowTable(dir), "MEMBERS");
    area->GoTo(2);
    TDataRow row("members", " name , copay ");
    ASSERT_TRUE(row.lValidData());
    EXPECT_EQ(row.cSrcType, "DBF");
    EXPECT_EQ(row.RecNo, 2);
    EXPECT_EQ(row.FCount(), 2);
    EXPECT_EQ(row.FieldName(2), "COPAY");
    EXPECT_EQ(row.FieldName(3), "");
    EXPECT_EQ(row.FieldType("copay"), 'N');
    EXPECT_EQ(row.FieldType("nosuch"), 'U');
    row.SetPrompt("NAME", "Member name");
    EXPECT_EQ(row.FieldPos("MEMBERNAME"), 1);  // the prompt without its blanks
    row.SetPrompt(2, "member name");           // taken by field 1: unchanged
    EXPECT_EQ(row.FieldPrompt(2), "COPAY");
    EXPECT_FALSE(row.FieldPut("COPAY", Value("ten")));  // the data-type error
    EXPECT_TRUE(row.FieldPut("COPAY", Value(17.25)));
    EXPECT_TRUE(row.Modified(2));
    EXPECT_FALSE(row.Modified(1));
    row.Undo();
    EXPECT_FALSE(row.Modified());
    EXPECT_EQ(TRIMLIST(" a ,b ,  c"), "a,b,c");
}

TEST(TDataRow, SavingWritesOnlyChangedFieldsOrNothing) {
    zrtest::TempDir dir;
    DataRowAreas closeAll;
    auto area = USEAREA(dataRowTable(dir), "MEMBERS");
    TDataRow row("MEMBERS");
    int saves = 0;
    row.bOnSave = [&](TDataRow&) { ++saves; };
    EXPECT_FALSE(row.Save());  // nothing changed: the source untouched
    ASSERT_TRUE(row.FieldPut("PLAN", Value("EPO")));
    area->GoTo(2);  // the area moved meanwhile; the row still knows record 1
    ASSERT_TRUE(row.Save());
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(row.aModiData.size(), 1u);
    EXPECT_EQ(row.aModiData[0].name, "PLAN");
    EXPECT_EQ(area->RecNo(), 2u);  // the noted record is selected again
    area->GoTo(1);
    EXPECT_EQ(area->FieldGet(2).text(), "EPO ");
    EXPECT_FALSE(row.Modified());

    // A new row is appended.
    area->GoBottom();
    area->Skip();
    TDataRow fresh("MEMBERS");
    EXPECT_EQ(fresh.RecNo, 0);
    fresh.FieldPut("NAME", Value("EVE"));
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ(area->RecCount(), 3);
    EXPECT_EQ(fresh.RecNo, 3);
}

TEST(TDataRow, ALockedRecordGivesUpWithRecordInUse) {
    zrtest::TempDir dir;
    DataRowAreas closeAll;
    const std::string path = dataRowTable(dir);
    auto mine = USEAREA(path, "MINE");
    auto theirs = USEAREA(path, "THEIRS");
    ASSERT_TRUE(theirs->RLock(1));
    std::vector<std::string> shown;
    ScopedPromptHook hook([&](const Prompt& p) {
        shown.push_back(p.text);
        return PromptAnswer{};
    });
    TDataRow row("MINE");
    row.FieldPut("NAME", Value("X"));
    EXPECT_FALSE(row.Save());
    EXPECT_EQ(shown, std::vector<std::string>{"Record in use"});
    EXPECT_EQ(mine->FieldGet(1).text(), "ANN     ");
}

TEST(TDataRow, ObjectBrowseAndListSourcesSaveTheirOwnWay) {
    zrtest::TempDir dir;
    DataRowAreas closeAll;
    TDataBase db("M", dataRowTable(dir), "DBFNTX");
    ASSERT_TRUE(db.Use());
    TDataRow fromObject(db, "NAME,COPAY");
    EXPECT_EQ(fromObject.cSrcType, "OBJ");
    fromObject.FieldPut("COPAY", Value(30));
    ASSERT_TRUE(fromObject.Save());
    EXPECT_EQ(db.area()->FieldGet(3).number(), 30);

    // The caller's list is edited in place and needs no type check.
    TDataBaseRow pairs{{"Claim", Value("C1"), true, ""}, {"Charge", Value(12.5), true, ""}};
    TDataRow fromList(pairs);
    EXPECT_EQ(fromList.cSrcType, "ARR");
    EXPECT_EQ(pairs[1].picture, NUMPICT(12, 2));
    EXPECT_TRUE(fromList.FieldPut("CHARGE", Value("free")));
    EXPECT_EQ(pairs[1].value.text(), "free");

    // A browse over rows: the changed cell goes through its column.
    XBrowseModel browse;
    browse.SetArray({Value(ValueList{Value("A1"), Value(1)}), Value(ValueList{Value("B2"), Value(2)})});
    browse.GoDown();
    TDataRow fromBrowse(browse, "B");
    EXPECT_EQ(fromBrowse.RecNo, 2);
    EXPECT_FALSE(fromBrowse.lTypeCheck);
    fromBrowse.FieldPut("B", Value(9));
    ASSERT_TRUE(fromBrowse.Save());
    EXPECT_EQ(browse.aArrayData[1].list()[1].number(), 9);
    // A new browse row: a blanked copy of the last row, then the values.
    TDataRow newRow(browse, "", true);
    newRow.FieldPut("A", Value("C3"));
    ASSERT_TRUE(newRow.Save());
    ASSERT_EQ(browse.aArrayData.size(), 3u);
    EXPECT_EQ(browse.aArrayData[2].list()[0].text(), "C3");
}

TEST(TDataRow, TheEditDialogsButtonsFollowTheChanges) {
    TDataBaseRow pairs{{"Claim", Value("C1"), true, ""}, {"Total", Value(12.5), false, ""}};
    TDataRow row(pairs);
    EXPECT_EQ(row.EditCloseCaption(), "Close");
    EXPECT_FALSE(row.EditCanUndo());
    EXPECT_TRUE(row.EditCellEditable(1));
    EXPECT_FALSE(row.EditCellEditable(2));
    EXPECT_EQ(row.EditValueText(2), CVALTOSTR(Value(12.5), Value(NUMPICT(12, 2))));
    EXPECT_TRUE(row.EditMayClose(false));
    row.FieldPut("Claim", Value("C2"));
    EXPECT_EQ(row.EditCloseCaption(), "Cancel");
    EXPECT_TRUE(row.EditCanSave(false));
    EXPECT_FALSE(row.EditCanSave(true));
    int asked = 0;
    bool answer = false;
    ScopedPromptHook hook([&](const Prompt& p) {
        if (p.text == "Exit without save?" || p.text == "Invalid Data") ++asked;
        PromptAnswer a;
        a.yes = answer;
        return a;
    });
    EXPECT_FALSE(row.EditMayClose(false));
    answer = true;
    EXPECT_TRUE(row.EditMayClose(false));
    EXPECT_TRUE(row.EditMayClose(true));  // read-only: no question
    EXPECT_EQ(asked, 2);
    // An invalid source says so.
    TDataBaseRow none;
    TDataRow invalid(none);
    EXPECT_FALSE(invalid.lValidData());
    EXPECT_EQ(asked, 3);
}

}  // namespace

// A source known only through its interface (a record set in the program):
// the row reports its kind, saves only the changed editable fields and
// takes the row read back; a refused write keeps the values as read.
class ListedSource : public DataRowSource {
public:
    std::string kind() const override { return "ADO"; }
    Read read(const std::vector<std::string>& fields, std::optional<bool> blank) override {
        Read r;
        for (const TDataBaseRowItem& item : stored)
            if (fields.empty() || std::find(fields.begin(), fields.end(), item.name) != fields.end())
                r.row.push_back(blank.value_or(false) ? TDataBaseRowItem{item.name, Value(""), item.edit, ""} : item);
        r.recNo = blank.value_or(false) ? 0 : 7;
        r.typeCheck = false;
        return r;
    }
    std::optional<Read> write(const TDataBaseRow& changed, int recNo, const std::vector<std::string>& fields) override {
        writes.push_back(changed);
        writtenTo = recNo;
        if (refuse) return std::nullopt;
        for (const TDataBaseRowItem& c : changed)
            for (TDataBaseRowItem& s : stored)
                if (s.name == c.name) s.value = c.value;
        return read(fields, false);
    }
    TDataBaseRow stored{{"NAME", Value("ANN"), true, ""}, {"ID", Value(3), false, ""}, {"PLAN", Value("PPO"), true, ""}};
    std::vector<TDataBaseRow> writes;
    int writtenTo = -1;
    bool refuse = false;
};

TEST(TDataRow, AnotherSourceReadsAndWritesThroughItsInterface) {
    ListedSource source;
    TDataRow row(source, "NAME, ID");
    ASSERT_TRUE(row.lValidData());
    EXPECT_EQ(row.cSrcType, "ADO");
    EXPECT_EQ(row.FCount(), 2);
    EXPECT_EQ(row.RecNo, 7);
    EXPECT_FALSE(row.Save());  // nothing changed: the source is not asked
    EXPECT_TRUE(source.writes.empty());
    ASSERT_TRUE(row.FieldPut("NAME", Value("BEA")));
    ASSERT_TRUE(row.FieldPut("ID", Value(9)));  // not editable: not written
    ASSERT_TRUE(row.Save());
    ASSERT_EQ(source.writes.size(), 1u);
    ASSERT_EQ(source.writes[0].size(), 1u);
    EXPECT_EQ(source.writes[0][0].name, "NAME");
    EXPECT_EQ(source.writtenTo, 7);
    EXPECT_EQ(row.FieldGet("NAME").text(), "BEA");
    EXPECT_EQ(row.FieldGet("ID").number(), 3);  // read back from the source
    EXPECT_FALSE(row.Modified());

    source.refuse = true;
    ASSERT_TRUE(row.FieldPut("NAME", Value("CY")));
    EXPECT_FALSE(row.Save());
    EXPECT_EQ(row.FieldGet("NAME").text(), "BEA");  // undone
    EXPECT_EQ(source.stored[0].value.text(), "BEA");

    TDataRow blank(source, "", true);
    EXPECT_EQ(blank.RecNo, 0);
    ASSERT_TRUE(blank.FieldPut("PLAN", Value("HMO")));
    source.refuse = false;
    ASSERT_TRUE(blank.Save());
    EXPECT_EQ(source.writtenTo, 0);  // a new row
}

TEST(TDataRow, TheEditDialogFitsItsRows) {
    const struct {
        int browseWidth, browseHeight, fittedWidth, fittedHeight;
        int width, height, shiftUp;
        std::vector<int> buttons;
    } cases[] = {
        // Few rows: the browse shrinks, everything below moves up.
        {868, 500, 420, 120, 452, 220, 380, {264, 350}},
        // Narrow contents: at least 300 wide.
        {868, 500, 150, 120, 332, 220, 380, {144, 230}},
        // Many rows: the browse grows, so does the dialog.
        {400, 200, 500, 300, 532, 700, -100, {344, 430}},
    };
    for (const auto& c : cases) {
        const wl::EditDialogLayout l =
            wl::editDialogLayout(10, c.browseWidth, c.browseHeight, c.fittedWidth, c.fittedHeight,
                                 c.browseWidth + 32, 600, 2);
        EXPECT_EQ(l.browseWidth, std::max(c.fittedWidth, 300));
        EXPECT_EQ(l.browseHeight, c.fittedHeight);
        EXPECT_EQ(l.dialogWidth, c.width);
        EXPECT_EQ(l.shiftUp, c.shiftUp);
        EXPECT_EQ(l.dialogHeight, c.height);
        EXPECT_EQ(l.buttonLeft, c.buttons);
    }
    EXPECT_EQ(wl::editPromptWidth(100), 120);
    EXPECT_EQ(wl::editValueWidth(100), 120);
    EXPECT_EQ(wl::editValueWidth(400), 250);
}
