// The conversion engine, X12 to CSV or XML: one source file becomes CSV
// rows or XML records under the control of a map.
#pragma once

#include <string>

#include "debug_trace.hpp"
#include "delimiters.hpp"
#include "engine_request.hpp"
#include "map_file.hpp"
#include "set_chunks.hpp"
#include "run_log.hpp"

namespace zr {

// Converts request.spec.sourceFile into request.spec.destinationFile
// ("X12,CSV" or "X12,XML") with the loaded map, whose fields the
// conversion takes (map.fields is empty afterwards).
DirectionResult convertFromX12(const EngineRequest& request, MapFile& map, RunLog& log, DebugTrace& trace);

// The largest number of service-line keys met within one record key's
// reach anywhere in the text (the multi-line expansion's count).
int countServiceLines(std::string& bytes, const X12Delimiters& delimiters, const MapKeys& keys);
// The same over a source read in parts (a read error is left in the reader).
int countServiceLines(ChunkReader& source, const X12Delimiters& delimiters, const MapKeys& keys);

}  // namespace zr
