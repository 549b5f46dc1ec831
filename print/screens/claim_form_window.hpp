// The CMS-1500 form's windows: the printer path with its preview, the PDF
// path through the printer object and the PDF writer, the print question
// and the form-alignment dialog that writes "form.cfg".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "claim_form.hpp"
#include "paged_print_window.hpp"

namespace zr {

// CTL394PRTI: prints the forms of claims first..last with the printer's
// preview (or to the target's PDF), reading "form.cfg" and the options of
// "zr.ini" in `folder` ("" for the working folder). "" when printed,
// "ERROR PLEN=0" for a printer whose resolution reads 0.
std::string CTL394PRTI(const ClaimFields& fields, long long first, long long last, const std::string& folder = "",
                       const PrintTarget& target = {});

// CTL394PRTX: the older copy of the printer path, with its own layout
// (kOlderCms1500Layout). Nothing calls it.
std::string CTL394PRTX(const ClaimFields& fields, long long first, long long last, const std::string& folder = "",
                       const PrintTarget& target = {});

// CTL394PRTW: the UB (CMS-1450) forms of claims first..last on the printer
// with its preview, as CTL394PRTI prints the CMS-1500.
std::string CTL394PRTW(const ClaimFields& fields, long long first, long long last, const std::string& folder = "",
                       const PrintTarget& target = {});

// The image format question of the screen picture (format picker kind 4):
// its letter, "" for Cancel.
using ImageFormatQuestion = std::function<std::string()>;

// What the screen picture wrote: one ".bmp" per form and its ".tif" when
// the image library could write one.
struct FormPictures {
    std::vector<std::string> bitmaps;
    std::vector<std::string> tiffs;
};

// CTL394PRTO: the forms drawn as 712 x 920 pictures (with "form.cfg" and
// the options of `folder`) in the window "test", each saved in
// `pictureFolder` ("" for the current one) under a name no earlier picture
// holds. "ERROR PLEN=0" on a screen smaller than the picture.
std::string CTL394PRTO(const ClaimFields& fields, long long first, long long last, const std::string& folder,
                       const ImageFormatQuestion& question, FormPictures* written = nullptr,
                       const std::string& pictureFolder = "");

// CTL394PRTM: the forms written to "test.pdf" of the current folder (or the
// target's PDF) by the library's PDF writer; the file's name and
// "  Created" are shown, or that PDF is not available.
std::string CTL394PRTM(const ClaimFields& fields, long long first, long long last, const std::string& folder = "",
                       const PrintTarget& target = {});

// CTL394PRTK: the modal "Form Alignment Offset" dialog over "form.cfg" of
// the folder; answers the text last written.
std::string CTL394PRTK(const std::string& folder = "");

// The print question of the form: shows the format question (kind 3) and
// answers its letter; "Form Control" runs the alignment.
using FormPrintQuestion = std::function<std::string(const std::function<void()>& formControl)>;

// CTL394PRTP: asks through `question` and on "A" prints claims 1..count.
void CTL394PRTP(const ClaimFields& fields, long long claimCount, const std::string& folder,
                const FormPrintQuestion& question, const PrintTarget& target = {});

// CTL394PRTV: the UB form's output choice; only "A", the printer, prints
// (its "Form Control" does nothing). Nothing calls it.
void CTL394PRTV(const ClaimFields& fields, long long claimCount, const std::string& folder,
                const FormPrintQuestion& question, const PrintTarget& target = {});

}  // namespace zr
