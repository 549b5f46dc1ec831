#include "data_row.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

#include "database_functions.hpp"
#include "messages.hpp"
#include "text.hpp"
#include "value_conversion.hpp"
#include "xbrowse_model.hpp"

namespace wl {

namespace {

// A locked record is tried this many times, a moment apart, before the
// save gives up: a lock held by someone who went to lunch must not freeze
// the program.
constexpr int kDataRowLockTries = 5;

std::vector<std::string> dataRowNames(const std::string& list) {
    std::vector<std::string> names;
    const std::string trimmed = TRIMLIST(list);
    std::size_t at = 0;
    while (!trimmed.empty() && at <= trimmed.size()) {
        const std::size_t comma = std::min(trimmed.find(',', at), trimmed.size());
        std::string name = trimmed.substr(at, comma - at);
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        if (!name.empty()) names.push_back(name);
        at = comma + 1;
    }
    return names;
}

char dataRowType(const Value& v) {
    if (v.isNil()) return 'U';
    if (v.isText()) return 'C';
    if (v.isNumber()) return 'N';
    if (v.isDate()) return 'D';
    if (v.isLogical()) return 'L';
    if (v.isList()) return 'A';
    return 'B';
}

bool dataRowHasPoint(const Value& v) { return CVALTOCHAR(v).find('.') != std::string::npos; }

}  // namespace

std::string TRIMLIST(const std::string& list) {
    std::string out;
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        if (at) out += ',';
        out += alltrim(list.substr(at, comma - at));
        at = comma + 1;
    }
    return out;
}

bool EQUALVAL(const Value& a, const Value& b) {
    if (dataRowType(a) != dataRowType(b)) return false;
    if (a.isText()) return rtrim(a.text()) == rtrim(b.text());
    if (a.isNumber()) return a.number() == b.number();
    return CVALTOCHAR(a) == CVALTOCHAR(b);
}

// ------------------------------------------------------------ reading

TDataRow::TDataRow(const std::string& alias, const std::string& fields, std::optional<bool> blank)
    : fields_(dataRowNames(fields)), alias_(alias) {
    readDbf(blank);
    validate();
}

TDataRow::TDataRow(TDataBase& source, const std::string& fields, bool blank)
    : fields_(dataRowNames(fields)), object_(&source) {
    readObj(blank);
    validate();
}

TDataRow::TDataRow(XBrowseModel& browse, const std::string& headers, std::optional<bool> blank,
                   TDataBase* browseSource)
    : fields_(dataRowNames(headers)), browse_(&browse), browseSource_(browseSource) {
    readXbr(blank);
    validate();
}

TDataRow::TDataRow(TDataBaseRow& pairs) : shared_(&pairs) {
    for (TDataBaseRowItem& item : pairs)
        if (item.value.isNumber() && item.picture.empty())
            item.picture = dataRowHasPoint(item.value) ? NUMPICT(12, 2) : NUMPICT(10, 0);
    cSrcType = pairs.empty() ? "" : "ARR";
    lTypeCheck = false;
    aOrg = pairs;
    validate();
}

TDataRow::TDataRow(DataRowSource& source, const std::string& fields, std::optional<bool> blank)
    : fields_(dataRowNames(fields)), source_(&source) {
    readSource(blank);
    validate();
}

void TDataRow::validate() {
    aPrompts.clear();
    if (!lValidData()) {
        MSGALERT(Value("Invalid Data"));
        return;
    }
    for (const TDataBaseRowItem& item : rows()) aPrompts.push_back(item.name);
}

void TDataRow::readDbf(std::optional<bool> blank) {
    std::shared_ptr<DbfArea> area = alias_.empty() ? dbfSelected() : dbfAreaOf(alias_);
    if (!area) return;
    alias_ = area->Alias();
    const bool eof = area->Eof();
    const bool blanks = blank.value_or(eof);
    std::vector<std::string> names = fields_;
    if (names.empty())
        for (const DbfField& f : area->fields()) names.push_back(f.name);
    own_.clear();
    for (const std::string& name : names) {
        const int pos = area->FieldPos(name);
        if (pos == 0) continue;
        const DbfField& f = area->fields()[static_cast<std::size_t>(pos - 1)];
        Value v = blanks && !eof ? UTYPETOBLANK(f.type, f.length, f.decimals) : area->FieldGet(pos);
        own_.push_back({f.name, v, f.type != '+' && f.type != '=', f.type == 'N' ? NUMPICT(f.length, f.decimals) : ""});
    }
    RecNo = blanks || eof ? 0 : static_cast<int>(area->RecNo());
    cSrcType = "DBF";
    aOrg = own_;
}

