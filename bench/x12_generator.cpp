// Generator of large, realistic X12 files (see x12_generator.hpp).
//
// In this file, in order: random numbers and short texts; the segment
// writer; the tables of names, places and codes; parties (people,
// organisations, addresses); the 837P, 837I and 835 bodies; the envelopes.
//
// Speed matters because a benchmark run writes hundreds of megabytes before
// it measures anything: the whole file is built in one reserved string with
// plain appends, and records live on the stack.
#include "x12_generator.hpp"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <chrono>
#include <cstring>

namespace zrbench {

namespace {

using Cents = std::int64_t;
// Days since 1970-01-01; turned into a calendar date only when written.
using Day = std::int32_t;

// ---------------------------------------------------------------------------
// Random numbers

// splitmix64: small, fast and fully specified, so that one seed gives the
// same file with every compiler (the standard distributions do not).
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n, by multiplication: no division, no modulo bias.
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32); }
    int between(int low, int high) {
        return low + static_cast<int>(below(static_cast<std::uint32_t>(high - low + 1)));
    }
    bool percent(int chance) { return static_cast<int>(below(100)) < chance; }
    char letter() { return static_cast<char>('A' + below(26)); }
    char digit() { return static_cast<char>('0' + below(10)); }

    template <class T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }

private:
    std::uint64_t state_;
};

// ---------------------------------------------------------------------------
// Short texts

// Writes `value` in decimal, zero-padded to `width`, at `to`; returns the end.
char* formatNumber(char* to, std::uint64_t value, int width) {
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto length = end - digits; length < width; ++length) *to++ = '0';
    std::memcpy(to, digits, static_cast<std::size_t>(end - digits));
    return to + (end - digits);
}

// A short text held inline: a composed name, an id, a street line. Records
// are built for every claim, and a heap string per field would cost more
// than writing the segments.
class ShortText {
public:
    ShortText& add(std::string_view text) {
        std::size_t n = std::min(text.size(), chars_.size() - length_);
        std::memcpy(chars_.data() + length_, text.data(), n);
        length_ = static_cast<std::uint8_t>(length_ + n);
        return *this;
    }
    ShortText& add(char c) { return add(std::string_view(&c, 1)); }
    ShortText& addNumber(std::uint64_t value, int width = 0) {
        char buffer[32];
        return add(std::string_view(buffer, static_cast<std::size_t>(formatNumber(buffer, value, width) - buffer)));
    }
    ShortText& addDigits(Rng& rng, int count) {
        for (int i = 0; i < count; ++i) add(rng.digit());
        return *this;
    }
    ShortText& addLetters(Rng& rng, int count) {
        for (int i = 0; i < count; ++i) add(rng.letter());
        return *this;
    }
    std::string_view view() const { return {chars_.data(), length_}; }
    bool empty() const { return length_ == 0; }

private:
    std::array<char, 40> chars_;
    std::uint8_t length_ = 0;
};

// ---------------------------------------------------------------------------
// Segment writer

// Appends segments to the output with the delimiters the generator always
// uses: "*" between elements, ":" inside composites, "~" at the end. It
// counts segments so that SE01 comes out right without a second pass.
class SegmentWriter {
public:
    SegmentWriter(std::string& out, bool lineFeed) : out_(&out), lineFeed_(lineFeed) {}

    SegmentWriter& seg(std::string_view id) {
        out_->append(id);
        return *this;
    }
    SegmentWriter& el(std::string_view text) {
        *out_ += '*';
        out_->append(text);
        return *this;
    }
    SegmentWriter& el(const ShortText& text) { return el(text.view()); }
    SegmentWriter& num(std::uint64_t value, int width = 0) {
        *out_ += '*';
        return raw(value, width);
    }
    SegmentWriter& money(Cents amount) {
        *out_ += '*';
        appendMoney(amount);
        return *this;
    }
    SegmentWriter& date(Day day) {
        *out_ += '*';
        appendDate(day);
        return *this;
    }
    // "CCYYMMDD-CCYYMMDD", the form of an RD8 date range.
    SegmentWriter& dateRange(Day from, Day to) {
        date(from);
        *out_ += '-';
        appendDate(to);
        return *this;
    }
    // A fixed-width ISA element: padded on the right with blanks.
    SegmentWriter& fixed(std::string_view text, std::size_t width) {
        assert(text.size() <= width);
        el(text);
        out_->append(width - text.size(), ' ');
        return *this;
    }
    // `count` empty elements: the separators that keep later elements in place.
    SegmentWriter& skip(int count) {
        out_->append(static_cast<std::size_t>(count), '*');
        return *this;
    }
    // A component of a composite element, after its first part.
    SegmentWriter& comp(std::string_view text) {
        *out_ += ':';
        out_->append(text);
        return *this;
    }
    // Text or digits glued to what precedes them (a date after "D8", a ZIP+4).
    SegmentWriter& raw(std::string_view text) {
        out_->append(text);
        return *this;
    }
    SegmentWriter& raw(std::uint64_t value, int width = 0) {
        char buffer[32];
        out_->append(buffer, static_cast<std::size_t>(formatNumber(buffer, value, width) - buffer));
        return *this;
    }
    SegmentWriter& rawDate(Day day) {
        appendDate(day);
        return *this;
    }
    // "YYMMDD": the ISA date, which has no room for the century.
    SegmentWriter& shortDate(Day day) {
        *out_ += '*';
        appendDate(day, false);
        return *this;
    }
    void end() {
        *out_ += '~';
        if (lineFeed_) *out_ += '\n';
        ++segments_;
    }

    std::size_t size() const { return out_->size(); }
    std::size_t segments() const { return segments_; }

    // Moves what `body` wrote to the end of this writer's text: for a body
    // whose header needs totals known only after the body (the 835 BPR).
    void take(SegmentWriter& body) {
        out_->append(*body.out_);
        segments_ += body.segments_;
        body.out_->clear();
        body.segments_ = 0;
    }

private:
    // X12 decimal form: no trailing zeros after the point, no point for whole
    // amounts ("125", "12.5", "12.25", "-3.1").
    void appendMoney(Cents amount) {
        if (amount < 0) {
            *out_ += '-';
            amount = -amount;
        }
        raw(static_cast<std::uint64_t>(amount / 100));
        int cents = static_cast<int>(amount % 100);
        if (cents == 0) return;
        *out_ += '.';
        *out_ += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) *out_ += static_cast<char>('0' + cents % 10);
    }
    void appendDate(Day day, bool century = true) {
        using namespace std::chrono;
        const year_month_day ymd{sys_days{days{day}}};
        int year = static_cast<int>(ymd.year());
        if (century) raw(static_cast<std::uint64_t>(year), 4);
        else raw(static_cast<std::uint64_t>(year % 100), 2);
        raw(static_cast<unsigned>(ymd.month()), 2);
        raw(static_cast<unsigned>(ymd.day()), 2);
    }

    std::string* out_;
    bool lineFeed_;
    std::size_t segments_ = 0;
};

Day dayOf(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
    return static_cast<Day>(date.time_since_epoch().count());
}

