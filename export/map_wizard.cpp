#include "map_wizard.hpp"

#include <array>
#include <cstdlib>
#include <initializer_list>

#include "export_logs.hpp"
#include "export_maps.hpp"
#include "paths.hpp"
#include "text.hpp"

namespace zr {

namespace {

using Names = std::vector<std::string>;

constexpr std::array<const char*, 8> kTypes{"837I", "837P", "837D", "835", "270", "271", "276", "277"};

// One repeating group of institutional claims: its question's words, the
// prefix of its names and the names that come first.
struct RepeatingGroup {
    const char* question;
    const char* title;
    const char* words;  // in the count questions, in place of "Diagnosis"
    const char* prefix;
    std::initializer_list<const char*> first;
};

const std::array<RepeatingGroup, 12>& repeatingGroups() {
    static const std::array<RepeatingGroup, 12> groups{{
        {"Include Diagnosis Information?", "OtherDX", "Diagnosis", "OTHERDX", {"ADMITDX", "PRINCIPALDX"}},
        {"Include Procedure Information?", "OTHERPROC", "Procedure", "OTHERPROC", {"PRINCIPLEPROC", "PRINCIPLEPROCDATE"}},
        {"Include Other Procedure Date Information?", "OTHERPROCDATE", "Procedure Date", "OTHERPROCDATE", {}},
        {"Include Other Occurence Span Information?", "OCCURRENCESPAN", "Occurence Span", "OCCURRENCESPAN", {}},
        {"Include Other Occurence Code Information?", "OCCURRENCECODE", "Occurence Code", "OCCURRENCECODE", {}},
        {"Include Other Occurence Date Information?", "OCCURRENCEDATE", "Occurence Date", "OCCURRENCEDATE", {}},
        {"Include Other Value Code Information?", "VALUECODE", "Value Code", "VALUECODE", {}},
        {"Include Other Value Amount Information?", "VALUEAMOUNT", "Value Amount", "VALUEAMOUNT", {}},
        {"Include Other Value Quantity  Information?", "VALUEQTY", "Value Quantity  ", "VALUEQTY", {}},
        {"Include Other Condition Code Information?", "CONDITIONCODE", "Condition Code", "CONDITIONCODE", {}},
        {"Include Other Condition Date Information?", "CONDITIONDATE", "Condition Date", "CONDITIONDATE", {}},
        {"Include Other Treatment Code Information?", "TREATMENTCODE", "Treatment Code", "TREATMENTCODE", {}},
    }};
    return groups;
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The questions of one run, the names its answers add.
class WizardRun {
public:
    WizardRun(const std::string& type, const MapWizardAnswers& answers) : type_(type), a_(answers) {}

    Names run() {
        const bool i = type_ == "837I", p = type_ == "837P", d = type_ == "837D";
        const bool claims = i || p || d, r835 = type_ == "835", elig = type_ == "270" || type_ == "271";
        const bool status = type_ == "276" || type_ == "277";
        if (i || p) providerGroups();
        if (claims || r835 || status) {
            group("Include Subscriber Information?", "Subscriber Data",
                  {"SUBLNAME", "SUBFNAME", "SUBMI", "SUBIDCODE", "SUBADDR1", "SUBADDR2", "SUBCITY", "SUBST", "SUBZIP",
                   "SUBSEX", "SUBSTATUS", "SUBDOB", "SUBREL", "SUBORDER"});
            group("Include Patient Information?", i ? "" : "Payer",
                  {"PATLNAME", "PATFNAME", "PATMI", "PATADDR1", "PATADDR2", "PATCITY", "PATST", "PATZIP", "PATSEX",
                   "PATMSTAT", "PATDOB", "PATREL"});
        }
        if (claims) claimGroups(i, p, d);
        if (r835) remittanceGroups();
        if (elig) eligibilityGroups();
        if (status)
            group("Include Claim Information?", "CLP Segment Data Loop 2100",
                  {"DATEOFSERVICE", "CLAIMPERIODDATESTART", "DATERECEIVED", "TRACEID", "CLAIMPAYMENTMETHODCOD",
                   "CLAIMCHECKDATE", "CLAIMCHECKNUMBER", "CLAIMTOTALAMOUNT", "CLAIMPAYMENTAMOUNT", "CLAIMSTATUS1",
                   "CLAIMSTATUSCODE1", "CLAIMSTATUS2", "CLAIMSTATUSCODE2", "CLAIMSTATUS3", "CLAIMSTATUSCODE3"});
        return std::move(names_);
    }

private:
    bool ask(const std::string& question, const std::string& title) {
        return a_.askYes && a_.askYes(question, title);
    }

    bool group(const std::string& question, const std::string& title, std::initializer_list<const char*> names) {
        if (!ask(question, title)) return false;
        add(names);
        return true;
    }

    void add(std::initializer_list<const char*> names, const std::string& suffix = "") {
        for (const char* n : names) names_.push_back(n + suffix);
    }
    void add(const std::string& name) { names_.push_back(name); }

    // A count asked again after the message while it is out of 0 to max.
    int count(const std::string& question, const std::string& defaultText, int max) {
        for (;;) {
            const std::string text = a_.askNumber ? a_.askNumber(defaultText, question) : defaultText;
            const std::string trimmed = wl::alltrim(text);
            const int n = std::atoi(trimmed.c_str());
            if (n >= 0 && n <= max) return n;
            if (a_.show) a_.show("Must be 0 minimum " + std::to_string(max) + " maximum.");
            if (!a_.askNumber) return 0;
        }
    }

    int lineCount(int max) { return count("Number of service lines to include?", " 10", max); }

    void providerGroups() {
        group("Include Submitter Information?", "Subscriber Data",
              {"SUBMITTERLNAME", "SUBMITTERADDR1", "SUBMITTERADDR2", "SUBMITTERCITY", "SUBMITTERST", "SUBMITTERZIP",
               "SUBMITTERCONTACT", "SUBMITTERID"});
        group("Include Receiver Information?", "Subscriber Data",
              {"RECEIVERNAME", "RECEIVERADDITIONALNAME", "RECEIVERID", "RECEIVERADDR1", "RECEIVERADDR2",
               "RECEIVERCITY", "RECEIVERST", "RECEIVERZIP"});
        for (const char* who : {"BILLINGPROVIDER", "PAYTOPROVIDER"}) {
            const std::string question = std::string(who) == "BILLINGPROVIDER"
                                             ? "Include Billing Provider Information?"
                                             : "Include Pay to Provider Information?";
            if (!ask(question, "Subscriber Data")) continue;
            for (const char* part : {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP", "IDTYPE", "IDCODE", "ID"})
                add(std::string(who) + part);
        }
    }

    void claimGroups(bool i, bool p, bool d) {
        const std::string payer = i ? "" : "Payer";
        if (d) {
            group("Include Payer Information?", "Payer",
                  {"PAYERNAME", "PAYERADDR1", "PAYERADDR2", "PAYERCITY", "PAYERST", "PAYERZIP", "CLAIMID", "CLAIMAMT",
                   "CLAIMPAIDDATE", "POSCODE", "DX1", "DX2", "DX3", "DX4", "DX5"});
        } else if (group("Include Payer Information?", payer,
                         {"PAYERNAME", "PAYERADDR1", "PAYERADDR2", "PAYERCITY", "PAYERST", "PAYERZIP", "CLAIMID",
                          "CLAIMAMT", "POSCODE", "ICNDCN"}) &&
                   p) {
            add({"DX1", "DX2", "DX3", "DX4", "DX5"});
        }
        if (i || p) {
            group("Include Referring Provider Information?", payer,
                  {"REFLNAME", "REFFNAME", "REFID", "REFIDTYPE", "REFSECONDARYID", "REFSECONDARYIDCODE"});
            group("Include Attending Provider Information?", payer,
                  {"ATTENDLNAME", "ATTENDFNAME", "ATTENDID", "ATTENDSECONDARYID", "ATTENDSECONDARYIDCODE"});
            group("Include Operating Provider Information?", "Payer",
                  {"OPERATELNAME", "OPERATEFNAME", "OPERATEID", "OPERATESECONDARYID", "OPERATESECONDARYIDCODE"});
        }
        if (p)
            group("Include Rendering Provider Information?", "Payer",
                  {"RENLNAME", "RENFNAME", "RENIDTYPECODE", "RENIDTYPE", "RENID"});
        if (i || p)
            group("Include Facility Information?", "Payer",
                  {"FACILITYNAME", "FACILITYADDR1", "FACILITYADDR2", "FACILITYCITY", "FACILITYST", "FACILITYZIP",
                   "FACILITYIDTYPE", "FACILITYIDCODE", "FACILITYID", "FACILITYSECONDARYIDTYPE",
                   "FACILITYSECONDARYIDCODE", "FACILITYSECONDARYID"});
        if (p) {
            const std::array<std::pair<const char*, const char*>, 3> places{{
                {"Include Service Location Information?", "SERVICELOCATION"},
                {"Include Independent LAB Information?", "ILAB"},
                {"Include Testing LAB Information?", "TLAB"},
            }};
            for (const auto& [question, prefix] : places) {
                if (!ask(question, "Payer")) continue;
                for (const char* part : {"NAME", "ADDR1", "ADDR2", "CITY", "ST", "ZIP"}) add(std::string(prefix) + part);
            }
        }
        if (i) {
            for (const RepeatingGroup& g : repeatingGroups()) repeatingGroup(g);
            institutionalLines();
        }
        if (p && ask("Include Service Line Information?", "Service Lines")) {
            const int n = lineCount(50);
            for (int l = 1; l <= n; ++l)
                add({"PPROC", "MODA", "MODB", "MODC", "DOS", "AMT", "UNITS", "DXLINK", "POSLINECODE", "PRICEAMT",
                     "PRICEREF", "ADJUDID"},
                    std::to_string(l));
        }
        if (d && ask("Include Service Line Information?", "Service Lines")) {
            const int n = lineCount(50);
            for (int l = 1; l <= n; ++l)
                add({"DPROC", "DMODA", "DMODB", "DMODC", "DDOS", "DAMT", "DUNITS", "DDXLINK", "DPRICEAMT", "DPRICEREF",
                     "DADJUDID"},
                    std::to_string(l));
        }
    }

    void repeatingGroup(const RepeatingGroup& g) {
        if (!ask(g.question, g.title)) return;
        const std::string words = g.words;
        const int segments = count("Number of Other " + words + " Segments to include?", " 1", 25);
        const int elements = count("Number of Other " + words + " Elements to include per Segment?", " 10", 12);
        add(g.first);
        const std::string prefix = g.prefix;
        if (segments == 1) {
            for (int e = 1; e <= elements; ++e) add(prefix + twoDigits(e));
            return;
        }
        for (int e = 1; e <= elements; ++e)
            for (int s = 1; s <= segments; ++s) add(prefix + static_cast<char>('A' + e - 1) + std::to_string(s));
    }

    void institutionalLines() {
        if (!ask("Include Service Line Information?", "Service Lines")) return;
        const bool drugs = ask("Include National Drug Code Information?", "NDC");
        const int n = lineCount(999);
        for (int l = 1; l <= n; ++l) {
            const std::string s = std::to_string(l);
            add({"IREVCODE", "IPROCTYPE", "IPROC", "IMODA", "IMODB", "IMODC", "IDOS", "IAMT", "IUNITS", "IPRICEAMT",
                 "IPRICEREF", "IADJUDID", "IADJUDAMT", "IADJUDDATE"},
                s);
            if (drugs) add({"NDCUNITS", "NDCCODE", "NDCUNITPRICE"}, s);
        }
    }

    void remittanceGroups() {
        group("Include Claim Payment Information?", "CLP Segment Data Loop 2100",
              {"CLAIMPATCTL", "CLAIMSTATUSCODE", "CLAIMSTATUSDESC", "CLAIMTOTALCHARGE", "CLAIMTOTALPAID",
               "PATRESPONSIBLE", "FILIND", "FILINDDESC", "PAYERCLAIMCODE", "FACILITYTYPECODE", "CLAIMFREQ",
               "DATEOFSERVICE", "CLAIMSUPPLEMENTALAMTAU", "CLAIMMSTATEMENTPERIODSTART", "CLAIMMSTATEMENTPERIODEND"});
        if (ask("Include Claim Adjustments?", "CAS Segment Data Loop 2100")) {
            const int n = count("Number of additional claim adjustments to include?", "6", 6);
            add({"CLMADJGRPCODE", "CLMADJGRPDESC", "CLMADJCODE", "CLMADJAMT", "CLMADJQTY"});
            for (int a = 1; a <= n; ++a) add({"CLMADJCODE", "CLMADJAMT", "CLMADJQTY"}, std::to_string(a));
            add({"MOAPERCENT", "MOAMOUNTPAYABLE", "MOAREMARK1", "MOAREMARK2", "MOAREMARK3", "MOAREMARK4", "MOAREMARK5",
                 "MOAPAYMENT", "MOANONPAYABLE", "MIACOVDVC", "MIAOPOUTAMT", "MIALIFPSYDAYS", "MIADRGAMT", "MIAREMARK1",
                 "MIASHAREAMT", "MIAMSPPASSAMT", "MIAPPSCAPAMT", "MIAFSPDRGAMT", "MIAHSPDRGAMT", "MIADHSDRGAMT",
                 "MIAOLDCAPAMT", "MIAIMEAMT", "MIAOHSDRG", "MIACOSTRPTDATCNT", "MIAOFSDRG", "MIAPPSCAPOUTAMT",
                 "MIAINDTEACHAMT", "MIANONPAYPROAMT", "MIAREMARK2", "MIAREMARK3", "MIAREMARK4", "MIACAPEXCPAMT"});
        }
        if (ask("Include Service Line Information?", "Loop 2110 Data")) remittanceLines();
        if (ask("Include Provider Adjustments?", "Provider Summary Adjustments")) {
            const int n = count("Number of additional claim adjustments to include?", "1", 10);
            for (int a = 1; a <= n; ++a) {
                const std::string s = std::to_string(a);
                add({"PROVADJREFID", "PROVADJPERIOD"}, s);
                for (char letter = 'A'; letter <= 'F'; ++letter)
                    add({"PROVADJREASONCODE", "PROVADJREASONID", "PROVADJAMT"}, std::string(1, letter) + s);
            }
        }
    }

    void remittanceLines() {
        const int lines = lineCount(999);
        const int segments = count("Number of ajustment segments per service lines to include?", " 1", 99);
        const int occurrences =
            segments > 1 ? count("Number of ajustment occurrences per segment?", " 1", 10) : 1;
        for (int l = 1; l <= lines; ++l) {
            const std::string n = std::to_string(l);
            add({"DATEOFSERVICE", "PROCEDURE", "PROCEDUREMODA", "PROCEDUREMODB", "PROCEDUREMODC", "PROCEDUREMODD",
                 "PROCBILLEDAMT", "PROCPAYAMT", "PROCREVENUECODE", "PROCUNITSPAID", "PROCUNITS",
                 "PROCEDUREDESCRIPTION", "PROCALLOWEDAMT", "PROCPERDAYLIMITAMT", "PROCDEDUCTIONAMT",
                 "PROCNETBILLEDAMT", "PROCTAXAMT", "PROCTOTALBEFORETAXESAMT", "PROCDEDUCTAMT", "PROCCOINSAMT",
                 "PROCCOADJAMT", "PROCPROTHERAM", "PROCCOPAYAMT", "SERVICEDATEFROM", "SERVICEDATETO",
                 "PROCPRIORAUTHNUMBER", "PROCCTLNUMBER", "PROCREMARKCODE"},
                n);
            if (segments <= 1) {
                add({"PROCADJGRPCODE", "PROCADJCODE", "PROCADJAMT", "PROCADJQTY"}, n);
                continue;
            }
            for (int s = 1; s <= segments; ++s) {
                const std::string ns = n + "." + std::to_string(s);
                add("PROCADJGRPCODE" + ns);
                if (occurrences == 1) {
                    add({"PROCADJCODE", "PROCADJAMT", "PROCADJQTY"}, ns);
                    continue;
                }
                for (int o = 1; o <= occurrences; ++o)
                    add({"PROCADJCODE", "PROCADJAMT", "PROCADJQTY"}, ns + "." + std::to_string(o));
            }
        }
    }

    void eligibilityGroups() {
        group("Include Subscriber Information?", "Subscriber Data",
              {"SUBID", "SUBIDQUAL", "SUBLNAME", "SUBFNAME", "SUBMI", "SUBADDR1", "SUBADDR2", "SUBCITY", "SUBST",
               "SUBZIP", "SUBADDIDCODEDESC", "SUBADDIDCODE", "SUBADDID", "SUBDOB", "SUBGENDER"});
        group("Include Dependent Information?", "Dependent",
              {"DEPID", "DEPLNAME", "DEPFNAME", "DEPMI", "DEPADDR1", "DEPADDR2", "DEPCITY", "DEPST", "DEPZIP"});
        add({"INQUIRYCODE", "INQUIRYDESC", "REQVALRESPONSECODE", "REQVALREJECTREASONDESC", "REQVALREJECTREASONCODE",
             "REQVALFOLLOWUPCODE", "TRACEREFID", "TRACEORGID", "TRACEREFRENCEID", "INFORMATIONRECEIVERNAME",
             "INFORMATIONRECEIVERIDTYPECODE", "INFORMATIONRECEIVERIDTYPEDESC", "INFORMATIONRECEIVERIDCODE",
             "XOVERCARRIER", "SERVICEDATE", "ISSUEDATE", "ELIGIBILITYDATE", "ADMISSIONSERVICEDATE",
             "SERVICEPROVIDERID", "SERVICEPROVIDER"});
        const int n = lineCount(999);
        for (int l = 1; l <= n; ++l)
            add({"BENEFITCODE", "BENEFIT", "COVERAGECODE", "COVERAGELEVEL", "SERVICECODE", "SERVICETYPE",
                 "INSURANCECODE", "INSURANCETYPE", "DESCRIPTION", "TIMEPERIOD", "AMOUNT"},
                std::to_string(l));
    }

    std::string type_;
    const MapWizardAnswers& a_;
    Names names_;
};

}  // namespace

std::string mapWizardType(int type) { return type >= 1 && type <= 8 ? kTypes[type - 1] : kTypes[0]; }

std::string mapWizardFileName(int type) { return "zr" + wl::lower(mapWizardType(type)) + ".xml"; }

std::string CTL394MAPD(const std::string& text, const std::string& name, int format) {
    if (format == 1) return text.empty() ? name : text + "," + name;
    return text + "<FIELD>" + name + "</FIELD>\r\n";
}

std::vector<std::string> mapWizardFields(int type, const MapWizardAnswers& answers) {
    return WizardRun(mapWizardType(type), answers).run();
}

void CTL394MAPA(const std::string& /*folder*/, const MapWizardAnswers& answers, const std::string& workFolder) {
    int type = answers.pickType ? answers.pickType() : 1;
    if (type < 1 || type > 8) type = 1;
    const std::string name = mapWizardType(type);
    const std::string path = exportFilePath(workFolder, mapWizardFileName(type));
    const auto yes = [&](const std::string& text, const std::string& title) {
        return answers.askYes && answers.askYes(text, title);
    };
    bool build = false;
    if (wl::fileExists(path)) {
        build = yes("A map file already exists. Do you wish to replace the existing " + name + " map file?",
                    " Erase Existing ZR" + name + ".XML Mapping File?");
        if (build) eraseExportLog(workFolder, mapWizardFileName(type));
    } else {
        build = yes("Do you wish to create an " + name + " map file?", " Create a ZR" + name + ".XML Mapping File?");
    }
    if (build) {
        std::string list;
        for (const std::string& field : mapWizardFields(type, answers)) list = CTL394MAPD(list, field, 2);
        writeExportLog(workFolder, mapWizardFileName(type),
                       "<?xml version=\"1.0\"  encoding=\"ISO-8859-1\"?>\r\n<CONFIGURATION>\r\n" + list +
                           "</CONFIGURATION>\r\n");
        if ((name == "270" || name == "271") && answers.show) answers.show(wl::fileExists(path) ? "true" : "false");
    }
    if (wl::fileExists(path) && answers.openNotepad) answers.openNotepad(path);
}

}  // namespace zr
