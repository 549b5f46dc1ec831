// The rows of the built-in map texts as data, and what the builder needs to
// know about each transaction. Internal to maps_core.
//
// A field row is written as the items of its "FIELD=" line:
//   name,width,segment,qualifier,qualifier position,element,component,
//   condition,occurrence,level
// optionally followed by "|" and the items 16..19 (previous segment, its
// qualifier, the qualifier's position, toggle-off field), so that rows stay
// short instead of carrying five empty items. In service-line rows "#"
// stands for the line number, which also becomes item 11.
// A template row is the items of its "SEGMENT=" line.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "map_text.hpp"

namespace zr::maprows {

enum class Ver : unsigned char { Both, V4010, V5010 };

// The generator's yes-or-no answers a row depends on.
enum class Part : unsigned char {
    Always,
    Billing,         // 837I billing provider id and name
    BillingAddress,  // 837I billing provider address, pay-to address
    Subscriber,      // subscriber and payer
    Patient,
    Coverage,
    ServiceProvider,
};

struct Row {
    Ver ver;
    Part part;
    const char* text;
};

// A code list of the 837 institutional claim: twelve fields NAME01..NAME12
// per HI segment (element k, the given component). A list with a composite
// also writes one HI template per segment: "@" in it stands for the item's
// suffix, the first item required, the others ending the segment when empty.
struct CodeList {
    Ver ver;
    const char* name;
    const char* qualifier;
    int width;
    int component;
    int MapAnswers::*segments;
    const char* composite = nullptr;  // e.g. "%BH;$OCCURRENCECODE@;D8;$OCCURRENCEDATE@"
};

// A template row "@HI:" + a code list's name stands where that list's HI
// templates go.
inline constexpr const char* kCodeListMark = "@HI:";

// Fields that the answers shape beyond rows (835 provider adjustments, 271
// messages): appended after the code lists.
using ExtraFields = void (*)(std::vector<std::string>& lines, const MapAnswers& answers);

struct TransactionText {
    const char* type;                        // X12TRANSACTIONTYPE=
    std::span<const char* const> keys;       // key lines, whole
    std::span<const Row> fields;             // identification .. claim level
    std::span<const CodeList> codeLists;
    ExtraFields extra = nullptr;
    std::span<const Row> lineFields;         // one service line, "#" = its number
    std::span<const Row> tailFields;         // receiver, submitter, header
    std::span<const Row> templates;          // SEGMENT= items
    std::span<const char* const> screens;    // SCREEN= items
    ExtraFields extraTemplates = nullptr;    // SEGMENT= lines the answers shape, after the templates
    // Fields added after CSVs of the map were in use: written after every
    // other field, so that the columns of an older CSV keep their places
    // (its rows read these as empty).
    std::span<const Row> laterFields = {};
    std::span<const Row> laterLineFields = {};  // one service line's, "#" = its number, after laterFields
    // Fields added after the usage indicator ("PRODTEST"), the last column
    // before them: written after it, rows first, then the answers' lines.
    std::span<const Row> lastFields = {};
    ExtraFields lastExtra = nullptr;
};

// The transaction texts, by family.
const TransactionText& text837I();
const TransactionText& text837P();
const TransactionText& text837D();
const TransactionText& text835();
const TransactionText& text276();
const TransactionText& text277();
const TransactionText& text270();
const TransactionText& text271();
const TransactionText& text278Request();
const TransactionText& text278Response();
const TransactionText& text834();
const TransactionText& text820();

// Row tables shared between transactions are joined into one.
std::vector<Row> joinRows(std::initializer_list<std::span<const Row>> parts);

// Renders a field row's text (see above) as a "FIELD=" line; `line` > 0
// replaces "#" and sets item 11.
std::string fieldLine(const std::string& rowText, int line = 0);

}  // namespace zr::maprows
