// The Data Dictionary without windows: the field table's layout, table
// registration in the profile, the map import (every item in its column,
// either line end), the trees, the field records and the node actions.
#include "data_dictionary.hpp"

#include <gtest/gtest.h>

#include <map>

#include "dbf_file.hpp"
#include "test_support.hpp"

namespace {

using Texts = std::vector<std::string>;

// A profile file kept in memory: (section, key) to value.
struct MemoryProfile {
    std::map<std::pair<std::string, std::string>, std::string> keys;
    zr::DictionaryProfile profile() {
        return {[this](const std::string& s, const std::string& k) {
                    const auto at = keys.find({s, k});
                    return at == keys.end() ? std::string() : at->second;
                },
                [this](const std::string& s, const std::string& k, const std::string& v) { keys[{s, k}] = v; }};
    }
};

// A map line with all 19 items, each its number's text: where each lands
// shows in which column it is found.
const std::string kNumberedLine = "FIELD=N1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20";

TEST(DataDictionary, FieldTableHasTheNineteenCharacterFieldsInOrder) {
    zrtest::TempDir dir;
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "Claims"));
    std::optional<wl::DbfFile> file = wl::DbfFile::open(dir.file("Claims.dbf"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->recordCount(), 0u);
    const std::pair<const char*, int> expected[] = {
        {"FIELDNAME", 120}, {"DESC", 255},       {"TRANS", 255},    {"WIDTH", 255},     {"SEGMENT", 255},
        {"SEGQUAL", 255},   {"SEGQUALPOS", 16},  {"ELEMENTPOS", 16}, {"SUBELPOS", 16},  {"CONDFIELD", 120},
        {"OCCURRENCE", 16}, {"LEVEL", 5},        {"LINENO", 16},    {"DATASPOS", 16},   {"FUNCTION", 255},
        {"PREVSEG", 16},    {"PREVSEGQ", 16},    {"PREVSEGQP", 16}, {"TFIELD", 120},
    };
    ASSERT_EQ(file->fields().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(file->fields()[i].name, expected[i].first);
        EXPECT_EQ(file->fields()[i].type, 'C');
        EXPECT_EQ(file->fields()[i].length, expected[i].second) << expected[i].first;
    }
}

TEST(DataDictionary, TablesTakeTheFirstFreeKeyOnceAndStopAtTwentyOne) {
    MemoryProfile m;
    const zr::DictionaryProfile p = m.profile();
    m.keys[{"Tables", "2"}] = "Kept";
    EXPECT_TRUE(zr::CTLD51300E(p, "Claims"));
    EXPECT_TRUE(zr::CTLD51300E(p, "Kept"));
    EXPECT_TRUE(zr::CTLD51300E(p, "Claims"));
    EXPECT_TRUE(zr::CTLD51300E(p, "Lines"));
    EXPECT_EQ(zr::registeredTables(p), (Texts{"Claims", "Kept", "Lines"}));
    for (int n = 4; n <= 21; ++n) EXPECT_TRUE(zr::CTLD51300E(p, "T" + std::to_string(n)));
    EXPECT_FALSE(zr::CTLD51300E(p, "OneTooMany"));
    EXPECT_EQ(zr::registeredTables(p).size(), 21u);
}

TEST(DataDictionary, RegisteringATableWritesItsKeys) {
    MemoryProfile m;
    zr::TableSettings s{"Data_Dictionary", "Data_Dictionary", "DBF", "srv", "dsn", "me", "pw", "", "C:\\work"};
    EXPECT_TRUE(zr::CTLD51302A(m.profile(), s));
    EXPECT_EQ(m.keys.at({"Tables", "1"}), "Data_Dictionary");
    EXPECT_EQ(m.keys.at({"Data_Dictionary", "File Name"}), "Data_Dictionary");
    EXPECT_EQ(m.keys.at({"Data_Dictionary", "DSN"}), "dsn");
    EXPECT_EQ(m.keys.at({"Data_Dictionary", "Directory"}), "C:\\work");
    zr::TableSettings blank;
    blank.name = "   ";
    EXPECT_FALSE(zr::CTLD51302A(m.profile(), blank));
}

