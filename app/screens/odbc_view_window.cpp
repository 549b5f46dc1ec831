#include "odbc_view_window.hpp"

#include <algorithm>

#include "dbf_file.hpp"
#include "font.hpp"
#include "messages.hpp"
#include "odbc_calls.hpp"
#include "paths.hpp"
#include "printer.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The connection to the data source, or none after saying why.
std::unique_ptr<wl::TOdbc> connectTo(const std::string& dataSource) {
    std::unique_ptr<wl::TOdbc> odbc;
    if (isDataSource(dataSource)) odbc = std::make_unique<wl::TOdbc>(wl::alltrim(dataSource));
    if (odbc && odbc->lSuccess()) return odbc;
    wl::MSGINFO(wl::Value("session not successfully initialized"), wl::Value("ODBC Error"));
    return nullptr;
}

// A table of the connection chosen in "Select Table"; "" when there is
// none or the user cancelled.
std::string pickTable(wl::TOdbc& odbc, const ViewerUi& ui) {
    const int count = CTL33500H(odbc);
    if (count == 0) {
        wl::MSGINFO(wl::Value("There are not tables on that database."), wl::Value("ODBC Table Selection Error"));
        return "";
    }
    return CTLD33501A(count, odbc, ui);
}

std::vector<std::string> dataSources() { return CTL33500F(wl::ODBCDSNENTRIES()); }

// The view of mode 5: a data source, a table of it, and the field list or
// one record of the table.
class OdbcDataView {
public:
    explicit OdbcDataView(const ViewerUi& ui) : ui_(ui), sources_(dataSources()), dataSource_(sources_.front()) {}

    void run() {
        d_.label(4, 4, 26, 10.8, [] { return std::string("DSN : "); });
        d_.combo(4, 32, 120, 60, sources_, wl::bindTo(dataSource_));
        d_.button(4, 158, 50, 10.8, "Load Table", [this] { load(); });
        list_ = &d_.arrayList(20, 4, 258, 100, "ODBC Data", [this](std::size_t i) { return CTL33500G(page_, i); },
                              [this] { return static_cast<int>(page_.lines.size()); });
        status_ = &d_.label(124, 4, 258, 10.8, [this] { return page_.status; });
        d_.button(138, 4, 16, 10.8, "^", [this] { show(0); });
        d_.button(138, 24, 16, 10.8, "<", [this] { step(-1); });
        d_.button(138, 44, 16, 10.8, ">", [this] { step(1); });
        d_.button(138, 66, 56, 10.8, "Purge Table", [this] { purgeOrDelete(false); });
        d_.button(138, 128, 56, 10.8, "Delete Table", [this] { purgeOrDelete(true); });
        d_.button(138, 220, 40, 10.8, "Exit", [this] { d_.close(); });
        d_.run(ui_, [this] { return ShownDialog{"", nullptr, sources_, 1}; });
        // Every table the view opened closes with it.
        table_.reset();
        odbc_.reset();
    }

private:
    // The connection to the data source now chosen.
    wl::TOdbc* connection() {
        if (!odbc_ || odbcSource_ != dataSource_) {
            table_.reset();
            odbc_ = connectTo(dataSource_);
            odbcSource_ = odbc_ ? dataSource_ : std::string();
        }
        return odbc_.get();
    }
    void load() {
        wl::TOdbc* odbc = connection();
        if (!odbc) return;
        const std::string name = pickTable(*odbc, ui_);
        if (name.empty()) return;
        table_.reset();
        auto table = std::make_unique<wl::TDbOdbc>(name, odbc, 0, "", true);
        if (table->lNetErr()) {
            wl::MSGINFO(wl::Value("odbc open error"));
            clear();
            return;
        }
        table_ = std::move(table);
        tableName_ = name;
        show(0);
    }
    void step(int n) {
        if (table_) show(CTL33500L(record_, n, CTL33500J(*table_)));
    }
    void show(std::int64_t record) {
        if (!table_) return;
        record_ = record;
        page_ = CTL33500K(*table_, tableName_, record_);
        repaint();
    }
    void clear() {
        table_.reset();
        tableName_.clear();
        record_ = 0;
        page_ = {};
        repaint();
    }
    void repaint() {
        list_->GoTop();
        list_->Display();
        status_->Refresh();
    }
    // "Purge Table" empties a table chosen, "Delete Table" drops it.
    void purgeOrDelete(bool drop) {
        wl::TOdbc* odbc = connection();
        if (!odbc) return;
        const std::string name = pickTable(*odbc, ui_);
        if (name.empty()) return;
        // The table shown is closed first: its open cursor would hold it.
        if (table_ && wl::upper(tableName_) == wl::upper(name)) clear();
        const bool done = drop ? odbc->DelTable(name) : odbc->TruncateTable(name);
        if (done) wl::MSGINFO(wl::Value(drop ? "Delete " + name + " Complete" : std::string("Complete")));
    }

    const ViewerUi& ui_;
    ViewerDialog d_{"View ODBC Data", 533, 300};
    std::vector<std::string> sources_;
    std::string dataSource_, odbcSource_;
    std::unique_ptr<wl::TOdbc> odbc_;
    std::unique_ptr<wl::TDbOdbc> table_;
    std::string tableName_;
    std::int64_t record_ = 0;
    OdbcViewPage page_;
    wl::TWBrowse* list_ = nullptr;
    wl::TSay* status_ = nullptr;
};

}  // namespace

std::string CTL33501B(const std::vector<std::string>& tables, std::size_t index) {
    return index >= 1 && index <= tables.size() ? tables[index - 1] : std::string();
}