void TDataRow::readObj(bool blank) {
    own_ = object_->RowGet(fields_, blank);
    RecNo = blank || object_->Eof() ? 0 : object_->RecNo();
    cSrcType = "OBJ";
    lReadOnly = object_->lReadOnly;
    aOrg = own_;
}

void TDataRow::readXbr(std::optional<bool> blank) {
    XBrowseModel& b = *browse_;
    const bool blanks = blank.value_or(b.KeyCount() == 0);
    own_.clear();
    for (TXBrwColumn& c : b.aCols) {
        if (!fields_.empty() &&
            std::none_of(fields_.begin(), fields_.end(), [&](const std::string& h) { return c.SameColAs(Value(h)); }))
            continue;
        Value v = blanks ? c.BlankValue() : c.GetValue();
        own_.push_back({c.cHeader, v, !c.lReadOnly && !b.lReadOnly, v.isNumber() ? NUMPICT(12, 2) : ""});
    }
    RecNo = blanks ? 0 : static_cast<int>(b.src.bBookMark ? b.src.bBookMark().number() : b.KeyNo());
    cSrcType = "XBR";
    lReadOnly = b.lReadOnly;
    lTypeCheck = b.nDataType != DATATYPE_ARRAY;
    aOrg = own_;
}

void TDataRow::readSource(std::optional<bool> blank) {
    DataRowSource::Read r = source_->read(fields_, blank);
    own_ = std::move(r.row);
    RecNo = r.recNo;
    lReadOnly = r.readOnly;
    lTypeCheck = r.typeCheck;
    cSrcType = source_->kind();
    aOrg = own_;
}

// ------------------------------------------------------------ fields

int TDataRow::FieldPos(const std::string& name) const {
    const std::string wanted = upper(alltrim(name));
    auto noBlanks = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
        return s;
    };
    for (std::size_t i = 0; i < aPrompts.size(); ++i)
        if (upper(alltrim(aPrompts[i])) == wanted) return static_cast<int>(i) + 1;
    for (std::size_t i = 0; i < aPrompts.size(); ++i)
        if (noBlanks(upper(aPrompts[i])) == wanted) return static_cast<int>(i) + 1;
    for (std::size_t i = 0; i < rows().size(); ++i)
        if (upper(alltrim(rows()[i].name)) == wanted) return static_cast<int>(i) + 1;
    return 0;
}

std::string TDataRow::FieldName(int n) const {
    return n >= 1 && n <= FCount() ? rows()[static_cast<std::size_t>(n - 1)].name : std::string();
}

char TDataRow::FieldType(int n) const {
    return n >= 1 && n <= FCount() ? dataRowType(rows()[static_cast<std::size_t>(n - 1)].value) : 'U';
}

std::string TDataRow::FieldPrompt(int n) const {
    return n >= 1 && n <= static_cast<int>(aPrompts.size()) ? aPrompts[static_cast<std::size_t>(n - 1)] : std::string();
}

void TDataRow::SetPrompt(int n, const std::string& prompt) {
    if (n < 1 || n > FCount()) return;
    const std::string p = alltrim(prompt);
    const std::string up = upper(p);
    const bool own = upper(alltrim(FieldName(n))) == up;
    const bool taken = std::any_of(aPrompts.begin(), aPrompts.end(), [&](const std::string& x) { return upper(x) == up; }) ||
                       std::any_of(rows().begin(), rows().end(),
                                   [&](const TDataBaseRowItem& x) { return upper(alltrim(x.name)) == up; });
    if (own || !taken) aPrompts[static_cast<std::size_t>(n - 1)] = p;
}

void TDataRow::SetPrompt(const std::string& name, const std::string& prompt) {
    const std::string wanted = upper(alltrim(name));
    for (int n = 1; n <= FCount(); ++n)
        if (upper(alltrim(FieldName(n))) == wanted) return SetPrompt(n, prompt);
}