int yearOf(Day day) {
    using namespace std::chrono;
    return static_cast<int>(year_month_day{sys_days{days{day}}}.year());
}

// ---------------------------------------------------------------------------
// Tables. Invented organisations; common names and real code values, so
// that the files look like production data to a parser and to a person.

struct GivenName {
    std::string_view name;
    char sex;  // DMG03
};

struct City {
    std::string_view name;
    std::string_view state;
    std::string_view zip;
};

struct Payer {
    std::string_view name;
    std::string_view id;
    std::string_view filing;  // claim filing indicator: SBR09 and CLP06
    bool sequestered;         // reduces payments by 2 % (CARC 253)
};

struct NamedId {
    std::string_view name;
    std::string_view id;
};

// A professional procedure and its usual charge per unit.
struct Procedure {
    std::string_view code;
    Cents lowest;
    Cents highest;
    int maxUnits;
    std::string_view modifier;
    int modifierPercent;
};

// An institutional revenue line; an empty HCPCS code means the revenue code
// alone describes the service (room and board, pharmacy, supplies).
struct RevenueService {
    std::string_view revenueCode;
    std::string_view hcpcs;
    Cents lowest;
    Cents highest;
    int maxUnits;
};

struct PracticeKind {
    std::string_view name;
    std::string_view taxonomy;
};

constexpr std::string_view kLastNames[] = {
    "SMITH",    "JOHNSON",  "WILLIAMS", "BROWN",    "JONES",     "GARCIA",  "MILLER",    "DAVIS",   "RODRIGUEZ",
    "MARTINEZ", "HERNANDEZ", "LOPEZ",   "GONZALEZ", "WILSON",    "ANDERSON", "THOMAS",   "TAYLOR",  "MOORE",
    "JACKSON",  "MARTIN",   "LEE",      "PEREZ",    "THOMPSON",  "WHITE",   "HARRIS",    "SANCHEZ", "CLARK",
    "RAMIREZ",  "LEWIS",    "ROBINSON", "WALKER",   "YOUNG",     "ALLEN",   "KING",      "WRIGHT",  "SCOTT",
    "TORRES",   "NGUYEN",   "HILL",     "FLORES",   "GREEN",     "ADAMS",   "NELSON",    "BAKER",   "HALL",
    "RIVERA",   "CAMPBELL", "MITCHELL", "CARTER",   "ROBERTS",   "OKAFOR",  "KOWALSKI",  "O'BRIEN", "PATEL",
    "KIM",      "CHEN",     "MURPHY",   "COOK",     "SMITH-LEE", "BECKER",  "LINDQVIST", "DUBOIS",  "ROSSI",
};

constexpr GivenName kGivenNames[] = {
    {"JAMES", 'M'},   {"MARY", 'F'},    {"ROBERT", 'M'},  {"PATRICIA", 'F'}, {"JOHN", 'M'},    {"JENNIFER", 'F'},
    {"MICHAEL", 'M'}, {"LINDA", 'F'},   {"DAVID", 'M'},   {"ELIZABETH", 'F'}, {"WILLIAM", 'M'}, {"BARBARA", 'F'},
    {"RICHARD", 'M'}, {"SUSAN", 'F'},   {"JOSEPH", 'M'},  {"JESSICA", 'F'},  {"THOMAS", 'M'},  {"SARAH", 'F'},
    {"CARLOS", 'M'},  {"KAREN", 'F'},   {"DANIEL", 'M'},  {"NANCY", 'F'},    {"MATTHEW", 'M'}, {"LISA", 'F'},
    {"ANTHONY", 'M'}, {"BETTY", 'F'},   {"MARK", 'M'},    {"SANDRA", 'F'},   {"STEVEN", 'M'},  {"ASHLEY", 'F'},
    {"KEVIN", 'M'},   {"EMILY", 'F'},   {"BRIAN", 'M'},   {"MARIA", 'F'},    {"LUIS", 'M'},    {"AISHA", 'F'},
    {"WEI", 'M'},     {"MEI", 'F'},     {"OMAR", 'M'},    {"SOFIA", 'F'},    {"ETHAN", 'M'},   {"OLIVIA", 'F'},
};

constexpr City kCities[] = {
    {"SPRINGFIELD", "IL", "62701"}, {"COLUMBUS", "OH", "43215"},  {"AUSTIN", "TX", "78701"},
    {"DENVER", "CO", "80202"},      {"PORTLAND", "OR", "97201"},  {"RALEIGH", "NC", "27601"},
    {"MADISON", "WI", "53703"},     {"TAMPA", "FL", "33602"},     {"PHOENIX", "AZ", "85004"},
    {"BOISE", "ID", "83702"},       {"ALBANY", "NY", "12207"},    {"RICHMOND", "VA", "23219"},
    {"NASHVILLE", "TN", "37203"},   {"OMAHA", "NE", "68102"},     {"FRESNO", "CA", "93721"},
    {"TUCSON", "AZ", "85701"},      {"DAYTON", "OH", "45402"},    {"LANSING", "MI", "48933"},
    {"TOPEKA", "KS", "66603"},      {"BILLINGS", "MT", "59101"},  {"MOBILE", "AL", "36602"},
    {"SAINT PAUL", "MN", "55101"},  {"LITTLE ROCK", "AR", "72201"}, {"SALT LAKE CITY", "UT", "84101"},
};

constexpr std::string_view kStreets[] = {
    "MAIN",    "OAK",      "MAPLE",   "CEDAR",     "PINE",     "ELM",      "WASHINGTON", "LAKE",
    "HILL",    "PARK",     "RIVER",   "SUNSET",    "FRANKLIN", "LINCOLN",  "JEFFERSON",  "HIGHLAND",
    "MEADOW",  "FOREST",   "WILLOW",  "CHESTNUT",  "2ND",      "5TH",      "MARKET",     "CHURCH",
};

constexpr std::string_view kStreetSuffixes[] = {"ST", "AVE", "RD", "BLVD", "DR", "LN", "CT", "WAY", "PKWY"};

constexpr std::string_view kPlaceWords[] = {
    "RIVERSIDE", "LAKEVIEW", "NORTHGATE", "SUMMIT",    "VALLEY",       "HARBOR",     "PINEHURST", "CEDAR RIDGE",
    "MAPLEWOOD", "FAIRVIEW", "BRIGHTON",  "GREENFIELD", "OAKMONT",     "WESTBROOK",  "SILVER CREEK", "HIGHLAND PARK",
};

constexpr PracticeKind kPractices[] = {
    {"FAMILY MEDICINE", "207Q00000X"},    {"INTERNAL MEDICINE", "207R00000X"}, {"PEDIATRICS PC", "208000000X"},
    {"ORTHOPEDICS", "207X00000X"},        {"CARDIOLOGY GROUP", "207RC0000X"},  {"PHYSICAL THERAPY", "225100000X"},
    {"URGENT CARE", "261QU0200X"},        {"DERMATOLOGY LLC", "207N00000X"},   {"MEDICAL GROUP", "193200000X"},
};