TEST(DataDictionary, MapItemsLandInTheirColumns) {
    const auto lines = zr::mapFieldLines(kNumberedLine + "\r\n");
    ASSERT_EQ(lines.size(), 1u);
    const zr::FieldValues v = zr::fieldValuesOfMapItems(lines[0]);
    const std::pair<zr::DictionaryColumn, const char*> cases[] = {
        {zr::kFieldName, "N1"},          {zr::kWidth, "2"},
        {zr::kSegment, "3"},             {zr::kSegmentQualifier, "4"},
        {zr::kQualifierPosition, "5"},   {zr::kElementPosition, "6"},
        {zr::kSubElementPosition, "7"},  {zr::kConditionalField, "8"},
        {zr::kOccurrence, "9"},          {zr::kLevel, "10"},
        {zr::kLineNumber, "11"},         {zr::kDescription, "12"},
        {zr::kDataStart, "13"},          {zr::kFunction, "15"},
        {zr::kPreviousSegment, "16"},    {zr::kPreviousQualifier, "17"},
        {zr::kPreviousQualifierPosition, "18"}, {zr::kToggleField, "19"},
        {zr::kTransaction, ""},
    };
    for (const auto& [column, text] : cases) EXPECT_EQ(v[column], text) << column;
}

TEST(DataDictionary, MapLinesEndAtCrOrLfAndOnlyFieldLinesCount) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<Texts> lines;
    };
    const std::vector<Case> cases = {
        {"CR LF", "FIELD=A,1\r\nFIELD=B,,NM1\r\n", {{"A", "1"}, {"B", "", "NM1"}}},
        {"LF alone", "FIELD=A,1\nFIELD=B,2\n", {{"A", "1"}, {"B", "2"}}},
        {"CR alone", "FIELD=A,1\rFIELD=B,2\r", {{"A", "1"}, {"B", "2"}}},
        {"last line without end", "FIELD=A,1\r\nFIELD=B,2", {{"A", "1"}}},
        {"other keys", "KEYFIELD=HL,,,22\r\nSEGMENT=2,HL\r\n*FIELD=X\r\nX12TRANSACTIONTYPE=837P\r\n", {}},
        {"key in any case, blanks around", "  field =A\r\n", {{"A"}}},
        {"an = inside a value", "FIELD=A=B,1\r\n", {{"A=B", "1"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(zr::mapFieldLines(c.text), c.lines) << c.name;
}

TEST(DataDictionary, ImportStoresEveryFieldLineAndReportsWhatIsMissing) {
    zrtest::TempDir dir;
    const std::string table = dir.file("Claims.dbf");
    const std::string map = dir.write("p.cfg", "VERSION=5010\nFIELD=BILLINGPROVIDERNAME,32,NM1,85,2,3,,,,2\n"
                                               "FIELD=SUBADDR1,30,N3,,,1,,SUBID,,,,,,,,NM1,IL,2,PAYERID\n");
    EXPECT_EQ(zr::CTL51300A(map, table), "Missing Table " + table);
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "Claims"));
    EXPECT_EQ(zr::CTL51300A(dir.file("none.cfg"), table), "Missing Map " + dir.file("none.cfg"));
    EXPECT_EQ(zr::readFieldTable(table)->size(), 0u);
    EXPECT_EQ(zr::CTL51300A(map, table), "");
    const auto records = zr::readFieldTable(table);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0][zr::kFieldName], "BILLINGPROVIDERNAME");
    EXPECT_EQ((*records)[0][zr::kSegmentQualifier], "85");
    EXPECT_EQ((*records)[0][zr::kLevel], "2");
    const zr::FieldValues& sub = (*records)[1];
    EXPECT_EQ(sub[zr::kConditionalField], "SUBID");
    EXPECT_EQ(sub[zr::kFunction], "");
    EXPECT_EQ(sub[zr::kPreviousSegment], "NM1");
    EXPECT_EQ(sub[zr::kPreviousQualifier], "IL");
    EXPECT_EQ(sub[zr::kPreviousQualifierPosition], "2");
    EXPECT_EQ(sub[zr::kToggleField], "PAYERID");
}

