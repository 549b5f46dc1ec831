#include "map_wizard_dialogs.hpp"

#include "messages.hpp"
#include "paths.hpp"
#include "programs.hpp"
#include "system_facts.hpp"
#include "viewer_entry.hpp"

namespace zr {

namespace {

// A column of buttons, each answering its number; `closed` when the dialog
// is closed any other way.
int buttonChoice(const std::string& caption, const std::vector<std::string>& captions,
                 const std::vector<int>& answers, int closed, const ViewerUi& ui) {
    int choice = closed;
    ViewerDialog d(caption, 200, 40 + 30.0 * static_cast<double>(captions.size()));
    for (std::size_t i = 0; i < captions.size(); ++i)
        d.button(10 + 15.0 * static_cast<double>(i), 10, 70, 12, captions[i], [&d, &choice, a = answers[i]] {
            choice = a;
            d.close();
        });
    d.run(ui, [&] { return ShownDialog{"", nullptr, captions, 1}; });
    return choice;
}

}  // namespace

int CTL394MAPE(const ViewerUi& ui) {
    return buttonChoice("Select Transaction Type", {"837I", "837P", "837D", "835", "270", "271", "276", "277"},
                        {1, 2, 3, 4, 5, 6, 7, 8}, 1, ui);
}

int CTL394MAPC(const ViewerUi& ui) { return buttonChoice("Select File Type", {"XML (Preferred)", "CSV"}, {2, 1}, 2, ui); }

std::string CTL394MAPB(const std::string& defaultText, const std::string& question, const ViewerUi& ui) {
    ViewerDialog d(question, 300, 100);
    wl::Value answer{defaultText};
    // Three digits: no count the wizard asks for is larger.
    d.edit(10, 10, 40, 10.8, wl::bindTo(answer), "999");
    d.button(30, 10, 50, 12, "Continue", [&] { d.close(); });
    d.run(ui, [&] { return ShownDialog{"", nullptr, {defaultText}, 1}; });
    return wl::CVALTOCHAR(answer);
}

MapWizardAnswers mapWizardWindows(const ViewerUi& ui) {
    MapWizardAnswers a;
    a.pickType = [ui] { return CTL394MAPE(ui); };
    a.askYes = [](const std::string& text, const std::string& title) { return wl::MSGYESNO(wl::Value(text), wl::Value(title)); };
    a.askNumber = [ui](const std::string& offered, const std::string& question) {
        return CTL394MAPB(offered, question, ui);
    };
    a.show = [](const std::string& text) { wl::MSGINFO(wl::Value(text)); };
    a.openNotepad = [](const std::string& file) {
        const std::string folder = wl::GETWINDIR();
        if (wl::fileExists(wl::joinPath(folder, "notepad.exe")))
            wl::WINEXEC(notepadCommandLine(folder, file), SW_SHOWNORMAL);
    };
    return a;
}

}  // namespace zr
