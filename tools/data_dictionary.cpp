#include "data_dictionary.hpp"

#include "dbf_file.hpp"
#include "file_bytes.hpp"
#include "messages.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

namespace {

wl::ValueList valueList(const FieldValues& values) {
    wl::ValueList list;
    for (const std::string& v : values) list.emplace_back(wl::rtrim(v));
    return list;
}

FieldValues fieldValues(const wl::ValueList& record) {
    FieldValues values;
    for (std::size_t i = 0; i < values.size() && i < record.size(); ++i)
        if (record[i].isText()) values[i] = wl::rtrim(record[i].text());
    return values;
}

// Where each map item (from 1) lands; item 14, the length of the data, has
// no column of its own.
constexpr std::optional<DictionaryColumn> kMapItemColumns[] = {
    kFieldName,  kWidth,     kSegment,    kSegmentQualifier, kQualifierPosition, kElementPosition,
    kSubElementPosition,     kConditionalField, kOccurrence, kLevel,             kLineNumber,
    kDescription, kDataStart, std::nullopt, kFunction,       kPreviousSegment,   kPreviousQualifier,
    kPreviousQualifierPosition, kToggleField,
};

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

const std::vector<wl::DbfField>& dictionaryFields() {
    static const std::vector<wl::DbfField> fields = {
        {"FIELDNAME", 'C', 120, 0}, {"DESC", 'C', 255, 0},      {"TRANS", 'C', 255, 0},
        {"WIDTH", 'C', 255, 0},     {"SEGMENT", 'C', 255, 0},   {"SEGQUAL", 'C', 255, 0},
        {"SEGQUALPOS", 'C', 16, 0}, {"ELEMENTPOS", 'C', 16, 0}, {"SUBELPOS", 'C', 16, 0},
        {"CONDFIELD", 'C', 120, 0}, {"OCCURRENCE", 'C', 16, 0}, {"LEVEL", 'C', 5, 0},
        {"LINENO", 'C', 16, 0},     {"DATASPOS", 'C', 16, 0},   {"FUNCTION", 'C', 255, 0},
        {"PREVSEG", 'C', 16, 0},    {"PREVSEGQ", 'C', 16, 0},   {"PREVSEGQP", 'C', 16, 0},
        {"TFIELD", 'C', 120, 0},
    };
    return fields;
}

std::string fieldTablePath(const std::string& folder, const std::string& table) {
    return wl::joinPath(folder, table + ".dbf");
}

bool CTLD51300G(const std::string& folder, const std::string& table) {
    return wl::DbfFile::create(fieldTablePath(folder, table), dictionaryFields()).has_value();
}

std::string CTLD51300H(const DictionaryProfile& profile, const std::string& section, const std::string& key) {
    return profile.read ? profile.read(section, key) : std::string();
}

void CTLD51300B(const DictionaryProfile& profile, const std::string& section, const std::string& key,
                const std::string& value) {
    if (profile.write) profile.write(section, key, value);
}

bool CTLD51300E(const DictionaryProfile& profile, const std::string& table) {
    std::optional<int> free;
    for (int k = 1; k <= kDictionaryTableKeys; ++k) {
        const std::string name = CTLD51300H(profile, kTablesSection, std::to_string(k));
        if (name == table) return true;
        if (name.empty() && !free) free = k;
    }
    if (!free) return false;
    CTLD51300B(profile, kTablesSection, std::to_string(*free), table);
    return true;
}

std::vector<std::string> registeredTables(const DictionaryProfile& profile) {
    std::vector<std::string> names;
    for (int k = 1; k <= kDictionaryTableKeys; ++k) {
        std::string name = CTLD51300H(profile, kTablesSection, std::to_string(k));
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

bool CTLD51302A(const DictionaryProfile& profile, const TableSettings& s) {
    const std::string name = wl::alltrim(s.name);
    if (name.empty() || !CTLD51300E(profile, name)) return false;
    const std::pair<const char*, const std::string*> keys[] = {
        {"File Name", &s.file}, {"Driver", &s.driver}, {"Server", &s.server},   {"DSN", &s.dsn},
        {"User", &s.user},      {"Password", &s.password}, {"Options", &s.options}, {"Directory", &s.folder},
    };
    for (const auto& [key, value] : keys) CTLD51300B(profile, name, key, wl::alltrim(*value));
    return true;
}

std::optional<std::vector<FieldValues>> readFieldTable(const std::string& path) {
    if (!wl::fileExists(path)) return std::nullopt;
    std::optional<wl::DbfFile> file = wl::DbfFile::open(path);
    if (!file) return std::nullopt;
    std::vector<FieldValues> records;
    for (std::uint32_t n = 1; n <= file->recordCount(); ++n) records.push_back(fieldValues(file->read(n)));
    return records;
}

std::optional<FieldValues> readFieldRecord(const std::string& path, std::uint32_t n) {
    if (!wl::fileExists(path)) return std::nullopt;
    std::optional<wl::DbfFile> file = wl::DbfFile::open(path);
    if (!file || n < 1 || n > file->recordCount()) return std::nullopt;
    return fieldValues(file->read(n));
}

std::string CTLD51303A(const std::string& tablePath, const FieldValues& values, std::uint32_t record,
                       FieldWrite mode) {
    if (wl::alltrim(values[kFieldName]).empty()) return "Can't add Blank Field Name";
    std::optional<wl::DbfFile> file = wl::fileExists(tablePath) ? wl::DbfFile::open(tablePath) : std::nullopt;
    if (!file) return "Cant find " + tablePath;
    if (mode == FieldWrite::Append) return file->append(valueList(values)) ? "" : "Cant find " + tablePath;
    if (record < 1 || record > file->recordCount()) return "Cant find " + tablePath;
    return file->write(record, valueList(values)) ? "" : "Cant find " + tablePath;
}

std::vector<std::vector<std::string>> mapFieldLines(std::string_view text) {
    std::vector<std::vector<std::string>> lines;
    std::string collected;
    std::vector<std::string> items;
    bool fieldLine = false;
    for (const char c : text) {
        // Maps written elsewhere end their lines with LF alone: either end
        // closes a line (an LF after a CR closes an empty one).
        if (c == '\r' || c == '\n') {
            if (fieldLine) {
                items.push_back(collected);
                lines.push_back(std::move(items));
            }
            items.clear();
            collected.clear();
            fieldLine = false;
        } else if (c == '=' && !fieldLine && wl::upper(wl::alltrim(collected)) == "FIELD") {
            fieldLine = true;
            collected.clear();
        } else if (c == ',' && fieldLine) {
            items.push_back(collected);
            collected.clear();
        } else {
            collected += c;
        }
    }
    return lines;
}

FieldValues fieldValuesOfMapItems(const std::vector<std::string>& items) {
    FieldValues values;
    for (std::size_t i = 0; i < items.size() && i < std::size(kMapItemColumns); ++i)
        if (kMapItemColumns[i]) values[*kMapItemColumns[i]] = items[i];
    return values;
}

std::string CTL51300A(const std::string& mapPath, const std::string& tablePath) {
    std::optional<wl::DbfFile> file = wl::fileExists(tablePath) ? wl::DbfFile::open(tablePath) : std::nullopt;
    if (!file) return "Missing Table " + tablePath;
    if (!wl::fileExists(mapPath)) return "Missing Map " + mapPath;
    const wl::FileBytes map = wl::readWholeFile(mapPath);
    if (!map.ok()) return "Missing Map " + mapPath;
    for (const std::vector<std::string>& items : mapFieldLines(std::string_view(map.data(), map.size())))
        if (!file->append(valueList(fieldValuesOfMapItems(items)))) return "Missing Table " + tablePath;
    return "";
}

std::string fieldNodeText(const FieldNode& node) {
    return "(" + std::to_string(node.record) + "-" + node.table + ") " + node.field;
}

std::optional<FieldNode> parseFieldNode(std::string_view text) {
    if (!startsWith(text, "(")) return std::nullopt;
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const std::size_t close = text.find(") ", dash);
    if (close == std::string_view::npos) return std::nullopt;
    FieldNode node;
    const std::string_view number = text.substr(1, dash - 1);
    if (number.empty() || number.size() > 9) return std::nullopt;
    for (const char c : number) {
        if (c < '0' || c > '9') return std::nullopt;
        node.record = node.record * 10 + static_cast<std::uint32_t>(c - '0');
    }
    node.table = std::string(text.substr(dash + 1, close - dash - 1));
    node.field = std::string(text.substr(close + 2));
    return node;
}

void CTLD51300A(ToolTree& tree, const std::string& folder, const DictionaryProfile& profile) {
    const ToolNode root = tree.addRoot("Primary Table");
    const std::vector<std::string> tables = registeredTables(profile);
    for (const std::string& table : tables) {
        const ToolNode node = tree.addChild(root, table);
        const std::optional<std::vector<FieldValues>> records = readFieldTable(fieldTablePath(folder, table));
        if (!records) {
            tree.addChild(node, "Build Table for " + table);
            continue;
        }
        const ToolNode fields = tree.addChild(node, "Available Fields (" + std::to_string(records->size()) + ")");
        for (std::size_t i = 0; i < records->size(); ++i)
            tree.addChild(fields, fieldNodeText({static_cast<std::uint32_t>(i + 1), table,
                                                 wl::alltrim((*records)[i][kFieldName])}));
        tree.addChild(node, "Add Field to " + table);
    }
    if (tables.empty()) tree.addChild(root, "Create a Primary Table");
    tree.addChild(root, "Options");
}

const std::vector<FieldTreeRow>& fieldTreeRows() {
    static const std::vector<FieldTreeRow> rows = {
        {"Field Description", kDescription},
        {"X12 Transaction", kTransaction},
        {"Field Width", kWidth},
        {"Segment", kSegment},
        {"Segment Qualifier", kSegmentQualifier},
        {"Segment Qulaifier Position", kQualifierPosition},
        {"Previous Segment", kPreviousSegment},
        {"Previous Segment Qualifier", kPreviousQualifier},
        {"Previous Segment Qulaifier Position", kPreviousQualifierPosition},
        {"Element Position", kElementPosition},
        {"Sub-Element Position", kSubElementPosition},
        {"Conditional Field", kConditionalField},
        {"Toggle Field", kToggleField},
        {"Occurrence", kOccurrence},
        {"Level", kLevel},
        {"Line Number", kLineNumber},
        {"Data Starting Position", kDataStart},
        {"Function", kFunction},
    };
    return rows;
}

void CTLD51300F(ToolTree& tree, const std::string& folder, const std::string& heading) {
    const ToolNode root = tree.addRoot(heading);
    const std::optional<FieldNode> node = parseFieldNode(heading);
    if (!node) return;
    const std::optional<FieldValues> values = readFieldRecord(fieldTablePath(folder, node->table), node->record);
    if (!values || wl::alltrim((*values)[kFieldName]) != node->field) return;
    tree.addChild(tree.addChild(root, "Field Name"), (*values)[kFieldName]);
    for (const FieldTreeRow& row : fieldTreeRows()) {
        const std::string& value = (*values)[row.column];
        if (!wl::alltrim(value).empty()) tree.addChild(tree.addChild(root, row.label), value);
    }
}

DictionaryChoice dictionaryChoice(const std::string& text, DictionaryTree tree) {
    using A = DictionaryAction;
    const auto choice = [](A action, std::string table = {}, bool secondary = false) {
        return DictionaryChoice{action, std::move(table), secondary};
    };
    if (text == "Options") return choice(A::Options);
    if (text == "Create a Primary Table") return choice(A::NewTable);
    if (text == "Create a Secondary Table") return choice(A::NewTable, "", true);
    if (startsWith(text, "Build Table for ")) return choice(A::BuildTable, text.substr(16));
    if (startsWith(text, "Add Field to ")) return choice(A::AddField, text.substr(13));
    if (startsWith(text, "(")) return choice(tree == DictionaryTree::Left ? A::ShowField : A::EditField);
    if (tree == DictionaryTree::Right || text == "Primary Table" || startsWith(text, "Available Fields ("))
        return choice(A::None);
    return choice(A::EditTable, text);
}

TableDialogStart tableDialogStart(const std::string& nodeText, bool existing, const std::string& folder,
                                  const DictionaryProfile& profile) {
    TableDialogStart s;
    s.title = nodeText;
    s.secondary = nodeText.find("Secondary") != std::string::npos;
    s.folder = folder;
    if (existing) {
        s.name = nodeText;
        s.file = CTLD51300H(profile, nodeText, "File Name");
    } else {
        s.name = s.secondary ? "Data Dictionary Secondary Table" : "Data_Dictionary";
        if (!s.secondary) s.file = "Data_Dictionary";
    }
    s.note = nodeText + (s.secondary ? " B" : " A");
    return s;
}

void CTLD51302C(const std::string& nodeText, const std::string& folder, const std::string& table) {
    if (nodeText != "Import Map") return;
    if (!wl::MSGYESNO(wl::Value("Import Map?"), wl::Value("Import Map?"))) return;
    wl::FileDialogRequest r;
    r.filter = "*.cfg";
    r.title = "Select a Map File";
    r.initialDir = folder;
    const std::string map = wl::CGETFILE(r);
    if (map.empty()) return;
    const std::string tablePath = fieldTablePath(folder, table);
    if (!wl::fileExists(tablePath)) {
        wl::MSGINFO(wl::Value("dtable not there " + tablePath));
        return;
    }
    const std::string problem = CTL51300A(map, tablePath);
    if (!problem.empty()) wl::MSGINFO(wl::Value(problem));
}

FieldToEdit fieldToEdit(const std::string& folder, const std::string& nodeText) {
    FieldToEdit edit;
    const std::optional<FieldNode> node = parseFieldNode(nodeText);
    if (!node) {
        edit.problem = "Error db#xfld";
        return edit;
    }
    edit.table = node->table;
    edit.tablePath = fieldTablePath(folder, node->table);
    edit.record = node->record;
    if (!readFieldTable(edit.tablePath)) {
        edit.problem = "Error Can't find " + edit.tablePath;
        return edit;
    }
    const std::optional<FieldValues> values = readFieldRecord(edit.tablePath, node->record);
    if (!values || wl::alltrim((*values)[kFieldName]) != node->field) {
        edit.problem = "Error db#xfld";
        return edit;
    }
    edit.values = *values;
    return edit;
}

const std::vector<FieldDialogRow>& fieldDialogRows() {
    static const std::vector<FieldDialogRow> rows = {
        {"Field Name ", kFieldName, 120},
        {"Width ", kWidth, 16},
        {"Type ", std::nullopt, 0},
        {"Description ", kDescription, 255},
        {"Conditional Field ", kConditionalField, 120},
        {"Toggle Field ", kToggleField, 120},
        {"Transaction ", kTransaction, 5},
        {"Segment ", kSegment, 5},
        {"Qualifier ", kSegmentQualifier, 5},
        {"Position ", kQualifierPosition, 5},
        {"Previous Segment ", kPreviousSegment, 5},
        {"Qualifier", kPreviousQualifier, 5},
        {"Position", kPreviousQualifierPosition, 5},
        {"Element Position ", kElementPosition, 5},
        {"Sub-Element Position ", kSubElementPosition, 5},
        {"Level ", kLevel, 5},
        {"Occurrence ", kOccurrence, 5},
        {"Service Line Number ", kLineNumber, 5},
        {"Data Starting Position ", kDataStart, 5},
        {"Function ", kFunction, 255},
    };
    return rows;
}

}  // namespace zr