TEST(DataDictionary, FieldRecordsAreAddedAndRewritten) {
    zrtest::TempDir dir;
    const std::string table = dir.file("T.dbf");
    zr::FieldValues v;
    v[zr::kFieldName] = "CLAIMID";
    EXPECT_EQ(zr::CTLD51303A(table, v, 0, zr::FieldWrite::Append), "Cant find " + table);
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "T"));
    zr::FieldValues blank;
    blank[zr::kFieldName] = "   ";
    EXPECT_EQ(zr::CTLD51303A(table, blank, 0, zr::FieldWrite::Append), "Can't add Blank Field Name");
    EXPECT_EQ(zr::CTLD51303A(table, v, 0, zr::FieldWrite::Append), "");
    v[zr::kFieldName] = "AMOUNT";
    v[zr::kSegment] = "CLM";
    EXPECT_EQ(zr::CTLD51303A(table, v, 0, zr::FieldWrite::Append), "");
    v[zr::kFieldName] = "CLAIMNO";
    v[zr::kElementPosition] = "1";
    EXPECT_EQ(zr::CTLD51303A(table, v, 1, zr::FieldWrite::Rewrite), "");
    EXPECT_EQ(zr::CTLD51303A(table, v, 3, zr::FieldWrite::Rewrite), "Cant find " + table);
    const auto records = zr::readFieldTable(table);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0][zr::kFieldName], "CLAIMNO");
    EXPECT_EQ((*records)[0][zr::kElementPosition], "1");
    EXPECT_EQ((*records)[1][zr::kFieldName], "AMOUNT");
    EXPECT_EQ((*records)[1][zr::kElementPosition], "");
}

TEST(DataDictionary, FieldNodesNameRecordTableAndField) {
    EXPECT_EQ(zr::fieldNodeText({12, "Claims", "AMOUNT"}), "(12-Claims) AMOUNT");
    struct Case {
        const char* text;
        std::optional<zr::FieldNode> node;
    };
    const Case cases[] = {
        {"(12-Claims) AMOUNT", zr::FieldNode{12, "Claims", "AMOUNT"}},
        {"(1-Data_Dictionary) SUB-ID", zr::FieldNode{1, "Data_Dictionary", "SUB-ID"}},
        {"(1-A) ", zr::FieldNode{1, "A", ""}},
        {"(x-Claims) AMOUNT", std::nullopt},
        {"(-Claims) AMOUNT", std::nullopt},
        {"(1 Claims) AMOUNT", std::nullopt},
        {"Claims", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto node = zr::parseFieldNode(c.text);
        ASSERT_EQ(node.has_value(), c.node.has_value()) << c.text;
        if (!node) continue;
        EXPECT_EQ(node->record, c.node->record) << c.text;
        EXPECT_EQ(node->table, c.node->table) << c.text;
        EXPECT_EQ(node->field, c.node->field) << c.text;
    }
}

TEST(DataDictionary, LeftTreeWithoutProfileOffersTheFirstTable) {
    zrtest::TempDir dir;
    MemoryProfile m;
    zr::TextToolTree tree;
    zr::CTLD51300A(tree, dir.path(), m.profile());
    EXPECT_EQ(tree.childTexts(zr::kNoToolNode), (Texts{"Primary Table"}));
    EXPECT_EQ(tree.childTexts(1), (Texts{"Create a Primary Table", "Options"}));
}

TEST(DataDictionary, LeftTreeListsEachTablesFieldsNumberedWithinIt) {
    zrtest::TempDir dir;
    MemoryProfile m;
    const zr::DictionaryProfile p = m.profile();
    zr::CTLD51300E(p, "A");
    zr::CTLD51300E(p, "B");
    zr::CTLD51300E(p, "C");
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "A"));
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "B"));
    const std::string map = dir.write("m.cfg", "FIELD=ONE\r\nFIELD=  TWO  ,1\r\n");
    ASSERT_EQ(zr::CTL51300A(map, dir.file("A.dbf")), "");
    ASSERT_EQ(zr::CTL51300A(map, dir.file("B.dbf")), "");
    zr::TextToolTree tree;
    zr::CTLD51300A(tree, dir.path(), p);
    const zr::ToolNode root = tree.find(zr::kNoToolNode, "Primary Table");
    EXPECT_EQ(tree.childTexts(root), (Texts{"A", "B", "C", "Options"}));
    const zr::ToolNode b = tree.find(root, "B");
    EXPECT_EQ(tree.childTexts(b), (Texts{"Available Fields (2)", "Add Field to B"}));
    EXPECT_EQ(tree.childTexts(tree.find(b, "Available Fields (2)")), (Texts{"(1-B) ONE", "(2-B) TWO"}));
    EXPECT_EQ(tree.childTexts(tree.find(root, "C")), (Texts{"Build Table for C"}));
}