constexpr std::string_view kHospitalKinds[] = {
    "MEMORIAL HOSPITAL", "REGIONAL MEDICAL CTR", "COMMUNITY HOSPITAL", "GENERAL HOSPITAL", "HEALTH SYSTEM",
};

constexpr std::string_view kBillingKinds[] = {"BILLING SERVICES", "REVENUE PARTNERS", "CLAIMS MANAGEMENT"};

constexpr Payer kPayers[] = {
    {"NORTHSTAR HEALTH PLAN", "NSHP1", "CI", false},     {"BLUE RIVER MUTUAL", "BRM01", "BL", false},
    {"PRAIRIE STATE MEDICAID", "PSMCD", "MC", false},    {"MEDICARE CONTRACTOR", "MCR04", "MB", true},
    {"SUMMIT CARE HMO", "SCHMO", "HM", false},           {"GREAT LAKES BENEFIT CO", "GLB22", "CI", false},
    {"PACIFIC COAST HEALTH", "PCH07", "CI", false},      {"EVERGREEN HEALTH PARTNERS", "EVG31", "CI", false},
    {"LIBERTY ASSURANCE HEALTH", "LAH55", "CI", false},  {"COASTAL MEDICAID PLAN", "CMP09", "MC", false},
};

constexpr NamedId kClearinghouses[] = {
    {"CLAIMBRIDGE EXCHANGE", "CLMBRG01"}, {"MEDLINK CLEARING", "MEDLNK"}, {"HEALTHWAVE NETWORK", "HWAVE7"},
};

// First lines of a professional claim: mostly an office visit.
constexpr Procedure kVisits[] = {
    {"99213", 9000, 16000, 1, "25", 12}, {"99214", 13000, 23000, 1, "25", 12}, {"99212", 5000, 9000, 1, "", 0},
    {"99203", 11000, 18000, 1, "", 0},   {"99204", 17000, 27000, 1, "", 0},    {"99395", 15000, 25000, 1, "", 0},
    {"G0439", 15000, 22000, 1, "", 0},   {"99283", 20000, 45000, 1, "", 0},
};

constexpr Procedure kProcedures[] = {
    {"36415", 1000, 3000, 1, "", 0},       {"85025", 1800, 4500, 1, "", 0},      {"80053", 2500, 7500, 1, "", 0},
    {"83036", 2000, 5000, 1, "", 0},       {"81002", 800, 2000, 1, "", 0},       {"87880", 2000, 4500, 1, "QW", 50},
    {"93000", 4000, 9000, 1, "", 0},       {"71046", 8000, 20000, 1, "26", 30},  {"73030", 7000, 16000, 1, "RT", 50},
    {"20610", 12000, 25000, 1, "LT", 40},  {"97110", 3500, 6000, 4, "GP", 90},   {"97140", 3500, 6000, 3, "GP", 90},
    {"90471", 2000, 3500, 1, "", 0},       {"90686", 2500, 4500, 1, "", 0},      {"J1100", 200, 800, 10, "", 0},
    {"11102", 9000, 16000, 1, "59", 20},   {"17110", 8000, 15000, 1, "", 0},     {"96372", 2500, 5000, 1, "", 0},
};

constexpr RevenueService kRoomAndBoard = {"0120", "", 150000, 320000, 1};

constexpr RevenueService kRevenueServices[] = {
    {"0250", "", 2000, 40000, 1},           {"0270", "", 1000, 20000, 5},          {"0300", "80053", 8000, 25000, 1},
    {"0301", "85025", 5000, 15000, 1},      {"0320", "71046", 20000, 60000, 1},    {"0350", "70450", 80000, 250000, 1},
    {"0450", "99284", 60000, 180000, 1},    {"0450", "99285", 100000, 300000, 1},  {"0636", "J2405", 500, 5000, 4},
    {"0260", "96365", 20000, 50000, 1},     {"0730", "93005", 10000, 30000, 1},    {"0410", "94640", 5000, 15000, 3},
    {"0420", "97110", 10000, 20000, 4},     {"0510", "G0463", 15000, 40000, 1},    {"0360", "", 300000, 900000, 1},
    {"0370", "", 80000, 200000, 1},
};

constexpr std::string_view kDiagnoses[] = {
    "E119",  "I10",    "E785",   "J069",    "M545",  "Z0000", "Z23",   "R0602", "J449",  "F419",
    "K219",  "M1711",  "N390",   "R519",    "E1165", "G4733", "M25561", "R109", "S93401A", "Z1231",
    "E039",  "J301",   "L409",   "R051",    "E6601", "M79604", "F329", "R42",   "H6590", "B349",
    "I4891", "J189",   "N179",   "A419",    "I214",  "K5900", "R0789", "Z79899",
};

constexpr std::string_view kPlacesOfService[] = {"11", "11", "11", "11", "11", "22", "02", "12", "19", "81"};

constexpr std::string_view kRemarks[] = {"N130", "M15", "N381", "MA130", "N20", "M51", "N59"};

// ---------------------------------------------------------------------------
// Parties

struct Address {
    ShortText street;
    ShortText unit;  // N302: a suite or apartment, often absent
    const City* city = nullptr;
    int zipPlus4 = -1;  // -1: a five-digit ZIP only
};

struct Person {
    std::string_view last;
    std::string_view first;
    char middle = 0;  // 0: none
    char sex = 'U';
    Day birth = 0;
    ShortText memberId;
    Address address;
};

struct Organization {
    ShortText name;
    ShortText npi;
    ShortText ein;
    std::string_view taxonomy;
    Address address;
};

// The two ends of an interchange; their ids stand in ISA06/ISA08 and GS02/GS03.
struct Party {
    ShortText name;
    ShortText id;
};

Address makeAddress(Rng& rng, bool office) {
    Address a;
    a.street.addNumber(rng.between(1, 9999))
        .add(' ')
        .add(rng.pick(kStreets))
        .add(' ')
        .add(rng.pick(kStreetSuffixes));
    if (office && rng.percent(50)) a.unit.add("SUITE ").addNumber(rng.between(100, 950));
    if (!office && rng.percent(15)) a.unit.add("APT ").addNumber(rng.between(1, 40)).add(rng.letter());
    a.city = &rng.pick(kCities);
    // A billing provider's ZIP must have nine digits; people's often do not.
    if (office || rng.percent(30)) a.zipPlus4 = rng.between(1, 9999);
    return a;
}

// Ten digits whose last is the check digit over "80840" and the first nine,
// so that validators that check NPIs accept them (24 is the prefix's share).
ShortText makeNpi(Rng& rng) {
    int digits[9];
    digits[0] = rng.percent(50) ? 1 : 2;
    for (int i = 1; i < 9; ++i) digits[i] = static_cast<int>(rng.below(10));
    int sum = 24;
    ShortText npi;
    for (int i = 0; i < 9; ++i) {
        int value = digits[i];
        if ((8 - i) % 2 == 0) {
            value *= 2;
            if (value > 9) value -= 9;
        }
        sum += value;
        npi.add(static_cast<char>('0' + digits[i]));
    }
    return npi.add(static_cast<char>('0' + (10 - sum % 10) % 10));
}

