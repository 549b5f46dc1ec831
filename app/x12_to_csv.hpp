// The conversion engine, X12 to CSV or XML: one source file becomes CSV
// rows or XML records under the control of a map.
#pragma once

#include <string>

#include "delimiters.hpp"
#include "engine_request.hpp"
#include "map_file.hpp"
#include "segment_scan.hpp"

namespace zr {

// CTL48400A, the engine: converts request.spec.sourceFile into
// request.spec.destinationFile as the type says: "X12,CSV" and "X12,XML"
// here; "CSV,X12", "XML,X12" (and their HL7 forms) through the records-to-X12
// builder after the same map choice and load; "HL7,..." types convert
// nothing. Returns the run-log lines and whether the conversion failed (no
// map, or a file error).
EngineResult CTL48400A(const EngineRequest& request);

// The largest number of service-line keys met within one record key's
// reach anywhere in the text (the multi-line expansion's count).
int countServiceLines(std::string& bytes, const X12Delimiters& delimiters, const MapKeys& keys);
// The same over a source read in blocks (a read error is left in the source).
int countServiceLines(SegmentSource& source, const X12Delimiters& delimiters, const MapKeys& keys);

}  // namespace zr