std::string CTLD33501A(int count, wl::TOdbc& connection, const ViewerUi& ui) {
    const std::vector<std::string> tables = count > 0 ? connection.GetTables() : std::vector<std::string>{};
    if (tables.empty()) {
        wl::MSGINFO(wl::Value("Table Error"));
        return "";
    }
    ViewerDialog d("Select Table", 340, 280);
    std::string chosen;
    wl::TWBrowse& list = d.arrayList(4, 4, 160, 108, "ODBC File", [&](std::size_t i) { return CTL33501B(tables, i); },
                                     [&] { return static_cast<int>(tables.size()); });
    d.button(120, 20, 40, 10.8, "Cancel", [&] { d.close(); });
    d.button(120, 100, 40, 10.8, "Select", [&] {
        chosen = CTL33501B(tables, static_cast<std::size_t>(list.nAt));
        d.close();
    });
    d.run(ui, [&] { return ShownDialog{"", nullptr, tables, 1}; });
    return chosen;
}

int CTL33500H(wl::TOdbc& connection) { return static_cast<int>(connection.GetTables().size()); }

std::int64_t CTL33500J(wl::TDbOdbc& table) { return table.RecCount(); }

std::vector<std::string> CTL33500I(wl::TDbOdbc& table, std::int64_t record) {
    std::vector<std::string> lines;
    const bool values = record > 0 && table.GoToId(record);
    for (int n = 1; n <= table.FCount(); ++n) {
        const OdbcViewField field{table.FieldName(n), table.FieldType(n), table.FieldLen(n)};
        lines.push_back(values ? odbcValueLine(n, field, table.FieldGet(n)) : odbcFieldLine(n, field));
    }
    return lines;
}

OdbcViewPage CTL33500K(wl::TDbOdbc& table, const std::string& name, std::int64_t record) {
    OdbcViewPage page;
    page.lines = CTL33500I(table, record);
    const std::int64_t count = CTL33500J(table);
    page.status = record > 0 ? odbcRecordStatus(name, record, count) : odbcFieldStatus(name, table.FCount(), count);
    return page;
}

std::string CTL33500G(const OdbcViewPage& page, std::size_t index) {
    return index >= 1 && index <= page.lines.size() ? page.lines[index - 1] : std::string();
}

void CTL33500M(const std::vector<std::string>& lines) {
    wl::PrinterOptions o;
    o.cDocument = " ODBC View ";
    wl::TPrinter printer(o);
    if (!printer.hDC) {
        wl::MSGSTOP(wl::Value("Printer not ready!"));
        return;
    }
    wl::FontSpec spec;
    spec.cFaceName = "Courier New";
    spec.nHeight = -printer.nVertRes() / (kOdbcPrintLines + 6);
    spec.oDevice = printer.hDC;
    const std::shared_ptr<wl::TFont> font = wl::TFont::New(spec);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % kOdbcPrintLines == 0) printer.StartPage();
        printer.Say(odbcPrintLineTop(i, printer.nVertRes()), 0, lines[i], font);
        if (i % kOdbcPrintLines == kOdbcPrintLines - 1 || i + 1 == lines.size()) printer.EndPage();
    }
    printer.End();
    font->End();
}

bool CTL33500N(const std::string& dataSource, const std::string& table, const std::string& folder) {
    auto odbc = connectTo(dataSource);
    if (!odbc) return false;
    wl::TDbOdbc source(table, odbc.get(), 0, "", true);
    if (source.lNetErr()) {
        wl::MSGINFO(wl::Value("odbc open error"));
        return false;
    }
    std::vector<OdbcViewField> fields;
    for (int n = 1; n <= source.FCount(); ++n)
        fields.push_back({source.FieldName(n), source.FieldType(n), source.FieldLen(n), source.FieldDec(n)});
    const std::string path = wl::joinPath(folder, "testdata.dbf");
    auto copy = wl::DbfFile::create(path, testdataFields(fields));
    bool whole = copy.has_value();
    const std::int64_t count = source.RecCount();
    for (std::int64_t r = 1; whole && r <= count; ++r) {
        whole = source.GoToId(r);
        wl::ValueList values;
        for (int n = 1; whole && n <= source.FCount(); ++n) values.push_back(source.FieldGet(n));
        whole = whole && copy->append(values);
    }
    // A copy cut short is not left to pass for the table.
    if (!whole) wl::MSGALERT(wl::Value(path + " could not be written."));
    return whole;
}

void odbcDataView(const ViewerUi& ui) { OdbcDataView(ui).run(); }

std::string CTLD48401G(const ViewerUi& ui) {
    const std::vector<std::string> sources = dataSources();
    std::string dataSource = sources.front();
    std::string table(40, ' ');
    std::string result;
    ViewerDialog d("Select DSN", 400, 150);
    d.label(8, 6, 32, 10.8, [] { return std::string("DSN : "); });
    d.combo(8, 40, 120, 60, sources, wl::bindTo(dataSource));
    d.label(28, 6, 32, 10.8, [] { return std::string("Table : "); });
    wl::TGet& field = d.edit(28, 40, 120, 10.8, wl::bindTo(table));
    d.button(52, 6, 60, 10.8, "Select Table", [&] {
        auto odbc = connectTo(dataSource);
        if (!odbc) return;
        const std::string chosen = pickTable(*odbc, ui);
        if (chosen.empty()) return;
        table = wl::padRight(chosen, std::max<std::size_t>(40, chosen.size()));
        field.Refresh();
    });
    d.button(52, 80, 40, 10.8, "Cancel", [&] { d.close(); });
    d.button(52, 130, 48, 10.8, "Continue", [&] {
        // Without a data source there is nothing to write to.
        if (isDataSource(dataSource)) result = dataSourceChoice(dataSource, table);
        d.close();
    });
    d.run(ui, [&] { return ShownDialog{"", nullptr, sources, 1}; });
    return result;
}

}  // namespace zr
