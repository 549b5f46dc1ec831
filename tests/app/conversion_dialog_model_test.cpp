// The conversion dialog's request building: pickers, folder and file
// choices with the blank-in-path warning, and the ending of the dialog.
#include <gtest/gtest.h>

#include "conversion_dialog_model.hpp"
#include "test_support.hpp"

namespace {

using zr::ConversionItems;

const std::string kBlanks(255, ' ');

zr::ConversionChoosers answering(std::string folder, std::string file, std::vector<std::string>* asked = nullptr) {
    zr::ConversionChoosers c;
    c.folder = [folder, asked](const std::string& caption) {
        if (asked) asked->push_back(caption);
        return folder;
    };
    c.file = [file, asked](const wl::FileDialogRequest& r) {
        if (asked) asked->push_back(r.title.value_or("") + "|" + r.filter.value_or("") + "|" + r.initialDir.value_or(""));
        return file;
    };
    return c;
}

TEST(ConversionDialogModel, TypePickersBuildTheFourTypes) {
    struct Case {
        std::string start;
        std::optional<std::string> source, output;
        std::string type;
    };
    const Case cases[] = {
        {"", "X12", "CSV", "X12,CSV"},
        {"", "X12", "XML", "X12,XML"},
        {"", "CSV", std::nullopt, "CSV,X12"},  // no output dialog: ",X12"
        {"", "XML", "CSV", "XML,X12"},         // an answer for a dialog never shown is ignored
        {"X12,CSV", "X12", "XML", "X12,XML"},  // choosing again starts from the new source
        // The source picker cancelled: the output picker appends to what stood.
        {"X12,CSV", std::nullopt, "CSV", "X12,CSV,CSV"},
        {"X12", "X12", std::nullopt, "X12"},  // both cancelled
    };
    for (const Case& c : cases) {
        const std::string source = zr::sourceFormatChosen(c.start, c.source);
        const std::string type = zr::outputTypeAppended(source, zr::asksOutputType(source) ? c.output : std::nullopt);
        EXPECT_EQ(type, c.type) << c.start << " " << c.source.value_or("-") << " " << c.output.value_or("-");
    }
}

TEST(ConversionDialogModel, BlankInAPathIsRefusedWithTheWarning) {
    zrtest::PromptRecorder rec;
    EXPECT_EQ(zr::CTLD48401H("C:\\data\\in"), "C:\\data\\in");
    EXPECT_EQ(zr::CTLD48401H("C:\\data\\in   "), "C:\\data\\in   ");  // trailing blanks are padding
    EXPECT_TRUE(rec.prompts().empty());
    EXPECT_EQ(zr::CTLD48401H("C:\\my data\\in"), kBlanks);
    ASSERT_EQ(rec.prompts().size(), 1u);
    EXPECT_EQ(rec.prompts()[0].text, "\r\nWARNING : Folder contains a SPACE in it's name. Your selection cannot be used");

    // The same for each button: the item becomes blank.
    ConversionItems items = zr::editedItems({"X12,CSV", "C:\\old", "C:\\out", "OW"});
    zr::chooseSourceFolder(items, answering("C:\\a b", ""));
    EXPECT_EQ(items.source, kBlanks);
    zr::chooseSourceFile(items, answering("", "C:\\a b\\c.x12"), "C:\\work");
    EXPECT_EQ(items.source, kBlanks);
    zr::chooseDestinationFolder(items, answering("C:\\x y", ""));
    EXPECT_EQ(items.destination, kBlanks);
    EXPECT_EQ(rec.prompts().size(), 4u);
}

TEST(ConversionDialogModel, ButtonsAskWhatTheyShouldAndKeepItemsOnCancel) {
    std::vector<std::string> asked;
    ConversionItems items = zr::editedItems({"X12,CSV", "", "", ""});
    zr::chooseSourceFolder(items, answering("C:\\in", "", &asked));
    EXPECT_EQ(items.source, zr::padItem("C:\\in"));
    zr::chooseSourceFile(items, answering("", "C:\\in\\a.x12", &asked), "C:\\work");
    EXPECT_EQ(items.source, "C:\\in\\a.x12");  // a file is not padded
    zr::chooseDestinationFolder(items, answering("C:\\out", "", &asked));
    EXPECT_EQ(items.destination, zr::padItem("C:\\out"));
    EXPECT_EQ(asked, (std::vector<std::string>{"Source Folder", "Select X12 File|*.*|C:\\work", "Destination Folder"}));

    // Cancelled choices change nothing.
    const ConversionItems before = items;
    zr::chooseSourceFolder(items, answering("", ""));
    zr::chooseSourceFile(items, answering("", ""), "C:\\work");
    zr::chooseDestinationFolder(items, answering("", ""));
    EXPECT_EQ(items.source, before.source);
    EXPECT_EQ(items.destination, before.destination);

    // An ODBC type has no destination folder to choose.
    asked.clear();
    items.type = "ODBC,X12";
    zr::chooseDestinationFolder(items, answering("C:\\elsewhere", "", &asked));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(zr::CTLD48401F("odbc", answering("C:\\f", "")), "");
    EXPECT_EQ(zr::CTLD48401F("X12,CSV", answering("C:\\f", "")), "C:\\f");
}

TEST(ConversionDialogModel, ItemsArePaddedNeverCut) {
    const ConversionItems items = zr::editedItems({"X12,CSV", "a", "", std::string(300, 'x')});
    EXPECT_EQ(items.type, "X12,CSV");
    EXPECT_EQ(items.source.size(), 255u);
    EXPECT_EQ(items.destination, kBlanks);
    EXPECT_EQ(items.options, std::string(300, 'x'));
}

// Only "Begin" hands the request on: "Exit", the close box and Escape
// empty the type, so a cancelled dialog never runs "OW" or "DS".
TEST(ConversionDialogModel, OnlyBeginRunsTheRequest) {
    const ConversionItems items{"X12,CSV", "C:\\in\\a.x12", "C:\\out", "OW,DS"};
    EXPECT_EQ(zr::endedItems(items, zr::DialogEnding::Begin).type, "X12,CSV");
    for (zr::DialogEnding e : {zr::DialogEnding::Exit, zr::DialogEnding::Closed}) {
        const ConversionItems ended = zr::endedItems(items, e);
        EXPECT_EQ(ended.type, "");
        EXPECT_EQ(ended.source, items.source);
    }
}

TEST(ConversionDialogModel, RoutinesWithoutCallers) {
    EXPECT_EQ(zr::CTLD48401A("YES"), "NO");
    EXPECT_EQ(zr::CTLD48401A("NO"), "YES");
    EXPECT_EQ(zr::CTLD48401A("maybe"), "YES");
    EXPECT_EQ(zr::CTLD48401C("DM"), "Mapped Format");
    EXPECT_EQ(zr::CTLD48401C("FL"), "File Loop Format");
    EXPECT_EQ(zr::CTLD48401C("XX"), "");
    EXPECT_EQ(zr::CTLD48401D("NO", "837"), "YES");
    EXPECT_EQ(zr::CTLD48401D("NO", "835"), "NO");

    zrtest::PromptRecorder rec;
    zr::OptionAnswers a;
    a.overwrite = a.header = a.merge = true;
    a.extra = " MAPLOG ";
    EXPECT_EQ(zr::CTLD48401B({"X12,CSV", "a.x12", "", ""}, a), "OW,HO,MF,MAPLOG");
    EXPECT_TRUE(rec.prompts().empty());
    EXPECT_EQ(zr::CTLD48401B({"", "a.x12", "", ""}, {}), "");
    EXPECT_EQ(zr::CTLD48401B({"X12,CSV", "  ", "", ""}, {}), "");
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{"\r\nParser Output Type Required.",
                                                     "\r\nSource File or Folder Required."}));

    std::vector<std::string> asked;
    EXPECT_EQ(zr::CTLD48401E("FILE", "C:\\out", answering("", "C:\\out\\x.csv", &asked)), "C:\\out\\x.csv");
    EXPECT_EQ(asked, std::vector<std::string>{"Destination File|*.*|C:\\out"});
    // An ODBC kind asks for the data source and table, not for a file.
    zr::ConversionChoosers odbc = answering("", "C:\\out\\x.csv");
    odbc.dataSource = [] { return std::string("zrclaims:PATIENTS"); };
    EXPECT_EQ(zr::CTLD48401E("ODBC", "C:\\out", odbc), "zrclaims:PATIENTS");
    EXPECT_EQ(zr::CTLD48401E("ODBC", "C:\\out", answering("", "C:\\out\\x.csv")), "");
}

}  // namespace
