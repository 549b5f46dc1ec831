#include "form_records.hpp"

#include <gtest/gtest.h>

namespace {

TEST(FormRecords, ValuesCarryTypeAndLittleEndianLength) {
    EXPECT_EQ(wl::saveValue(wl::Value("abc")), std::string("C\x03\x00" "abc", 6));
    EXPECT_EQ(wl::saveValue(wl::Value(12)), std::string("N\x02\x00" "12", 5));
    EXPECT_EQ(wl::saveValue(wl::Value(true)), std::string("L\x01\x00" "T", 4));
    const std::string longText(300, 'x');
    EXPECT_EQ(wl::saveValue(wl::Value(longText)).substr(0, 3), std::string("C\x2C\x01", 3));
    EXPECT_EQ(wl::ASAVE({}), std::string("A\x02\x00\x00\x00", 5));
}

TEST(FormRecords, ListsAndObjectsReadBack) {
    wl::ValueList list = {wl::Value("x"), wl::Value(3.5), wl::Value(false), wl::Value(wl::Date{2026, 12, 10}),
                          wl::Value(wl::ValueList{wl::Value(7)})};
    auto back = wl::AREAD(wl::ASAVE(list));
    ASSERT_TRUE(back && back->isList());
    ASSERT_EQ(back->list().size(), 5u);
    EXPECT_EQ(back->list()[0].text(), "x");
    EXPECT_DOUBLE_EQ(back->list()[1].number(), 3.5);
    EXPECT_FALSE(back->list()[2].logical());
    EXPECT_EQ(std::get<wl::Date>(back->list()[3].storage()).day, 10);
    EXPECT_EQ(back->list()[4].list()[0].number(), 7);

    wl::SavedObject font{"TFONT", {{"cFaceName", wl::Value("Courier New")}}, {}, {}};
    wl::SavedObject win{"TWINDOW", {{"cTitle", wl::Value("Main")}, {"nTop", wl::Value(16)}}, {{"oFont", font}}, {}};
    const std::string bytes = wl::saveObject(win);
    EXPECT_EQ(bytes[0], 'O');
    auto o = wl::OREAD(bytes);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->className, "TWINDOW");
    ASSERT_EQ(o->properties.size(), 2u);
    EXPECT_EQ(o->properties[1].first, "nTop");
    EXPECT_EQ(o->properties[1].second.number(), 16);
    ASSERT_EQ(o->objects.size(), 1u);
    EXPECT_EQ(o->objects[0].object.properties[0].second.text(), "Courier New");
}

TEST(FormRecords, ShortOrForeignRecordsReadAsNothing) {
    EXPECT_FALSE(wl::AREAD(std::string("C\x05\x00" "ab", 5)));
    EXPECT_FALSE(wl::AREAD("Z"));
    EXPECT_FALSE(wl::OREAD(wl::ASAVE({})));
    EXPECT_FALSE(wl::OREAD(""));
}

TEST(FormRecords, ListsOfObjectsReadBackAsObjects) {
    wl::SavedObject open{"TMENUITEM", {{"cCaption", wl::Value("&Open")}}, {}, {}};
    wl::SavedObject shut{"TMENUITEM", {{"cCaption", wl::Value("&Close")}, {"lChecked", wl::Value(true)}}, {}, {}};
    wl::SavedObject menu{"TMENU", {{"cVarName", wl::Value("oMenu")}}, {}, {{"aItems", {open, shut}}}};
    auto o = wl::OREAD(wl::saveObject(menu));
    ASSERT_TRUE(o);
    ASSERT_EQ(o->lists.size(), 1u);
    EXPECT_EQ(o->lists[0].name, "aItems");
    ASSERT_EQ(o->lists[0].objects.size(), 2u);
    EXPECT_EQ(o->lists[0].objects[1].properties[0].second.text(), "&Close");
    EXPECT_TRUE(o->lists[0].objects[1].properties[1].second.logical());
    // An empty list has no objects to tell it from values.
    wl::SavedObject none{"TMENU", {}, {}, {{"aItems", {}}}};
    auto e = wl::OREAD(wl::saveObject(none));
    ASSERT_TRUE(e);
    ASSERT_EQ(e->properties.size(), 1u);
    EXPECT_TRUE(e->properties[0].second.isList());
    EXPECT_TRUE(e->properties[0].second.list().empty());
}

}  // namespace
