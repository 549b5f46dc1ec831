#include "zr_ini.hpp"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "ini_lines.hpp"
#include "text.hpp"

namespace zr {

OptionFlagStrings OptionFlagStrings::startUp() {
    OptionFlagStrings s;
    s.system = "BAABA$AAAAAAAAAA";
    s.enrollment = "BAAAAAAAAAAAAAAA";
    s.claimScreen = "BAAAAAAAAAAAAAAA";
    s.processing = std::string(64, 'A');
    s.spare5 = "AAB" + std::string(61, 'A');
    s.cms1500 = "AAAAAAABAABAAACAAAAAAAAAAAAAGAAAAAAAAACAAAAAAAAAAAAAAAAAAAAAAAAA";
    s.spare7 = "AAAAAAAAAAAAAAAA";
    s.spare8 = "AAABAAAAAAAAAAAA";
    s.spare9 = "AAAAAAAAAAAAAAAA";
    s.x12 = "AAB" + std::string(61, 'A');
    return s;
}

std::string* OptionFlagStrings::byMode(int mode) {
    switch (mode) {
        case 1: return &system;
        case 2: return &enrollment;
        case 3: return &claimScreen;
        case 4: return &processing;
        case 5: return &spare5;
        case 6: return &cms1500;
        case 7: return &spare7;
        case 8: return &spare8;
        case 9: return &spare9;
        case 20: return &x12;
        default: return nullptr;
    }
}

const std::string* OptionFlagStrings::byMode(int mode) const {
    return const_cast<OptionFlagStrings*>(this)->byMode(mode);
}

namespace {

// ---------------------------------------------------------------- letter keys

struct LetterKey {
    int position;  // 1-based
    std::string_view key;
    char letter;
};

constexpr LetterKey kSystemKeys[] = {
    {2, "PURGESYSTEM=ON", 'B'},           {2, "PURGESYSTEM=CARRIERSOLO", 'B'},
    {2, "PURGESYSTEM=CLEARINGSOLO", 'C'}, {2, "PURGESYSTEM=CLEARINGGROUP", 'D'},
    {2, "PURGESYSTEM=CARRIERGROUP", 'E'}, {2, "PURGESYSTEM=RELEASEGROUP", 'F'},
    {2, "PURGESYSTEM=RELEASESOLO", 'G'},  {2, "PURGESYSTEM=CLEARING", 'H'},
    {2, "PURGESYSTEM=CARRIER", 'I'},      {2, "PURGESYSTEM=ALL", 'J'},
    {8, "PASSWORD=YES", 'B'},             {12, "CLEARINGSERVICE=SINGLE", 'A'},
    {12, "CLEARINGSERVICE=MULTI", 'B'},   {13, "UNITS=WHOLE", 'A'},
    {13, "UNITS=FRACTIONAL", 'B'},        {13, "UNITS=FREEFORM", 'C'},
    {14, "ANALIZER=OFF", 'A'},            {14, "ANALIZER=ON", 'B'},
    {15, "OPTION=OFF", 'A'},              {15, "OPTION=DME", 'B'},
    {15, "OPTION=AMBULANCE", 'C'},        {15, "OPTION=ANESTHESIA", 'D'},
    {15, "OPTION=CHIROPRACTIC", 'E'},
};

constexpr LetterKey kEnrollmentKeys[] = {{1, "LOCATE=NAME", 'B'}};

constexpr LetterKey kClaimScreenKeys[] = {
    {1, "MODE=LEDGER", 'B'},
    {2, "SCREEN=TYPE1", 'A'},
    {2, "SCREEN=TYPE2", 'B'},
    {2, "SCREEN=TYPE3", 'C'},
};

constexpr LetterKey kProcessingKeys[] = {
    {1, "CHECKNAME=OFF", 'A'},     {1, "CHECKNAME=ON", 'B'},     {2, "CHECKADDRESS=OFF", 'A'},
    {2, "CHECKADDRESS=ON", 'B'},   {3, "CHECKDOB=OFF", 'A'},     {3, "CHECKDOB=ON", 'B'},
    {4, "CHECKREFID=OFF", 'A'},    {4, "CHECKREFID=ON", 'B'},    {5, "CHECKALTID=OFF", 'A'},
    {5, "CHECKALTID=ON", 'B'},     {6, "CHECKINSID=OFF", 'A'},   {6, "CHECKINSID=ON", 'B'},
    {7, "CHECKPROVNAME=OFF", 'A'}, {7, "CHECKPROVNAME=ON", 'B'}, {8, "CHECKPROVID=OFF", 'A'},
    {8, "CHECKPROVID=ON", 'B'},    {9, "CHECKGENDER=OFF", 'A'},  {9, "CHECKGENDER=ON", 'B'},
    {10, "CHECKPAYERID=OFF", 'A'}, {10, "CHECKPAYERID=ON", 'B'},
};

constexpr LetterKey kX12Keys[] = {
    {1, "USE=ALTID", 'B'},
    {2, "INTERCHANGECONTROL=CARRIER", 'A'},
    {2, "INTERCHANGECONTROL=CLEARING", 'B'},
    {3, "FUNCTIONALGROUP=", 'A'},
    {4, "TRANSACTIONSET=SINGLE", 'A'},
    {4, "TRANSACTIONSET=MULTIPLE", 'B'},
    {5, "PROVIDERHIERARCH=SINGLE", 'A'},
    {5, "PROVIDERHIERARCH=MULTIPLE", 'B'},
    {6, "INTERCHANGENUMBERING=TYPEA", 'A'},
    {6, "INTERCHANGENUMBERING=TYPEB", 'B'},
    {6, "INTERCHANGENUMBERING=TYPEC", 'C'},
    {6, "INTERCHANGENUMBERING=TYPED", 'D'},
    {6, "INTERCHANGENUMBERING=TYPEE", 'E'},
    {6, "INTERCHANGENUMBERING=TYPEF", 'F'},
    {6, "INTERCHANGENUMBERING=TYPEG", 'G'},
    {6, "INTERCHANGENUMBERING=TYPEH", 'H'},
    {7, "EXTENSION=TCF", 'A'},
    {7, "EXTENSION=TYPE", 'B'},
    {8, "BATCHTYPE=PROFESSIONAL", 'A'},
    {8, "BATCHTYPE=INSTITUTIONAL", 'B'},
    {9, "NPI=ON", 'A'},
    {9, "NPI=OFF", 'B'},
    {10, "SORT=INVOICE", 'A'},
    {10, "SORT=SUBSCRIBER", 'B'},
    {11, "OTHERINSURANCE=ON", 'A'},
    {11, "OTHERINSURANCE=PAID", 'B'},
};

constexpr LetterKey kCms1500Keys[] = {
    {1, "BOX26=ALTID", 'B'},
    {1, "BOX26=SSN", 'C'},
    {1, "BOX26=LOCALUSE", 'D'},
    {2, "BOX27=OFF", 'C'},
    {2, "BOX27=YESALWAYS", 'B'},
    {3, "BOX12=ONFILE", 'B'},
    {4, "BOX13=ONFILE", 'B'},
    {5, "BOX25=OFF", 'B'},
    {6, "BOX33=OFF", 'B'},
    {7, "BOX9=ON", 'A'},
    {7, "BOX9=OFF", 'B'},
    {7, "BOX9=YESALWAYS", 'C'},
    {8, "BOX12=DATEOFF", 'A'},
    {8, "BOX12=TODAY", 'B'},
    {9, "BOX24=DOUBLE", 'B'},
    {10, "BOX31=PROVIDERIDON", 'B'},
    {10, "BOX31=DATEONLY", 'C'},
    {10, "BOX31=OFF", 'D'},
    {10, "BOX31=PROVIDERIDOFF", 'E'},
    {10, "BOX31=LOCALUSE", 'F'},
    {11, "TOP=OFF", 'A'},
    {11, "TOP=SYSTEMIDON", 'B'},
    {11, "TOP=SUBMITTERIDON", 'C'},
    {11, "TOP=INSURANCEIDON", 'D'},
    {11, "TOP=IDOFF", 'E'},
    {12, "BOX21=DECIMALON", 'B'},
    {13, "DATECTL=MMDDYY", 'A'},
    {13, "DATECTL=MMDDCCYY", 'B'},
    {14, "BOX24J=OFF", 'E'},
    {14, "BOX24K=PROVINSID", 'B'},
    {14, "BOX24K=REFSINSID", 'C'},
    {14, "BOX24K=INSTINSID", 'D'},
    {15, "FORM=PREPRINTEDNOCHOICE", 'A'},
    {15, "FORM=PREPRINTED", 'B'},
    {15, "FORM=ARTWORK", 'C'},
    {16, "PROCLINE=DESC10", 'B'},
    {16, "PROCLINE=DESC16", 'C'},
    {17, "FORM=NORMALELITE", 'A'},
    {17, "FORM=UPPERELITE", 'B'},
    {18, "BOX20=NO", 'B'},
    {18, "BOX20=YES", 'C'},
    {19, "BOX20=BOX28", 'B'},
    {20, "BOX23=SITEID", 'B'},
    {21, "BOX24E=DX", 'B'},
    {21, "BOX24E=OFF", 'C'},
    {22, "BOX21=OFF", 'B'},
    {23, "BOX32=ONALWAYS", 'B'},
    {24, "BOX24B=1992", 'A'},
    {24, "BOX24B=1984", 'B'},
    {24, "BOX24B=OFF", 'C'},
    {24, "SETPOS=", 'D'},
    {25, "BOX33=PHONEOFF", 'A'},
    {25, "BOX33=PHONEON", 'B'},
    {26, "BOX24G=NORMAL", 'A'},
    {26, "BOX24G=MAX", 'B'},
    {26, "BOX24G=TWOPOS", 'C'},
    {26, "BOX24G=THREEPOS", 'D'},
    {27, "BOX24C=OFF", 'B'},
    {27, "SETTOS=", 'C'},
    {28, "BOX14=OFF", 'B'},
    {29, "FONT=ARIAL8", 'A'},
    {29, "FONT=COURRIERNEW8", 'B'},
    {29, "FONT=TIMESNEWROMAN8", 'C'},
    {29, "FONT=SANSERIF8", 'D'},
    {29, "FONT=ARIAL10", 'E'},
    {29, "FONT=COURRIERNEW10", 'F'},
    {29, "FONT=TIMESNEWROMAN10", 'G'},
    {29, "FONT=SANSERIF10", 'H'},
    {29, "FONT=ARIAL12", 'I'},
    {29, "FONT=COURRIERNEW12", 'J'},
    {29, "FONT=TIMESNEWROMAN12", 'K'},
    {29, "FONT=SANSERIF12", 'L'},
    {30, "TOPOFFSET=0", 'Z'},
    {30, "TOPOFFSET=5", 'B'},
    {30, "TOPOFFSET=10", 'C'},
    {30, "TOPOFFSET=15", 'D'},
    {30, "TOPOFFSET=20", 'E'},
    {30, "TOPOFFSET=25", 'F'},
    {30, "TOPOFFSET=30", 'G'},
    {30, "TOPOFFSET=35", 'H'},
    {30, "TOPOFFSET=40", 'I'},
    {30, "TOPOFFSET=45", 'J'},
    {30, "TOPOFFSET=50", 'K'},
    {30, "TOPOFFSET=55", 'L'},
    {30, "TOPOFFSET=60", 'M'},
    {31, "BOX4=OFF", 'B'},
    {31, "BOX4=YESALWAYS", 'C'},
    {32, "BOX6=OFF", 'B'},
    {33, "BOX8=OFF", 'B'},
    {34, "BOX10=OFF", 'B'},
    {35, "BOX11=OFF", 'B'},
    {36, "BOX29=OFF", 'B'},
    {37, "BOX30=OFF", 'B'},
    {37, "BOX30=BOX28", 'C'},
    {38, "BOX24D=DESCRIPTION", 'B'},
    {39, "FORMREVISION=0805", 'A'},
    {39, "FORMREVISION=1290", 'B'},
    {39, "FORMREVISION=0212", 'C'},
    {40, "TEXTFORMCONTROL=FLAT", 'A'},
    {40, "TEXTFORMCONTROL=FORMFEED", 'B'},
    {41, "BOX1=OFF", 'B'},
    {42, "ICDTYPE=ICD10", 'A'},
    {42, "ICDTYPE=ICD9", 'B'},
};

// Keys are prefixes, and some begin with others of their section
// (TOPOFFSET=5 and TOPOFFSET=50, FORM=PREPRINTED and
// FORM=PREPRINTEDNOCHOICE): the longest key that the line begins with wins.
const LetterKey* findLetterKey(std::span<const LetterKey> keys, std::string_view line) {
    const LetterKey* best = nullptr;
    for (const auto& k : keys)
        if (wl::prefixMatch(line, k.key) && (!best || k.key.size() > best->key.size())) best = &k;
    return best;
}

// A position past the end of the string is left alone: a caller that
// passes "" for the strings it does not want gets "" back.
void applyLetterKey(std::string& letters, std::span<const LetterKey> keys, std::string_view line) {
    const LetterKey* k = findLetterKey(keys, line);
    if (k && static_cast<std::size_t>(k->position) <= letters.size()) letters[k->position - 1] = k->letter;
}

// ------------------------------------------------------------------ sections

// In the order in which a key line is offered when several are current.
enum Section { System, Enrollment, ClaimScreen, Processing, Translator, X12, Cms1500, Statement, Report, kSections };

class CurrentSections {
public:
    void only(Section s) {
        clear();
        on_[s] = true;
    }
    void set(Section s, bool value) { on_[s] = value; }
    void clear() { on_.fill(false); }
    // "COMMAND=0" ends these, not [TRANSLATOR], [X12] or the CMS-1500 section.
    void endAtCommandZero() {
        for (Section s : {System, Enrollment, ClaimScreen, Processing, Statement, Report}) on_[s] = false;
    }
    std::optional<Section> first() const {
        for (int s = 0; s < kSections; ++s)
            if (on_[s]) return static_cast<Section>(s);
        return std::nullopt;
    }

private:
    std::array<bool, kSections> on_{};
};

struct SectionHeader {
    std::string_view header;
    Section section;
};

constexpr SectionHeader kPlainHeaders[] = {
    {"[SYSTEM]", System},
    {"[CLAIM SCREEN]", ClaimScreen},
    {"[PROCESSING]", Processing},
    {"[ENROLLMENT SCREEN]", Enrollment},
    {"[TRANSLATOR]", Translator},
    {"[HCFA1500]", Cms1500},
    {"[CMS1500]", Cms1500},
    {"[STATEMENT]", Statement},
    {"[REPORT]", Report},
};

// A section with an id suffix: "[PROCESSING-id]" and the like.
struct IdHeader {
    std::string_view prefix;  // up to and with the hyphen
    std::size_t minLength;    // shorter lines are ignored altogether
    Section section;
    bool exclusive;  // a match makes it the only current section, a mismatch leaves none
};

constexpr IdHeader kIdHeaders[] = {
    {"[PROCESSING-", 16, Processing, true},
    {"[HCFA1500-", 14, Cms1500, false},
    {"[CMS1500-", 13, Cms1500, false},
    {"[X12-", 12, X12, false},
};

// The id is compared with the eight characters after the hyphen, by prefix.
bool idMatches(std::string_view line, std::size_t prefixLength, const std::string& id) {
    return wl::prefixMatch(line.substr(prefixLength, 8), wl::upper(id));
}

// Switches the current sections on a section line; false for any other line.
bool switchSection(const std::string& line, const std::string& id, int mode, CurrentSections& current) {
    if (!isSectionLine(line)) return false;
    for (const auto& h : kPlainHeaders)
        if (wl::prefixMatch(line, h.header)) {
            current.only(h.section);
            return true;
        }
    for (const auto& h : kIdHeaders) {
        if (!wl::prefixMatch(line, h.prefix)) continue;
        if (line.size() < h.minLength) return true;
        bool match = idMatches(line, h.prefix.size(), id);
        if (!h.exclusive) current.set(h.section, match);
        else if (match) current.only(h.section);
        else current.clear();
        return true;
    }
    if (wl::prefixMatch(line, "[X12]")) {
        current.clear();
        current.set(X12, mode == 20 || mode == 21);
        return true;
    }
    // Another reader's section ([X12VIEWER], [X12UDF] ...): none of ours.
    current.clear();
    return true;
}

// ------------------------------------------------------------------- reading

const std::string kBlanks48(48, ' ');

// Everything one read of the file answers for one mode.
struct ZrIniReading {
    OptionFlagStrings strings;
    std::string communication = kBlanks48;  // modes 10, 11
    std::string communicationsDirectory = kBlanks48;
    std::string setPos = "  ";
    std::string setTos = " ";  // modes 14 to 19
    std::int64_t segmentOffset = 0;
    std::optional<std::string> dataDirectory;  // ZRINIA
};

// The value after a key, when the line has one.
std::optional<std::string> valueAfter(const std::string& line, std::string_view key) {
    if (!wl::prefixMatch(line, key) || line.size() <= key.size()) return std::nullopt;
    return line.substr(key.size());
}

void systemKey(const std::string& line, ZrIniReading& r) {
    applyLetterKey(r.strings.system, kSystemKeys, line);
    if (auto v = valueAfter(line, "DATACOMMUNICATIONS=")) r.communication = *v;
    if (auto v = valueAfter(line, "COMMUNICATIONSDIRECTORY=")) r.communicationsDirectory = *v;
    if (wl::prefixMatch(line, "DATADIRECTORY=")) r.dataDirectory = line.substr(14);
}

void translatorKey(const std::string& line, ZrIniReading& r) {
    if (auto v = valueAfter(line, "COMMAND=")) {
        r.communication = *v;
        if (r.communication.size() < 48) r.communication.resize(48, ' ');
    }
}

void x12Key(const std::string& line, int mode, ZrIniReading& r) {
    applyLetterKey(r.strings.x12, kX12Keys, line);
    if (mode == 21)
        if (auto v = valueAfter(line, "TRANSACTIONSEGOFFSET=")) r.segmentOffset = iniNumber(*v);
}

void cms1500Key(const std::string& line, int mode, ZrIniReading& r) {
    applyLetterKey(r.strings.cms1500, kCms1500Keys, line);
    if (auto v = valueAfter(line, "SETPOS=")) r.setPos = *v;
    if (wl::prefixMatch(line, "SETTOS=")) r.setTos = line.substr(7);
    if (mode >= 15 && mode <= 19) {
        std::string key = "SETTOSUDF0=";
        key[9] = static_cast<char>('0' + mode - 14);
        if (auto v = valueAfter(line, key)) r.setTos = *v;
    }
}

void keyLine(Section s, const std::string& line, int mode, ZrIniReading& r) {
    switch (s) {
        case System: systemKey(line, r); break;
        case Enrollment: applyLetterKey(r.strings.enrollment, kEnrollmentKeys, line); break;
        case ClaimScreen: applyLetterKey(r.strings.claimScreen, kClaimScreenKeys, line); break;
        case Processing: applyLetterKey(r.strings.processing, kProcessingKeys, line); break;
        case Translator: translatorKey(line, r); break;
        case X12: x12Key(line, mode, r); break;
        case Cms1500: cms1500Key(line, mode, r); break;
        case Statement:
        case Report:
        case kSections: break;  // no keys
    }
}

ZrIniReading readZrIni(int mode, const std::string& id, const OptionFlagStrings& strings,
                       const std::string& folder) {
    ZrIniReading r;
    r.strings = strings;
    CurrentSections current;
    walkZrIni(folder, [&](const std::string& line) {
        if (switchSection(line, id, mode, current)) return;
        if (isCommandZero(line)) current.endAtCommandZero();
        if (auto s = current.first()) keyLine(*s, line, mode, r);
    });
    return r;
}

}  // namespace

wl::Value ZRINI(int mode, const std::string& id, const OptionFlagStrings& strings, const std::string& folder) {
    const ZrIniReading r = readZrIni(mode, id, strings, folder);
    if (const std::string* s = r.strings.byMode(mode)) return *s;
    switch (mode) {
        case 10:
        case 11: return r.communication;
        case 12: return r.communicationsDirectory;
        case 13: return r.setPos;
        case 14:
        case 15:
        case 16:
        case 17:
        case 18:
        case 19: return r.setTos;
        case 21: return r.segmentOffset;
        default: return std::string();
    }
}

std::string ZRINIA(int mode, const std::string& fallback, const std::string& folder) {
    // The letter strings are not wanted: empty ones stay empty.
    const ZrIniReading r = readZrIni(0, "?", OptionFlagStrings{}, folder);
    if (r.dataDirectory) return *r.dataDirectory;
    return mode == 1 ? fallback : std::string();
}

OptionFlagStrings readOptionFlagStrings(const std::string& folder) {
    OptionFlagStrings s = OptionFlagStrings::startUp();
    for (int mode : {1, 2, 3, 4, 5, 6, 7, 8, 20}) *s.byMode(mode) = ZRINI(mode, "?", s, folder).text();
    return s;
}

}  // namespace zr
