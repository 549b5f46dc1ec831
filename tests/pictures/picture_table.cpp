#include "picture_table.hpp"

#include <windows.h>

#include "data_dictionary_window.hpp"
#include "examples_installer_window.hpp"
#include "hl7_viewer.hpp"
#include "system_info.hpp"
#include "schema_dialogs.hpp"

namespace zrpictures {

namespace {

// The schema generator over a schema file (in the scratch folder) naming
// the map for 837 professional claims.
std::shared_ptr<void> openSchemaGenerator(const std::string& map) {
    const std::string text = "[transactions]\r\n837P=" + map + "\r\n";
    HANDLE f = CreateFileA("schema.ini", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    zr::CTLD50900("schema.ini");
    return nullptr;
}

// The examples installer over a list of examples as the server sends it.
std::shared_ptr<void> openExamplesInstaller(const std::string& list) {
    CopyFileA(list.c_str(), zr::kExamplesListFile, FALSE);
    zr::examplesInstallerWindow(zr::examplesInstallerPlaces("ZRK7W315"));
    return nullptr;
}

// The Data Dictionary over a table "Claims" filled from the map, the
// window left open; `then` chooses a node.
std::shared_ptr<void> openDictionary(const std::string& map, const std::function<void(zr::DataDictionaryWindow&)>& then) {
    const std::string folder = wl::currentFolder();
    const zr::DictionaryProfile profile = zr::systemDictionaryProfile();
    zr::TableSettings claims;
    claims.name = claims.file = "Claims";
    claims.driver = "DBF";
    zr::CTLD51302A(profile, claims);
    zr::CTLD51300G(folder, "Claims");
    zr::CTL51300A(map, zr::fieldTablePath(folder, "Claims"));
    std::shared_ptr<zr::DataDictionaryWindow> window = zr::CTLD51300(folder);
    then(*window);
    return window;
}

}  // namespace

const std::vector<Picture>& pictureTable() {
    using C = zr::MainCommand;
    const std::string oneSet = "samples/imsweb-x12-parser/x12_many_claims.txt";
    const std::string remittance = "samples/stupidedi/X221A1-multiple-claims-single-check.edi";
    // Its last claim has no line 1: the claims screen names the type so.
    const std::string claims = "View X12 837 Version 5010 CLAIM TYPE ERROR";
    const std::pair<std::string, std::string> viewData{claims, "View Data"};
    // A map whose fields ask for previous segments and toggles.
    const std::string previousMap = "fixtures/engine/previous_toggle/map.cfg";
    static const std::vector<Picture> table = {
        {"main-window.png", std::nullopt, "", {}, {}, "X12 Parser"},
        {"viewer-837-claims.png", C::ViewX12, oneSet, {}, {}, claims},
        {"viewer-segment-list.png", C::ViewX12, oneSet, {}, {viewData}, "View X12 "},
        {"viewer-segment-list-loops.png", C::ViewX12, oneSet, {}, {viewData, {"View X12 ", "Change View"}, {"View X12 ", "Change View"}, {"View X12 ", "Change View"}, {"View X12 ", "Change View"}}, "View X12 "},
        {"viewer-search.png", C::ViewX12, oneSet, {}, {viewData, {"View X12 ", "Search"}}, "Search"},
        {"viewer-go-to.png", C::ViewX12, oneSet, {}, {viewData, {"View X12 ", "Go To"}}, "Go To Segement"},
        {"viewer-segment-elements.png", C::ViewX12, oneSet, {}, {viewData, {"View X12 ", "Select"}}, "ISA Segment "},
        {"viewer-element.png", C::ViewX12, oneSet, {}, {viewData, {"View X12 ", "Select"}, {"ISA Segment ", "Select"}}, "Segment ISA Element 1"},
        {"viewer-remittance.png", C::ViewX12, remittance, {}, {}, "View X12 835 Version 5010"},
        {"viewer-remittance-detail.png", C::ViewX12, remittance, {}, {{"View X12 835 Version 5010", "Select"}}, " Remittance Data "},
        {"viewer-remittance-detail-loops.png", C::ViewX12, remittance, {}, {{"View X12 835 Version 5010", "Select"}, {" Remittance Data ", "Change View"}}, " Remittance Data "},
        // The 835 listing's field picker with two fields added.
        {"export-field-select.png", C::ViewX12, remittance, {}, {{"View X12 835 Version 5010", "Listing"}, {"Print Field Select", "Add"}, {"Print Field Select", "Add"}}, "Print Field Select"},
        {"viewer-interchange-picker.png", C::ViewX12, "samples/imsweb-x12-parser/x12_multiple_isa.txt", {}, {}, "Select Interchange Control Batch (ISA)"},
        {"viewer-set-picker.png", C::ViewX12, "samples/imsweb-x12-parser/x12_multiple_st.txt", {true}, {}, "Select Transaction Set (ST)"},
        {"viewer-acknowledgement.png", C::ViewX12, "samples/staedi/invalid999.edi", {}, {}, "997/999 Acknowledgement"},
        {"viewer-claim-data.png", C::ViewX12, "fixtures/x12/claims_837p.x12", {}, {{"View X12 837 Version 5010 PROFESSIONAL", "Select"}}, " Claim Data "},
        {"viewer-message.png", C::ViewX12, "fixtures/x12/864_message.x12", {}, {}, "View X12 "},
        {"csv-viewer.png", C::ViewCsv, "fixtures/engine/default_837p/expected.csv", {}, {}, "View CSV File"},
        {"viewer-claim-status.png", C::ViewX12, "samples/LinuxForHealth-x12/claim-level-status.277", {}, {}, "View X12 277"},
        {"viewer-claim-status-detail.png", C::ViewX12, "samples/LinuxForHealth-x12/claim-level-status.277", {}, {{"View X12 277", "Select"}}, " Response Data "},
        {"viewer-eligibility.png", C::ViewX12, "samples/node-x12/271.edi", {}, {}, "View X12 271"},
        {"viewer-eligibility-detail.png", C::ViewX12, "samples/node-x12/271.edi", {}, {{"View X12 271", "Select"}}, " Eligibility Data "},
        {"conversion-dialog.png", C::X12Parser, "", {}, {}, "X12 Torvel Parser"},
        {"conversion-source-format.png", C::X12Parser, "", {}, {{"X12 Torvel Parser", "-"}}, "Source Format"},
        {"conversion-output-type.png", C::X12Parser, "", {}, {{"X12 Torvel Parser", "-"}, {"Source Format", "X12"}}, "Parser Output Type"},
        {"information.png", C::Information, "", {}, {}, "Information"},
        {"file-information.png", C::FileInformation, "samples/LinuxForHealth-x12/two-claims-single-provider.837i", {}, {{"X12 File Information", "Select a File"}}, "X12 File Information"},
        {"examples.png", C::Examples, "", {}, {{"X12 Torvel Parser Examples", "Download List of Available Examples"}}, "X12 Torvel Parser Examples"},
        {"projects.png", C::Projects, "", {}, {{"X12 Torvel Parser Project Samples", "Download List of Available Projects"}}, "X12 Torvel Parser Project Samples"},
        {"file-compare.png", C::FileCompare, "samples/LinuxForHealth-x12/two-claims-single-provider.837i", {}, {{"X12 File Compare", "Select a File"}}, "X12 File Compare"},
        // A map generated in the tool (837 professional, transaction based,
        // the defaults), then reviewed.
        {"mapping-tool.png", C::MappingTool, "", {true, false, true, true, true, true},
         {{"Parser Mapping Tool", "Generate"}, {"Generate X12N Configuration", "837 Professional Claim"},
          {"Select x12 Version Mapping Option", "Transaction Based"}, {"Number of Service Lines", "Continue"},
          {"Save Map", "Continue"}, {"Parser Mapping Tool", "Review"}},
         "Parser Mapping Tool"},
        // Entries no menu starts.
        {"schema-generator.png", std::nullopt, previousMap, {}, {}, "Schema Generator", openSchemaGenerator},
        {"schema-editor.png", std::nullopt, previousMap, {}, {{"Schema Generator", "Edit Schema"}}, "Schema Editor", openSchemaGenerator},
        {"schema-table.png", std::nullopt, previousMap, {}, {{"Schema Generator", "Edit Schema"}, {"Schema Editor", "Add Table"}}, "Add Table", openSchemaGenerator},
        {"schema-field-chooser.png", std::nullopt, previousMap, {}, {{"Schema Generator", "Edit Schema"}, {"Schema Editor", "Add Table"}, {"Add Table", "Add Field"}, {"Select a Transaction Type", "Select"}}, "Add Field to Table", openSchemaGenerator},
        {"hl7-viewer.png", std::nullopt, "fixtures/tools/admission.hl7", {}, {}, "HL7 Viewer",
         [](const std::string& file) { zr::CTLD48700("", file); return std::shared_ptr<void>(); }},
        {"examples-installer.png", std::nullopt, "fixtures/tools/examples.xml", {}, {}, "Download Examples", openExamplesInstaller},
        {"data-dictionary.png", std::nullopt, previousMap, {}, {}, "Data Dictionary",
         [](const std::string& map) { return openDictionary(map, [](zr::DataDictionaryWindow& w) { w.choose("(3-Claims) SUBDOB", zr::DictionaryTree::Left); }); }},
        {"data-dictionary-table.png", std::nullopt, previousMap, {}, {}, "Claims",
         [](const std::string& map) { return openDictionary(map, [](zr::DataDictionaryWindow& w) { w.choose("Claims", zr::DictionaryTree::Left); }); }},
        {"data-dictionary-field.png", std::nullopt, previousMap, {}, {}, "Edit Field in Claims",
         [](const std::string& map) { return openDictionary(map, [](zr::DataDictionaryWindow& w) { w.choose("(2-Claims) SUBADDR1", zr::DictionaryTree::Right); }); }},
    };
    return table;
}

}  // namespace zrpictures
