// A grid row as an object: named values, undo and save back to its row.
#include "xbr_row.hpp"

#include <gtest/gtest.h>

#include "xbrowse_model.hpp"

namespace {

using namespace wl;

TEST(XbrRow, SavesChangedValuesToItsOwnRowOnlyUnderALock) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{"C1", 10}), Value(ValueList{"C2", 20}), Value(ValueList{"C3", 30})});
    b.aCols[0].cHeader = "Claim";
    b.aCols[1].cHeader = "Paid";
    b.GoToRow(2);
    TXbrRow row(b);
    EXPECT_EQ(row.Get("paid")->number(), 20);
    EXPECT_FALSE(row.Get("nothing"));
    EXPECT_FALSE(row.Set("nothing", Value(1)));
    EXPECT_FALSE(row.Modified());
    ASSERT_TRUE(row.Set("PAID", Value(25)));
    EXPECT_TRUE(row.Modified());
    row.Undo();
    EXPECT_FALSE(row.Modified());

    row.Set("Paid", Value(25));
    b.GoToRow(3);  // the browse moved meanwhile
    bool locked = false;
    b.src.bLock = [&] { return locked; };
    EXPECT_FALSE(row.Save());
    b.GoToRow(2);
    EXPECT_EQ(b.aCols[1].GetValue().number(), 20);
    b.GoToRow(3);
    locked = true;
    int saved = 0;
    row.bSave = [&](TXbrRow&) { ++saved; };
    EXPECT_TRUE(row.Save());
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(b.KeyNo(), 3);
    EXPECT_FALSE(row.Modified());
    b.GoToRow(2);
    EXPECT_EQ(b.aCols[1].GetValue().number(), 25);
}

TEST(XbrRow, EditHandsTheRowToTheRecordEditorAndANewRowIsAppended) {
    XBrowseModel b;
    b.SetArray({Value(ValueList{"C1", 10}), Value(ValueList{"C2", 20})});
    b.aCols[0].cHeader = "Claim";
    b.aCols[1].cHeader = "Paid";
    b.nDataRows = 5;
    EXPECT_FALSE(b.Edit());  // no record editor
    b.bEdit = [](TXbrRow& row) {
        row.Set("Paid", Value(row.Get("Paid")->number() + 1));
        row.Save();
    };
    b.GoToRow(2);
    EXPECT_TRUE(b.Edit());
    EXPECT_EQ(b.aCols[1].GetValue().number(), 21);
    EXPECT_EQ(b.nLen, 2);

    // A new row starts blank and is appended only when saved.
    const auto fresh = b.DataRow(true);
    EXPECT_TRUE(fresh->lNew);
    EXPECT_EQ(fresh->Get("Paid")->number(), 0);
    EXPECT_EQ(b.nLen, 2);
    b.bEdit = [](TXbrRow& row) {
        row.Set("Claim", Value("C3"));
        row.Set("Paid", Value(30));
        row.Save();
    };
    EXPECT_TRUE(b.Edit(true));
    EXPECT_EQ(b.nLen, 3);
    EXPECT_EQ(b.KeyNo(), 3);
    EXPECT_EQ(b.aCols[0].GetValue().text(), "C3");
    EXPECT_EQ(b.aCols[1].GetValue().number(), 30);
    // A new row the editor does not save leaves the source as it was.
    b.bEdit = [](TXbrRow& row) { row.Set("Claim", Value("C4")); };
    EXPECT_TRUE(b.Edit(true));
    EXPECT_EQ(b.nLen, 3);
}

}  // namespace