TEST(DataDictionary, RightTreeShowsTheFieldsNonEmptyValuesInOrder) {
    zrtest::TempDir dir;
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "T"));
    const std::string map = dir.write("m.cfg", "FIELD=SUBADDR1,30,N3,,,1,,SUBID,,,,Address,,,,NM1,IL,2,PAYERID\r\n");
    ASSERT_EQ(zr::CTL51300A(map, dir.file("T.dbf")), "");
    zr::TextToolTree tree;
    zr::CTLD51300F(tree, dir.path(), "(1-T) SUBADDR1");
    EXPECT_EQ(tree.childTexts(1),
              (Texts{"Field Name", "Field Description", "Field Width", "Segment", "Previous Segment",
                     "Previous Segment Qualifier", "Previous Segment Qulaifier Position", "Element Position",
                     "Conditional Field", "Toggle Field"}));
    EXPECT_EQ(tree.childTexts(tree.find(1, "Field Name")), (Texts{"SUBADDR1"}));
    EXPECT_EQ(tree.childTexts(tree.find(1, "Toggle Field")), (Texts{"PAYERID"}));

    // A name that differs, a record past the end, a missing table, no field.
    for (const char* heading : {"(1-T) OTHER", "(2-T) SUBADDR1", "(1-None) SUBADDR1", ""}) {
        zr::TextToolTree only;
        zr::CTLD51300F(only, dir.path(), heading);
        EXPECT_EQ(only.childTexts(zr::kNoToolNode), (Texts{heading}));
        EXPECT_TRUE(only.childTexts(1).empty()) << heading;
    }
}

TEST(DataDictionary, FieldToEditChecksTableAndName) {
    zrtest::TempDir dir;
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "T"));
    zr::FieldValues v;
    v[zr::kFieldName] = "CLAIMID";
    v[zr::kLevel] = "2";
    ASSERT_EQ(zr::CTLD51303A(dir.file("T.dbf"), v, 0, zr::FieldWrite::Append), "");
    const zr::FieldToEdit found = zr::fieldToEdit(dir.path(), "(1-T) CLAIMID");
    EXPECT_EQ(found.problem, "");
    EXPECT_EQ(found.table, "T");
    EXPECT_EQ(found.record, 1u);
    EXPECT_EQ(found.values[zr::kLevel], "2");
    EXPECT_EQ(zr::fieldToEdit(dir.path(), "(1-T) OTHER").problem, "Error db#xfld");
    EXPECT_EQ(zr::fieldToEdit(dir.path(), "(1-U) CLAIMID").problem, "Error Can't find " + dir.file("U.dbf"));
}

