// Steps that the application calls and that do nothing: they take whatever
// their callers pass and return nothing, so each caller goes on as it would
// after the step. What the caller does next is the caller's business.
#pragma once

namespace zr {

// PDF output of reports, forms and screen lists: open a document, start a
// page, place text, close it; open the written file.
template <typename... Args> void PDFOPEN(const Args&...) {}
template <typename... Args> void PDFNEWPAGE(const Args&...) {}
template <typename... Args> void PDFATSAY(const Args&...) {}
template <typename... Args> void PDFCLOSE(const Args&...) {}
template <typename... Args> void RUNPDF(const Args&...) {}

// A conversion step of one claim (the 837 file writers).
template <typename... Args> void CTL394CONVC(const Args&...) {}

// Choosing an ODBC data source and table: the export's and the conversion
// driver's; the caller receives nothing.
template <typename... Args> void CTLD47801I(const Args&...) {}
template <typename... Args> void CTLD48401I(const Args&...) {}

// Output steps of the export engine.
template <typename... Args> void CTL48001A(const Args&...) {}
template <typename... Args> void CTL38016A(const Args&...) {}

// The report of a missing field file (conversion tool).
template <typename... Args> void ZR_CR(const Args&...) {}

// A display step of the log display.
template <typename... Args> void ZQKF0701(const Args&...) {}

// Writing one record of the conversion engine to the data source.
template <typename... Args> void CTL48500A(const Args&...) {}

// Another model's database conversion (examples and projects tools).
template <typename... Args> void CTLD48503(const Args&...) {}

// Showing the XML file picked through "View XML File".
template <typename... Args> void ZRWB1(const Args&...) {}

// The "ODBC Viewer" and "DBF Viewer" of the examples and projects tools.
template <typename... Args> void CTLD50300(const Args&...) {}
template <typename... Args> void CTLD46900(const Args&...) {}

}  // namespace zr
