#include "schema_dialogs.hpp"

#include <memory>

#include "checkbox.hpp"
#include "listbox.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "programs.hpp"
#include "text_dialog_grid.hpp"
#include "system_facts.hpp"
#include "text.hpp"
#include "viewer_entry.hpp"

namespace zr {

namespace {

// The check boxes a dialog holds beside the ViewerDialog's own controls;
// declared before the dialog, so they outlive its window.
using CheckBoxes = std::vector<std::unique_ptr<wl::TCheckBox>>;

wl::TCheckBox& checkBox(CheckBoxes& boxes, ViewerDialog& d, double row, double col, double w, double h,
                        const std::string& caption, wl::Value& flag) {
    auto b = std::make_unique<wl::TCheckBox>();
    wl::CheckBoxNew n;
    n.lPixel = true;
    n.nRow = d.px(rowAt(row));
    n.nCol = d.px(colAt(col));
    n.nWidth = d.px(w);
    n.nHeight = d.px(h);
    n.cCaption = caption;
    n.bSetGet = wl::bindTo(flag);
    n.oWnd = &d.dialog();
    b->New(n);
    boxes.push_back(std::move(b));
    return *boxes.back();
}

std::string joinedCodes(const std::vector<std::string>& codes, const std::vector<wl::Value>& checked) {
    std::string joined;
    // Table order, as CTLD50900B joins them.
    for (const SchemaTransaction& t : kSchemaTransactions)
        for (std::size_t i = 0; i < codes.size(); ++i)
            if (codes[i] == t.code && checked[i].logical()) joined += (joined.empty() ? "" : ",") + codes[i];
    return joined;
}

// The included codes in the order the check boxes stand.
std::vector<std::string> screenOrdered(const std::vector<std::string>& codes) {
    std::vector<std::string> ordered;
    for (const std::size_t i : kSchemaScreenOrder)
        for (const std::string& c : codes)
            if (c == kSchemaTransactions[i].code) ordered.push_back(c);
    return ordered;
}

std::string lineAt(const std::vector<std::string>& lines, std::size_t n) {
    return n >= 1 && n <= lines.size() ? lines[n - 1] : "";
}

ShownDialog shownLines(const std::vector<std::string>& lines, std::size_t current) {
    ShownDialog s;
    s.lines = lines;
    s.current = current;
    return s;
}

}  // namespace

SchemaLabels schemaLabels() {
    SchemaLabels labels;
    for (std::size_t i = 0; i < kSchemaTransactionCount; ++i) labels[i] = kSchemaTransactions[i].label;
    return labels;
}

std::string CTLD50900P(const std::vector<std::string>& includedCodes, const ViewerUi& ui) {
    std::string chosen;
    auto d = newTextDialog("Select a Transaction Type", 12, 36);
    wl::TWBrowse& list = d->arrayList(
        rowAt(1), colAt(1), 60, 60, "Transaction", [&](std::size_t n) { return lineAt(includedCodes, n); },
        [&] { return static_cast<int>(includedCodes.size()); });
    d->button(rowAt(1), colAt(14), 30, 10, "Exit", [&] { d->close(); });
    d->button(rowAt(2), colAt(14), 30, 10, "Select", [&] {
        chosen = lineAt(includedCodes, static_cast<std::size_t>(list.nAt));
        d->close();
    });
    d->run(ui, [&] { return shownLines(includedCodes, static_cast<std::size_t>(list.nAt)); });
    return chosen;
}

std::vector<std::string> CTLD50900F(const std::string& code, const SchemaMaps& maps, const ViewerUi& ui) {
    const std::vector<std::string> names = CTLD50900O(code, maps);
    std::vector<std::string> chosen;
    wl::TListBox box;
    auto d = newTextDialog("Add Field to Table", 20, 80);
    wl::ListNew n;
    n.lPixel = true;
    n.nRow = d->px(rowAt(2));
    n.nCol = d->px(colAt(1));
    n.nWidth = d->px(140);
    n.nHeight = d->px(100);
    n.aItems = names;
    n.lMultiSelect = true;
    n.oWnd = &d->dialog();
    box.New(n);
    d->button(rowAt(1), colAt(40), 40, 10, "Exit", [&] { d->close(); });
    d->button(rowAt(2), colAt(40), 40, 10, "Add Field(s)", [&] {
        chosen = box.aSelections();
        d->close();
    });
    d->button(rowAt(1), colAt(30), 30, 10, "Select All", [&] {
        for (int i = 1; i <= box.Len(); ++i) box.SetSel(i, true);
        box.Select(1);
    });
    d->button(rowAt(2), colAt(30), 30, 10, "Select Down", [&] {
        const int below = box.GetPos() + 1;
        if (below <= box.Len()) box.SetSel(below, true);
    });
    d->button(rowAt(3), colAt(30), 30, 10, "Up", [] {});
    d->button(rowAt(4), colAt(30), 30, 10, "Down", [&] { d->close(); });
    d->run(ui, [&] { return shownLines(names, 0); });
    return chosen;
}

SchemaTables CTLD50900E(const std::vector<std::string>& includedCodes, std::size_t row, TableDialogMode mode,
                        const std::string& schemaFile, SchemaTables tables, const SchemaFlags& flags,
                        const SchemaMaps& maps, const SchemaLabels& labels, const ViewerUi& ui) {
    (void)schemaFile;
    (void)flags;
    const bool edit = mode == TableDialogMode::Edit;
    if (edit && (row == 0 || row > tables.size())) return tables;
    const std::vector<std::string> codes = screenOrdered(includedCodes);
    std::vector<wl::Value> checked(codes.size(), wl::Value(true));
    // The six fields: columns 1, 3, 4, 5, 6 and 7 of the row.
    static constexpr SchemaColumn kColumns[6] = {kTableName, kDriver, kDataSet, kServer, kUser, kPassword};
    std::array<std::string, 6> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string start = edit ? tables[row - 1][kColumns[i]] : "";
        fields[i] = start + std::string(start.size() < 255 ? 255 - start.size() : 0, ' ');
    }
    // A new table's fields are gathered here until "Continue" makes its row:
    // added to the list's first row they would be lost with a list that
    // counts as empty, or land in another table.
    std::string newFields;
    auto fieldNames = [&] {
        if (edit) return CTLD50900N(tables, row);
        return CTLD50900N({SchemaRow{"", "", "", "", "", "", "", newFields}}, 1);
    };
    std::vector<std::string> shownFields = fieldNames();