ShortText makeEin(Rng& rng) {
    return ShortText().addNumber(rng.between(10, 99)).addDigits(rng, 7);
}

// Member ids in the shapes payers use: letters and digits, or digits only.
ShortText makeMemberId(Rng& rng) {
    ShortText id;
    switch (rng.below(3)) {
    case 0: return id.addLetters(rng, 3).addDigits(rng, 9);
    case 1: return id.add('W').addDigits(rng, 9);
    default: return id.addDigits(rng, 11);
    }
}

Person makePerson(Rng& rng, Day today, int youngest, int oldest) {
    Person p;
    p.last = rng.pick(kLastNames);
    const GivenName& given = rng.pick(kGivenNames);
    p.first = given.name;
    p.sex = given.sex;
    if (rng.percent(60)) p.middle = rng.letter();
    p.birth = today - rng.between(youngest * 365, oldest * 365 + 364);
    p.memberId = makeMemberId(rng);
    p.address = makeAddress(rng, false);
    return p;
}

// A dependant of `subscriber`: same family name and home, mostly.
Person makeDependant(Rng& rng, Day today, const Person& subscriber) {
    Person p = makePerson(rng, today, 0, 25);
    if (rng.percent(85)) p.last = subscriber.last;
    p.address = subscriber.address;
    return p;
}

Organization makePractice(Rng& rng) {
    Organization o;
    const PracticeKind& kind = rng.pick(kPractices);
    o.name.add(rng.pick(kPlaceWords)).add(' ').add(kind.name);
    o.taxonomy = kind.taxonomy;
    o.npi = makeNpi(rng);
    o.ein = makeEin(rng);
    o.address = makeAddress(rng, true);
    return o;
}

Organization makeHospital(Rng& rng) {
    Organization o;
    o.name.add(rng.pick(kPlaceWords)).add(' ').add(rng.pick(kHospitalKinds));
    o.taxonomy = "282N00000X";
    o.npi = makeNpi(rng);
    o.ein = makeEin(rng);
    o.address = makeAddress(rng, true);
    return o;
}

ShortText makePhone(Rng& rng) {
    return ShortText()
        .addNumber(rng.between(201, 989))
        .addNumber(rng.between(200, 999))
        .addDigits(rng, 4);
}

// Charges are mostly whole dollars, as fee schedules are; some carry cents.
Cents makePrice(Rng& rng, Cents lowest, Cents highest) {
    Cents price = lowest + static_cast<Cents>(rng.below(static_cast<std::uint32_t>(highest - lowest + 1)));
    return rng.percent(70) ? price / 100 * 100 : price;
}

// ---------------------------------------------------------------------------
// Writing parties

void writeAddress(SegmentWriter& w, const Address& a) {
    w.seg("N3").el(a.street);
    if (!a.unit.empty()) w.el(a.unit);
    w.end();
    w.seg("N4").el(a.city->name).el(a.city->state).el(a.city->zip);
    if (a.zipPlus4 >= 0) w.raw(a.zipPlus4, 4);
    w.end();
}

// NM1 for a person: NM103 last, NM104 first, NM105 middle, NM106/107 empty,
// then the id qualifier and id (none for an 837 patient).
void writePersonName(SegmentWriter& w, std::string_view entity, const Person& p, std::string_view qualifier,
                     std::string_view id) {
    w.seg("NM1").el(entity).el("1").el(p.last).el(p.first);
    if (!qualifier.empty()) {
        if (p.middle != 0) w.el(std::string_view(&p.middle, 1)).skip(2);
        else w.skip(3);
        w.el(qualifier).el(id);
    } else if (p.middle != 0) {
        w.el(std::string_view(&p.middle, 1));
    }
    w.end();
}

void writeOrganizationName(SegmentWriter& w, std::string_view entity, std::string_view name,
                           std::string_view qualifier, std::string_view id) {
    w.seg("NM1").el(entity).el("2").el(name).skip(4).el(qualifier).el(id).end();
}

void writeDemographics(SegmentWriter& w, const Person& p) {
    w.seg("DMG").el("D8").date(p.birth).el(std::string_view(&p.sex, 1)).end();
}

// A provider who is a person (rendering, attending): NPI and name only.
void writeProviderPerson(SegmentWriter& w, Rng& rng, std::string_view entity, Day today) {
    Person doctor = makePerson(rng, today, 30, 70);
    ShortText npi = makeNpi(rng);
    doctor.middle = 0;
    writePersonName(w, entity, doctor, "XX", npi.view());
}

// ---------------------------------------------------------------------------
// Claims common to 837P and 837I

// One service line of either 837: a procedure (SV1) or a revenue line (SV2).
struct ServiceLine {
    std::string_view revenueCode;  // 837I only
    std::string_view procedure;    // HCPCS; may be empty on an 837I line
    std::string_view modifier;
    std::string_view unitCode = "UN";
    int units = 1;
    Cents charge = 0;
    Day date = 0;
    int pointers = 1;  // SV107: diagnoses 1..pointers
};

struct Claim {
    ShortText number;  // CLM01, patient control number
    std::array<std::string_view, 6> diagnoses{};
    int diagnosisCount = 0;
    std::array<ServiceLine, 10> lines;
    int lineCount = 0;
    Cents total = 0;  // CLM02: the sum of the line charges
    Day from = 0;
    Day to = 0;
};

// Everything a transaction body needs from the file being generated.
struct Context {
    Rng& rng;
    SegmentWriter& w;
    std::size_t targetBytes;
    Day today;
    const Party& sender;
    const Party& receiver;
    const Payer* payer;  // the 835's payer: the interchange's sender
    bool institutional;
    std::uint64_t claimSerial = 0;
    std::size_t claims = 0;

    bool full() const { return w.size() >= targetBytes; }
};

// Patient control numbers: two letters and a serial, unique in the file.
ShortText nextClaimNumber(Context& ctx) {
    return ShortText().addLetters(ctx.rng, 2).addNumber(++ctx.claimSerial, 8);
}

void pickDiagnoses(Rng& rng, Claim& claim, int count) {
    while (claim.diagnosisCount < count) {
        std::string_view code = rng.pick(kDiagnoses);
        bool seen = false;
        for (int i = 0; i < claim.diagnosisCount; ++i) seen = seen || claim.diagnoses[i] == code;
        if (!seen) claim.diagnoses[claim.diagnosisCount++] = code;
    }
}

// Most claims have one to three lines; a few run to `most`.
int lineCount(Rng& rng, int fewest, int most) {
    int count = fewest + static_cast<int>(rng.below(3));
    if (rng.percent(30)) count += static_cast<int>(rng.below(static_cast<std::uint32_t>(most - fewest + 1)));
    return std::min(count, most);
}

void addLine(Claim& claim, const ServiceLine& line) {
    claim.lines[claim.lineCount++] = line;
    claim.total += line.charge;
}

