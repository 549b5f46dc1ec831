// The conversion engine's entry: one source through one map, in the
// direction its type names.
#pragma once

#include "engine_request.hpp"

namespace zr {

// CTL48400A, the engine: converts request.spec.sourceFile into
// request.spec.destinationFile: "X12,CSV" and "X12,XML" through the X12
// reader, "CSV,X12", "XML,X12" (and their HL7 forms) through the
// records-to-X12 builder, both after the same map choice and load; the
// "HL7,..." types convert nothing. Returns the run-log lines and whether
// the conversion failed (no map, or a file error). No exception leaves it.
EngineResult CTL48400A(const EngineRequest& request);

}  // namespace zr