    CheckBoxes boxes;
    auto d = newTextDialog(edit ? "Edit Table" : "Add Table", 24, 100);
    for (std::size_t i = 0; i < codes.size(); ++i)
        checkBox(boxes, *d, static_cast<double>(i + 1), 2, 100, 10, labels[schemaTransactionIndex(codes[i])],
                 checked[i]);
    struct Field {
        double row, col, width;
        const char* label;
    };
    static constexpr Field kFields[6] = {
        {14, 2, 140, "Table Name"}, {16, 2, 140, "Database Driver"}, {18, 2, 140, "Data Set Name"},
        {20, 2, 140, "Server"},     {22, 2, 100, "User"},            {22, 30, 100, "Password"},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        const Field& f = kFields[i];
        d->label(rowAt(f.row), colAt(f.col), f.width, 10, [label = std::string(f.label)] { return label; }, 1);
        d->edit(rowAt(f.row + 1), colAt(f.col), f.width, 10, wl::bindTo(fields[i]));
    }
    wl::TWBrowse& browse = d->arrayList(
        rowAt(5), colAt(30), 150, 80, "Fields", [&](std::size_t n) { return lineAt(shownFields, n); },
        [&] { return static_cast<int>(shownFields.size()); });
    d->button(rowAt(1), colAt(58), 40, 10, "Exit", [&] { d->close(); });
    if (edit) {
        d->button(rowAt(2), colAt(58), 40, 10, "Update", [&] {
            for (std::size_t i = 0; i < 6; ++i) tables[row - 1][kColumns[i]] = fields[i];
            tables[row - 1][kTransactionTypes] = joinedCodes(codes, checked);
            d->close();
        });
        d->button(rowAt(3), colAt(58), 40, 10, "Delete", [&] {
            if (tables.size() > 1) wl::WQOUT({wl::Value(wl::rtrim(tables[row - 1][kTableName]) + " Table Deleted")});
            tables = CTLD50900K(row, tables, "", SchemaListMode::Remove);
            d->close();
        });
    } else {
        d->button(rowAt(2), colAt(58), 40, 10, "Continue", [&] {
            tables = CTLD50900K(0, tables, "", SchemaListMode::Append,
                                {fields[0], joinedCodes(codes, checked), fields[1], fields[2], fields[3], fields[4],
                                 fields[5]});
            tables.back()[kFieldNames] = newFields;
            d->close();
        });
    }
    d->button(rowAt(2), colAt(40), 40, 10, "Add Field", [&] {
        const std::string code = CTLD50900P(includedCodes, ui);
        if (code.empty()) return;
        std::vector<std::string> names;
        for (const std::string& name : CTLD50900F(code, maps, ui))
            if (!name.empty()) names.push_back(name);
        if (edit)
            tables = CTLD50900J(tables, names, row);
        else
            for (const std::string& name : names) newFields += name + "\r\n";
        shownFields = fieldNames();
        browse.Display();
        d->shownAgain();
    });
    d->button(rowAt(3), colAt(40), 40, 10, "Delete Field", [&] { d->close(); });
    d->run(ui, [&] { return shownLines(shownFields, static_cast<std::size_t>(browse.nAt)); });
    return tables;
}

