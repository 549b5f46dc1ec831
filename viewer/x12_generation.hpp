// New X12 and HL7 text built from a loaded file: claim status requests
// (276) and a new 837 from an 837, a remittance (835) from an 835, a
// minimal HL7 message and the rebuild of one claim from the table's own
// rows, with the dialogs that write a 276 or an 837 file.
//
// These files go to payers and clearing houses, so every interchange built
// here is whole: ISA13 is nine digits and equals IEA02, ISA11 is a
// repetition separator the text does not use, ISA06/ISA08 are exactly 15
// characters, ST02 has at least four, SE01 counts its own set, and there is
// one GE and one IEA per interchange.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "claim_getters.hpp"
#include "claim_index.hpp"
#include "parse_spec.hpp"
#include "segment_table.hpp"

namespace zr {

// The converter settings' keys by number ("ISA06=" is 1 ... "ST2=" 8,
// "CONVERSIONTYPE=" 9); "" for a key that is absent.
using ConverterSettings = std::function<std::string(int key)>;
// The keys of "zr.ini" in `folder` ("" the current folder), read per key.
ConverterSettings iniConverterSettings(const std::string& folder);

// The envelope of a built interchange.
struct EnvelopeValues {
    std::string sender;         // ISA06, 15 characters
    std::string receiver;       // ISA08, 15 characters
    std::string controlNumber;  // ISA13, 9 digits
    std::string usage;          // ISA15
    std::string applicationSender, applicationReceiver;  // GS02, GS03
    std::string groupControl;   // GS06
    std::string setControl;     // ST02, at least 4 characters
};
// The settings' values, the loaded file's where a key is absent, else the
// defaults.
EnvelopeValues envelopeValues(const SegmentTable& table, const ConverterSettings& settings);

// When the text is built: YYMMDD, CCYYMMDD and HHMM.
struct BuildTime {
    std::string yymmdd, ccyymmdd, hhmm;
};
BuildTime currentBuildTime();

// What a generator reads besides the loaded claims: the [X12] keys and the
// clock (fixed in tests).
struct GeneratorContext {
    ConverterSettings settings;  // empty: every key absent
    BuildTime time = currentBuildTime();
    std::string sourceFile;      // the loaded file, whose rows a rebuild copies
    // The claim values as the file writes them, read once by a caller that
    // asks for many requests; without them a request reads its own.
    const ClaimFields* fileValues = nullptr;
};

// The claim values as the loaded file writes them. The table shows the
// file's commas as blanks; a request names people, payers and providers
// ("SMITH, JR"), so it reads its values again over the file's own bytes
// while the file is still the one loaded (same size). Otherwise, or without
// a file, the loaded values serve.
class FileClaimFields {
public:
    FileClaimFields(const ClaimFields& loaded, const std::string& sourceFile);
    FileClaimFields(const FileClaimFields&) = delete;
    FileClaimFields& operator=(const FileClaimFields&) = delete;
    const ClaimFields& fields() const { return file_ ? *file_ : *loaded_; }
    // The context whose requests read these values.
    GeneratorContext reading(GeneratorContext context) const {
        context.fileValues = &fields();
        return context;
    }

private:
    const ClaimFields* loaded_;
    std::unique_ptr<SegmentTable> table_;
    std::unique_ptr<ClaimFields> file_;
};
// The keys of "zr.ini" in the current folder of the call, the clock now.
GeneratorContext generatorContext(const std::string& currentFolder, const std::string& sourceFile = "");

// The functional identifier (GS01) of the group that carries a set.
enum class FunctionalGroup { ClaimStatusRequest, Claim, Remittance };
const char* functionalIdentifier(FunctionalGroup group);  // "HR", "HC", "HP"

// An interchange around a set's segments: ISA, GS, the segments (ST..SE are
// the caller's), GE and IEA. ISA11 is chosen among characters that neither
// the delimiters nor the segments use.
std::string interchangeText(const EnvelopeValues& env, const BuildTime& time, const X12Delimiters& d,
                            FunctionalGroup group, const std::string& version, const std::string& setText);

// CTL394CONVA: the 276 interchange asking about claim k (every claim
// 1..claimCount when k is 0). Each claim is asked under its own payer and
// billing provider.
std::string CTL394CONVA(const ClaimFields& fields, std::size_t claimCount, std::size_t k,
                        const GeneratorContext& context);

// CTL394CONVB: a new 837 interchange of claim k (every claim for 0); its
// kind is key 9: 1 the 276 body under an 837 header, 2 (also for 0 or an
// absent key) the claim's own rows (CTL394CONVF); "" for any other kind.
std::string CTL394CONVB(const ClaimFields& fields, std::size_t claimCount, std::size_t k,
                        const GeneratorContext& context);

// CTL394AMAP: the element lists of the payer, submitter, billing provider
// and subscriber NM1 segments of claim 0 (no caller).
std::string CTL394AMAP(const ClaimFields& fields);

// The words of a request's option item (4): split at commas, trimmed,
// upper-cased.
std::vector<std::string> requestOptionWords(const std::string& optionItem);

// The option words of a request's item 4 that the 835 writer reads.
struct RemittanceOptions {
    bool serviceLines = false;      // "SL"
    bool individualClaims = false;  // "IC"
    bool overwrite = false;         // "OW"
    std::string filterField, filterValue;  // "FILTER=field" and the next word
    std::string mapName;                   // "MAP="
};
RemittanceOptions remittanceOptions(const std::string& optionItem);

// The values of a loaded 835 the 835 writer reads, by claim and field name:
// claim fields, transaction and provider-adjustment fields, service-line
// fields. A reader left empty answers "".
struct RemittanceFieldReader {
    std::function<std::string(std::size_t k, const std::string& name)> claim;
    std::function<std::string(const std::string& name)> transaction;
    std::function<std::string(std::size_t k, const std::string& name)> serviceLine;
};
// The remittance getters (CTL39407AB with claim numbers within the set,
// CTL39407AC, CTL39407AL) over a loaded 835.
RemittanceFieldReader remittanceFieldReader(const ClaimIndex& index, const SegmentTable& table);

// CTL394CONVD: the 835 interchange of claim k of a loaded 835, or of every
// claim 1..claimCount that the request's filter keeps when k is 0. Its TRN
// is the loaded set's.
std::string CTL394CONVD(const SegmentTable& table, const ClaimIndex& index, const RemittanceFieldReader& fields,
                        std::size_t claimCount, std::size_t k, const ParseSpec& request,
                        const GeneratorContext& context);

// CTL394CONVE: the minimal HL7 text: an MSH line and one PID line for claim
// k (every claim for 0).
std::string CTL394CONVE(const X12Delimiters& d, std::size_t claimCount, std::size_t k);

// CTL394CONVF: claim k rebuilt from the table's rows: the envelope rows of
// its interchange, group and set, the set's header rows, the header loop the
// claim stands in (the billing provider's HL of an 837, the LX of an 835)
// and the claim's rows, then SE recounted, one GE and one IEA. k = 0 copies
// every row with each SE recounted. The rows are copied from `sourceFile`,
// the file loaded, when it is still that file: the table shows commas as
// blanks.
std::string CTL394CONVF(const SegmentTable& table, const ClaimIndex& index, std::size_t k,
                        const std::string& sourceFile = "");

// The Claim Data function's writer modes, without its window: 110 the 837
// text (CTL394CONVB), 111 and 111.1 the 276 (CTL394CONVA), 114 and 114.1
// the HL7 text (CTL394CONVE); "" for 112, 112.1, 113 and 113.1 (an 837
// gives no remittance blocks) and for every other mode.
std::string claimWriterPiece(double mode, const ClaimFields& fields, std::size_t claimCount, std::size_t k,
                             const GeneratorContext& context);

// A claim identifier made safe as a file name: path separators, drive
// colons, wildcards, quotes, control characters and ".." become "_",
// trailing dots and blanks go; "" when nothing is left.
std::string cleanedClaimFileName(const std::string& claimId);

// The name proposed for claim k's file: its cleaned CLAIMID of sub-claim j
// + extension, or the fallback + extension when it has none.
std::string claimFileName(const ClaimFields& fields, std::size_t k, int subClaim, const std::string& fallback,
                          const std::string& extension);

// File names of one run: a name already given earlier in the run is given
// again as "name_2.ext", "name_3.ext", ... so no file of the run replaces
// another.
class RunFileNames {
public:
    std::string unused(const std::string& folder, const std::string& base, const std::string& extension);

private:
    std::vector<std::string> given_;
};

// What a write dialog did.
struct WrittenFiles {
    std::vector<std::string> written;  // in order
    std::vector<std::string> skipped;  // existing files kept
    std::vector<std::string> failed;   // writes that failed
};

// CTL39406AC: 276 files. k = 0 (the claims screen): asks "Overwrite any
// existing files?" and writes one file per claim in the current folder;
// k > 0 (Claim Data): asks for the file with the save dialog "Create a 276
// Claims File" and writes the request for claim k.
WrittenFiles CTL39406AC(const ClaimFields& fields, std::size_t claimCount, const std::string& currentFolder,
                        const std::string& startFolder, std::size_t k, int subClaim,
                        const GeneratorContext& context);

// CTL39406AD: "Create a 837 Claims File": asks for the file and writes the
// rebuild of claim k from the loaded file; nothing for k = 0.
WrittenFiles CTL39406AD(const ClaimFields& fields, const std::string& startFolder, std::size_t k, int subClaim,
                        const std::string& sourceFile = "");

}  // namespace zr
