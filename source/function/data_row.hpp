// TDataRow: one row of a data source as named values that the user edits
// and that are written back to the source. Sources: a work area (by
// alias), an object with RowGet/RowPut (TDataBase), a grid browse model,
// or the caller's own list of pairs, which is edited in place. The "EDIT"
// dialog's own logic (its two columns, its buttons' states and the close
// question) is here; the window shows it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_base.hpp"
#include "value.hpp"

namespace wl {

class XBrowseModel;

// A source the portable row does not know by type (a record set): it reads
// a row and writes changed values. The source must outlive the row.
class DataRowSource {
public:
    struct Read {
        TDataBaseRow row;
        int recNo = 0;  // 0: a new row
        bool readOnly = false;
        bool typeCheck = true;
    };
    virtual ~DataRowSource() = default;
    // The source type the row reports ("ADO").
    virtual std::string kind() const = 0;
    // The named fields (all when none), blank values with blank (by
    // default: when the source stands on no row).
    virtual Read read(const std::vector<std::string>& fields, std::optional<bool> blank) = 0;
    // Writes the changed fields to row recNo (0: a new one) and answers
    // the written row read again (the same fields) with the source back
    // where it stood; nothing when it could not be written.
    virtual std::optional<Read> write(const TDataBaseRow& changed, int recNo,
                                      const std::vector<std::string>& fields) = 0;
};

class TDataRow {
public:
    // A work area by alias ("" the selected one).
    explicit TDataRow(const std::string& alias = {}, const std::string& fields = {}, std::optional<bool> blank = {});
    TDataRow(TDataBase& source, const std::string& fields = {}, bool blank = false);
    // A grid browse model; a TDataBase bound to it adds new rows.
    TDataRow(XBrowseModel& browse, const std::string& headers = {}, std::optional<bool> blank = {},
             TDataBase* browseSource = nullptr);
    // The caller's list, edited in place (it must outlive the row).
    explicit TDataRow(TDataBaseRow& pairs);
    // Another source (a record set).
    TDataRow(DataRowSource& source, const std::string& fields = {}, std::optional<bool> blank = {});

    bool lValidData() const { return !cSrcType.empty() && !rows().empty(); }
    int FCount() const { return static_cast<int>(rows().size()); }
    // A name (trimmed, upper case) among the prompts, the prompts without
    // blanks, then the names; 0 when absent.
    int FieldPos(const std::string& name) const;
    std::string FieldName(int n) const;
    // The value's type letter, 'U' when absent.
    char FieldType(int n) const;
    char FieldType(const std::string& name) const { return FieldType(FieldPos(name)); }
    std::string FieldPrompt(int n) const;
    void SetPrompt(int n, const std::string& prompt);
    void SetPrompt(const std::string& name, const std::string& prompt);

    Value FieldGet(const std::string& name) const;
    // False for no such field, or (with lTypeCheck) a value of another
    // type than the present one: the data-type error, nothing assigned.
    bool FieldPut(const std::string& name, const Value& v);
    bool FieldPut(int n, const Value& v);

    bool Modified(int n = 0) const;
    void Undo();
    // Writes the changed editable fields to the source; true when written.
    bool Save(bool commit = true);
    // The dialog (bEdit when set); the row ends afterwards.
    bool Edit(std::optional<bool> readOnly = std::nullopt);
    void End();

    const TDataBaseRow& aData() const { return rows(); }
    std::vector<std::string> aPrompts;
    TDataBaseRow aModiData;  // built by Save: the changed fields, value of each
    std::vector<int> aModiPos;
    std::string cSrcType;  // DBF, OBJ, XBR, ARR or the other source's kind
    bool lReadOnly = false;
    bool lTypeCheck = true;
    int RecNo = 0;
    std::function<bool(TDataRow&, bool)> bSave;
    std::function<bool(TDataRow&)> bEdit;
    std::function<void(TDataRow&)> bOnSave;
    // The dialog window; without one (the native build) Edit answers false.
    std::function<bool(TDataRow&, bool readOnly)> editWindow;

    // The "EDIT" dialog's logic.
    std::string EditCloseCaption() const { return Modified() ? "Cancel" : "Close"; }
    bool EditCanUndo() const { return Modified(); }
    bool EditCanSave(bool readOnly) const { return !readOnly && Modified(); }
    bool EditCellEditable(int n) const;
    // The value shown in the value column: CVALTOSTR, numbers through the
    // row's picture.
    std::string EditValueText(int n) const;
    // Close: at once when read-only or unchanged, else after "Exit without
    // save?" is answered yes.
    bool EditMayClose(bool readOnly) const;

private:
    TDataBaseRow& rows() { return shared_ ? *shared_ : own_; }
    const TDataBaseRow& rows() const { return shared_ ? *shared_ : own_; }
    void validate();
    void readDbf(std::optional<bool> blank);
    void readObj(bool blank);
    void readXbr(std::optional<bool> blank);
    void readSource(std::optional<bool> blank);
    bool saveDbf(bool commit);
    bool saveObj(bool commit);
    bool saveXbr();
    bool saveSource();

    TDataBaseRow own_{{"Blank", Value(std::string(20, ' ')), true, ""}};
    TDataBaseRow* shared_ = nullptr;
    TDataBaseRow aOrg;
    std::vector<std::string> fields_;
    std::string alias_;
    TDataBase* object_ = nullptr;
    XBrowseModel* browse_ = nullptr;
    TDataBase* browseSource_ = nullptr;
    DataRowSource* source_ = nullptr;
};

// The "EDIT" dialog fitted to its rows: the browse takes the size that
// shows them (at least minWidth wide), the controls below it move up by
// the height it gave up, the dialog takes the browse's change of width and
// height, and the buttons stand from the right: the last at the browse's
// left + width - 80, each earlier one 86 further left.
struct EditDialogLayout {
    int browseWidth = 0, browseHeight = 0;
    int dialogWidth = 0, dialogHeight = 0;
    int shiftUp = 0;
    std::vector<int> buttonLeft;  // in the buttons' order
};
EditDialogLayout editDialogLayout(int browseLeft, int browseWidth, int browseHeight, int fittedWidth,
                                  int fittedHeight, int dialogWidth, int dialogHeight, int buttons,
                                  int minWidth = 300);
// The columns widened by 1.2 when the dialog opens, the value column to at
// most 250.
int editPromptWidth(int width);
int editValueWidth(int width);

// The list trimmed, with the blanks around commas removed.
std::string TRIMLIST(const std::string& list);
// Same type and equal (texts compared without trailing blanks).
bool EQUALVAL(const Value& a, const Value& b);
// A new row in the browse's source: arrays get a blanked copy of their
// last row (and the browse goes to the bottom); a browse bound to a
// TDataBase (given) appends a record. False for other sources.
bool XBRADDNEWROW(XBrowseModel& browse, TDataBase* source = nullptr);
// Completes the new row: a TDataBase source saves its buffer.
bool XBRSAVENEWROW(XBrowseModel& browse, TDataBase* source = nullptr);
// With the first column selected, selects the next column.
void BRWROWCHANGE(XBrowseModel& browse);

}  // namespace wl
