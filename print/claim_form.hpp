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

// Where the two CMS-1500 layouts differ: the form printer's and the older
// copy's (CTL394PRTX), which marks the sex at other columns and takes box
// 25's tax id from the billing provider's identifier.
struct Cms1500Layout {
    std::size_t maleColumn = 41;
    std::size_t femaleColumn = 46;
    bool taxIdFromBillingId = false;
};
inline constexpr Cms1500Layout kOlderCms1500Layout{43, 38, true};

// The forms of sub-claim j of claim k (at least one).
std::vector<FormRows> cms1500Forms(const ClaimFields& fields, long long k, int j, const Cms1500Layout& layout = {});
// The forms of claims first..last, each CLM of each claim in turn.
std::vector<FormRows> cms1500Range(const ClaimFields& fields, long long first, long long last,
                                   const Cms1500Layout& layout = {});

// The UB (CMS-1450) form of institutional claims on the same grid: the
// providers, claim and patient rows 1 to 8, up to 22 service lines a form
// on rows 17 to 38, and the principal and other diagnoses, eight a row,
// on rows 40 and 41 (below the service lines, which they would cover).
inline constexpr std::size_t kUbLinesPerForm = 22;
inline constexpr int kUbFirstLineRow = 17;
inline constexpr int kUbDiagnosisRow = 40;
// The service lines of sub-claim j of claim k: ILINEn counted while not empty.
std::size_t ubServiceLines(const ClaimFields& fields, long long k, int j);
std::vector<FormRows> ubForms(const ClaimFields& fields, long long k, int j);
std::vector<FormRows> ubRange(const ClaimFields& fields, long long first, long long last);
// A service line's amount as a number of 11 characters with 2 decimals.
std::string ubAmount(std::string_view amount);

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
// A sheet of that many pixels cut into 66 rows by 85 columns, the rows
// from 0.30 of a row down and 0.01 of a column in, moved by the offsets.
FormPlacement formPlacementOnSheet(double width, double height, const FormConfig& config);

// The screen picture of a form: 712 by 920 pixels.
inline constexpr int kFormPictureWidth = 712, kFormPictureHeight = 920;
// A name (without extension) in the folder for a form's picture pair
// ".bmp" and ".tif": "test", else "test2", "test3"... the first for which
// neither file exists, so that no earlier picture is overwritten.
std::string freshFormPictureName(const std::string& folder);

}  // namespace zr
