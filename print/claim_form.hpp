// The CMS-1500 claim form laid out without a printer: 61 rows of text on a
// grid of 66 rows by 85 columns, filled from the 837 claim getters, six
// service lines a form; the alignment file "form.cfg"; the form's text
// output. The printer, PDF and alignment windows live in
// print/screens/claim_form_window.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "claim_getters.hpp"

namespace zr {

// "form.cfg": art switch, form revision and the layout's offsets in
// printer pixels.
struct FormConfig {
    std::string art = "ON";
    std::string revision = "0805";
    int vertical = 0;
    int horizontal = 0;
    bool operator==(const FormConfig&) const = default;
};

// The file's one line of tagged text, offsets right-aligned in three.
std::string formConfigText(const FormConfig& config);
// Reads "form.cfg" of the folder; the defaults (with `defaultRevision`)
// when it is missing.
FormConfig readFormConfig(const std::string& folder, const std::string& defaultRevision = "0805");
// The path of "form.cfg" in a folder ("" for the current one).
std::string formConfigPath(const std::string& folder);

// CTL394PRTL: writes the file (replacing it) and answers its text; "" when
// it cannot be written.
std::string CTL394PRTL(const std::string& fileName, int vertical, int horizontal, const std::string& art,
                       const std::string& revision);

// CTL394PRTU: the diagnosis pointer letter, "1".."12" -> "A".."L".
std::string CTL394PRTU(std::string_view pointer);

// One printed form: rows 1 to 61 (index 0 is row 1).
using FormRows = std::array<std::string, 61>;

// The service lines of sub-claim j of claim k: PROCn counted while not
// empty. Every line is printed, six a form, so a claim of more than 54
// lines takes as many forms as it needs.
std::size_t formServiceLines(const ClaimFields& fields, long long k, int j);

// The forms of sub-claim j of claim k (at least one).
std::vector<FormRows> cms1500Forms(const ClaimFields& fields, long long k, int j);
// The forms of claims first..last, each CLM of each claim in turn.
std::vector<FormRows> cms1500Range(const ClaimFields& fields, long long first, long long last);

// The option letters the form printers start from (mode 6 of "zr.ini").
inline constexpr std::string_view kPrinterFormOptions =
    "AAAAAAABAABABABAAAAAAAAAAAAAGAAAAAAACAAAAAAAAAAAAAAAAAAAAAAAAAAA";
inline constexpr std::string_view kTextFormOptions =
    "AAAAAAABAABAAABAAAAAAAAAAAAAGAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";

// CTL394PRTN: the forms as text: each form three empty lines and its rows
// cut to 80, CR LF after each line, 72 lines a form with option 40 "A",
// 65 lines and a form feed with "B".
std::string CTL394PRTN(const std::vector<FormRows>& forms, std::string_view options = kTextFormOptions);

// The print font of option 29.
struct FormFont {
    std::string face;
    int points = 10;
};
FormFont formFont(std::string_view options);

// Where the rows land on the printed page, in printer pixels.
struct FormPlacement {
    double rowHeight = 0;
    double columnWidth = 0;
    double top = 0;   // row 1
    double left = 0;  // column 0
    bool usable() const { return rowHeight > 0 && columnWidth > 0; }
};
// A page 11 by 8.5 inches at the printer's pixels per inch, 66 rows by 85
// columns, moved by the configuration's offsets.
FormPlacement formPlacement(int pixelsPerInchX, int pixelsPerInchY, const FormConfig& config);

}  // namespace zr