ServiceLine makeProfessionalLine(Rng& rng, const Procedure& p, Day date, int diagnosisCount) {
    ServiceLine line;
    line.procedure = p.code;
    if (p.modifierPercent > 0 && rng.percent(p.modifierPercent)) line.modifier = p.modifier;
    line.units = rng.between(1, p.maxUnits);
    line.charge = makePrice(rng, p.lowest, p.highest) * line.units;
    line.date = date;
    line.pointers = rng.between(1, std::min(diagnosisCount, 4));
    return line;
}

Claim makeProfessionalClaim(Context& ctx) {
    Rng& rng = ctx.rng;
    Claim claim;
    claim.number = nextClaimNumber(ctx);
    pickDiagnoses(rng, claim, rng.between(1, 4));
    claim.from = claim.to = ctx.today - rng.between(5, 90);
    int count = lineCount(rng, 1, 6);
    for (int i = 0; i < count; ++i) {
        const Procedure& p = (i == 0 && rng.percent(75)) ? rng.pick(kVisits) : rng.pick(kProcedures);
        // Therapy and injections come back on later days within one claim.
        Day date = (i > 0 && rng.percent(10)) ? claim.from + rng.between(1, 4) : claim.from;
        if (date > ctx.today) date = ctx.today;
        claim.to = std::max(claim.to, date);
        addLine(claim, makeProfessionalLine(rng, p, date, claim.diagnosisCount));
    }
    return claim;
}

// HI with the principal diagnosis "ABK:" and the others "ABF:". A
// professional claim lists them in one segment; an institutional claim gives
// the principal its own HI, then the admitting diagnosis (inpatient), then
// the others.
void writeDiagnoses(SegmentWriter& w, const Claim& claim, bool institutional, std::string_view admitting = {}) {
    w.seg("HI").el("ABK").comp(claim.diagnoses[0]);
    if (institutional) {
        w.end();
        if (!admitting.empty()) w.seg("HI").el("ABJ").comp(admitting).end();
        if (claim.diagnosisCount == 1) return;
        w.seg("HI");
    }
    for (int i = 1; i < claim.diagnosisCount; ++i) w.el("ABF").comp(claim.diagnoses[i]);
    w.end();
}

// SV107: "1", "1:2", ... pointers into the claim's HI list.
void writePointers(SegmentWriter& w, int pointers) {
    w.el("1");
    for (int p = 2; p <= pointers; ++p) w.raw(":").raw(p);
}

void writeProcedure(SegmentWriter& w, const ServiceLine& line) {
    w.el("HC").comp(line.procedure);
    if (!line.modifier.empty()) w.comp(line.modifier);
}

// ---------------------------------------------------------------------------
// Subscriber and patient loops (2000B/2000C), shared by both 837s

// What the claim hangs under: writes the subscriber HL, and the patient HL
// when the patient is a dependant. Returns the number of HLs written.
int writeSubscriberLoops(Context& ctx, int billingHl, int nextHl) {
    Rng& rng = ctx.rng;
    SegmentWriter& w = ctx.w;
    const Payer& payer = rng.pick(kPayers);
    Person subscriber = makePerson(rng, ctx.today, 19, 90);
    bool dependant = payer.filing != "MB" && rng.percent(25);

    w.seg("HL").num(nextHl).num(billingHl).el("22")
        .el(dependant ? "1" : "0").end();
    w.seg("SBR").el("P").el(dependant ? "" : "18");
    if (rng.percent(50)) w.el(ShortText().addLetters(rng, 2).addDigits(rng, 5)).skip(5);
    else w.skip(6);
    // Medicare's hospital part files as "MA", its physician part as "MB".
    w.el(ctx.institutional && payer.filing == "MB" ? "MA" : payer.filing).end();
    writePersonName(w, "IL", subscriber, "MI", subscriber.memberId.view());
    writeAddress(w, subscriber.address);
    writeDemographics(w, subscriber);
    writeOrganizationName(w, "PR", payer.name, "PI", payer.id);
    if (!dependant) return 1;

    Person patient = makeDependant(rng, ctx.today, subscriber);
    w.seg("HL").num(nextHl + 1).num(nextHl).el("23").el("0").end();
    w.seg("PAT").el(rng.percent(80) ? "19" : "01").end();
    writePersonName(w, "QC", patient, "", "");
    writeAddress(w, patient.address);
    writeDemographics(w, patient);
    return 2;
}

void writeBillingProvider(SegmentWriter& w, Rng& rng, const Organization& provider, int hl) {
    w.seg("HL").num(hl).skip(1).el("20").el("1").end();
    if (rng.percent(60)) w.seg("PRV").el("BI").el("PXC").el(provider.taxonomy).end();
    writeOrganizationName(w, "85", provider.name.view(), "XX", provider.npi.view());
    writeAddress(w, provider.address);
    w.seg("REF").el("EI").el(provider.ein).end();
}

// BHT and the submitter and receiver names (1000A/1000B).
void write837Header(Context& ctx, std::uint64_t reference) {
    SegmentWriter& w = ctx.w;
    w.seg("BHT").el("0019").el("00").num(reference, 6).date(ctx.today)
        .num(ctx.rng.between(0, 23) * 100 + ctx.rng.between(0, 59), 4).el("CH").end();
    writeOrganizationName(w, "41", ctx.sender.name.view(), "46", ctx.sender.id.view());
    Person contact = makePerson(ctx.rng, ctx.today, 25, 60);
    ShortText contactName = ShortText().add(contact.first).add(' ').add(contact.last);
    w.seg("PER").el("IC").el(contactName).el("TE").el(makePhone(ctx.rng));
    if (ctx.rng.percent(30)) w.el("EX").num(ctx.rng.between(100, 999));
    w.end();
    writeOrganizationName(w, "40", ctx.receiver.name.view(), "46", ctx.receiver.id.view());
}

// The claims of one transaction set, under a few billing providers each
// with a run of subscribers. Stops at `claims` or when the file is full.
template <class MakeProvider, class WriteClaim>
void write837Body(Context& ctx, int claims, MakeProvider makeProvider, WriteClaim writeClaim) {
    int hl = 0;
    int written = 0;
    while (written < claims && !ctx.full()) {
        Organization provider = makeProvider(ctx.rng);
        int billingHl = ++hl;
        writeBillingProvider(ctx.w, ctx.rng, provider, billingHl);
        int run = ctx.rng.between(5, 60);
        for (int i = 0; i < run && written < claims && !ctx.full(); ++i, ++written) {
            hl += writeSubscriberLoops(ctx, billingHl, hl + 1);
            writeClaim(ctx);
            ++ctx.claims;
        }
    }
}

// ---------------------------------------------------------------------------
// 837P

