// The 837 field getters: a value of a loaded 837 by its upper-case field
// name ("SUBLNAME", "PROC3", "OTHERDX07"). The same names are the column
// headers of exports, the labels of the claim views and the boxes of the
// claim forms. A getter never fails: a name it does not know, a claim
// number of 0 or less, or a segment the claim lacks gives "".
//
// The dictionary turns a name into a group number; the header getter and
// the claim getter hand the name to the getter of its group, which finds the
// segment with the search primitives of claim_finders.hpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "claim_index.hpp"
#include "segment_table.hpp"
#include "user_defined_fields.hpp"

namespace zr {

// One loaded 837 table read by name. Header values (the same for every
// claim) and the values of a billing-provider group are kept once found, so
// reading every field of every claim stays linear in the file; the
// [X12UDF] fields are read from "zr.ini" once per reader.
class ClaimFields {
public:
    ClaimFields(const SegmentTable& table, const ClaimIndex& index, std::string iniFolder = "");

    const SegmentTable& table() const { return *table_; }
    const ClaimIndex& index() const { return *index_; }
    const std::string& iniFolder() const { return iniFolder_; }

    // CTL39406AJ with this reader's user-defined fields.
    int groupOf(std::string_view name) const;
    // CTL39406AA: a header value (groups 101-111, 239-244 and 0).
    std::string header(long long k, std::string_view name) const;
    // CTL39406AB: a claim value (groups 201-246 and 300) of sub-claim j.
    std::string claim(int j, long long k, std::string_view name) const;
    // The same for a name whose group (groupOf) the caller has found.
    std::string claimInGroup(int group, int j, long long k, std::string_view name) const;
    // The getter of one group (the group getters of the dictionary).
    std::string group(int group, long long k, std::string_view name, int j) const;
    // The number of CLM segments of claim k.
    std::size_t clmCount(long long k) const;

    // Where a claim's names are read: its HL*22 row.
    struct Anchor;

private:
    std::optional<Anchor> anchorOf(long long k, int j) const;
    std::string headerGroup(int group, std::string_view name) const;
    std::string claimGroup(const Anchor& a, int group, std::string_view name) const;
    std::string hierarchical(long long k, std::string_view name) const;
    std::string userClaimField(const Anchor& a, const std::string& name) const;
    std::string userHeaderField(const std::string& name) const;
    const std::vector<UserDefinedField>& userFields() const;
    bool is5010() const;

    const SegmentTable* table_;
    const ClaimIndex* index_;
    std::string iniFolder_;
    mutable std::optional<std::vector<UserDefinedField>> userFields_;
    mutable std::optional<bool> is5010_;
    // Looked up for every field of every claim: hashed, not compared.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    mutable std::unordered_map<std::string, int, NameHash, std::equal_to<>> groups_;
    // In front of it, the names asked last by where the caller keeps them:
    // an export asks the same strings of every claim, and hashing each name
    // twice a field cost more than reading most values. A slot answers only
    // for the very same text.
    struct NameSlot {
        const char* at = nullptr;
        std::string text;
        int group = 0;
    };
    mutable std::vector<NameSlot> nameSlots_;  // 256 once a name is asked
    // The anchor row of the claim read last: a listing asks several names of
    // one claim in a row.
    mutable std::size_t anchorClaim_ = 0, anchorRow_ = 0;
    mutable std::uint32_t anchorKey_ = 0;
    mutable std::map<std::string, std::string, std::less<>> headerValues_;
    mutable std::map<std::pair<std::size_t, std::string>, std::string> groupValues_;
public:
    // The service lines' rows of the sub-claim read last: an export asks
    // every line's fields of a claim in a row, and each would walk the
    // claim to its line again.
    struct LineRows {
        std::uint32_t key = 0;
        std::size_t at = 0;
        int j = 0;
        std::vector<std::pair<long long, std::size_t>> first;  // line number, its LX row
    };

