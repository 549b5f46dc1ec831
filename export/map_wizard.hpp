// The map-file wizard: writes the XML export map of one transaction type
// from yes/no answers about groups of fields and the counts of their
// repetitions. Its questions go through the caller's answers, so a test
// scripts them and the program asks with its boxes.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zr {

struct MapWizardAnswers {
    // CTL394MAPE: the transaction type, 1 to 8 ("837I" ... "277").
    std::function<int()> pickType;
    // A yes/no question: the text and the title in, true for Yes.
    std::function<bool(const std::string& text, const std::string& title)> askYes;
    // CTL394MAPB: the text typed for the question, the default offered.
    std::function<std::string(const std::string& defaultText, const std::string& question)> askNumber;
    // A message window.
    std::function<void(const std::string& text)> show;
    // Opens the written map in Notepad.
    std::function<void(const std::string& file)> openNotepad;
};

// The wizard's name of type 1 to 8: "837I", "837P", "837D", "835", "270",
// "271", "276", "277".
std::string mapWizardType(int type);
// The map file of a type: "zr837i.xml" ...
std::string mapWizardFileName(int type);

// CTL394MAPD: the text with the name appended: format 1 joins names with
// ",", format 2 adds "<FIELD>" + name + "</FIELD>" and CR LF.
std::string CTL394MAPD(const std::string& text, const std::string& name, int format);

// The field names the answers give for a type, in the order asked.
std::vector<std::string> mapWizardFields(int type, const MapWizardAnswers& answers);

// CTL394MAPA: the wizard. The folder argument is not used: the map is
// written in `workFolder` ("" the current folder), where the export reads it.
void CTL394MAPA(const std::string& folder, const MapWizardAnswers& answers, const std::string& workFolder = "");

}  // namespace zr
