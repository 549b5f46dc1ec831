#include "csv_viewer_window.hpp"

#include <cstdlib>

#include "csv_file.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The screen's grid: rows of 16 design pixels, columns of 9.6 (labels 9).
constexpr double kRow = 16, kCol = 9.6, kLabelCol = 9;

std::string chooseCsvFile(const std::string& startFolder, const std::string& fileName) {
    if (!fileName.empty() && wl::fileExists(fileName)) return fileName;
    wl::FileDialogRequest r;
    r.filter = "*.*";
    r.title = "Select a CSV file";
    r.initialDir = startFolder;
    const std::string chosen = wl::CGETFILE(r);
    return !chosen.empty() && wl::fileExists(chosen) ? chosen : std::string();
}

}  // namespace

void CTLD48200(int /*kind*/, const std::string& /*unused*/, const std::string& startFolder,
               const std::string& fileName, const ViewerUi& ui) {
    const std::string file = chooseCsvFile(startFolder, fileName);
    if (file.empty()) return;
    CsvViewerModel model(readCsvFile(file));
    ViewerDialog d("View CSV File", 640, 480);
    wl::TWBrowse* list = nullptr;
    std::vector<wl::TSay*> labels;
    auto label = [&](double row, double col, double w, std::function<std::string()> text) {
        labels.push_back(&d.label(row * kRow, col * kLabelCol, w, 10, std::move(text)));
    };
    auto refresh = [&] {
        for (wl::TSay* s : labels) s->Refresh();
        if (list) list->Display();
    };
    // The record number is typed as text (room for ten digits), so that the
    // number shows at the left of the narrow field.
    std::string number = wl::padRight(std::to_string(model.record()), 10);
    d.edit(1 * kRow, 1 * kCol, 3.5 * kCol, 12, wl::bindTo(number));
    d.button(1 * kRow, 5 * kCol, 60, 12, "Go To Record", [&] {
        model.goToRecord(std::atoll(number.c_str()));
        refresh();
    });
    d.button(1 * kRow, 22 * kCol, 30, 12, "Header", [&] {
        model.toggleHeader();
        refresh();
    });
    d.button(1 * kRow, 26 * kCol, 30, 12, "Exit", [&] { d.close(); });
    list = &d.arrayList(2 * kRow, 1 * kCol, 20 * kCol, 12 * kRow, "Record File Data",
                        [&](std::size_t n) { return model.line(n); },
                        [&] { return static_cast<int>(model.table().columns()); });
    list->bChange = [&](wl::TControl&) {
        const auto at = static_cast<std::size_t>(list->nAt);
        if (at == model.column() || at == 0) return;
        model.setColumn(at);
        for (wl::TSay* s : labels) s->Refresh();
    };
    label(14, 1, 200, [&] { return model.headerLabel(); });
    label(3, 24, 96, [&] { return model.currentRecordLabel(); });
    label(3.5, 24, 96, [&] { return model.currentColumnLabel(); });
    label(4.5, 24, 96, [&] { return model.totalColumnsLabel(); });
    label(5, 24, 96, [&] { return model.totalRecordsLabel(); });
    label(6, 25, 96, [&] { return model.positionLabel(); });
    d.button(7 * kRow, 24 * kCol, 15, 12, "<", [&] {
        model.previous();
        refresh();
    });
    d.button(7 * kRow, 26 * kCol, 15, 12, ">", [&] {
        model.next();
        refresh();
    });
    d.run(ui, [&] {
        std::vector<std::string> lines;
        for (std::size_t c = 1; c <= model.table().columns(); ++c) lines.push_back(model.line(c));
        return ShownDialog{"", nullptr, lines, model.record()};
    });
}

}  // namespace zr
