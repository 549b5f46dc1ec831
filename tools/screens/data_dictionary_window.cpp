#include "data_dictionary_window.hpp"

#include <array>

#include "messages.hpp"
#include "profile_files.hpp"
#include "text.hpp"
#include "text_dialog_grid.hpp"
#include "utility_window_parts.hpp"

namespace zr {

namespace {

// A text of `length` blanks holding `value` (longer values stay whole): the
// field's room to type in.
std::string blankText(const std::string& value, std::size_t length) {
    return value.size() >= length ? value : value + std::string(length - value.size(), ' ');
}

ShownDialog shownTexts(std::vector<std::string> lines) {
    ShownDialog s;
    s.lines = std::move(lines);
    return s;
}

// The "Additional Functions" tree of the table dialog (CTLD51302B).
void CTLD51302B(wl::TTreeView& tree) {
    wl::TTVItem& import = tree.Add("Import");
    import.Add("Import Map");
    import.Add("Import Table");
    wl::TTVItem& exports = tree.Add("Export");
    exports.Add("Export Map");
    exports.Add("Export Table");
    tree.ExpandAll();
}

}  // namespace

DictionaryProfile systemDictionaryProfile() {
    return {[](const std::string& section, const std::string& key) {
                return wl::GETPVPROFSTRING(section, key, "", kDictionaryProfile);
            },
            [](const std::string& section, const std::string& key, const std::string& value) {
                wl::WRITEPPROSTRING(section, key, value, kDictionaryProfile);
            }};
}

DataDictionaryWindow::DataDictionaryWindow(std::string folder, DictionaryProfile profile, ViewerUi ui)
    : folder_(std::move(folder)), profile_(std::move(profile)), ui_(std::move(ui)), font_(toolFont()) {
    newUtilityWindow(window_, "Data Dictionary", font_);
    newTree(left_, 1, 1, 400, 360, DictionaryTree::Left);
    newTree(right_, 5, 70, 340, 300, DictionaryTree::Right);
    newUtilityButton(window_, font_, exit_, 684, 64, "Exit", [this] { window_.End(); });
    rebuild();
}

DataDictionaryWindow::~DataDictionaryWindow() { endUtilityWindow(window_, font_); }

void DataDictionaryWindow::newTree(wl::TTreeView& tree, int row, int col, int width, int height,
                                   DictionaryTree side) {
    wl::TreeViewNew t;
    t.oWnd = &window_;
    t.nRow = row;
    t.nCol = col;
    t.nWidth = width;
    t.nHeight = height;
    t.bChange = [this, side](wl::TTreeView& view) { selected(view, side); };
    tree.New(t);
}

void DataDictionaryWindow::open() { window_.Activate(); }

void DataDictionaryWindow::selected(wl::TTreeView& tree, DictionaryTree side) {
    // Rebuilding the trees changes their selection again: those changes are
    // the window's own, not the user's.
    if (acting_) return;
    const wl::TTVItem* item = tree.GetSelected();
    if (!item) return;
    choose(item->cPrompt, side);
}

void DataDictionaryWindow::choose(const std::string& text, DictionaryTree tree) {
    if (acting_) return;
    acting_ = true;
    const DictionaryChoice choice = dictionaryChoice(text, tree);
    switch (choice.action) {
    case DictionaryAction::Options: CTLD51301(text, ui_); break;
    case DictionaryAction::NewTable: CTLD51302(text, folder_, DictionaryTableMode::New, profile_, ui_); break;
    case DictionaryAction::EditTable:
        CTLD51302(text, folder_, DictionaryTableMode::Existing, profile_, ui_);
        break;
    case DictionaryAction::BuildTable:
        if (!CTLD51300G(folder_, choice.table)) wl::MSGINFO(wl::Value("Cant find " + choice.table));
        break;
    case DictionaryAction::AddField: CTLD51303(folder_, choice.table, FieldWrite::Append, ui_); break;
    case DictionaryAction::ShowField: heading_ = text; break;
    case DictionaryAction::EditField: CTLD51303(folder_, text, FieldWrite::Rewrite, ui_); break;
    case DictionaryAction::None: break;
    }
    rebuild();
    acting_ = false;
}

void DataDictionaryWindow::rebuild() {
    const bool was = acting_;
    acting_ = true;
    leftNodes_.clear();
    CTLD51300A(leftNodes_, folder_, profile_);
    left_.ExpandAll();
    rightNodes_.clear();
    CTLD51300F(rightNodes_, folder_, heading_);
    right_.ExpandAll();
    // Expanding scrolls to the last item: the trees show from their tops.
    for (wl::TTreeView* tree : {&left_, &right_})
        if (!tree->aItems.empty()) tree->aItems.front()->MakeVisible();
    acting_ = was;
}

std::unique_ptr<DataDictionaryWindow> CTLD51300(const std::string& folder, int mode, const ViewerUi& ui) {
    (void)mode;  // every caller's mode opens the same window
    auto window = std::make_unique<DataDictionaryWindow>(folder, systemDictionaryProfile(), ui);
    window->open();
    return window;
}

void CTLD51301(const std::string& text, const ViewerUi& ui) {
    (void)text;
    auto d = newTextDialog("Options", 24, 80);
    d->button(rowAt(2), colAt(70), 40, 10, "Exit", [&] { d->close(); });
    d->run(ui, [] { return ShownDialog{}; });
}

void CTLD51302(const std::string& nodeText, const std::string& folder, DictionaryTableMode mode,
               const DictionaryProfile& profile, const ViewerUi& ui) {
    const bool existing = mode == DictionaryTableMode::Existing;
    const TableDialogStart start = tableDialogStart(nodeText, existing, folder, profile);
    std::string name = blankText(start.name, 120), type = "DBF";
    // Folder, file, driver, server, DSN, user, password, options.
    std::array<std::string, 8> values = {blankText(start.folder, 255), blankText(start.file, 255)};
    for (std::size_t i = 2; i < values.size(); ++i) values[i] = std::string(120, ' ');
    const auto tableName = [&] { return existing ? start.name : wl::alltrim(name); };

    // The tree outlives the dialog's window, as its other controls do.
    wl::TTreeView functions;
    bool filling = true;
    auto d = newTextDialog(start.title, 24, 80);
    static constexpr const char* kLabels[] = {"Table Name", "Database Type", "Folder", "File", "Driver",
                                              "Server",     "DSN",           "User",   "Password", "Options"};
    for (std::size_t i = 0; i < std::size(kLabels); ++i)
        d->label(rowAt(2 + 2 * static_cast<double>(i)), colAt(2), 100, 10,
                 [label = std::string(kLabels[i])] { return label; }, 1);
    if (existing)
        d->label(rowAt(2), colAt(16), 200, 10, [&] { return start.name; }, 2);
    else
        d->edit(rowAt(2), colAt(16), 200, 10, wl::bindTo(name));
    d->combo(rowAt(4), colAt(16), 120, 80, {"DBF", "MSSQL", "MySQL", "MySQLCloud", "Oracle", "Access"},
             wl::bindTo(type));
    for (std::size_t i = 0; i < values.size(); ++i)
        d->edit(rowAt(6 + 2 * static_cast<double>(i)), colAt(16), 200, 10, wl::bindTo(values[i]));
    d->label(rowAt(23), colAt(2), 300, 10, [&] { return start.note; }, 2);
    d->button(rowAt(1), colAt(66), 50, 10, "Exit", [&] { d->close(); });
    if (existing) {
        d->button(rowAt(2), colAt(66), 50, 10, "Update Table", [&] { d->close(); });
    } else {
        d->button(rowAt(2), colAt(66), 50, 10, "Create Table", [&] {
            CTLD51302A(profile, {name, values[1], values[2], values[3], values[4], values[5], values[6], values[7],
                                 values[0]});
            d->close();
        });
    }
    d->label(rowAt(5), colAt(46), 140, 10, [] { return std::string("Additional Functions"); }, 1);
    wl::TreeViewNew t;
    t.oWnd = &d->dialog();
    t.lPixel = true;
    t.nRow = d->px(rowAt(6));
    t.nCol = d->px(colAt(46));
    t.nWidth = d->px(140);
    t.nHeight = d->px(90);
    t.bChange = [&](wl::TTreeView& view) {
        if (filling) return;
        const wl::TTVItem* item = view.GetSelected();
        if (item) CTLD51302C(item->cPrompt, folder, tableName());
    };
    functions.New(t);
    d->onInit([&] {
        CTLD51302B(functions);
        filling = false;
    });
    d->run(ui, [&] { return shownTexts({start.name, start.file, start.note}); });
}

void CTLD51303(const std::string& folder, const std::string& tableOrNode, FieldWrite mode, const ViewerUi& ui) {
    const bool edit = mode == FieldWrite::Rewrite;
    FieldToEdit field;
    if (edit) {
        field = fieldToEdit(folder, tableOrNode);
        if (!field.problem.empty()) {
            wl::MSGINFO(wl::Value(field.problem));
            return;
        }
    } else {
        field.table = tableOrNode;
        field.tablePath = fieldTablePath(folder, tableOrNode);
        if (!readFieldTable(field.tablePath)) {
            wl::MSGINFO(wl::Value("Cant find " + field.tablePath));
            return;
        }
    }
    const std::vector<FieldDialogRow>& rows = fieldDialogRows();
    FieldValues typed;
    for (const FieldDialogRow& row : rows)
        if (row.column) typed[*row.column] = blankText(field.values[*row.column], row.length);

    auto d = newTextDialog(edit ? "Edit Field in " + field.table : "Add Field", 24, 80);
    // Two columns of ten rows: the label, then its field.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double row = rowAt(3 + 2 * static_cast<double>(i % 10));
        const double col = i < 10 ? 2 : 42;
        d->label(row, colAt(col), 150, 10, [label = std::string(rows[i].label)] { return label; }, 1);
        if (rows[i].column) d->edit(row, colAt(col + 20), 140, 10, wl::bindTo(typed[*rows[i].column]));
    }
    d->button(rowAt(1), colAt(2), 40, 10, "Exit", [&] { d->close(); });
    d->button(rowAt(1), colAt(10), 40, 10, edit ? "Update" : "Add", [&] {
        FieldValues values;
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = wl::rtrim(typed[i]);
        const std::string problem = CTLD51303A(field.tablePath, values, field.record, mode);
        if (!problem.empty()) {
            wl::MSGINFO(wl::Value(problem));
            return;
        }
        d->close();
    });
    d->run(ui, [&] {
        std::vector<std::string> lines;
        for (const std::string& v : typed) lines.push_back(wl::rtrim(v));
        return shownTexts(lines);
    });
}

}  // namespace zr
