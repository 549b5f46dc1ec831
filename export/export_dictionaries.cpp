#include "export_dictionaries.hpp"

#include <array>
#include <sstream>
#include <utility>

#include "claim_getters.hpp"
#include "export_logs.hpp"
#include "file_io.hpp"
#include "text.hpp"

namespace zr {

namespace {

// The dictionaries' rows as "NAME width" pairs; a "$" after the width marks
// money, "nn" at the end of a name a numbered family.
const char* const k837Rows =
    "ERROR 35 SUBFNAME 35 SUBLNAME 35 SUBMI 1 SUBNAMEPREFIX 15 SUBNAMESUFIX 15 SUBIDCODE 35 SUBADDR1 35 "
    "SUBADDR2 35 SUBCITY 35 SUBST 2 SUBZIP 11 SUBSEX 1 SUBMSTATUS 10 SUBDOB 12 SUBREL 10 SUBORDER 10 "
    "PAYERNAME 35 PAYERADDR1 35 PAYERADDR2 35 PAYERCITY 35 PAYERST 2 PAYERZIP 11 PATFNAME 35 PATLNAME 35 "
    "PATMI 1 PATNAMEPREFIX 5 PATNAMESUFIX 5 PATADDR1 35 PATADDR2 35 PATCITY 35 PATST 2 PATZIP 11 PATSEX 1 "
    "PATMSTAT 10 PATDOB 12 PATREL 12 CLAIMID 20 CLAIMAMT 16 POSCODE 3 RENLNAME 35 RENFNAME 35 RENID 20 "
    "RENIDTYPE 20 RENSECONDARYID1 20 RENSECONDARYIDTYPE1 20 RENSECONDARYID2 20 RENSECONDARYIDTYPE2 20 "
    "RENSECONDARYID3 20 RENSECONDARYIDTYPE3 20 POSCODE 4 DX1 7 DX2 7 DX3 7 DX4 7 DX5 7 ADMISSIONDATETIME "
    "10 ADMISSIONTYPE 15 ADMISSIONSOURCE 15 PATIENTSTATUS 15 DISCHARGEHOUR 10 STATEMENTDATE 16 "
    "MEDICALRECORDNUMBER 20 FACILITYCODEVALUE 5 FREQUENCYTYPECODE 5 PRINCIPALDX 10 ADMITDX 10 ATTENDLNAME "
    "35 ATTENDFNAME 35 ATTENDID 20 ATTENDIDTYPE 20 ATTENDSECONDARYID1 20 ATTENDSECONDARYIDTYPE1 20 "
    "OPERATELNAME 35 OPERATEFNAME 35 OPERATEID 20 OPERATEIDTYPE 20 OPERATESECONDARYID1 20 "
    "OPERATESECONDARYIDTYPE1 20 DRG 20 K3DATA 50 PATIENTAMOUNTPAID 12 TOTALPURCHASEDSERVICEAMOUNT 12 "
    "PROVSIGNATUREONFILE 20 PROVACCEPTASSIGNMENTCODE 5 BENEFITINDICATOR 5 RELEASEOFINFORMATION 5 "
    "RELATEDCAUSECODE 5 CLEARINGIDNUMBER 20 PRIMARYSUBLNAME 35 PRIMARYSUBFNAME 35 PRIMARYSUBMI 3 "
    "PRIMARYPAYERNAME 35 PRIMARYPAYERADDR1 35 PRIMARYPAYERADDR2 35 PRIMARYPAYERCITY 35 PRIMARYPAYERSTATE "
    "2 PRIMARYPAYERZIP 12 PRIMARYGROUPNAME 35 PRIMARYGROUPID 20 PRIMARYSUBID 20 PRIMARYPAYERID 20 "
    "SECONDARYSUBLNAME 35 SECONDARYSUBFNAME 35 SECONDARYSUBMI 2 SECONDARYPAYERNAME 35 SECONDARYPAYERADDR1 "
    "35 SECONDARYPAYERADDR2 35 SECONDARYPAYERCITY 35 SECONDARYPAYERSTATE 2 SECONDARYPAYERZIP 14 "
    "SECONDARYGROUPNAME 35 SECONDARYGROUPID 20 SECONDARYSUBID 20 SECONDARYPAYERID 20 TERTIARYSUBLNAME 35 "
    "TERTIARYSUBFNAME 35 TERTIARYSUBMI 2 TERTIARYPAYERNAME 35 TERTIARYPAYERADDR1 35 TERTIARYPAYERADDR2 35 "
    "TERTIARYPAYERCITY 35 TERTIARYPAYERSTATE 2 TERTIARYPAYERZIP 12 TERTIARYGROUPNAME 35 TERTIARYGROUPID "
    "20 TERTIARYSUBID 20 TERTIARYPAYERID 20 BILLINGPROVIDERNAME 35 BILLINGPROVIDERADDR1 35 "
    "BILLINGPROVIDERADDR2 35 BILLINGPROVIDERCITY 35 BILLINGPROVIDERST 2 BILLINGPROVIDERZIP 12 "
    "BILLINGPROVIDERID 20 BILLINGPROVIDERIDTYPE 20 BILLINGPROVIDERSECONDARYID1 20 "
    "BILLINGPROVIDERSECONDARYIDTYPE1 20 BILLINGPROVIDERSECONDARYID2 20 BILLINGPROVIDERSECONDARYIDTYPE2 20 "
    "BILLINGPROVIDERSECONDARYID3 20 BILLINGPROVIDERSECONDARYIDTYPE3 20 SUBMITTERNAME 35 SUBMITTERADDR1 35 "
    "SUBMITTERADDR2 35 SUBMITTERCITY 35 SUBMITTERST 2 SUBMITTERZIP 14 ";

// The 277's suffix and received-date rows carry the getters' names
// (PATNAMESUFIX, DATERECEIVED), so their columns are filled.
const char* const k277Rows =
    "SUBFNAME 35 SUBLNAME 35 SUBMI 35 SUBNAMEPREFIX 35 SUBNAMESUFIX 35 SUBIDCODE 35 PAYER 35 "
    "SUBPAYERCLAIMID 35 SUBBILLTYPEID 35 SUBMRNO 35 PATFNAME 35 PATLNAME 35 PATMI 35 PATNAMEPREFIX 35 "
    "PATNAMESUFIX 35 PATIDCODE 35 PATPAYERCLAIMID 35 PATBILLTYPEID 35 PATMRNO 35 CLAIMTOTALAMOUNT 35 "
    "CLAIMPAYMENTAMOUNT 35 CLAIMSTATUS1 35 CLAIMSTATUSCODE1 35 CLAIMSTATUS2 35 CLAIMSTATUSCODE2 35 "
    "CLAIMSTATUS3 35 CLAIMSTATUSCODE3 35 DATEOFSERVICE 35 CLAIMPERIODDATESTART 35 DATERECEIVED 35 TRACEID "
    "35 CLAIMID 35 CLAIMAMT 35 ";

const char* const k271Rows = "SUBFNAME 35 SUBLNAME 35 SUBMI 35";

const char* const k835Rows =
    "CLAIMPATCTL 20 CLAIMSTATUSCODE 2 CLAIMSTATUSDESC 35 CLAIMTOTALCHARGE 15 CLAIMTOTALPAID 15$ "
    "PATRESPONSIBLE 15$ FILIND 2 FACILITYTYPECODE 5 CLAIMFREQ 5 CLMADJGRPCODE 5 CLMADJCODE1 5 CLMADJAMT1 "
    "15 CLMADJQTY1 10 CLMADJCODE2 5 CLMADJAMT2 15 CLMADJQTY2 10 CLMADJCODE3 5 CLMADJAMT3 15 CLMADJQTY3 10 "
    "CLMADJCODE4 5 CLMADJAMT4 15 CLMADJQTY4 10 CLMADJCODE5 5 CLMADJAMT5 15 CLMADJQTY5 10 CLMADJCODE6 5 "
    "CLMADJAMT6 15 CLMADJQTY6 10 PATFNAME 32 PATLNAME 32 PATMI 1 PATNAMESUFIX 5 PATID 15 PATIDCODE 15 "
    "SUBFNAME 32 SUBLNAME 32 SUBMI 1 SUBNAMESUFIX 5 SUBID 16 SUBIDCODE 16 SERVICEPROVIDERIDCODE 16 "
    "SERVICEPROVIDERID 16 XOVERCARRIER 34 XOVERCARRIERID 20 XOVERCARRIERIDCODE 20 COVEREDDAYS 8 DRGAMOUNT "
    "12 PAYABLEAMOUNT 12 REMARKCODE1 10 GRPPOLNO 20 MEMIDNO 20 REPCLMREFNO 20 ADJREPCLMNO 20 EIN 20 "
    "AUTHNUM 20 COCCODE 5 MRIN 20 ORIGINALREFNO 20 PRIORAUTHNUM 20 BENIDNUM 20 INSPOLNUM 20 SSN 10 "
    "RENPROVID 20 RENPROVIDCODE 5 EXPIRATIONDATE 12 RECEIVEDDATE 12 CLAIMMSTATEMENTPERIODSTART 12 "
    "CLAIMMSTATEMENTPERIODEND 12 CLMPAYAMT 15 CLMPAYAMTCODE 5 CLMPAYQTY 15 CLMPAYQTYCODE 5 SERVICECODEnn "
    "10 PROCEDUREnn 10 PROCEDUREMODAnn 5 PROCEDUREMODBnn 5 PROCEDUREMODCnn 5 PROCEDUREMODDnn 5 "
    "LINECHARGEAMTnn 18 LINEPAYAMTnn 18 REVENUECODEnn 8 LINEQTYnn 5 DATEOFSERVICEnn 16 SERVICEDATEFROMnn "
    "12 SERVICEDATETOnn 12 PROCADJGRPCODEnn 5 PROCADJCODEAnn 5 PROCREMARKCODEnn 5 PROCADJAMTnn 18 "
    "PROCADJCODEnn 5 PROCREMARKCODEAnn 5 PROCADJAMTAnn 18 PROCADJCODEBnn 5 PROCREMARKCODEBnn 5 "
    "PROCADJAMTBnn 15 PROCADJCODECnn 5 PROCREMARKCODECnn 5 PROCADJAMTCnn 15 PROCADJCODEDnn 5 "
    "PROCREMARKCODEDnn 5 PROCADJAMTDnn 15 PROCADJCODEEnn 5 PROCREMARKCODEEnn 5 PROCADJAMTEnn 15 "
    "PROCADJCODEFnn 5 PROCREMARKCODEFnn 5 PROCADJAMTFnn 15 SERVICEPAYINFOnn 15 SERVICEPAYCODEnn 5 "
    "SERVICERENPROVIDnn 20 SERVICERENPROVIDCODEnn 5 PROCALLOWEDAMTnn 15 PROCPERDAYLIMITnn 15 "
    "PROCDEDUCTAMTnn 15 PROCNETBILLEDnn 15 PROCTAXnn 15 PROCTOTBTnn 15 PROCFMMPMCAMTAnn 15 "
    "PROCFMMPMCAMTBnn 15 PROCFMMPMCAMTCnn 15 PROCFMMPMCAMTDnn 15 PROCFMMPMCAMTEnn 15 PROCNONCOVEREDnn 15 "
    "PROCFMMPMCQTYAnn 5 PROCFMMPMCQTYBnn 5 PROCFMMPMCQTYCnn 5 PROCFMMPMCQTYDnn 5 PROCFMMPMCQTYEnn 5 "
    "TRACEREFID 20 TRACEORGID 20 PAYERCLAIMCODE 10 PAYEEADID 20 ";

// The ODBC column table: the claim adjustment triplets 1 to 6 under their
// own numbers and the tooth surface under the getters' name.
const char* const kOdbcRows =
    "PAYERCLAIMCODE 10 CLAIMPATCTL 20 CLAIMSTATUSCODE 2 CLAIMSTATUSDESC 35 CLAIMTOTALCHARGE 15 "
    "CLAIMTOTALPAID 15 PATRESPONSIBLE 15 FILIND 2 FACILITYTYPECODE 5 CLAIMFREQ 5 CLMADJGRPCODE 5 "
    "CLMADJCODE1 5 CLMADJAMT1 15 CLMADJQTY1 10 CLMADJCODE2 5 CLMADJAMT2 15 CLMADJQTY2 10 CLMADJCODE3 5 "
    "CLMADJAMT3 15 CLMADJQTY3 10 CLMADJCODE4 5 CLMADJAMT4 15 CLMADJQTY4 10 CLMADJCODE5 5 CLMADJAMT5 15 "
    "CLMADJQTY5 10 CLMADJCODE6 5 CLMADJAMT6 15 CLMADJQTY6 10 TRANSDATE 20 TRANSHANDCODE 20 "
    "TRANSTOTALPAYAMT 20 TRANSDC 20 TRANSPAYMETHOD 20 SUBFNAME 32 SUBLNAME 32 SUBMI 1 SUBNAMEPREFIX 15 "
    "SUBNAMESUFIX 5 SUBIDCODE 16 SUBADDR1 35 SUBADDR2 35 SUBCITY 35 SUBST 2 SUBZIP 11 SUBSEX 1 SUBMSTATUS "
    "10 SUBDOB 12 SUBREL 10 SUBORDER 10 PAYERNAME 35 PAYERADDR1 35 PAYERADDR2 35 PAYERCITY 35 PAYERST 2 "
    "PAYERZIP 11 PATFNAME 32 PATLNAME 32 PATMI 1 PATNAMEPREFIX 5 PATNAMESUFIX 5 PATADDR1 35 PATADDR2 35 "
    "PATCITY 35 PATST 2 PATZIP 11 PATSEX 1 PATMSTAT 10 PATDOB 12 PATREL 12 CLAIMID 20 CLAIMAMT 16 POSCODE "
    "4 RENLNAME 35 RENFNAME 35 RENID 20 RENIDTYPE 20 RENSECONDARYID1 20 RENSECONDARYIDTYPE1 20 "
    "RENSECONDARYID2 20 RENSECONDARYIDTYPE2 20 RENSECONDARYID3 20 RENSECONDARYIDTYPE3 20 DPROCnn 20 "
    "DMODAnn 20 DMODBnn 20 DMODCnn 20 DDOSnn 20 DAMTnn 20 DUNITSnn 20 TOOTHnn 20 TOOTHSURFACEnn 20 "
    "PRICEAMTnn 20 PRICEREFnn 20 ADJUDIDnn 20 DX1 7 DX2 7 DX3 7 DX4 7 DX5 7 PROCnn 20 MODAnn 20 MODBnn 20 "
    "MODCnn 20 DOSnn 20 AMTnn 20 UNITSnn 20 DXLINKnn 20 POSLINECODEnn 20 ADMISSIONDATETIME 10 "
    "ADMISSIONTYPE 15 ADMISSIONSOURCE 15 PATIENTSTATUS 15 DISCHARGEHOUR 10 STATEMENTDATE 16 "
    "MEDICALRECORDNUMBER 20 FACILITYCODEVALUE 5 FREQUENCYTYPECODE 5 PRINCIPALDX 10 ADMITDX 10 ATTENDLNAME "
    "35 ATTENDFNAME 35 ATTENDID 20 ATTENDIDTYPE 20 ATTENDSECONDARYID1 20 ATTENDSECONDARYIDTYPE1 20 "
    "OPERATELNAME 35 OPERATEFNAME 35 OPERATEID 20 OPERATEIDTYPE 20 OPERATESECONDARYID1 20 "
    "OPERATESECONDARYIDTYPE1 20 OTHERDXnn 20 PRINCIPLEPROCDATE 20 PRINCIPLEPROC 20 OCCURRENCESPANnn 20 "
    "OCCURRENCECODEnn 20 OCCURRENCEDATEnn 20 VALUECODEnn 20 VALUEAMOUNTnn 20 VALUEQTYnn 20 "
    "CONDITIONCODEnn 20 CONDITIONDATEnn 20 TREATMENTCODEnn 20 NDCCODEnn 20 NDCUNITPRICEnn 20 NDCUNITSnn "
    "20 IREVCODEnn 20 IPROCnn 20 IMODAnn 20 IMODBnn 20 IMODCnn 20 IAMTnn 20 IUNITSnn 20 IDOSnn 20 DRG 20 "
    "K3DATA 50 PATIENTAMOUNTPAID 12 TOTALPURCHASEDSERVICEAMOUNT 12 PROVSIGNATUREONFILE 20 "
    "PROVACCEPTASSIGNMENTCODE 5 BENEFITINDICATOR 5 RELEASEOFINFORMATION 5 RELATEDCAUSECODE 5 "
    "CLEARINGIDNUMBER 20 PRIMARYSUBLNAME 35 PRIMARYSUBFNAME 35 PRIMARYSUBMI 3 PRIMARYPAYERNAME 35 "
    "PRIMARYPAYERADDR1 35 PRIMARYPAYERADDR2 35 PRIMARYPAYERCITY 35 PRIMARYPAYERSTATE 2 PRIMARYPAYERZIP 12 "
    "PRIMARYGROUPNAME 35 PRIMARYGROUPID 20 PRIMARYSUBID 20 PRIMARYPAYERID 20 SECONDARYSUBLNAME 35 "
    "SECONDARYSUBFNAME 35 SECONDARYSUBMI 2 SECONDARYPAYERNAME 35 SECONDARYPAYERADDR1 35 "
    "SECONDARYPAYERADDR2 35 SECONDARYPAYERCITY 35 SECONDARYPAYERSTATE 2 SECONDARYPAYERZIP 14 "
    "SECONDARYGROUPNAME 35 SECONDARYGROUPID 20 SECONDARYSUBID 20 SECONDARYPAYERID 20 TERTIARYSUBLNAME 35 "
    "TERTIARYSUBFNAME 35 TERTIARYSUBMI 2 TERTIARYPAYERNAME 35 TERTIARYPAYERADDR1 35 TERTIARYPAYERADDR2 35 "
    "TERTIARYPAYERCITY 35 TERTIARYPAYERSTATE 2 TERTIARYPAYERZIP 12 TERTIARYGROUPNAME 35 TERTIARYGROUPID "
    "20 TERTIARYSUBID 20 TERTIARYPAYERID 20 BILLINGPROVIDERNAME 35 BILLINGPROVIDERADDR1 35 "
    "BILLINGPROVIDERADDR2 35 BILLINGPROVIDERCITY 35 BILLINGPROVIDERST 2 BILLINGPROVIDERZIP 12 "
    "BILLINGPROVIDERID 20 BILLINGPROVIDERIDTYPE 20 BILLINGPROVIDERSECONDARYID1 20 "
    "BILLINGPROVIDERSECONDARYIDTYPE1 20 BILLINGPROVIDERSECONDARYID2 20 BILLINGPROVIDERSECONDARYIDTYPE2 20 "
    "BILLINGPROVIDERSECONDARYID3 20 BILLINGPROVIDERSECONDARYIDTYPE3 20 SUBMITTERNAME 35 SUBMITTERADDR1 35 "
    "SUBMITTERADDR2 35 SUBMITTERCITY 35 SUBMITTERST 2 SUBMITTERZIP 14 ";

// Descriptions given word for word; the others are built from the name.
const std::array<std::pair<const char*, const char*>, 8> kDescriptions = {{
    {"SUBFNAME", "Subscriber First Name"},
    {"CLAIMPATCTL", "Claim Patient Control Number"},
    {"TRACEREFID", "Trace RefID"},
    {"PAYERCLAIMCODE", "Payer Claim Control"},
    {"PAYEEADID", "Payee Additional ID"},
    {"ERROR", "Error"},
    {"CLAIMID", "Claim ID"},
    {"CLAIMAMT", "Claim Amount"},
}};

// Name parts and their words, longest first within each list.
const std::array<std::pair<const char*, const char*>, 22> kPrefixWords = {{
    {"BILLINGPROVIDER", "Billing Provider "}, {"SERVICEPROVIDER", "Service Provider "},
    {"PRIMARYPAYER", "Primary Payer "},       {"SECONDARYPAYER", "Secondary Payer "},
    {"TERTIARYPAYER", "Tertiary Payer "},     {"PRIMARYSUB", "Primary Subscriber "},
    {"SECONDARYSUB", "Secondary Subscriber "}, {"TERTIARYSUB", "Tertiary Subscriber "},
    {"PRIMARY", "Primary "},                  {"SECONDARY", "Secondary "},
    {"TERTIARY", "Tertiary "},                {"SUBMITTER", "Submitter "},
    {"ATTEND", "Attending "},                 {"OPERATE", "Operating "},
    {"PAYER", "Payer "},                      {"CLAIM", "Claim "},
    {"CLMADJ", "Claim Adjustment "},          {"PROCADJ", "Procedure Adjustment "},
    {"PROC", "Procedure "},                   {"SUB", "Subscriber "},
    {"PAT", "Patient "},                      {"REN", "Rendering "},
}};
const std::array<std::pair<const char*, const char*>, 22> kSuffixWords = {{
    {"NAMEPREFIX", "Name Prefix"}, {"NAMESUFIX", "Name Suffix"}, {"SECONDARYIDTYPE", "Secondary ID Type"},
    {"SECONDARYID", "Secondary ID"}, {"IDTYPE", "ID Type"},      {"IDCODE", "ID Code"},
    {"FNAME", "First Name"},        {"LNAME", "Last Name"},      {"ADDR", "Address "},
    {"CITY", "City"},               {"STATE", "State"},          {"ST", "State"},
    {"ZIP", "Zip"},                 {"DOB", "Date of Birth"},    {"SEX", "Sex"},
    {"MSTATUS", "Marital Status"},  {"MSTAT", "Marital Status"}, {"REL", "Relationship"},
    {"MI", "Middle Initial"},       {"NAME", "Name"},            {"ID", "ID"},
    {"ORDER", "Order"},
}};

struct TableEntry {
    std::string name;
    int width = 0;
    char type = 'C';
    bool family = false;
};

std::vector<TableEntry> parseRows(const char* rows) {
    std::vector<TableEntry> out;
    std::istringstream in(rows);
    std::string name, width;
    while (in >> name >> width) {
        TableEntry e;
        e.family = name.size() > 2 && name.ends_with("nn");
        e.name = e.family ? name.substr(0, name.size() - 2) : name;
        if (!width.empty() && width.back() == '$') {
            e.type = '$';
            width.pop_back();
        }
        e.width = std::stoi(width);
        out.push_back(e);
    }
    return out;
}

ExportDictionary expand(const char* rows, int mode) {
    ExportDictionary out;
    const int last = mode == 1 ? 9 : 99;
    for (const TableEntry& e : parseRows(rows)) {
        const std::string description = fieldDescription(e.name);
        if (!e.family) {
            out.push_back({e.name, description, e.width, 'H', e.type});
            continue;
        }
        for (int n = 1; n <= last; ++n) {
            const std::string digits = (n < 10 ? "0" : "") + std::to_string(n);
            out.push_back({e.name + digits, description + " " + digits, e.width, 'H', e.type});
        }
    }
    return out;
}

void appendMapLog(const std::string& folder, const std::string& text) {
    // Added to the map log, never replacing it: the conversion's own lines
    // stand in the same file.
    (void)wl::appendToFile(exportFilePath(folder, "zrmap.log"), text);
}

}  // namespace

std::string fieldDescription(const std::string& name) {
    for (const auto& [n, d] : kDescriptions)
        if (name == n) return d;
    std::string rest = name, out;
    for (const auto& [p, w] : kPrefixWords) {
        if (wl::prefixMatch(rest, p) && rest.size() > std::string_view(p).size()) {
            out = w;
            rest = rest.substr(std::string_view(p).size());
            break;
        }
    }
    for (const auto& [s, w] : kSuffixWords) {
        if (wl::prefixMatch(rest, s)) {
            return out + w + rest.substr(std::string_view(s).size());
        }
    }
    return out.empty() ? name : out + rest;
}

std::string exportClaimType(const SegmentTable& table, const ClaimIndex& index) {
    const ClaimFields fields(table, index);
    return wl::upper(fields.claim(1, 1, "CLAIMTYPE"));
}

ExportDictionary exportDictionary(const std::string& st01, int mode) {
    if (st01 == "837") return expand(k837Rows, mode);
    if (st01 == "277") return expand(k277Rows, mode);
    if (st01 == "271") return expand(k271Rows, mode);
    if (st01 == "835") return expand(k835Rows, mode);
    return {};
}

ExportDictionary CTL39404C(const SegmentTable& table, const ClaimIndex& index, const std::string& st01, int mode,
                           const ExportPrompts& prompts, const std::string& workFolder) {
    ExportDictionary rows;
    std::string mapType;
    if (st01 == "837") {
        const std::string type = exportClaimType(table, index);
        if (type == "DENTAL" || type == "PROFESSIONAL" || type == "INSTITUTIONAL") {
            rows = exportDictionary(st01, mode);
            mapType = type == "DENTAL" ? "Dental" : type == "PROFESSIONAL" ? "Professional" : "Institutional ";
        } else {
            if (prompts.show) prompts.show("Claim Type Error " + type);
            if (prompts.askYes) (void)prompts.askYes("Suppress this warning?\r\n\r\n", "Claim Type Error.");
            rows = {{"ERROR", "Error", 35, 'H', 'C'}};
            mapType = "Error";
        }
    } else {
        rows = exportDictionary(st01, mode);
        mapType = st01 == "277" ? "277 " : st01;
    }
    const std::size_t built = rows.size();
    std::erase_if(rows, [](const DictionaryRow& r) { return r.name.empty(); });
    if (!mapType.empty())
        appendMapLog(workFolder, "Maptype = " + mapType + "\r\nXOA = " + std::to_string(built) +
                                     "\r\nTXOA = " + std::to_string(rows.size()) + "\r\n");
    return rows;
}

ExportDictionary CTL39404AC(const std::string& st01, const std::string& workFolder) {
    ExportDictionary rows;
    std::string mapType = st01 == "277" ? "277 " : st01;
    if (st01 == "837" || st01 == "271" || st01 == "277") rows = {{"SUBFNAME", "Subscriber First Name", 35, 'H', 'C'}};
    if (st01 == "835") rows = {{"CLAIMPATCTL", "Claim Patient Control Number", 20, 'H', 'C'}};
    if (!rows.empty())
        appendMapLog(workFolder, "Maptype = " + mapType + "\r\nXOA = 1\r\nTXOA = 1\r\n");
    return rows;
}

ExportDictionary CTL39404W(const std::vector<std::string>& names) {
    static const std::vector<TableEntry> table = parseRows(kOdbcRows);
    ExportDictionary out;
    int errors = 0;
    for (const std::string& name : names) {
        const TableEntry* hit = nullptr;
        for (const TableEntry& e : table) {
            if (e.family ? wl::prefixMatch(name, e.name) : name == e.name) {
                hit = &e;
                break;
            }
        }
        if (hit) {
            out.push_back({name, fieldDescription(name), hit->width, 'H', hit->type});
        } else {
            out.push_back({name, "Field Error " + wl::padLeft(std::to_string(++errors), 10), 14, 'H', 'C'});
        }
    }
    return out;
}

ExportDictionary CTL39404U(const std::vector<std::string>& names, const ExportDictionary& dictionary) {
    ExportDictionary found, empty;
    const std::size_t rows = std::min<std::size_t>(dictionary.size(), 254);
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        bool hit = false;
        for (std::size_t r = 0; r < rows && !hit; ++r) {
            if (!names[i].empty() && wl::prefixMatch(dictionary[r].name, names[i])) {
                found.push_back(dictionary[r]);
                hit = true;
            }
        }
        if (!hit) empty.push_back({});
    }
    found.insert(found.end(), empty.begin(), empty.end());
    return found;
}

DictionaryRow CTL39404AB(const std::string& name, const ExportDictionary& dictionary) {
    for (const DictionaryRow& r : dictionary)
        if (r.name == name) return r;
    return {name, name, 12, 'H', 'C'};
}

std::string CTL39404S(std::string text, const ExportDictionary& dictionary, const std::vector<std::string>& group) {
    for (const DictionaryRow& r : dictionary) {
        for (const std::string& prefix : group) {
            if (wl::prefixMatch(r.name, prefix)) {
                text += "<" + r.name + "></" + r.name + ">\r\n";
                break;
            }
        }
    }
    return text;
}

std::vector<std::string> CTL39404X(const ExportDictionary& dictionary) {
    std::vector<std::string> names;
    for (const DictionaryRow& r : dictionary) names.push_back(r.name);
    return names;
}

}  // namespace zr
