#include "picture_table.hpp"

namespace zrpictures {

const std::vector<Picture>& pictureTable() {
    using C = zr::MainCommand;
    const std::string oneSet = "samples/imsweb-x12-parser/x12_many_claims.txt";
    const std::string remittance = "samples/stupidedi/X221A1-multiple-claims-single-check.edi";
    static const std::vector<Picture> table = {
        {"main-window.png", std::nullopt, "", {}, {}, "X12 Parser"},
        {"viewer-segment-list.png", C::ViewX12, oneSet, {}, {}, "View X12 "},
        {"viewer-segment-list-loops.png", C::ViewX12, oneSet, {}, {{"View X12 ", "Change View"}, {"View X12 ", "Change View"}, {"View X12 ", "Change View"}, {"View X12 ", "Change View"}}, "View X12 "},
        {"viewer-search.png", C::ViewX12, oneSet, {}, {{"View X12 ", "Search"}}, "Search"},
        {"viewer-go-to.png", C::ViewX12, oneSet, {}, {{"View X12 ", "Go To"}}, "Go To Segement"},
        {"viewer-segment-elements.png", C::ViewX12, oneSet, {}, {{"View X12 ", "Select"}}, "ISA Segment "},
        {"viewer-element.png", C::ViewX12, oneSet, {}, {{"View X12 ", "Select"}, {"ISA Segment ", "Select"}}, "Segment ISA Element 1"},
        {"viewer-remittance.png", C::ViewX12, remittance, {}, {}, "View X12 835 Version 5010"},
        {"viewer-remittance-detail.png", C::ViewX12, remittance, {}, {{"View X12 835 Version 5010", "Select"}}, " Remittance Data "},
        {"viewer-remittance-detail-loops.png", C::ViewX12, remittance, {}, {{"View X12 835 Version 5010", "Select"}, {" Remittance Data ", "Change View"}}, " Remittance Data "},
        {"viewer-interchange-picker.png", C::ViewX12, "samples/imsweb-x12-parser/x12_multiple_isa.txt", {}, {}, "Select Interchange Control Batch (ISA)"},
        {"viewer-set-picker.png", C::ViewX12, "samples/imsweb-x12-parser/x12_multiple_st.txt", {true}, {}, "Select Transaction Set (ST)"},
        {"conversion-dialog.png", C::X12Parser, "", {}, {}, "X12 Torvel Parser"},
        {"conversion-source-format.png", C::X12Parser, "", {}, {{"X12 Torvel Parser", "-"}}, "Source Format"},
        {"conversion-output-type.png", C::X12Parser, "", {}, {{"X12 Torvel Parser", "-"}, {"Source Format", "X12"}}, "Parser Output Type"},
        {"information.png", C::Information, "", {}, {}, "Information"},
    };
    return table;
}

}  // namespace zrpictures