    // The rows the claim searches of the sub-claim read last found: several
    // names read the same segment (a party's name, address and
    // identifiers), and each walked the claim to it again.
    struct SearchRows {
        std::uint32_t key = 0;
        std::size_t at = 0;
        int j = 0;
        struct Found {
            std::array<std::uint64_t, 4> search;  // segment, qualifier, segment2, qualifier2
            int n;
            std::size_t row;
        };
        std::vector<Found> found;
    };

private:
    mutable LineRows lineRows_;
    mutable SearchRows searchRows_;
};

// CTL39406AJ: the group number of a name; 300 for a user-defined claim field,
// 0 for any other name outside the dictionary.
int CTL39406AJ(std::string_view name, const std::string& iniFolder = "");
// CTL39406AA and CTL39406AB over a table read once (a reader per call).
std::string CTL39406AA(const ClaimIndex& index, const SegmentTable& table, long long k, std::string_view name);
std::string CTL39406AB(int j, const ClaimIndex& index, const SegmentTable& table, long long k, std::string_view name);
// CTL39406DB: a service-line name (the export numbers such names per line).
bool CTL39406DB(std::string_view name);

// The dictionary's names in test order, each with its group: the vocabulary
// of 837 data (numbered families appear once, without their number).
struct FieldEntry {
    std::string name;
    int group;
};
const std::vector<FieldEntry>& claimFieldDictionary();

// The group getters. Each takes the reader, the claim, the name and the
// sub-claim number and answers the names of its groups.
std::string CTL39406BT(const ClaimFields& f, long long k, std::string_view name, int j);  // 101
std::string CTL39406BU(const ClaimFields& f, long long k, std::string_view name, int j);  // 102
std::string CTL39406BV(const ClaimFields& f, long long k, std::string_view name, int j);  // 103
std::string CTL39406AK(const ClaimFields& f, long long k, std::string_view name, int j);  // 101-103 fallback
std::string CTL39406BW(const ClaimFields& f, long long k, std::string_view name, int j);  // 104
std::string CTL39406BX(const ClaimFields& f, long long k, std::string_view name, int j);  // 105
std::string CTL39406AL(const ClaimFields& f, long long k, std::string_view name, int j);  // 104-105 fallback
std::string CTL39406BY(const ClaimFields& f, long long k, std::string_view name, int j);  // 106
std::string CTL39406BZ(const ClaimFields& f, long long k, std::string_view name, int j);  // 107
std::string CTL39406AM(const ClaimFields& f, long long k, std::string_view name, int j);  // 108
std::string CTL39406CB(const ClaimFields& f, long long k, std::string_view name, int j);  // 109
std::string CTL39406CC(const ClaimFields& f, long long k, std::string_view name, int j);  // 110
std::string CTL39406CD(const ClaimFields& f, long long k, std::string_view name, int j);  // 111
std::string CTL39406AO(const ClaimFields& f, long long k, std::string_view name, int j);  // 201
std::string CTL39406AP(const ClaimFields& f, long long k, std::string_view name, int j);  // 202
std::string CTL39406AQ(const ClaimFields& f, long long k, std::string_view name, int j);  // 203
std::string CTL39406AR(const ClaimFields& f, long long k, std::string_view name, int j);  // 204
std::string CTL39406AS(const ClaimFields& f, long long k, std::string_view name, int j);  // 205
std::string CTL39406AT(const ClaimFields& f, long long k, std::string_view name, int j);  // 206
std::string CTL39406AU(const ClaimFields& f, long long k, std::string_view name, int j);  // 207
std::string CTL39406AV(const ClaimFields& f, long long k, std::string_view name, int j);  // 208
std::string CTL39406AW(const ClaimFields& f, long long k, std::string_view name, int j);  // 209
std::string CTL39406AX(const ClaimFields& f, long long k, std::string_view name, int j);  // 210
std::string CTL39406AY(const ClaimFields& f, long long k, std::string_view name, int j);  // 211
std::string CTL39406AZ(const ClaimFields& f, long long k, std::string_view name, int j);  // 212
std::string CTL39406BA(const ClaimFields& f, long long k, std::string_view name, int j);  // 213
std::string CTL39406BB(const ClaimFields& f, long long k, std::string_view name, int j);  // 214
std::string CTL39406BC(const ClaimFields& f, long long k, std::string_view name, int j);  // 215
std::string CTL39406BD(const ClaimFields& f, long long k, std::string_view name, int j);  // 216
std::string CTL39406BE(const ClaimFields& f, long long k, std::string_view name, int j);  // 217
std::string CTL39406BF(const ClaimFields& f, long long k, std::string_view name, int j);  // 218
std::string CTL39406BG(const ClaimFields& f, long long k, std::string_view name, int j);  // 219
std::string CTL39406BH(const ClaimFields& f, long long k, std::string_view name, int j);  // 220
std::string CTL39406BI(const ClaimFields& f, long long k, std::string_view name, int j);  // 221
std::string CTL39406BJ(const ClaimFields& f, long long k, std::string_view name, int j);  // 222
std::string CTL39406BK(const ClaimFields& f, long long k, std::string_view name, int j);  // 223
std::string CTL39406BL(const ClaimFields& f, long long k, std::string_view name, int j);  // 224
std::string CTL39406BM(const ClaimFields& f, long long k, std::string_view name, int j);  // 225
std::string CTL39406BN(const ClaimFields& f, long long k, std::string_view name, int j);  // 226
std::string CTL39406BO(const ClaimFields& f, long long k, std::string_view name, int j);  // 227
std::string CTL39406BP(const ClaimFields& f, long long k, std::string_view name, int j);  // 228
std::string CTL39406BQ(const ClaimFields& f, long long k, std::string_view name, int j);  // 229
std::string CTL39406BR(const ClaimFields& f, long long k, std::string_view name, int j);  // 230
std::string CTL39406BS(const ClaimFields& f, long long k, std::string_view name, int j);  // 231
std::string CTL39406CE(const ClaimFields& f, long long k, std::string_view name, int j);  // 232
std::string CTL39406CF(const ClaimFields& f, long long k, std::string_view name, int j);  // 233
std::string CTL39406CG(const ClaimFields& f, long long k, std::string_view name, int j);  // 234
std::string CTL39406CH(const ClaimFields& f, long long k, std::string_view name, int j);  // 235
std::string CTL39406CI(const ClaimFields& f, long long k, std::string_view name, int j);  // 236
std::string CTL39406CJ(const ClaimFields& f, long long k, std::string_view name, int j);  // 237
std::string CTL39406CN(const ClaimFields& f, long long k, std::string_view name, int j);  // 238
std::string CTL39406CP(const ClaimFields& f, long long k, std::string_view name, int j);  // 239
std::string CTL39406CQ(const ClaimFields& f, long long k, std::string_view name, int j);  // 240
std::string CTL39406CR(const ClaimFields& f, long long k, std::string_view name, int j);  // 241
std::string CTL39406CS(const ClaimFields& f, long long k, std::string_view name, int j);  // 242
std::string CTL39406CT(const ClaimFields& f, long long k, std::string_view name, int j);  // 243
std::string CTL39406CU(const ClaimFields& f, long long k, std::string_view name, int j);  // 244
std::string CTL39406DU(const ClaimFields& f, long long k, std::string_view name, int j);  // 245
std::string CTL39406DV(const ClaimFields& f, long long k, std::string_view name, int j);  // 246
std::string CTL39406DA(const ClaimFields& f, long long k, std::string_view name, int j);  // 300
std::string CTL39406CY(const ClaimFields& f, long long k, std::string_view name, int j);  // 0
// CTL39406AN: the pay-to provider's names of the file (groups 109 to 111),
// "" for any other; CTL39406CA: the billing provider's secondary
// identifiers (BILLINGPROVIDERSECONDARYID...), "" for any other. Copies of
// those getters that nothing calls.
std::string CTL39406AN(const ClaimFields& f, long long k, std::string_view name, int j);
std::string CTL39406CA(const ClaimFields& f, long long k, std::string_view name, int j);
// CTL39406CZ: the group of a name outside the dictionary among the
// user-defined fields: 300 for a claim field, else 0.
int CTL39406CZ(const std::vector<UserDefinedField>& fields, std::string_view name);

}  // namespace zr