void writeProfessionalClaim(Context& ctx) {
    Rng& rng = ctx.rng;
    SegmentWriter& w = ctx.w;
    Claim claim = makeProfessionalClaim(ctx);
    bool replacement = rng.percent(3);

    w.seg("CLM").el(claim.number).money(claim.total).skip(2).el(rng.pick(kPlacesOfService)).comp("B")
        .comp(replacement ? "7" : "1").el("Y").el("A").el("Y").el("Y").end();
    if (rng.percent(20)) w.seg("DTP").el("431").el("D8").date(claim.from - rng.between(1, 60)).end();
    if (rng.percent(10)) w.seg("REF").el("G1").el(ShortText().addLetters(rng, 1).addDigits(rng, 9)).end();
    if (replacement) w.seg("REF").el("F8").el(ShortText().addDigits(rng, 14)).end();
    if (rng.percent(30)) w.seg("REF").el("D9").el(ShortText().addDigits(rng, 12)).end();
    writeDiagnoses(w, claim, false);
    if (rng.percent(70)) {
        writeProviderPerson(w, rng, "82", ctx.today);
        w.seg("PRV").el("PE").el("PXC").el(rng.pick(kPractices).taxonomy).end();
    }
    for (int i = 0; i < claim.lineCount; ++i) {
        const ServiceLine& line = claim.lines[i];
        w.seg("LX").num(i + 1).end();
        w.seg("SV1");
        writeProcedure(w, line);
        w.money(line.charge).el(line.unitCode).num(line.units).skip(2);
        writePointers(w, line.pointers);
        w.end();
        w.seg("DTP").el("472").el("D8").date(line.date).end();
        if (rng.percent(20)) w.seg("REF").el("6R").el(ShortText().addDigits(rng, 10)).end();
    }
}

// ---------------------------------------------------------------------------
// 837I

Claim makeInstitutionalClaim(Context& ctx, bool inpatient) {
    Rng& rng = ctx.rng;
    Claim claim;
    claim.number = nextClaimNumber(ctx);
    pickDiagnoses(rng, claim, rng.between(1, 6));
    claim.from = ctx.today - rng.between(10, 120);
    int stay = inpatient ? rng.between(1, 7) : 0;
    claim.to = claim.from + stay;
    int count = lineCount(rng, 2, 10);
    for (int i = 0; i < count; ++i) {
        // An inpatient bill opens with the room: one unit per day of the stay.
        const RevenueService& s = (i == 0 && inpatient) ? kRoomAndBoard : rng.pick(kRevenueServices);
        ServiceLine line;
        line.revenueCode = s.revenueCode;
        line.procedure = s.hcpcs;
        line.unitCode = (&s == &kRoomAndBoard) ? "DA" : "UN";
        line.units = (&s == &kRoomAndBoard) ? stay : rng.between(1, s.maxUnits);
        line.charge = makePrice(rng, s.lowest, s.highest) * line.units;
        line.date = claim.from + rng.between(0, stay);
        addLine(claim, line);
    }
    return claim;
}

void writeInstitutionalClaim(Context& ctx) {
    Rng& rng = ctx.rng;
    SegmentWriter& w = ctx.w;
    bool inpatient = rng.percent(30);
    Claim claim = makeInstitutionalClaim(ctx, inpatient);

    w.seg("CLM").el(claim.number).money(claim.total).skip(2).el(inpatient ? "11" : "13").comp("A").comp("1")
        .skip(1).el("A").el("Y").el("Y").end();
    if (inpatient) w.seg("DTP").el("096").el("TM").num(rng.between(6, 20) * 100, 4).end();
    w.seg("DTP").el("434").el("RD8").dateRange(claim.from, claim.to).end();
    if (inpatient) {
        w.seg("DTP").el("435").el("DT").date(claim.from)
            .raw(rng.between(0, 23) * 100 + rng.between(0, 59), 4).end();
    }
    w.seg("CL1").el(inpatient ? (rng.percent(70) ? "1" : "3") : "2").el(rng.percent(70) ? "1" : "7")
        .el(rng.percent(85) ? "01" : (rng.percent(50) ? "06" : "03")).end();
    if (rng.percent(30)) w.seg("REF").el("D9").el(ShortText().addDigits(rng, 12)).end();
    writeDiagnoses(w, claim, true, inpatient ? rng.pick(kDiagnoses) : std::string_view());
    // An occurrence code with its date (11: onset of symptoms).
    if (rng.percent(20)) {
        w.seg("HI").el("BH").comp("11").comp("D8").raw(":").rawDate(claim.from - rng.between(0, 5)).end();
    }
    writeProviderPerson(w, rng, "71", ctx.today);
    for (int i = 0; i < claim.lineCount; ++i) {
        const ServiceLine& line = claim.lines[i];
        w.seg("LX").num(i + 1).end();
        w.seg("SV2").el(line.revenueCode);
        if (line.procedure.empty()) w.skip(1);
        else w.el("HC").comp(line.procedure);
        w.money(line.charge).el(line.unitCode).num(line.units).end();
        if (!line.procedure.empty()) w.seg("DTP").el("472").el("D8").date(line.date).end();
    }
}

// ---------------------------------------------------------------------------
// 835

// One CAS triple: group (CO contractual, PR patient), reason code, amount.
struct Adjustment {
    std::string_view group;
    std::string_view reason;
    Cents amount = 0;
};

struct RemitLine {
    ServiceLine service;
    Cents paid = 0;
    Cents allowed = 0;
    std::array<Adjustment, 4> adjustments{};
    int adjustmentCount = 0;
    std::string_view remark;
};

void adjust(RemitLine& line, std::string_view group, std::string_view reason, Cents amount) {
    if (amount > 0) line.adjustments[line.adjustmentCount++] = {group, reason, amount};
}

Cents percentOf(Cents amount, int percent) { return amount * percent / 100; }

// How a payer settles one line: charge = paid + every adjustment, always.
void adjudicate(Rng& rng, RemitLine& line, std::string_view denial, bool sequestered) {
    Cents charge = line.service.charge;
    if (!denial.empty() || rng.percent(4)) {
        // Denied, or bundled into another line: nothing allowed.
        bool patientOwes = denial == "204";
        adjust(line, patientOwes ? "PR" : "CO", denial.empty() ? "97" : denial, charge);
        if (rng.percent(40)) line.remark = rng.pick(kRemarks);
        return;
    }
    line.allowed = percentOf(charge, rng.between(45, 95));
    adjust(line, "CO", "45", charge - line.allowed);
    Cents sequestration = 0;
    Cents patient = 0;
    std::string_view patientReason;
    int roll = static_cast<int>(rng.below(100));
    if (roll < 15) {
        patientReason = "1";  // deductible
        patient = std::min(line.allowed, static_cast<Cents>(rng.between(20, 250)) * 100);
    } else if (roll < 40) {
        patientReason = "2";  // coinsurance
        patient = percentOf(line.allowed, 20);
    } else if (roll < 60) {
        patientReason = "3";  // copay
        patient = std::min(line.allowed, static_cast<Cents>(rng.between(1, 8)) * 500);
    }
    if (sequestered) sequestration = percentOf(line.allowed - patient, 2);
    adjust(line, "CO", "253", sequestration);
    adjust(line, "PR", patientReason, patient);
    line.paid = line.allowed - patient - sequestration;
}

// CAS segments: consecutive adjustments of one group share a segment, as
// triples of reason, amount and quantity (no quantity given here).
void writeAdjustments(SegmentWriter& w, const RemitLine& line) {
    for (int i = 0; i < line.adjustmentCount; ++i) {
        const Adjustment& a = line.adjustments[i];
        if (i == 0 || line.adjustments[i - 1].group != a.group) {
            if (i > 0) w.end();
            w.seg("CAS").el(a.group);
        } else {
            w.skip(1);  // the previous triple's quantity, not given
        }
        w.el(a.reason).money(a.amount);
    }
    if (line.adjustmentCount > 0) w.end();
}

