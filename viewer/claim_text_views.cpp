#include "claim_text_views.hpp"

#include <functional>
#include <string>

#include "money_form.hpp"
#include "text.hpp"

namespace zr {

namespace {

// A line is shown "when its value is not empty": trimmed, that is.
bool present(const std::string& value) { return !wl::alltrimView(value).empty(); }

std::string blanks(std::size_t n) { return std::string(n, ' '); }

// Writes lines from a position on: over the list's elements while there
// are any, then appending.
class ViewWriter {
public:
    ViewWriter(std::vector<std::string>& lines, std::size_t at) : lines_(lines), at_(at) {}
    void line(std::string text) {
        if (at_ < lines_.size())
            lines_[at_] = std::move(text);
        else
            lines_.push_back(std::move(text));
        ++at_;
    }
    void blank() { line(""); }
    // label + value, when the value is not empty.
    void lineIf(const std::string& label, const std::string& value) {
        if (present(value)) line(label + value);
    }

private:
    std::vector<std::string>& lines_;
    std::size_t at_;
};

// The values of one claim, read with one sub-claim number.
struct ClaimValues {
    const ClaimFields& fields;
    long long k;
    int j;
    std::string operator()(const std::string& name) const { return fields.claim(j, k, name); }
    std::string header(const std::string& name) const { return fields.header(k, name); }
    ClaimValues clm(int i) const { return {fields, k, i}; }
};

// One party's names: a prefix ("ATTEND", "BILLINGPROVIDER") read from the
// claim or from the file's header.
struct Party {
    const ClaimValues& v;
    std::string prefix;
    bool header = false;
    std::string operator()(const std::string& suffix) const {
        return header ? v.header(prefix + suffix) : v(prefix + suffix);
    }
};

// First name, the middle initial and ". " when there is one, last name.
std::string personName(const std::string& first, const std::string& mi, const std::string& last) {
    return first + " " + (present(mi) ? mi + ". " : "") + last;
}

// Last name, ", ", first name, " ", the middle initial: as forms print it.
std::string formName(const Party& p) { return p("LNAME") + ", " + p("FNAME") + " " + p("MI"); }

// ADDR1, ADDR2 and the city line, each shown when its first name is not empty.
void addressLines(ViewWriter& w, const Party& p, std::size_t indent, const std::string& state = "ST") {
    w.lineIf(blanks(indent), p("ADDR1"));
    w.lineIf(blanks(indent), p("ADDR2"));
    if (present(p("CITY"))) w.line(blanks(indent) + p("CITY") + ", " + p(state) + " " + p("ZIP"));
}

// The identifier line, shown when there is an identifier.
void identifierLine(ViewWriter& w, const Party& p, std::size_t indent, const std::string& separator = " : ") {
    if (present(p("ID"))) w.line(blanks(indent) + p("IDTYPE") + separator + p("ID"));
}

// The secondary identifiers, while their codes go on (at most 98).
void secondaryIdentifiers(ViewWriter& w, const Party& p, std::size_t indent) {
    for (int n = 1; n <= 98; ++n) {
        const std::string s = std::to_string(n);
        if (!present(p("SECONDARYIDCODE" + s))) break;
        w.line(blanks(indent) + p("SECONDARYIDTYPE" + s) + "  :  " + p("SECONDARYID" + s));
    }
}

// The family's name for repeat nn: "OTHERDX07".
std::string repeatName(const std::string& family, int nn) { return family + (nn < 10 ? "0" : "") + std::to_string(nn); }

// A repeat label of fixed width: `lead` blanks before a one-digit number,
// one fewer before a two-digit number.
std::string repeatLabel(std::size_t lead, const std::string& text, int n) {
    return blanks(n >= 10 && lead > 0 ? lead - 1 : lead) + text + " " + std::to_string(n) + " : ";
}

// ------------------------------------------------------------ detail view

void subscriberBlock(ViewWriter& w, const ClaimValues& v) {
    w.line("Subscriber:");
    w.line("      " + personName(v("SUBFNAME"), v("SUBMI"), v("SUBLNAME")));
    const std::string sex = v("SUBSEX"), dob = v("SUBDOB");
    if (present(sex) || present(dob)) {
        const std::string gender = sex == "M" ? "      Male" : sex == "F" ? "      Female" : "";
        w.line(gender + "   Birthdate : " + dob);
    }
    addressLines(w, Party{v, "SUB"}, 6);
    w.line("      " + v("SUBORDER") + " Coverage");
    w.line("         " + v("PAYERNAME"));
    addressLines(w, Party{v, "PAYER"}, 9, "STATE");
    w.lineIf("     Group Name ", v("SUBGROUPNAME"));
    w.blank();
    w.lineIf("Subscriber Relation to Patient : ", v("SUBREL"));
}

void patientBlock(ViewWriter& w, const ClaimValues& v) {
    if (!present(v("PATREL"))) return;
    w.blank();
    w.line("Patient:");
    w.line("      " + personName(v("PATFNAME"), v("PATMI"), v("PATLNAME")));
    w.line("      " + v("PATADDR1"));
    w.lineIf("      ", v("PATADDR2"));
    w.line("      " + v("PATCITY") + ", " + v("PATST") + " " + v("PATZIP"));
    w.blank();
    w.line("Patient Relation to Subscriber : " + v("PATREL"));
    if (present(v("PATDOB"))) {
        w.blank();
        w.line("Patient Date of Birth : " + v("PATDOB"));
    }
    const std::string sex = v("PATSEX");
    if (present(sex)) {
        w.line(sex == "M" ? "      Gender : Male" : sex == "F" ? "       Gender : Female" : "");
        w.blank();
    }
}

void coverageBlocks(ViewWriter& w, const ClaimValues& v) {
    const std::pair<const char*, const char*> coverages[] = {{"PRIMARY", "Primary Insurance Subscriber:"},
                                                             {"SECONDARY", "SECONDARY Insurance Subscriber:"},
                                                             {"TERTIARY", "TERTIARY Insurance Subscriber:"}};
    for (const auto& [prefix, heading] : coverages) {
        const Party p{v, prefix};
        if (!present(p("SUBLNAME"))) continue;
        w.blank();
        w.blank();
        w.line(heading);
        w.line("      " + personName(p("SUBFNAME"), p("SUBMI"), p("SUBLNAME")));
        w.blank();
        w.lineIf("         ", p("PAYERNAME"));
        addressLines(w, Party{v, std::string(prefix) + "PAYER"}, 9, "STATE");
        w.lineIf("         Group Name:", p("GROUPNAME"));
        w.lineIf("         Group ID:", p("GROUPID"));
        w.lineIf("         Subscriber ID:", p("SUBID"));
        w.lineIf("         Payer ID:", p("PAYERID"));
    }
}

// The claim block of each CLM of the loop, 1 to j, each read as its own CLM.
void clmBlocks(ViewWriter& w, const ClaimValues& v) {
    for (int i = 1; i <= v.j; ++i) {
        const ClaimValues c = v.clm(i);
        w.blank();
        if (v.j > 1) w.line("   Claim : " + std::to_string(i));
        w.line("Claim ID : " + c("CLAIMID") + "   Claim Amount : " + CTL39410W(c("CLAIMAMT")));
        w.lineIf("    Provider Signature On File : ", c("PROVSIGNATUREONFILE"));
        w.lineIf("             Accept Assignment : ", c("PROVACCEPTASSIGNMENTCODE"));
        w.lineIf("             Benefit Indicator : ", c("BENEFITINDICATOR"));
        w.lineIf("        Release of Information : ", c("RELEASEOFINFORMATION"));
        w.lineIf("                 Related Cause : ", c("RELATEDCAUSE"));
        w.lineIf("    Clearing Service ID Number : ", c("CLEARINGIDNUMBER"));
        w.lineIf("  Prior Authorization Number : ", c("PRIORAUTHORIZATIONNUMBER"));
        w.lineIf("    Patient Paid Amount : ", c("PATIENTAMOUNTPAID"));
        w.lineIf("    Total Purchased Service Amount : ", c("TOTALPURCHASEDSERVICEAMOUNT"));
    }
}

// The repeat families of an institutional claim, nn = 01 to 12 each.
void institutionalRepeats(ViewWriter& w, const ClaimValues& v) {
    auto family = [&](const std::string& name, std::size_t lead, const std::string& label) {
        for (int n = 1; n <= 12; ++n) w.lineIf(repeatLabel(lead, label, n), v(repeatName(name, n)));
    };
    family("OTHERDX", 5, "Other Diagnosis");
    if (present(v("PRINCIPLEPROC"))) {
        w.line("     Principle Procedure : " + v("PRINCIPLEPROC"));
        w.line("Principle Procedure Date : " + v("PRINCIPLEPROCDATE"));
    }
    for (int n = 1; n <= 12; ++n) {
        const std::string proc = v(repeatName("OTHERPROC", n));
        if (!present(proc)) continue;
        w.line(repeatLabel(5, "Other Procedure", n) + proc);
        w.line("     Other Procedure " + std::to_string(n) + " Date : " + v(repeatName("OTHERPROCDATE", n)));
    }
    family("OCCURRENCESPAN", 5, "Occurrence Span");
    for (int n = 1; n <= 12; ++n) {
        const std::string code = v(repeatName("OCCURRENCECODE", n));
        if (!present(code)) continue;
        // The first label stands one blank to the left of the ones after it.
        const std::string label = n == 1 ? "Occurrence Code 1 : " : repeatLabel(1, "Occurrence Code", n);
        const std::string date = v(repeatName("OCCURRENCEDATE", n));
        w.line(label + code + (present(date) ? "   Date : " + date : ""));
    }
    for (int n = 1; n <= 12; ++n) {
        const std::string code = v(repeatName("VALUECODE", n));
        if (!present(code)) continue;
        const std::string amount = v(repeatName("VALUEAMOUNT", n)), qty = v(repeatName("VALUEQTY", n));
        w.line(repeatLabel(3, "Value Code", n) + code + (present(amount) ? "   Amount : " + amount : "") +
               (present(qty) ? "   Quantity : " + qty : ""));
    }
    family("CONDITIONCODE", 1, "Condition Code");
    family("TREATMENTCODE", 5, "Treatment Code");
}

void institutionalServiceLines(ViewWriter& w, const ClaimValues& v) {
    for (int n = 1; present(v("ILINE" + std::to_string(n))); ++n) {
        auto at = [&](const std::string& name) { return v(name + std::to_string(n)); };
        w.lineIf("               Revenue Code : ", at("IREVCODE"));
        w.lineIf("               Service Code : ", at("IPROC"));
        w.lineIf("        First Modifier Code : ", at("IMODA"));
        w.lineIf("       Second Modifier Code : ", at("IMODB"));
        w.lineIf("        Third Modifier Code : ", at("IMODC"));
        w.lineIf("       Fourth Modifier Code : ", at("IMODD"));
        if (present(at("IAMT"))) w.line("         Service Line Amount : " + CTL39410W(at("IAMT")));
        w.lineIf("              Units Type : ", at("IUNITSTYPE"));
        w.lineIf("              Units Quantity: ", at("IUNITSQTY"));
        if (present(at("IUNITSRATE"))) w.line("              Unit Rate: " + CTL39410W(at("IUNITSRATE")));
        w.lineIf("               Service Date : ", at("IDOS"));
        w.lineIf("               NDC Code : ", at("NDCCODE"));
        w.lineIf("               NDC Unit Price : ", at("NDCUNITPRICE"));
        w.lineIf("               NDC Units : ", at("NDCUNITS"));
    }
}

void institutionalPart(ViewWriter& w, const ClaimValues& v) {
    w.line("    Facility Code Value : " + v("FACILITYCODEVALUE"));
    w.line("    Claim Frequency Type Code : " + v("FREQUENCYTYPECODE"));
    w.lineIf("Admission Date and Time : ", v("ADMISSIONDATETIME"));
    w.lineIf("Admission Type : ", v("ADMISSIONTYPE"));
    w.lineIf("    Source of Admission : ", v("ADMISSIONSOURCE"));
    w.lineIf("         Patient Status : ", v("PATIENTSTATUS"));
    w.lineIf("    Patient Status Code : ", v("PATIENTSTATUSCODE"));
    w.lineIf("         Discharge Hour : ", v("DISCHARGEHOUR"));
    w.lineIf("         Discharge Date : ", v("DISCHARGEDATE"));
    w.lineIf("         Statement Date : ", v("STATEMENTDATE"));
    w.lineIf("  Medical Record Number : ", v("MEDICALRECORDNUMBER"));
    w.blank();
    w.lineIf("  Principal Diagnosis : ", v("PRINCIPALDX"));
    w.lineIf("  Admitting Diagnosis : ", v("ADMITDX"));
    w.lineIf("  E-Code : ", v("ECODE"));
    w.lineIf("                  DRG : ", v("DRG"));
    w.lineIf("                  K3 Data : ", v("K3DATA"));
    institutionalRepeats(w, v);
    institutionalServiceLines(w, v);
}

// A physician's block: name, identifier and secondary identifiers.
void physician(ViewWriter& w, const ClaimValues& v, const std::string& prefix, const std::string& label,
               const std::string& idSeparator = " : ") {
    const Party p{v, prefix};
    if (!present(p("LNAME"))) return;
    w.blank();
    w.line(label + p("FNAME") + " " + p("LNAME"));
    identifierLine(w, p, 6, idSeparator);
    secondaryIdentifiers(w, p, 5);
}

// A place's block: name and address lines, and its identifiers when asked.
void place(ViewWriter& w, const ClaimValues& v, const std::string& prefix, const std::string& label,
           std::size_t indent, bool identifiers = false) {
    const Party p{v, prefix};
    if (!present(p("NAME"))) return;
    w.blank();
    w.line(label + p("NAME"));
    addressLines(w, p, indent);
    if (identifiers) {
        identifierLine(w, p, 6);
        secondaryIdentifiers(w, p, 5);
    }
}

void providers(ViewWriter& w, const ClaimValues& v) {
    physician(w, v, "ATTEND", "   Attending Physician : ");
    physician(w, v, "OPERATE", "   Operating Physician : ");
    physician(w, v, "REN", "   Rendering Provider : ");
    physician(w, v, "REF", "   Referring Provider : ", " :  ");
    place(w, v, "SERVICELOCATION", "   Service Location : ", 22);
    place(w, v, "FACILITY", "   Facility : ", 14, true);
    place(w, v, "ILAB", "   Independent Lab : ", 21);
    place(w, v, "TLAB", "   Testing Lab : ", 17);
    w.lineIf("   Payer Prior Payment : ", v("PAYERPRIORPAYMENT"));
}

void diagnosisLines(ViewWriter& w, const ClaimValues& v) {
    w.lineIf("   (DX1) Primary Diagnosis : ", v("DX1"));
    for (const char* n : {"2", "3", "4"})
        w.lineIf(std::string("   (DX") + n + ") Supporting Diagnosis : ", v(std::string("DX") + n));
}

void modifierLines(ViewWriter& w, const std::function<std::string(const std::string&)>& at, const std::string& prefix) {
    w.lineIf("        First Modifier Code : ", at(prefix + "A"));
    w.lineIf("       Second Modifier Code : ", at(prefix + "B"));
    w.lineIf("        Third Modifier Code : ", at(prefix + "C"));
}

void professionalPart(ViewWriter& w, const ClaimValues& v) {
    diagnosisLines(w, v);
    w.lineIf("   Onset of Illness Date : ", v("ONSETOFILLNESDATE"));
    w.lineIf("   Date Last Seen ", v("DATELASTSEEN"));
    w.lineIf("   Referral Date  ", v("REFERRALDATE"));
    w.lineIf("    Initial Treatment Date ", v("INITIALTREATMENTDATE"));
    for (int n = 1; present(v("PROC" + std::to_string(n))); ++n) {
        const std::function<std::string(const std::string&)> at = [&](const std::string& name) {
            return v(name + std::to_string(n));
        };
        w.blank();
        w.line("   Service Line " + std::to_string(n) + " : ");
        w.lineIf("     Date of Service : ", at("DOS"));
        w.line("      Procedure Code : " + at("PROC"));
        modifierLines(w, at, "MOD");
        w.line("        Service Line Amount : " + CTL39410W(at("AMT")));
        w.lineIf("              Service Units : ", at("UNITS"));
        w.lineIf("                DX Pointer : ", at("DXLINK"));
        if (present(at("POSLINECODE")))
            w.line("           Place of Service : " + at("POSLINECODE") + at("POSLINEDESC"));
        if (present(at("PRICEAMT"))) w.line("     Price/Repriced Amount : " + CTL39410W(at("PRICEAMT")));
        w.lineIf("     Price/Repriced Reference : ", at("PRICEREF"));
    }
}

void dentalPart(ViewWriter& w, const ClaimValues& v) {
    diagnosisLines(w, v);
    w.lineIf("   Claim Paid Date : ", v("CLAIMPAIDDATE"));
    for (int n = 1; present(v("DPROC" + std::to_string(n))); ++n) {
        const std::function<std::string(const std::string&)> at = [&](const std::string& name) {
            return v(name + std::to_string(n));
        };
        w.blank();
        w.line("               Service Line : " + std::to_string(n));
        w.lineIf("     Date of Service : ", at("DDOS"));
        w.line("             Procedure Code : " + at("DPROC"));
        modifierLines(w, at, "DMOD");
        w.line("        Service Line Amount : " + CTL39410W(at("DAMT")));
        if (present(at("PRICEAMT"))) w.line("     Price/Repriced Amount : " + CTL39410W(at("PRICEAMT")));
        w.lineIf("              Tooth Number : ", at("TOOTH"));
        w.lineIf("             Tooth Surface : ", at("TOOTHSURFACE"));
    }
}

// The file's billing provider, else the claim's billing-provider group,
// else the claim's own, else the file's again.
void billingProvider(ViewWriter& w, const ClaimValues& v) {
    const Party sources[] = {{v, "BILLINGPROVIDER", true},
                             {v, "HIERARCHIALCLAIMBILLINGPROVIDER", true},
                             {v, "CLAIMBILLINGPROVIDER", false}};
    const Party* p = &sources[0];
    for (const Party& s : sources)
        if (present(s("NAME"))) {
            p = &s;
            break;
        }
    w.blank();
    w.line("   Billing Provider : " + (*p)("NAME"));
    addressLines(w, *p, 22);
    identifierLine(w, *p, 9);
    secondaryIdentifiers(w, *p, 5);
}

void payToProviders(ViewWriter& w, const ClaimValues& v) {
    const Party file{v, "PAYTOPROVIDER", true};
    if (present(file("NAME"))) {
        w.line("   Batch Level");
        w.line("   PAYTO Provider : " + file("NAME"));
        addressLines(w, file, 20);
        identifierLine(w, file, 9);
    }
    const Party group{v, "HIERARCHIALCLAIMPAYTOPROVIDER", true};
    if (present(group("NAME"))) {
        w.line("   Pay to Provider : " + group("NAME"));
        addressLines(w, group, 20);
        identifierLine(w, group, 9);
    }
    const Party claim{v, "CLAIMPAYTOPROVIDER"};
    if (present(claim("NAME"))) {
        w.line("   Claim Level");
        w.line("   PAYTO Provider : " + claim("NAME"));
        w.lineIf(blanks(20), claim("ADDR1"));
        if (present(claim("CITY"))) w.line(blanks(20) + claim("CITY") + ", " + claim("ST") + " " + claim("ZIP"));
    }
}

void submitterAndReceiver(ViewWriter& w, const ClaimValues& v) {
    const Party submitter{v, "SUBMITTER", true};
    if (present(submitter("NAME"))) {
        w.line("   Submitter : " + submitter("NAME"));
        addressLines(w, submitter, 14);
        w.lineIf("     Contact : ", submitter("CONTACT"));
    }
    const Party receiver{v, "RECEIVER", true};
    if (present(receiver("NAME"))) {
        w.line("   Receiver : " + receiver("NAME"));
        addressLines(w, receiver, 14);
        w.lineIf(blanks(14), receiver("ADDITIONALNAME"));
    }
}

void detailView(ViewWriter& w, const ClaimValues& v, const std::string& type) {
    subscriberBlock(w, v);
    patientBlock(w, v);
    coverageBlocks(w, v);
    clmBlocks(w, v);
    if (wl::prefixMatch(type, "PROFESSIONAL") || wl::prefixMatch(type, "DENTAL"))
        w.line("   Place of Sevice : " + v("POSCODE") + " : " + v("POSDESC"));
    if (wl::prefixMatch(type, "INSTITUTIONAL")) institutionalPart(w, v);
    providers(w, v);
    if (wl::prefixMatch(type, "PROFESSIONAL")) professionalPart(w, v);
    if (wl::prefixMatch(type, "DENTAL")) dentalPart(w, v);
    billingProvider(w, v);
    payToProviders(w, v);
    submitterAndReceiver(w, v);
    w.line("Claim Type : " + v("CLAIMTYPE"));
    w.blank();
}

// ------------------------------------------------------------ loop view

// A loop-1000/2010 provider: name, address lines, identifiers.
void loopProvider(ViewWriter& w, const Party& p, const std::string& heading) {
    if (!present(p("NAME"))) return;
    w.line(heading);
    w.line("         " + p("NAME"));
    w.lineIf(blanks(8), p("ADDR1"));
    w.lineIf(blanks(9), p("ADDR2"));
    if (present(p("CITY"))) w.line(blanks(9) + p("CITY") + ", " + p("ST") + " " + p("ZIP"));
    identifierLine(w, p, 9);
    secondaryIdentifiers(w, p, 5);
}

void loopView(ViewWriter& w, const ClaimValues& v) {
    w.line("Loop 2000A : - Billing Pay-Provider Name");
    loopProvider(w, Party{v, "BILLINGPROVIDER", true}, "  -Loop 2010AA : -  Billing Provider : ");
    loopProvider(w, Party{v, "PAYTOPROVIDER", true}, "  -Loop 2010AB : -  Pay To Provider : ");
    w.line("  - Loop 2000BA : Subscriber");
    w.line("      " + personName(v("SUBFNAME"), v("SUBMI"), v("SUBLNAME")));
    addressLines(w, Party{v, "SUB"}, 6);
    w.line(" - Loop 2000BC : PAYER ");
    w.line("        " + v("PAYERNAME"));
    addressLines(w, Party{v, "PAYER"}, 8, "STATE");
    w.lineIf("Subscriber Relation to Patient : ", v("SUBREL"));
    if (present(v("PATREL"))) {
        w.line("- Loop 2000CA : Patient:");
        w.line("      " + personName(v("PATFNAME"), v("PATMI"), v("PATLNAME")));
        addressLines(w, Party{v, "PAT"}, 6);
        w.line("Patient Relation to Subscriber : " + v("PATREL"));
    }
    if (present(v("OISUBLNAME"))) {
        w.line("Other Insurance Subscriber:");
        w.line("      " + personName(v("OISUBFNAME"), v("OISUBMI"), v("OISUBLNAME")));
        if (present(v("OISUBORDER"))) w.line("      " + v("OISUBORDER") + " Coverage");
        w.line("         " + v("OIPAYERNAME"));
        addressLines(w, Party{v, "OIPAYER"}, 9, "STATE");
    }
}

// ------------------------------------------------------------ form views

// One box: its heading, its value lines and an empty line.
void box(ViewWriter& w, const std::string& heading, const std::vector<std::string>& values = {}) {
    w.line(heading);
    for (const std::string& value : values) w.line(value);
    w.blank();
}

void cms1500ServiceLines(ViewWriter& w, const ClaimValues& v) {
    w.line("Box 24 : Procedure Lines");
    for (int n = 1; n <= 6; ++n) {
        auto at = [&](const std::string& name) { return v(name + std::to_string(n)); };
        if (!present(at("PROC"))) continue;
        w.line("Line " + std::to_string(n) + " :");
        w.line("         Date of Service :" + at("MM_DD_YY_DOSF") + " " + at("MM_DD_YY_DOST"));
        w.line("         Place of Service : " + at("POSLINECODE"));
        w.line("         Procedure Code : " + at("PROC"));
        for (const char* m : {"MODA", "MODB", "MODC"}) w.lineIf("         Modifier : ", at(m));
        w.line("         Linked to Diagnosis : " + at("DXLINK"));
        w.line("         Amount : " + at("AMT"));
        w.line("         Units : " + at("UNITS"));
    }
    w.blank();
}

// The code list writes "Employer's": the box names the EIN either way.
std::string withoutApostrophes(std::string text) {
    std::erase(text, '\'');
    return text;
}

void cms1500TaxId(ViewWriter& w, const ClaimValues& v) {
    w.line("Box 25 : Federal Tax ID");
    const Party p{v, "BILLINGPROVIDER", true};
    for (int n = 1; n <= 98; ++n) {
        const std::string s = std::to_string(n);
        if (!present(p("SECONDARYIDCODE" + s))) break;
        if (wl::prefixMatch(withoutApostrophes(p("SECONDARYIDTYPE" + s)), "Employers Identification Number"))
            w.line("   EIN : " + p("SECONDARYID" + s));
    }
    const std::string type = p("IDTYPE");
    if (wl::prefixMatch(type, "Employers ID"))
        w.line("   EIN : " + p("ID"));
    else if (wl::prefixMatch(type, "Social Security"))
        w.line("   SSN : " + p("ID"));
    w.blank();
}

void cms1500View(ViewWriter& w, const ClaimValues& v) {
    const std::string i8 = blanks(8), i12 = blanks(12), i23 = blanks(23);
    const Party pat{v, "PAT"}, sub{v, "SUB"}, ref{v, "REF"}, facility{v, "FACILITY"};
    auto address = [&](const Party& p) {
        return std::vector<std::string>{i8 + p("ADDR1"), i8 + p("ADDR2"),
                                        i8 + p("CITY") + ", " + p("ST") + " " + p("ZIP")};
    };
    box(w, "Box 1 : Type of Coverage ");
    box(w, "Box 1A : Insured ID Number", {"         " + v("SUBID")});
    box(w, "Box 2 : Patient Name", {i8 + formName(pat) + " "});
    box(w, "Box 3 : Patient Birthdate", {i8 + v("PATDOB")});
    box(w, "Box 4 : Insured Name", {i8 + formName(sub) + " "});
    box(w, "Box 5 : Patient Address", address(pat));
    box(w, "Box 6 : Patient Relation to Insured", {i8 + v("PATREL")});
    box(w, "Box 7 : Insured Address", address(sub));
    box(w, "Box 8 : Patient Status");
    box(w, "Box 9 : Other Insured Name", {i8 + personName(v("OISUBFNAME"), v("OISUBMI"), v("OISUBLNAME"))});
    box(w, "Box 10 : Patient condition Related to", {i12 + v("CONDREL")});
    box(w, "Box 11 : Insured Policy Information");
    box(w, "Box 12 : Patient Signature");
    box(w, "Box 13 : Insured Signature");
    box(w, "Box 14 : Diagnosis Date", {i8 + v("DXDATE")});
    box(w, "Box 15 : Prior Diagnosis Date");
    box(w, "Box 16 : Unable to Work Dates");
    box(w, "Box 17 : Referring Provider", {i8 + formName(ref) + " "});
    box(w, "Box 17a : Referring Provider Legacy ID", {i8 + ref("SECONDARYIDCODE") + "     " + ref("SECONDARYIDTYPE")});
    // The referring provider's identifier itself (NM109), not its qualifier.
    box(w, "Box 17b : Referring Provider " + ref("IDTYPE"), {i8 + ref("ID")});
    box(w, "Box 18 : Hospitalization Dates");
    box(w, "Box 19 : Local Use");
    box(w, "Box 20 : Outside Lab");
    w.line("Box 21 : Diagnosis");
    w.lineIf("         Prinary Code ", v("DX1"));
    for (const char* dx : {"DX2", "DX3", "DX4"}) w.lineIf("      Supporting Code ", v(dx));
    w.blank();
    box(w, "Box 22 : Medicaid Resubmission Code");
    box(w, "Box 23 : Prior Authorization");
    cms1500ServiceLines(w, v);
    cms1500TaxId(w, v);
    box(w, "Box 26 : Patient Account Number", {i12 + v("CLAIMID")});
    box(w, "Box 27 : Accept Assignment");
    box(w, "Box 28 : Total Charges", {i12 + v("CLAIMAMTDDDDDD_CC")});
    box(w, "Box 29 : Amount Paid");
    box(w, "Box 30 : Balance Due");
    box(w, "Box 31 : Physician Supplier");
    box(w, "Box 32 : Service Facility",
        {i23 + facility("NAME"), i23 + facility("ADDR1"),
         i23 + facility("CITY") + " " + facility("STATE") + " " + facility("ZIP"), i23 + facility("ID")});
    const Party billing{v, "BILLINGPROVIDER", true};
    w.line("Box 33 : Billing Provider");
    w.lineIf("         ", billing("NAME"));
    w.lineIf("         ", billing("ADDR1"));
    w.lineIf("             ", billing("ADDR2"));
    if (present(billing("CITY")))
        w.line("             " + billing("CITY") + ", " + billing("ST") + " " + billing("ZIP"));
    w.blank();
    w.line("Box 33A : Billing Provider Legacy Number");
    secondaryIdentifiers(w, billing, 10);
    w.blank();
    box(w, "Box 33B : Billing Provider NPI", {"           " + billing("ID")});
}

// The UB form's locators: a heading "Form Locator : " number " - " text, the
// value lines indented by 20 blanks, an empty line.
class UbLocators {
public:
    explicit UbLocators(ViewWriter& w) : w_(w) {}
    void operator()(const std::string& number, const std::string& text, std::vector<std::string> values) {
        for (std::string& value : values) value = blanks(20) + value;
        box(w_, heading(number, text), values);
    }
    // A locator whose value line stays empty.
    void empty(const std::string& number, const std::string& text) { box(w_, heading(number, text), {""}); }

private:
    static std::string heading(const std::string& number, const std::string& text) {
        return "Form Locator : " + number + " - " + text;
    }
    ViewWriter& w_;
};

void ubProvider(ViewWriter& w, const ClaimValues& v) {
    w.line("Form Locator : 1 - Provider Name");
    const Party billing{v, "BILLINGPROVIDER", true};
    w.lineIf(blanks(20), billing("NAME"));
    addressLines(w, billing, 20);
    identifierLine(w, billing, 20);
    secondaryIdentifiers(w, billing, 20);
    w.blank();
}

void ubPatientAndAdmission(UbLocators& locator, const ClaimValues& v) {
    locator("3", "Patient Control Number", {v("CLAIMID")});
    locator("4", "Type of Bill", {v("TYPEOFBILL")});
    locator("6", "Statement Covers Period (From-Through)", {v("STATEMENTDATE")});
    locator("12", "Patient  Name", {formName(Party{v, "PAT"})});
    locator("13", "Patient  Address", {v("PATADDR1"), v("PATCITY") + ", " + v("PATST") + " " + v("PATZIP")});
    locator("14", "Patient  Birthdate", {v("PATDOB")});
    const std::string sex = v("PATSEX");
    locator("15", "Patient  Sex", {sex == "F" ? "Female" : sex == "M" ? "Male" : ""});
    locator("16", "Patient  Marital Status", {});
    locator("17 & 18", "Admission Date and Time", {v("ADMISSIONDATETIME")});
    locator("19", "Type of Admission", {v("ADMISSIONTYPE")});
    locator("20", "Source of Admission", {v("ADMISSIONSOURCE")});
    locator("21", "Discharge Hour", {v("DISCHARGEHOUR")});
    locator("22", "Patient Status", {v("PATIENTSTATUS")});
    locator("23", "Medical Record Number", {v("MEDICALRECORDNUMBER")});
}

void ubCodes(UbLocators& locator, const ClaimValues& v) {
    std::vector<std::string> conditions;
    if (present(v("CONDITIONCODE01"))) {
        std::string codes = v("CONDITIONCODE01");
        for (int n = 2; n <= 12; ++n) codes += "   " + v(repeatName("CONDITIONCODE", n));
        conditions.push_back(codes);
    }
    locator("24 through 30", "Condition Codes", conditions);
    std::vector<std::string> occurrences, values;
    for (int n = 1; n <= 12; ++n) {
        const std::string code = v(repeatName("OCCURRENCECODE", n));
        if (present(code)) occurrences.push_back(code + "   " + v(repeatName("OCCURRENCEDATE", n)));
        const std::string value = v(repeatName("VALUECODE", n));
        if (present(value))
            values.push_back(value + "   " + v(repeatName("VALUEAMOUNT", n)) + "   " + v(repeatName("VALUEQTY", n)));
    }
    locator("32 through 35", "Occurence Codes and Dates", occurrences);
    locator.empty("36", "Occurance Span Codes and Dates ");
    locator("37", "ICN/DCN", {v("CLAIMID")});
    locator("38", "Responsible Party (Hospice Only)", {});
    locator("39 through 41", "Value Codes and Amounts", values);
}

void ubRevenueData(ViewWriter& w, const ClaimValues& v) {
    w.line("Form Locator : 42 - 49 Revenue Data");
    for (int n = 1; present(v("ILINE" + std::to_string(n))); ++n) {
        auto at = [&](const std::string& name) { return v(name + std::to_string(n)); };
        w.lineIf("               Revenue Code : ", at("IREVCODE"));
        w.lineIf("               Service Code : ", at("IPROC"));
        w.lineIf("        First Modifier Code : ", at("IMODA"));
        w.lineIf("       Second Modifier Code : ", at("IMODB"));
        w.lineIf("        Third Modifier Code : ", at("IMODC"));
        if (present(at("IAMT"))) w.line("         Service Line Amount : " + CTL39410W(at("IAMT")));
        w.lineIf("              Service Units : ", at("IUNITS"));
        w.lineIf("               Service Date : ", at("IDOS"));
    }
    w.blank();
}

// Locators 50 to 84 in form order: the principle procedure (80) is the
// only one with values.
void ubLastLocators(UbLocators& locator, const ClaimValues& v) {
    using Locator = std::pair<const char*, const char*>;
    const Locator before[] = {
        {"50", "Payer Identification"}, {"51", "Provider Number"},
        {"52", "Release of Information"}, {"53", "Assinment of Benefits"},
        {"54", "Prior Payments"}, {"55", "Estimated Amount Due"},
        {"58", "Insured  Name"}, {"59", "Patient Relationship"},
        {"60", "Health Insurance Claim Number"}, {"61", "Insured Group Name"},
        {"62", "Insured Group Number"}, {"63", "Treatment Authorization"},
        {"64", "Employment Status"}, {"65", "Employer Name"},
        {"66", "Employer Location of Insured"}, {"67", "Principle Diagnosis"},
        {"68 to 75", "Other Diagnosis"}, {"76", "Admitting Diagnosis"},
        {"77", "External Cause of Injury"}};
    const Locator after[] = {{"81", "Other Procedure Codes"}, {"82", "Attending Physician ID"},
                             {"83", "Other Physician ID"}, {"84", "Remarks"}};
    for (const auto& [number, text] : before) locator.empty(number, text);
    locator("80", "Principle Procedure", {v("PRINCIPLEPROC"), v("PRINCIPLEPROCDATE")});
    for (const auto& [number, text] : after) locator.empty(number, text);
}

void ubView(ViewWriter& w, const ClaimValues& v) {
    UbLocators locator(w);
    ubProvider(w, v);
    ubPatientAndAdmission(locator, v);
    ubCodes(locator, v);
    ubRevenueData(w, v);
    ubLastLocators(locator, v);
}

void adaView(ViewWriter& w, const ClaimValues& v) {
    static const char* const headings[] = {
        "Box 1 : Type of Transaction ",
        "Box 2 : Preauthorization Number",
        "Box 3 : Primary Insurance Coverage",
        "Box 4 : Other Coverage",
        "Box 5 : Other coverage Subscriber Name",
        "Box 6 : Other coverage Subscriber Date of Birth",
        "Box 7 : Other coverage Subscriber Gender",
        "Box 8 : Other coverage Subscriber Subscriber ID",
        "Box 9 : Other coverage Subscriber Plan/Group Number",
        "Box 10 : Other coverage Subscriber Patient Relation to Subscriber",
        "Box 11 : Other Insurance Address",
        "Box 12 : Subscriber Information",
        "Box 13 : Subscriber Date of Birth",
        "Box 14 : Subscriber Gender",
        "Box 15 : Subscriber ID",
        "Box 16 : Plan/Group number",
        "Box 17 : Employer Name",
        "Box 18 : Patient Relation to Subscriber",
        "Box 19 : Student Status",
        "Box 20 : Patient Information",
        "Box 21 : Patient Date of Birth",
        "Box 22 : Patient Gender",
        "Box 23 : Patient ID",
        "Box 24-31 : Procedure Lines",
        "Box 32 : Missing Teeth",
        "Box 35 : Remarks",
        "Box 36 : Patient Authorization Signature",
        "Box 37 : Subscriber Authorization Signature",
        "Box 38 : Place of Treatment",
        "Box 39 : Number of Enclosures",
        "Box 40 : Treatment of Orthodontics",
        "Box 41 : Date Appliance Placed",
        "Box 42 : Months of Treatment Remaining",
        "Box 43 : Replacement of Prothesis",
        "Box 44 : Date Prior Replacement",
        "Box 45 : Treatment Resulting From ",
        "Box 46 : Date of Accident",
        "Box 47 : Auto Accident State",
        "Box 48 : Billing Dentist",
        "Box 49 : NPI",
        "Box 50 : License Number",
        "Box 51 : SSN or TIN",
        "Box 52 : Phone Number",
        "Box 52A : Additional Provider ID",
        "Box 53 : Treating Dentist and Location",
        "Box 54 : NPI",
        "Box 55 : License Number",
        "Box 56 : Address Information",
        "Box 56A : Provider Specialty Code",
        "Box 57 : Phone Number",
        "Box 58 : Additional Provider ID",
    };
    for (const std::string heading : headings) {
        std::vector<std::string> values;
        if (heading == "Box 12 : Subscriber Information") values.push_back("      " + formName(Party{v, "SUB"}) + " ");
        if (heading == "Box 20 : Patient Information") values.push_back("      " + formName(Party{v, "PAT"}) + " ");
        box(w, heading, values);
    }
}

void formBoxView(ViewWriter& w, const ClaimValues& v, const std::string& type) {
    if (wl::prefixMatch(type, "PROFESSIONAL")) cms1500View(w, v);
    else if (wl::prefixMatch(type, "INSTITUTIONAL")) ubView(w, v);
    else if (wl::prefixMatch(type, "DENTAL")) adaView(w, v);
}

}  // namespace

std::vector<std::string> CTL39403C(std::vector<std::string> lines, const ClaimFields& fields, long long k,
                                   ClaimView view, int j) {
    const ClaimValues v{fields, k, j};
    const std::string type = wl::upper(v("CLAIMTYPE"));
    switch (view) {
    case ClaimView::Detail: {
        ViewWriter w(lines, lines.empty() ? 0 : lines.size() - 1);
        detailView(w, v, type);
        break;
    }
    case ClaimView::ByLoop: {
        ViewWriter w(lines, 0);
        loopView(w, v);
        break;
    }
    case ClaimView::ByFormBox: {
        ViewWriter w(lines, 0);
        formBoxView(w, v, type);
        break;
    }
    }
    return lines;
}

}  // namespace zr