TEST(DataDictionary, NodeTextsChooseTheirAction) {
    using A = zr::DictionaryAction;
    using T = zr::DictionaryTree;
    struct Case {
        const char* text;
        T tree;
        A action;
        const char* table;
    };
    const Case cases[] = {
        {"Options", T::Left, A::Options, ""},
        {"Create a Primary Table", T::Left, A::NewTable, ""},
        {"Create a Secondary Table", T::Left, A::NewTable, ""},
        {"Build Table for Claims", T::Left, A::BuildTable, "Claims"},
        {"Add Field to Claims", T::Left, A::AddField, "Claims"},
        {"(1-Claims) AMOUNT", T::Left, A::ShowField, ""},
        {"(1-Claims) AMOUNT", T::Right, A::EditField, ""},
        {"Primary Table", T::Left, A::None, ""},
        {"Available Fields (3)", T::Left, A::None, ""},
        {"Claims", T::Left, A::EditTable, "Claims"},
        {"Field Name", T::Right, A::None, ""},
    };
    for (const Case& c : cases) {
        const zr::DictionaryChoice choice = zr::dictionaryChoice(c.text, c.tree);
        EXPECT_EQ(choice.action, c.action) << c.text;
        EXPECT_EQ(choice.table, c.table) << c.text;
    }
    EXPECT_TRUE(zr::dictionaryChoice("Create a Secondary Table", T::Left).secondary);
}

TEST(DataDictionary, TableDialogStartsFromTheNode) {
    MemoryProfile m;
    m.keys[{"Claims", "File Name"}] = "claims_file";
    const zr::TableDialogStart primary = zr::tableDialogStart("Create a Primary Table", false, "C:\\t", m.profile());
    EXPECT_EQ(primary.name, "Data_Dictionary");
    EXPECT_EQ(primary.file, "Data_Dictionary");
    EXPECT_EQ(primary.note, "Create a Primary Table A");
    EXPECT_EQ(primary.folder, "C:\\t");
    const zr::TableDialogStart secondary =
        zr::tableDialogStart("Create a Secondary Table", false, "", m.profile());
    EXPECT_EQ(secondary.name, "Data Dictionary Secondary Table");
    EXPECT_EQ(secondary.note, "Create a Secondary Table B");
    const zr::TableDialogStart existing = zr::tableDialogStart("Claims", true, "", m.profile());
    EXPECT_EQ(existing.name, "Claims");
    EXPECT_EQ(existing.file, "claims_file");
    EXPECT_EQ(existing.title, "Claims");
}

TEST(DataDictionary, ImportMapAsksChoosesAndImports) {
    zrtest::TempDir dir;
    const std::string map = dir.write("m.cfg", kNumberedLine + "\n");
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(true);
        prompts.answerFile(map);
        zr::CTLD51302C("Import Map", dir.path(), "T");
        EXPECT_EQ(prompts.texts(), (Texts{"Import Map?", "*.cfg", "dtable not there " + dir.file("T.dbf")}));
        EXPECT_EQ(prompts.prompts()[1].caption, "Select a Map File");
    }
    ASSERT_TRUE(zr::CTLD51300G(dir.path(), "T"));
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(false);
        zr::CTLD51302C("Import Map", dir.path(), "T");
        EXPECT_EQ(prompts.prompts().size(), 1u);
        zr::CTLD51302C("Export Map", dir.path(), "T");
        zr::CTLD51302C("Import Table", dir.path(), "T");
        EXPECT_EQ(prompts.prompts().size(), 1u);
    }
    EXPECT_EQ(zr::readFieldTable(dir.file("T.dbf"))->size(), 0u);
    {
        zrtest::PromptRecorder prompts;
        prompts.answerNext(true);
        prompts.answerFile(map);
        zr::CTLD51302C("Import Map", dir.path(), "T");
        EXPECT_EQ(prompts.prompts().size(), 2u);
    }
    const auto records = zr::readFieldTable(dir.file("T.dbf"));
    ASSERT_EQ(records->size(), 1u);
    EXPECT_EQ((*records)[0][zr::kToggleField], "19");
}

TEST(DataDictionary, FieldDialogRowsCoverEveryColumnOnce) {
    std::vector<int> seen(zr::kDictionaryColumnCount, 0);
    for (const zr::FieldDialogRow& row : zr::fieldDialogRows())
        if (row.column) ++seen[*row.column];
    EXPECT_EQ(seen, std::vector<int>(zr::kDictionaryColumnCount, 1));
    EXPECT_EQ(zr::fieldDialogRows().size(), 20u);
}

}  // namespace
