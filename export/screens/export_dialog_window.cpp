#include "export_dialog_window.hpp"

#include "export_maps.hpp"
#include "format_picker.hpp"
#include "map_wizard.hpp"
#include "map_wizard_dialogs.hpp"
#include "messages.hpp"
#include "odbc_table_sink.hpp"
#include "text.hpp"

namespace zr {

namespace {

// Stands the list's highlight on its row n (1-based), moving it as the
// keys would, so the row shown highlighted is the current one.
void standOn(wl::TWBrowse& list, std::size_t n, std::size_t count) {
    list.Display();
    if (n >= count) {
        list.GoBottom();
        return;
    }
    const auto target = static_cast<int>(n);
    while (list.nAt != target) {
        const int before = list.nAt;
        if (before > target) list.GoUp();
        else list.GoDown();
        if (list.nAt == before) break;
    }
}

}  // namespace

ExportDialogCall exportDialogCall(const TransactionScreenCall& call, int kind) {
    ExportDialogCall c;
    c.modelCode = call.modelCode;
    c.kind = kind;
    c.fileName = call.fileName;
    c.folder = call.startFolder;
    c.table = call.table;
    c.component = call.delimiters.component;
    c.element = call.delimiters.element;
    c.terminator = call.delimiters.terminator;
    if (call.loops) c.loopIds = *call.loops;
    if (call.checks) c.checks = *call.checks;
    c.outputMode = call.outputMode();
    c.st01 = call.setId;
    c.index = &call.claims;
    c.spec = call.request;
    c.workFolder = call.currentFolder;
    return c;
}

ExportPrompts exportWindowPrompts() {
    ExportPrompts p;
    p.saveName = [](const std::string& title, const std::string& offered, const std::string& folder) {
        wl::FileDialogRequest r;
        r.title = title;
        r.save = true;
        r.initialFile = offered;
        if (!folder.empty()) r.initialDir = folder;
        return wl::CGETFILE(r);
    };
    p.askYes = [](const std::string& text, const std::string& title) {
        return wl::MSGNOYES(wl::Value(text), wl::Value(title));
    };
    p.show = [](const std::string& text) { wl::MSGINFO(wl::Value(text)); };
    p.openSink = [] { return odbcTableSink(); };
    return p;
}

std::string CTL39404A(const ExportDialogCall& call, ExportLetter letter, const std::vector<std::string>& fields,
                      const std::string& headerFlag, int subMode, const ExportDictionary& dictionary,
                      const ExportPrompts& prompts, const PrintTarget& print) {
    if (call.kind == 1) {
        exportBegin(call, letter, fields, headerFlag, prompts);
        return "";
    }
    if (!call.table || !call.index) return "";
    const FieldListing listing = CTL39404H(subMode, call.st01, dictionary, fields,
                                           remittanceListingSource(*call.table, *call.index, call.claimColumnMode));
    // Only an 835 has listings: another set's would be a page of nothing.
    if (!listing.text.empty()) CTL394PRTC(wl::crLines(listing.text), listing.title, PrintOrientation::Landscape, print);
    return subMode == 1 ? listing.text : "";
}

std::string CTLD39404(const ExportDialogCall& call, const ViewerUi& ui) {
    if (!call.table || !call.index || exportClaimCount(*call.table) == 0) return "";
    const ExportPrompts prompts = exportWindowPrompts();
    if (call.outputMode == OutputMode::Export) {
        exportBatch(call, prompts);
        return "";
    }
    ExportLetter letter = ExportLetter::Csv;
    if (call.kind == 1) {
        const std::string choice = CTLD39417(2, "", {}, ui);
        if (choice.empty()) return "";
        letter = choice == "B" ? ExportLetter::Xml : ExportLetter::Csv;
    }
    const std::string claimType = call.st01 == "837" ? exportClaimType(*call.table, *call.index) : "";
    ExportDialogModel model;
    model.dictionary = exportDialogDictionary(call, prompts);
    model.fields = CTL39404J(call.st01, {""}, 0, claimType, model.dictionary, "", call.workFolder);
    std::string result;

    ViewerDialog d(exportDialogTitle(call.kind, letter), 600, 200);
    const std::vector<std::string> available = model.availableLines();
    wl::TWBrowse& dictionaryList = d.arrayList(
        10, 10, 110, 70, "Available Fields",
        [&](std::size_t n) { return n >= 1 && n <= available.size() ? available[n - 1] : std::string(); },
        [&] { return static_cast<int>(available.size()); });
    wl::TWBrowse& fieldList = d.arrayList(
        10, 180, 110, 70, call.kind == 1 ? "Export Fields" : "Print Fields",
        [&](std::size_t n) {
            return n >= 1 && n <= model.fields.size() ? CTL39404B(model.fields[n - 1], model.dictionary) : std::string();
        },
        [&] { return static_cast<int>(model.fields.size()); });
    d.button(10, 130, 40, 12, "Exit", [&] { d.close(); });
    d.button(30, 130, 40, 12, "Add", [&] {
        model.dictionaryRow = static_cast<std::size_t>(dictionaryList.nAt);
        model.add();
        standOn(dictionaryList, model.dictionaryRow, model.dictionary.size());
        standOn(fieldList, model.fields.size(), model.fields.size());
        d.shownAgain();
    });
    d.button(50, 130, 40, 12, "Remove", [&] {
        model.fieldRow = static_cast<std::size_t>(fieldList.nAt);
        model.remove();
        standOn(fieldList, model.fieldRow, model.fields.size());
        d.shownAgain();
    });
    if (call.kind == 1) {
        d.button(70, 130, 40, 12, "Begin", [&] {
            CTL39404A(call, letter, model.fields, model.headerFlag, 1, model.dictionary, prompts);
            d.close();
        });
        wl::TSay* label = nullptr;
        d.button(82, 180, 12, 12, "-", [&] {
            model.switchHeader();
            if (label) label->SetText(wl::Value(CTL39404N(model.headerFlag)));
        });
        label = &d.label(82, 200, 100, 10, [&] { return CTL39404N(model.headerFlag); });
    } else {
        const std::array<std::pair<const char*, int>, 3> listings{{{"Fields", 1}, {"Totals", 2}, {"Print", 3}}};
        for (std::size_t i = 0; i < listings.size(); ++i)
            d.button(82, 150 + 50.0 * static_cast<double>(i), 40, 12, listings[i].first, [&, sub = listings[i].second] {
                result = CTL39404A(call, letter, model.fields, model.headerFlag, sub, model.dictionary, prompts,
                                   ui.print);
                d.close();
            });
    }
    d.button(82, 10, 60, 12, "Generate Map", [&] {
        CTL394MAPA(call.folder, mapWizardWindows(ui), call.workFolder);
        model.fields = CTL39404J(call.st01, model.fields, 0, claimType, model.dictionary, "", call.workFolder);
        standOn(fieldList, 1, model.fields.size());
        d.shownAgain();
    });
    d.button(82, 80, 40, 12, "Save", [&] { CTL39404K(call.st01, model.fields, claimType, prompts, call.workFolder); });
    d.run(ui, [&] {
        ShownDialog shown;
        shown.lines = model.fieldLines();
        // The current "Available Fields" row, as the list stands on it.
        shown.current = static_cast<std::size_t>(dictionaryList.nAt);
        return shown;
    });
    return result;
}

}  // namespace zr