Value TDataRow::FieldGet(const std::string& name) const {
    const int n = FieldPos(name);
    return n ? rows()[static_cast<std::size_t>(n - 1)].value : Value();
}

bool TDataRow::FieldPut(const std::string& name, const Value& v) { return FieldPut(FieldPos(name), v); }

bool TDataRow::FieldPut(int n, const Value& v) {
    if (n < 1 || n > FCount()) return false;
    Value& now = rows()[static_cast<std::size_t>(n - 1)].value;
    if (lTypeCheck && !now.isNil() && dataRowType(now) != dataRowType(v)) return false;
    now = v;
    return true;
}

bool TDataRow::Modified(int n) const {
    if (n > 0) {
        if (n > FCount() || static_cast<std::size_t>(n) > aOrg.size()) return false;
        return !EQUALVAL(rows()[static_cast<std::size_t>(n - 1)].value, aOrg[static_cast<std::size_t>(n - 1)].value);
    }
    for (int i = 1; i <= FCount(); ++i)
        if (Modified(i)) return true;
    return false;
}

void TDataRow::Undo() {
    for (std::size_t i = 0; i < rows().size() && i < aOrg.size(); ++i) rows()[i].value = aOrg[i].value;
}

void TDataRow::End() {
    cSrcType.clear();
    own_.clear();
    shared_ = nullptr;
    object_ = nullptr;
    browse_ = nullptr;
    source_ = nullptr;
}

// ------------------------------------------------------------ saving

bool TDataRow::Save(bool commit) {
    aModiData.clear();
    aModiPos.clear();
    for (int n = 1; n <= FCount(); ++n) {
        const TDataBaseRowItem& item = rows()[static_cast<std::size_t>(n - 1)];
        if (item.edit && Modified(n)) {
            aModiData.push_back(item);
            aModiPos.push_back(n);
        }
    }
    if (bSave) return bSave(*this, commit);
    if (aModiData.empty()) return false;
    bool saved = false;
    if (cSrcType == "DBF") saved = saveDbf(commit);
    else if (cSrcType == "OBJ") saved = saveObj(commit);
    else if (cSrcType == "XBR") saved = saveXbr();
    else if (source_) saved = saveSource();
    else if (cSrcType == "ARR") {
        aOrg = rows();  // the list itself holds the values
        saved = true;
    }
    if (saved && bOnSave) bOnSave(*this);
    return saved;
}

bool TDataRow::saveDbf(bool commit) {
    (void)commit;  // the engine writes through
    std::shared_ptr<DbfArea> area = dbfAreaOf(alias_);
    if (!area || lReadOnly) return false;
    const std::uint32_t noted = area->RecNo();
    if (RecNo == 0 || area->RecCount() == 0) {
        if (!area->Append()) return false;
    } else {
        area->GoTo(static_cast<std::uint32_t>(RecNo));
    }
    bool locked = false;
    for (int tries = 0; tries < kDataRowLockTries && !locked; ++tries) {
        if (tries) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        locked = area->RLock();
    }
    if (!locked) {
        area->GoTo(noted);
        MSGALERT(Value("Record in use"), Value("Please, retry"));
        return false;
    }
    for (const TDataBaseRowItem& item : aModiData)
        if (const int pos = area->FieldPos(item.name)) area->FieldPut(pos, item.value);
    const std::uint32_t written = area->RecNo();
    area->UnLock();
    own_.clear();
    readDbf(false);
    RecNo = static_cast<int>(written);
    area->GoTo(noted);
    return true;
}

bool TDataRow::saveObj(bool commit) {
    if (!object_ || lReadOnly) return false;
    RecNo = object_->RowPut(own_, RecNo, commit);
    aOrg = own_;
    return true;
}

