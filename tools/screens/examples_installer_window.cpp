#include "examples_installer_window.hpp"

#include <filesystem>
#include <memory>
#include <vector>

#include "multiget.hpp"
#include "paths.hpp"

namespace zr {

namespace {

// The dialog's frame: pixel coordinates to (400, 640) of the design space.
constexpr double kWidth = 640, kHeight = 400;

const char* const kIntroLines[] = {
    "Select the example that you wish to work with.",
    "select it and it will install the example ",
    "in your system. Find out more details about",
    "",
    "",
    "",
};

}  // namespace

ExamplesInstallerPlaces examplesInstallerPlaces(const std::string& programName) {
    ExamplesInstallerPlaces p;
    p.programName = programName;
    p.currentFolder = std::filesystem::current_path().string();
    p.siblingFolder = siblingProgramFolder(programName, p.currentFolder);
    p.server = examplesServer(p.currentFolder);
    return p;
}

std::string examplesInstallerWindow(const ExamplesInstallerPlaces& places, bool* restart, const ViewerUi& ui) {
    const std::string listFile = wl::joinPath(places.currentFolder, kExamplesListFile);
    std::vector<ExampleEntry> examples = readExamplesList(listFile);
    std::string message = examples.front().description;
    if (restart) *restart = false;

    ViewerDialog d("Download Examples", kWidth, kHeight);
    wl::TMultiGet memo;
    auto showMessage = [&](const std::string& text) {
        message = text;
        memo.Refresh();
    };
    wl::TWBrowse* list = nullptr;
    auto current = [&]() -> const ExampleEntry& {
        const auto at = static_cast<std::size_t>(list->nAt);
        return examples[at >= 1 && at <= examples.size() ? at - 1 : 0];
    };
    auto reload = [&] {
        examples = readExamplesList(listFile);
        list->GoTop();
        showMessage(examples.front().description);
        d.shownAgain();
    };

    d.button(16, 240, 48, 11.52, "Exit", [&d] { d.close(); });
    // The examples web page has no opener in this program: the button is shown and does nothing.
    d.button(64, 211.2, 80, 11.52, "Examples Web Page", [] {});
    d.button(64, 9.6, 80, 11.52, "Get Example List", [&] {
        showMessage("Downloading a list of the latest examples.\rOne moment please...");
        downloadExamplesList(places);
        reload();
    });
    d.button(64, 105.6, 96, 11.52, "Download and Install", [&] {
        const ExampleEntry example = current();
        showMessage("Download and install " + example.title);
        showMessage(installExample(places, example));
    });
    d.button(176, 9.6, 64, 11.52, "Clear Examples", [&] {
        clearExamples(places);
        if (confirmRestart(places)) {
            if (restart) *restart = true;
            d.close();
        }
    });
    for (int i = 0; i < 6; ++i) {
        const std::string line = kIntroLines[i];
        d.label(14 + 7 * i, 16, 210, 8, [line] { return line; }, 1);
    }
    list = &d.arrayList(
        84, 8, 64, 84, "Examples",
        [&examples](std::size_t n) { return n >= 1 && n <= examples.size() ? examples[n - 1].title : ""; },
        [&examples] { return static_cast<int>(examples.size()); });
    list->bChange = [&](wl::TControl&) { showMessage(current().description); };

    wl::MultiGetNew m;
    m.lPixel = true;
    m.nRow = d.px(80);
    m.nCol = d.px(90);
    m.nWidth = d.px(224);
    m.nHeight = d.px(108);
    m.oWnd = &d.dialog();
    m.oFont = d.font(1);
    m.bSetGet = wl::bindTo(message);
    memo.New(m);

    d.run(ui, [&] {
        ShownDialog s;
        for (const auto& e : examples) s.lines.push_back(e.title);
        s.lines.push_back(message);
        s.current = static_cast<std::size_t>(list->nAt);
        return s;
    });
    return "";
}

}  // namespace zr
