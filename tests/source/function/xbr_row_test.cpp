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

}  // namespace