bool TDataRow::saveXbr() {
    if (!browse_ || lReadOnly) return false;
    XBrowseModel& b = *browse_;
    const Value mark = b.src.bBookMark ? b.src.bBookMark() : Value();
    const bool added = RecNo == 0;
    if (added) {
        if (!XBRADDNEWROW(b, browseSource_)) {
            MSGALERT(Value("Can not append new row for the datasource"));
            return false;
        }
    } else if (b.src.bBookGoTo) {
        b.src.bBookGoTo(Value(RecNo));
    }
    bool ok = true;
    for (std::size_t i = 0; i < aModiData.size(); ++i) {
        TXBrwColumn* c = b.oCol(Value(aModiData[i].name));
        if (c && !c->SetValue(aModiData[i].value)) ok = false;
    }
    if (added) ok = XBRSAVENEWROW(b, browseSource_) && ok;
    if (!ok) {
        Undo();
        return false;
    }
    const bool blank = false;
    readXbr(blank);
    if (!added && b.src.bBookGoTo && !mark.isNil()) b.src.bBookGoTo(mark);
    return true;
}

// A failed write keeps the source as it was and the row as read.
bool TDataRow::saveSource() {
    if (!source_ || lReadOnly) return false;
    std::optional<DataRowSource::Read> again = source_->write(aModiData, RecNo, fields_);
    if (!again) {
        Undo();
        return false;
    }
    own_ = std::move(again->row);
    RecNo = again->recNo;
    aOrg = own_;
    return true;
}

bool XBRADDNEWROW(XBrowseModel& browse, TDataBase* source) {
    if (browse.nDataType == DATATYPE_ODBF && source) {
        if (!source->Append()) return false;
        browse.KeyCount();
        return true;
    }
    if (browse.nDataType != DATATYPE_ARRAY || browse.aArrayData.empty()) return false;
    ValueList blankRow;
    const Value& last = browse.aArrayData.back();
    for (const Value& v : last.isList() ? last.list() : ValueList{last}) {
        const char t = dataRowType(v);
        blankRow.push_back(t == 'C' || t == 'N' || t == 'D' || t == 'L' ? UTYPETOBLANK(t, static_cast<int>(CVALTOCHAR(v).size()))
                                                                        : Value());
    }
    browse.aArrayData.push_back(last.isList() ? Value(blankRow) : blankRow.front());
    browse.nLen = static_cast<int>(browse.aArrayData.size());
    browse.GoBottom();
    return true;
}

bool XBRSAVENEWROW(XBrowseModel& browse, TDataBase* source) {
    if (browse.nDataType == DATATYPE_ODBF && source) return !source->lBuffer.value_or(false) || source->Save();
    return true;
}

void BRWROWCHANGE(XBrowseModel& browse) {
    if (browse.nColSel == 1) browse.GoRight();
}

// ------------------------------------------------------------ the dialog

bool TDataRow::Edit(std::optional<bool> readOnly) {
    const bool ro = readOnly.value_or(lReadOnly && !bSave);
    bool result = false;
    if (bEdit) result = bEdit(*this);
    else if (editWindow) result = editWindow(*this, ro);
    End();
    return result;
}

bool TDataRow::EditCellEditable(int n) const {
    return n >= 1 && n <= FCount() && rows()[static_cast<std::size_t>(n - 1)].edit;
}

std::string TDataRow::EditValueText(int n) const {
    if (n < 1 || n > FCount()) return {};
    const TDataBaseRowItem& item = rows()[static_cast<std::size_t>(n - 1)];
    if (item.value.isNumber() && !item.picture.empty()) return CVALTOSTR(item.value, Value(item.picture));
    return CVALTOSTR(item.value);
}

bool TDataRow::EditMayClose(bool readOnly) const {
    return readOnly || !Modified() || MSGYESNO(Value("Exit without save?"));
}

EditDialogLayout editDialogLayout(int browseLeft, int browseWidth, int browseHeight, int fittedWidth,
                                  int fittedHeight, int dialogWidth, int dialogHeight, int buttons, int minWidth) {
    EditDialogLayout l;
    l.browseWidth = std::max(fittedWidth, minWidth);
    l.browseHeight = fittedHeight;
    l.shiftUp = browseHeight - l.browseHeight;
    l.dialogWidth = dialogWidth + (l.browseWidth - browseWidth);
    l.dialogHeight = dialogHeight - l.shiftUp;
    const int last = browseLeft + l.browseWidth - 80;
    for (int i = 0; i < buttons; ++i) l.buttonLeft.push_back(last - 86 * (buttons - 1 - i));
    return l;
}

int editPromptWidth(int width) { return width * 6 / 5; }

int editValueWidth(int width) { return std::min(250, width * 6 / 5); }

}  // namespace wl
