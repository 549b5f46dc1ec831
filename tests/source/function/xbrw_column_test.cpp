// A grid column's values and footers.
#include "xbrw_column.hpp"

#include <gtest/gtest.h>

namespace {

using namespace wl;

TXBrwColumn totalled(int type, std::vector<Value> values) {
    TXBrwColumn c;
    c.nFooterType = type;
    c.ResetTotal();
    for (const Value& v : values) c.AddToTotal(v);
    return c;
}

TEST(XBrwColumn, FooterKindsOverSmallSets) {
    struct Case {
        int type;
        std::vector<Value> values;
        std::string footer;
    };
    const Case cases[] = {
        {AGGR_SUM, {Value(2), Value(4), Value()}, "6"},
        {AGGR_MIN, {Value(7), Value(-3), Value(5)}, "-3"},
        {AGGR_MAX, {Value(7), Value(-3), Value(5)}, "7"},
        {AGGR_COUNT, {Value("a"), Value(), Value(0)}, "2"},  // nil does not count
        {AGGR_AVG, {Value(1), Value(2)}, "1.50"},
        {AGGR_AVG, {}, "0.00"},
        {AGGR_STDEV, {Value(5)}, "0.00"},      // sample deviation of one row
        {AGGR_STDEVP, {Value(2), Value(4)}, "1.00"},
        {AGGR_STDEV, {Value(2), Value(4)}, "1.41"},
    };
    for (const Case& c : cases) EXPECT_EQ(totalled(c.type, c.values).FooterStr(), c.footer) << c.type;
}

TEST(XBrwColumn, RecalcAfterAnEditWithoutAPassOverTheData) {
    TXBrwColumn sum = totalled(AGGR_SUM, {Value(10), Value(5)});
    EXPECT_FALSE(sum.RecalcTotal(Value(5), Value(8)));
    EXPECT_EQ(sum.FooterValue(), 18);
    TXBrwColumn max = totalled(AGGR_MAX, {Value(10), Value(5)});
    EXPECT_FALSE(max.RecalcTotal(Value(5), Value(12)));
    EXPECT_EQ(max.FooterValue(), 12);
    // Lowering the maximum itself needs a fresh pass.
    EXPECT_TRUE(max.RecalcTotal(Value(12), Value(1)));
}

TEST(XBrwColumn, BlankValuesAndHeaderMatching) {
    TXBrwColumn c;
    c.cDataType = 'N';
    EXPECT_TRUE(c.GetValue().isWhole());  // no closure: blank number
    c.nDataDec = 2;
    EXPECT_FALSE(c.GetValue().isWhole());
    c.cDataType = 'C';
    c.nDataLen = 3;
    EXPECT_EQ(c.GetValue().text(), "   ");
    c.cDataType = 'L';
    EXPECT_TRUE(c.GetValue().isLogical());

    c.cHeader = "Claim\r\nAmount";
    c.nCreationOrder = 4;
    c.cGrpHdr = "Money";
    for (const char* x : {"claim\r\namount", "CLAIMAMOUNT", "Claim Amount", "money_claim\r\namount"})
        EXPECT_TRUE(c.SameColAs(Value(x))) << x;
    EXPECT_TRUE(c.SameColAs(Value(4)));
    EXPECT_FALSE(c.SameColAs(Value(3)));
    EXPECT_FALSE(c.SameColAs(Value("Claim")));
}

TEST(XBrwColumn, ReadOnlyColumnsAreNotWritten) {
    Value cell(1);
    TXBrwColumn c;
    c.bEditValue = [&](const Value* v) { return v ? (cell = *v) : cell; };
    EXPECT_TRUE(c.SetValue(Value(2)));
    c.lReadOnly = true;
    EXPECT_FALSE(c.SetValue(Value(3)));
    EXPECT_EQ(cell.number(), 2);
}

TEST(XBrwColumn, CheckColumnTextsAndEditing) {
    Value cell(true);
    TXBrwColumn c;
    c.bEditValue = [&](const Value* v) {
        if (v) cell = *v;
        return cell;
    };
    c.SetCheck();
    EXPECT_TRUE(c.hChecked);
    EXPECT_EQ(c.nEditType, 0);
    EXPECT_EQ(c.StrData(), "");  // a check mark, no text
    c.SetCheck({}, 1, {"Yes", "No"});  // two texts are not enough
    EXPECT_EQ(c.nEditType, 1);
    EXPECT_EQ(c.StrData(), "");
    c.SetCheck({}, std::nullopt, {"Yes", "No", "?"});
    const std::pair<Value, const char*> shown[] = {{Value(true), "Yes"}, {Value(false), "No"}, {Value(), "?"}};
    for (const auto& [v, text] : shown) {
        cell = v;
        EXPECT_EQ(c.StrData(), text);
    }
    int posted = 0;
    c.SetCheck([&](TXBrwColumn&, const Value&, int) { ++posted; });
    EXPECT_EQ(c.nEditType, 1);
    c.bOnPostEdit(c, Value(true), 13);
    EXPECT_EQ(posted, 1);
}

TEST(XBrwColumn, ProgressBarFillsItsShareOfTheCell) {
    Value cell(30);
    TXBrwColumn c;
    c.bEditValue = [&](const Value*) { return cell; };
    c.SetProgBar(120, 80);
    EXPECT_TRUE(c.lProgBar);
    EXPECT_EQ(c.nWidth, 80);
    const std::pair<Value, int> cases[] = {{Value(30), 25}, {Value(0), 0}, {Value(500), 100}, {Value(-5), 0}, {Value("x"), 0}};
    for (const auto& [v, fill] : cases) {
        cell = v;
        EXPECT_EQ(c.ProgFill(100), fill);
    }
    c.SetProgBar(0);  // a total of at least 1
    cell = Value(1);
    EXPECT_EQ(c.ProgFill(100), 100);
}

TEST(XBrwColumn, BitmapsLoadedHereAreReleasedOnceOthersNever) {
    std::vector<std::string> loads;
    std::vector<TreePicture> released;
    TreePicture next = 70;
    TreePictureHooks hooks;
    hooks.loadFile = [&](const std::string& f) { loads.push_back("file:" + f); return f == "missing.bmp" ? 0 : next++; };
    hooks.loadResource = [&](const std::string& r) { loads.push_back("res:" + r); return next++; };
    hooks.release = [&](TreePicture p) { released.push_back(p); };
    setTreePictureHooks(hooks);
    TXBrwColumn c;
    EXPECT_EQ(c.AddBitmap("paid.bmp"), 1);
    EXPECT_EQ(c.AddBitmap("DENIED"), 2);
    EXPECT_EQ(c.AddBmpHandle(500), 3);
    EXPECT_EQ(c.AddBmpFile("missing.bmp"), 0);
    EXPECT_EQ(loads, (std::vector<std::string>{"file:paid.bmp", "res:DENIED", "file:missing.bmp"}));
    int which = 2;
    c.bBmpData = [&] { return which; };
    EXPECT_EQ(c.CellBitmap(), 71u);
    which = 9;
    EXPECT_EQ(c.CellBitmap(), 0u);
    EXPECT_TRUE(c.ChangeBitmap(1, 600));  // the loaded one goes
    EXPECT_EQ(released, (std::vector<TreePicture>{70}));
    c.ReleaseBitmaps();  // 71 only: 600 and 500 are someone else's
    EXPECT_EQ(released, (std::vector<TreePicture>{70, 71}));
    EXPECT_TRUE(c.aBitmaps.empty());
    setTreePictureHooks({});
}

TEST(XBrwColumn, AlignmentFollowsTheTypeUntilSet) {
    struct Case {
        Value value;
        int set;  // -1: not set
        int align;
    };
    const Case cases[] = {
        {Value(1.5), -1, 1},       {Value(Date{2024, 1, 2}), -1, 1}, {Value("text"), -1, 0},
        {Value(true), -1, 0},      {Value(1.5), 0, 0},               {Value("text"), 2, 2},
        {Value("text"), 7, 2},     {Value("text"), -5, 0},
    };
    for (const Case& c : cases) {
        TXBrwColumn col;
        const Value v = c.value;
        col.bEditValue = [v](const Value*) { return v; };
        if (c.set != -1) col.SetAlign(c.set);
        EXPECT_EQ(col.DataStrAlign(), c.align) << CVALTOCHAR(c.value) << " set " << c.set;
    }
}

TEST(XBrwColumn, FieldsByNameAndEditability) {
    TXBrwColumn c;
    c.cHeader = "Paid";
    c.nWidth = 80;
    c.cDataType = 'N';
    EXPECT_EQ(c.Field("CHEADER")->text(), "Paid");
    EXPECT_EQ(c.Field(" nWidth ")->number(), 80);
    EXPECT_EQ(c.Field("cDataType")->text(), "N");
    EXPECT_FALSE(c.Field("bEditValue"));  // closures are not plain fields
    EXPECT_FALSE(c.Field("nothing"));
    EXPECT_TRUE(c.SetField("lHide", Value(true)));
    EXPECT_TRUE(c.lHide);
    EXPECT_FALSE(c.SetField("lHide", Value(3)));  // not a logical: unchanged
    EXPECT_TRUE(c.lHide);
    EXPECT_FALSE(c.SetField("nWidth", Value("wide")));
    EXPECT_EQ(c.nWidth, 80);
    EXPECT_FALSE(c.SetField("nothing", Value(1)));
    EXPECT_FALSE(c.lEditable());
    c.nEditType = 1;
    EXPECT_TRUE(c.lEditable());
    c.lReadOnly = true;
    EXPECT_FALSE(c.lEditable());
}

}  // namespace