struct RemitClaim {
    ShortText number;
    std::string_view status;  // CLP02: 1 primary, 2 secondary, 4 denied, 19 forwarded
    std::array<RemitLine, 6> lines;
    int lineCount = 0;
    Cents charge = 0;
    Cents paid = 0;
    Cents patient = 0;  // CLP05: what the PR adjustments leave to the patient
    Day from = 0;
};

RemitClaim makeRemitClaim(Context& ctx) {
    Rng& rng = ctx.rng;
    Claim billed = makeProfessionalClaim(ctx);
    RemitClaim claim;
    claim.number = billed.number;
    claim.from = billed.from;
    constexpr std::string_view denials[] = {"50", "29", "197", "16", "204"};
    std::string_view denial;
    int roll = static_cast<int>(rng.below(100));
    if (roll < 7) {
        claim.status = "4";
        denial = rng.pick(denials);
    } else {
        claim.status = roll < 15 ? "2" : (roll < 20 ? "19" : "1");
    }
    claim.lineCount = billed.lineCount;
    for (int i = 0; i < billed.lineCount; ++i) {
        RemitLine& line = claim.lines[i];
        line.service = billed.lines[i];
        adjudicate(rng, line, denial, ctx.payer->sequestered);
        claim.charge += line.service.charge;
        claim.paid += line.paid;
        for (int k = 0; k < line.adjustmentCount; ++k) {
            const Adjustment& a = line.adjustments[k];
            if (a.group == "PR") claim.patient += a.amount;
        }
    }
    return claim;
}

void writeRemitLine(SegmentWriter& w, Rng& rng, const RemitLine& line) {
    const ServiceLine& s = line.service;
    w.seg("SVC");
    writeProcedure(w, s);
    w.money(s.charge).money(line.paid).skip(1).num(s.units).end();
    w.seg("DTM").el("472").date(s.date).end();
    writeAdjustments(w, line);
    if (rng.percent(30)) w.seg("REF").el("6R").el(ShortText().addDigits(rng, 10)).end();
    if (line.allowed > 0) w.seg("AMT").el("B6").money(line.allowed).end();
    if (!line.remark.empty()) w.seg("LQ").el("HE").el(line.remark).end();
}

// Writes one claim payment (2100 and its 2110 lines); returns CLP04.
Cents writeRemitClaim(Context& ctx, SegmentWriter& w) {
    Rng& rng = ctx.rng;
    RemitClaim claim = makeRemitClaim(ctx);
    w.seg("CLP").el(claim.number).el(claim.status).money(claim.charge).money(claim.paid);
    if (claim.patient > 0) w.money(claim.patient);
    else w.skip(1);
    w.el(ctx.payer->filing).el(ShortText().addDigits(rng, 14)).el("11").el("1").end();
    Person patient = makePerson(rng, ctx.today, 0, 90);
    writePersonName(w, "QC", patient, "MI", patient.memberId.view());
    if (rng.percent(40)) writeProviderPerson(w, rng, "82", ctx.today);
    if (rng.percent(15)) w.seg("REF").el("EA").el(ShortText().addDigits(rng, 8)).end();
    if (rng.percent(30)) {
        w.seg("DTM").el("232").date(claim.from).end();
        w.seg("DTM").el("233").date(claim.from).end();
    }
    if (rng.percent(70)) w.seg("DTM").el("050").date(claim.from + rng.between(2, 20)).end();
    for (int i = 0; i < claim.lineCount; ++i) writeRemitLine(w, rng, claim.lines[i]);
    ++ctx.claims;
    return claim.paid;
}

struct ProviderAdjustment {
    std::string_view code;  // WO overpayment recovery, L6 interest, 72 authorised return
    Cents amount = 0;       // positive takes money back from the provider
};

// PLB entries: recoveries never exceed a twentieth of the payment, so that
// the payment stays positive; interest is paid on top.
int makeProviderAdjustments(Rng& rng, Cents paid, std::array<ProviderAdjustment, 3>& out) {
    int count = 0;
    if (rng.percent(60) && paid >= 2000) out[count++] = {"WO", rng.between(1, 100) * paid / 2000};
    if (rng.percent(40)) out[count++] = {"L6", -static_cast<Cents>(rng.between(1, 5000))};
    if (rng.percent(20) && paid >= 2000) out[count++] = {"72", rng.between(1, 50) * paid / 2000};
    return count;
}

void writePaymentHeader(Context& ctx, const Organization& payee, Cents total, Day paidOn) {
    Rng& rng = ctx.rng;
    SegmentWriter& w = ctx.w;
    const Payer& payer = *ctx.payer;
    ShortText payerEin = ShortText().add('1').addDigits(rng, 9);
    bool byCheck = rng.percent(25);
    if (total <= 0) {
        w.seg("BPR").el("H").money(0).el("C").el("NON").skip(11).date(paidOn).end();
    } else if (byCheck) {
        w.seg("BPR").el("I").money(total).el("C").el("CHK").skip(11).date(paidOn).end();
    } else {
        // Payer's bank and account, the payer's id, then the payee's bank and account.
        w.seg("BPR").el("I").money(total).el("C").el("ACH").el("CCP")
            .el("01").el(ShortText().add('0').addDigits(rng, 8)).el("DA").el(ShortText().addDigits(rng, 10))
            .el(payerEin).skip(1)
            .el("01").el(ShortText().add('1').addDigits(rng, 8)).el("DA").el(ShortText().addDigits(rng, 12))
            .date(paidOn).end();
    }
    w.seg("TRN").el("1").el(ShortText().addDigits(rng, byCheck ? 8 : 15)).el(payerEin).end();
    if (rng.percent(30)) w.seg("REF").el("EV").el(ctx.receiver.id).end();
    w.seg("DTM").el("405").date(paidOn - 1).end();
    w.seg("N1").el("PR").el(payer.name).end();
    writeAddress(w, makeAddress(rng, true));
    if (rng.percent(50)) w.seg("PER").el("CX").el("CLAIMS").el("TE").el(makePhone(rng)).end();
    w.seg("PER").el("BL").el("PROVIDER SERVICES").el("TE").el(makePhone(rng)).end();
    w.seg("N1").el("PE").el(payee.name).el("XX").el(payee.npi).end();
    writeAddress(w, payee.address);
    w.seg("REF").el("TJ").el(payee.ein).end();
}