void CTLD50900A(const std::string& schemaFile, const SchemaFlags& flags, const SchemaMaps& maps,
                const SchemaLabels& labels, const ViewerUi& ui) {
    const std::vector<std::string> codes = schemaIncludedCodes(flags);
    SchemaTables tables = schemaTables(schemaFile);
    std::vector<std::string> names = CTLD50900I(schemaFile);
    auto d = newTextDialog("Schema Editor", 20, 70);
    wl::TWBrowse& browse = d->arrayList(
        rowAt(2.2), colAt(10.2), 100, 90, "Tables", [&](std::size_t n) { return lineAt(names, n); },
        [&] { return static_cast<int>(names.size()); });
    auto reread = [&] {
        names = CTLD50900I(schemaFile);
        browse.GoTop();
        browse.Display();
        d->shownAgain();
    };
    d->button(rowAt(1), colAt(31), 50, 10, "Exit", [&] { d->close(); });
    d->button(rowAt(2), colAt(31), 50, 10, "Save Schema", [&] { CTLD50900G(schemaFile, flags, maps, tables); });
    d->button(rowAt(1), colAt(14), 30, 10, "Add Table", [&] {
        tables = CTLD50900E(codes, 0, TableDialogMode::Add, schemaFile, tables, flags, maps, labels, ui);
        CTLD50900G(schemaFile, flags, maps, tables);
        reread();
    });
    d->button(rowAt(1), colAt(20), 30, 10, "Edit Table", [&] {
        const auto row = static_cast<std::size_t>(browse.nAt);
        tables = CTLD50900E(codes, row, TableDialogMode::Edit, schemaFile, tables, flags, maps, labels, ui);
        reread();
    });
    d->run(ui, [&] { return shownLines(names, static_cast<std::size_t>(browse.nAt)); });
}

void CTLD50900(const std::string& schemaFile, const ViewerUi& ui) {
    const SchemaLabels labels = schemaLabels();
    SchemaMaps maps = schemaMaps(schemaFile);
    std::array<wl::Value, kSchemaTransactionCount> flagValues;
    for (std::size_t i = 0; i < kSchemaTransactionCount; ++i)
        flagValues[i] = wl::Value(!maps[i].empty() && wl::fileExists(maps[i]));
    auto flags = [&flagValues] {
        SchemaFlags f{};
        for (std::size_t i = 0; i < kSchemaTransactionCount; ++i) f[i] = flagValues[i].logical();
        return f;
    };
    std::string text = "Select the X12 transactions that\r\nyou would like to have included\r\n"
                       "in your database schema.\r\n";

    CheckBoxes boxes;
    auto d = newTextDialog("Schema Generator", 24, 80);
    for (std::size_t line = 0; line < kSchemaTransactionCount; ++line) {
        const std::size_t i = kSchemaScreenOrder[line];
        wl::TCheckBox& box = checkBox(boxes, *d, static_cast<double>(line + 1), 2, 200, 10,
                                      CTLD50900D(flagValues[i].logical(), labels[i], maps[i]), flagValues[i]);
        box.bChangeValue = [&, i, self = &box](const wl::Value&, wl::TControl&) {
            const bool on = flagValues[i].logical();
            maps[i] = CTLD50900C(on, maps[i]);
            self->SetText(CTLD50900D(on, labels[i], maps[i]));
        };
    }
    wl::TSay& say = d->label(rowAt(7), colAt(32), 180, 80, [&text] { return text; }, 2);
    d->button(rowAt(1), colAt(34), 60, 10, "Exit", [&] { d->close(); });
    d->button(rowAt(2), colAt(34), 60, 10, "Edit Schema", [&] {
        CTLD50900A(schemaFile, flags(), maps, labels, ui);
        text = "test";
        say.Refresh();
    });
    d->button(rowAt(3), colAt(34), 60, 10, "Text Edit", [&] {
        wl::WINEXEC(wl::GETWINDIR() + "\\notepad.exe " + schemaFile, SW_SHOWNORMAL);
    });
    d->run(ui, [&] {
        ShownDialog s;
        for (const auto& b : boxes) s.lines.push_back(b->GetText());
        return s;
    });
}

}  // namespace zr
