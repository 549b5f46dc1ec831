// A small built-in dictionary of X12 segments, elements and their code
// lists for a few transaction sets, asked by slot numbers. The field getters
// turn a code into words with it ("XX" "National Provider ID"): they ask
// for the size of an element's list, then for the list, and search it
// themselves. The dictionary is codes/data/x12_code_lists.tsv.
#pragma once

#include <span>
#include <string_view>
#include <variant>

namespace zr {

// One code of a list with its description; the ST01 lists hold the code
// alone (description "").
struct X12CodePair {
    std::string_view code;
    std::string_view description;
};

// What a query answers: nothing, a number, or a code list.
using X12Answer = std::variant<std::monostate, int, std::span<const X12CodePair>>;

// The level the arguments select, and what each query gives there:
//   component   (segment, element, component > 0): 1 when the component entry
//               is an element entry (kind "E") else 0; its number of codes;
//               its code list
//   element     (segment, element > 0, component 0): the same for the
//               element entry (a composite element is no entry: 0)
//   segment     (segment > 0, element 0): query 1 the number of element slots
//   transaction (segment 0): query 1 the number of segment slots
// Queries 2 and 3 answer nothing at the two upper levels and for an entry
// not of kind "E"; a slot that holds nothing answers 0 to query 1 and
// nothing to queries 2 and 3. Transaction slots are 1 to 7.
X12Answer ZRX12(int segment, int element, int component, int transaction, int query);

}  // namespace zr