// The claims go to a second buffer first: BPR02, the payment, is their sum
// less the provider adjustments, and it stands before them.
void write835Body(Context& ctx, int claims, std::string& scratch, bool lineFeed) {
    Rng& rng = ctx.rng;
    SegmentWriter body(scratch, lineFeed);
    Organization payee = makePractice(rng);
    Cents paid = 0;
    int header = 0;
    for (int i = 0; i < claims && ctx.w.size() + scratch.size() < ctx.targetBytes; ++i) {
        if (i == 0 || rng.percent(3)) body.seg("LX").num(++header).end();
        paid += writeRemitClaim(ctx, body);
    }
    std::array<ProviderAdjustment, 3> adjustments;
    int count = makeProviderAdjustments(rng, paid, adjustments);
    Cents total = paid;
    Day paidOn = ctx.today;
    if (count > 0) {
        body.seg("PLB").el(payee.npi).num(yearOf(paidOn), 4).raw("1231");
        for (int i = 0; i < count; ++i) {
            const ProviderAdjustment& a = adjustments[i];
            body.el(a.code).comp(ShortText().addDigits(rng, 12).view()).money(a.amount);
            total -= a.amount;
        }
        body.end();
    }
    writePaymentHeader(ctx, payee, total, paidOn);
    ctx.w.take(body);
}

// ---------------------------------------------------------------------------
// Envelopes

struct KindInfo {
    std::string_view name;
    std::string_view functionalId;  // GS01
    std::string_view transactionId; // ST01
    std::string_view version;       // GS08 and ST03
};

KindInfo infoOf(Kind kind) {
    switch (kind) {
    case Kind::Professional837: return {"837p", "HC", "837", "005010X222A1"};
    case Kind::Institutional837: return {"837i", "HC", "837", "005010X223A2"};
    case Kind::Payment835: return {"835", "HP", "835", "005010X221A1"};
    }
    return {};
}

class FileGenerator {
public:
    FileGenerator(const GeneratorOptions& options, std::string& out)
        : options_(options),
          info_(infoOf(options.kind)),
          // The kind is mixed into the seed so that the three files of one
          // seed do not share their parties and amounts.
          rng_(options.seed ^ (0x51ED27Full * (static_cast<std::uint64_t>(options.kind) + 1))),
          w_(out, options.lineFeed) {
        // Control numbers and dates start somewhere different for each seed,
        // as they would in files from different senders.
        interchangeControl_ = 1 + rng_.below(900'000'000);
        groupControl_ = 1 + rng_.below(90'000);
        setControl_ = 1 + rng_.below(9'000);
        today_ = dayOf(2023, 1, 1) + rng_.between(0, 700);
    }

    GeneratorSummary run(std::size_t startSize) {
        do writeInterchange();
        while (w_.size() < options_.targetBytes);
        summary_.bytes = w_.size() - startSize;
        summary_.segments = w_.segments();
        return summary_;
    }

private:
    void makeParties() {
        sender_ = Party();
        receiver_ = Party();
        const NamedId& house = rng_.pick(kClearinghouses);
        if (options_.kind == Kind::Payment835) {
            payer_ = &rng_.pick(kPayers);
            sender_.name.add(payer_->name);
            sender_.id.add(payer_->id).addDigits(rng_, 4);
            receiver_.name.add(house.name);
            receiver_.id.add(house.id);
        } else {
            payer_ = nullptr;
            sender_.name.add(rng_.pick(kPlaceWords)).add(' ').add(rng_.pick(kBillingKinds));
            sender_.id.add("SUB").addDigits(rng_, 7);
            receiver_.name.add(house.name);
            receiver_.id.add(house.id);
        }
    }

    // ISA is fixed-width: with these delimiters it is always 106 bytes.
    void writeIsa(int hhmm) {
        std::size_t start = w_.size();
        w_.seg("ISA").el("00").fixed("", 10).el("00").fixed("", 10).el("ZZ").fixed(sender_.id.view(), 15).el("ZZ")
            .fixed(receiver_.id.view(), 15).shortDate(today_).num(hhmm, 4).el("^").el("00501")
            .num(interchangeControl_, 9).el(rng_.percent(20) ? "1" : "0").el("P").el(":");
        w_.end();
        assert(w_.size() - start == 106 + (options_.lineFeed ? 1 : 0));
        (void)start;
    }

    void writeInterchange() {
        today_ += rng_.between(0, 2);
        makeParties();
        int hhmm = rng_.between(0, 23) * 100 + rng_.between(0, 59);
        writeIsa(hhmm);
        w_.seg("GS").el(info_.functionalId).el(sender_.id).el(receiver_.id).date(today_)
            .num(hhmm, 4).num(groupControl_).el("X").el(info_.version).end();
        int planned = rng_.between(2, 8);
        int sets = 0;
        do {
            writeTransactionSet();
            ++sets;
        } while (sets < planned && w_.size() < options_.targetBytes);
        w_.seg("GE").num(sets).num(groupControl_).end();
        w_.seg("IEA").num(1).num(interchangeControl_, 9).end();
        ++summary_.interchanges;
        ++summary_.groups;
        interchangeControl_ = interchangeControl_ % 999'999'999 + 1;
        ++groupControl_;
    }

    void writeTransactionSet() {
        std::uint64_t control = setControl_++;
        std::size_t first = w_.segments();
        w_.seg("ST").el(info_.transactionId).num(control, 4).el(info_.version).end();
        Context ctx{rng_,    w_,     options_.targetBytes, today_,
                    sender_, receiver_, payer_, options_.kind == Kind::Institutional837,
                    claimSerial_, 0};
        switch (options_.kind) {
        case Kind::Professional837:
            write837Header(ctx, control);
            write837Body(ctx, rng_.between(100, 500), makePractice, writeProfessionalClaim);
            break;
        case Kind::Institutional837:
            write837Header(ctx, control);
            write837Body(ctx, rng_.between(50, 300), makeHospital, writeInstitutionalClaim);
            break;
        case Kind::Payment835:
            write835Body(ctx, rng_.between(20, 400), scratch_, options_.lineFeed);
            break;
        }
        claimSerial_ = ctx.claimSerial;
        summary_.claims += ctx.claims;
        // SE01 counts every segment from ST to SE, both included.
        w_.seg("SE").num(w_.segments() - first + 1).num(control, 4).end();
        ++summary_.transactions;
    }

    const GeneratorOptions& options_;
    KindInfo info_;
    Rng rng_;
    SegmentWriter w_;
    std::string scratch_;
    GeneratorSummary summary_;
    Party sender_;
    Party receiver_;
    const Payer* payer_ = nullptr;
    std::uint64_t interchangeControl_ = 1;
    std::uint64_t groupControl_ = 1;
    std::uint64_t setControl_ = 1;
    std::uint64_t claimSerial_ = 0;
    Day today_ = 0;
};

}  // namespace

std::optional<Kind> parseKind(std::string_view word) {
    std::string lower(word);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    for (Kind kind : {Kind::Professional837, Kind::Institutional837, Kind::Payment835}) {
        if (infoOf(kind).name == lower) return kind;
    }
    return std::nullopt;
}

std::string_view kindName(Kind kind) { return infoOf(kind).name; }

GeneratorSummary generateX12(const GeneratorOptions& options, std::string& out) {
    // One reservation: the last claim, the trailers and a little slack are
    // all that can pass the target.
    out.reserve(out.size() + options.targetBytes + 256 * 1024);
    return FileGenerator(options, out).run(out.size());
}

}  // namespace zrbench
