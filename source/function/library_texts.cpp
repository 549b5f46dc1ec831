#include "library_texts.hpp"

#include <cstddef>

#include "messages.hpp"
#include "text.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

using Row = std::vector<std::string>;  // "" or a missing column: no translation

const char* const kLanguageCodes[] = {"EN", "ES", "FR", "PT", "DE", "IT"};

// The run-time's language: the program runs in English.
const char* runtimeLanguageCode() { return "EN"; }

std::vector<Row> builtInRows() {
    return {
    {"Attention", "Atenci\363n", "Attention", "Aten\347\343o", "Achtung", "Attenzione"},
    {"PDF Plugin Error"},
    {"PDF not saved to send Email"},
    {"MS Word not installed"},
    {"Failed to Create Word Document"},
    {"There is no output for export"},
    {"No .Doc file manipulation software installed"},
    {"not found, imposible to continue"},
    {"Printing Error"},
    {"View"},
    {"Excel not installed"},
    {"Report width is greater than page width"},
    {"Export to Excel is available only"},
    {"for Reports with ::bInit defined"},
    {"Printing Preview", "Previsualizaci\363n de Impresi\363n", "visualisation de l'impression", "Previsualiza\347\343o da impress\343o", "Druckvorschau", "Anteprima di stampa"},
    {"Print actual page"},
    {"Exit from preview"},
    {"Page", "P\341gina", "Page", "P\341gina", "Seite", "Pagina"},
    {"Go to first page"},
    {"Go to previous page"},
    {"Go to next page"},
    {"Go to last page"},
    {"Page unzoom"},
    {"Zoom factor"},
    {"Factor"},
    {"Preview on two pages"},
    {"Preview on one page"},
    {"Page number:"},
    {"Go to first page"},
    {"First", "Primera", "Premi\350re", "Primeira", "Erste", "Prima"},
    {"Preview on one page"},
    {"Previous", "Anterior", "Pr\351c\351dente", "Anterior", "Vorherige", "Precedente"},
    {"Next", "Siguiente", "Suivante", "Pr\363xima", "N\344chste", "Successiva"},
    {"Last", "\332ltima", "Derni\350re", "\332ltima", "Letzte", "Ultima"},
    {"Zoom", "Zoom", "Zoom", "Zoom", "Zoom", "Zoom"},
    {"Two pages", "Dos p\341ginas", "Deux pages", "Duas p\341ginas", "Zwei Seiten", "Due pagine"},
    {"Print", "Imprimir", "Imprimer", "Imprimir", "Druck", "Stampa"},
    {"Save to DOC/PDF"},
    {"DOC Format"},
    {"PDF Format"},
    {"Export to PDF", "Exportar a PDF", "Exporter en PDF", "Exportar para PDF", "Export nach PDF", "Esportazione in formato PDF"},
    {"Send by email as PDF"},
    {"Export to MS Word"},
    {"Export to Excel"},
    {"Exit", "Salir", "Quitter", "Sair", "Ende", "Exit"},
    {"Preview", "Previsualizar", "Aper\347u", "Visualizar", "Vorschau", "Anteprima"},
    {"Save as", "Guardar como", "Enregistrer sous", "Salvar como", "Speichern unter", "Salva con nome"},
    {"Printing", "Imprimiendo", "Impression", "Imprimindo", "Drucken", "Stampa in corso"},
    {"Printing page"},
    {"Printing range"},
    {"All", "Todo", "Tout", "Tudo", "Alle", "Tutto"},
    {"Current page"},
    {"Pages"},
    {"From", "Desde", "De", "De", "Von", "Da"},
    {"To", "Hasta", "\300", "At\351", "Bis", "A"},
    {"Undo", "Deshacer", "Annuler", "Desfazer", "R\374ckg\344ngig", "Annulla"},
    {"Redo", "Rehacer", "R\351tablir", "Refazer", "Wiederholen", "Ripeti"},
    {"Cut", "Cortar", "Couper", "Recortar", "Ausschneiden", "Taglia"},
    {"Copy", "Copiar", "Copier", "Copiar", "Kopieren", "Copia"},
    {"Paste", "Pegar", "Coller", "Colar", "Einf\374gen", "Incolla"},
    {"Delete", "Borrar", "Supprimer", "Excluir", "L\366schen", "Elimina"},
    {"Font", "Fuente", "Police", "Fonte", "Schriftart", "Carattere"},
    {"Print", "Imprimir", "Imprimer", "Imprimir", "Druck", "Stampa"},
    {"Select All", "Seleccionar todo", "S\351lectionner tout", "Selecionar tudo", "Alles ausw\344hlen", "Seleziona tutto"},
    {"Align"},
    {"Left", "Izquierda", "Gauche", "Esquerda", "Links", "Sinistra"},
    {"New", "Nuevo", "Nouveau", "Novo", "Neu", "Nuovo"},
    {"ADO open"},
    {"Open", "Abrir", "Ouvrir", "Abrir", "\326ffnen", "Apri"},
    {"Center", "Centro", "Centre", "Centro", "Mitte", "Centro"},
    {"Right", "Derecha", "Droite", "Direita", "Rechts", "Destra"},
    {"Justify"},
    {"Attention", "Atenci\363n", "Attention", "Aten\347\343o", "Achtung", "Attenzione"},
    {"Information", "Informaci\363n", "Information", "Informa\347\343o", "Information", "Informazione"},
    {"Wrong predefined cursor type!"},
    {"Want to end ?"},
    {"Recent files"},
    {"Open this file"},
    {"Recent ADO connections"},
    {"Recent ADO connections strings"},
    {"Connect to this ADO database"},
    {"Preferences"},
    {"Natural order"},
    {"Add", "A\361adir", "Ajouter", "Adicionar", "Hinzuf\374gen", "Aggiungi"},
    {"Edit", "Editar", "Modifier", "Editar", "Bearbeiten", "Modifica"},
    {"Del"},
    {"Top"},
    {"Bottom"},
    {"Search", "Buscar", "Rechercher", "Procurar", "Suchen", "Cerca"},
    {"Index"},
    {"Filter"},
    {"Relations"},
    {"Process"},
    {"Struct"},
    {"Imp/Exp"},
    {"Report"},
    {"FileName"},
    {"NON DELETED", "NO BORRADO", "NON SUPPRIM\311", "N\303O EXCLUIDO", "NICHT GEL\326SCHT", "NON CANCELLATO"},
    {"nondeleted"},
    {"Ordered by"},
    {"Natural order"},
    {"Edit", "Editar", "Modifier", "Editar", "Bearbeiten", "Modifica"},
    {"Save", "Guardar", "Enregistrer", "Salvar", "Speichern", "Salva"},
    {"Prev"},
    {"Value"},
    {"Please select"},
    {"Please select a DBF"},
    {"(Y/N)"},
    {"Index builder"},
    {"Expression"},
    {"Tag"},
    {"For"},
    {"While"},
    {"Unique"},
    {"Descending"},
    {"Memory"},
    {"Scope"},
    {"Record"},
    {"Rest"},
    {"Progress"},
    {"Create"},
    {"fields"},
    {"Name", "Nombre", "Nom", "Nome", "Name", "Nome"},
    {"Type", "Tipo", "Type", "Tipo", "Typ", "Tipo"},
    {"Len"},
    {"Dec"},
    {"Code"},
    {"Indexes of "},
    {"Order"},
    {"TagName"},
    {"BagName"},
    {"BagExt"},
    {"Incremental"},
    {"Key"},
    {"Help", "Ayuda", "Aide", "Ajuda", "Hilfe", "Aiuto"},
    {"Import/Export for "},
    {"PDF files | *.pdf |"},
    {"Select PDF File to Save"},
    {"Alert", "Alerta", "Alerte", "Alerta", "Warnung", "Avviso"},
    {"Select an option", "Seleccione una opci\363n", "Choisissez une option", "Selecione uma op\347\343o", "W\344hlen Sie eine Option", "Selezionare un'opzione"},
    {"Window", "Ventana", "Fen\352tre", "Janela", "Fenster", "Finestra"},
    {"Tile Vertical"},
    {"Vertical arranges the windows as nonoverlapping tiles"},
    {"Tile Horizontal"},
    {"Horizontal arranges the windows as nonoverlapping tiles"},
    {"Cascade"},
    {"Arranges the windows so they overlap"},
    {"Next Window"},
    {"Selects the next window"},
    {"Arrange Icons"},
    {"Arrange icons at the bottom of the window"},
    {"Iconize All"},
    {"Iconize all open windows"},
    {"Close All"},
    {"Close all open windows"},
    {"Contents"},
    {"Show the help contents"},
    {"Search for Help on..."},
    {"Search the help for a specific item"},
    {"Using help"},
    {"Show the help index"},
    {"About..."},
    {"Displays program information and copyright"},
    {"Default RDD"},
    {"Open in shared mode"},
    {"No Help file defined with SetHelpFile()"},
    {"Want to delete this record ?"},
    {"Expression builder"},
    {"Operators"},
    {"Functions"},
    {"Relations of"},
    {"Rel."},
    {"Child Alias"},
    {"Additive"},
    {"Scoped"},
    {"Processes"},
    {"Run"},
    {"DELETED"},
    {"Record updated"},
    {"DBF builder"},
    {"Field Name"},
    {"FieldName"},
    {"Move Up"},
    {"Move Down"},
    {"DBF Name:"},
    {"Language", "Idioma", "Langue", "Idioma", "Sprache", "Lingua"},
    {"English", "Ingl\351s", "Anglais", "Ingl\352s", "Englisch", "Inglese"},
    {"Spanish", "Espa\361ol", "Espagnol", "Espanhol", "Spanisch", "Spagnolo"},
    {"French", "Franc\351s", "Fran\347ais", "Franc\352s", "Franz\366sisch", "Francese"},
    {"German", "Alem\341n", "Allemand", "Alem\343o", "Deutsch", "Tedesco"},
    {"Portuguese", "Portugu\351s", "Portugais", "Portugu\352s", "Portugiesisch", "Portoghese"},
    {"Italian", "Italiano", "Italien", "Italiano", "Italienisch", "Italiano"},
    {"Databases"},
    {"Query"},
    {"Query builder"},
    {"Operation"},
    {"Equal"},
    {"Different"},
    {"Like"},
    {"Equal"},
    {"Select a table"},
    {"Delete for"},
    {"Delete records of"},
    {"For condition"},
    {"While condition"},
    {"Total deleted"},
    {"Number of records"},
    {"Recall"},
    {"The string", "El texto", "Le texte", "O texto", "Der Text", "Il testo"},
    {"for language", "para el idioma", "pour la langue", "para o idioma", "f\374r die Sprache", "per la lingua"},
    {"defined from", "definido desde", "d\351fini depuis", "definido a partir de", "definiert in", "definito da"},
    {"line", "l\355nea", "ligne", "linha", "Zeile", "riga"},
    {"is not defined in library strings", "no est\341 definido en los textos de la biblioteca", "n'est pas d\351fini dans les textes de la biblioth\350que", "n\343o est\341 definido nos textos da biblioteca", "ist in den Bibliothekstexten nicht definiert", "non \350 definito nei testi della libreria"},
    {"Please add it to source\\function\\strings"},
    {"freeimage.dll not found"},
    {"file not found"},
    {"\277"},
    {"Excel not installed"},
    {"Could not set the format"},
    {"No spreadsheet software installed"},
    {"to column"},
    {"to excel"},
    {"to calc"},
    {"to dbf"},
    {"Please select a database"},
    {"DBF file| *.dbf|Access file| *.mdb|Access 2010 file | *.accdb|SQLite file| *.db|"},
    };
}

struct TextsState {
    std::vector<Row> rows = builtInRows();
    int language = 0;  // 0 until first asked
    std::vector<std::string> missing;
};

TextsState& state() {
    return processState().libraryTexts.get<TextsState>();
}

std::string languageCode(int language) {
    if (language >= 1 && language <= 6) return kLanguageCodes[language - 1];
    return std::to_string(language);
}

// The row whose English text equals the text without regard to case.
const Row* findRow(std::string_view text) {
    const std::string wanted = upper(text);
    for (const Row& row : state().rows)
        if (!row.empty() && upper(row[0]) == wanted) return &row;
    return nullptr;
}

std::string column(const Row& row, int language, std::string_view fallback) {
    const auto i = static_cast<std::size_t>(language - 1);
    return i < row.size() && !row[i].empty() ? row[i] : std::string(fallback);
}

std::string withoutAmpersands(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '&') out += c;
    return out;
}

}  // namespace

int LANGUAGEID() {
    int& language = state().language;
    if (language == 0) {
        const std::string code = upper(std::string_view(runtimeLanguageCode()).substr(0, 2));
        language = 1;
        for (int i = 0; i < 6; ++i)
            if (code == kLanguageCodes[i]) language = i + 1;
    }
    return language;
}

std::string WLSTRING(std::string_view text, SourcePlace from) {
    const int language = LANGUAGEID();
    if (language == 1) return std::string(text);
    if (const Row* row = findRow(text)) return column(*row, language, text);
    if (text.find('&') != std::string_view::npos) {
        const std::string plain = withoutAmpersands(text);
        if (const Row* row = findRow(plain)) {
            const auto i = static_cast<std::size_t>(language - 1);
            return i < row->size() && !(*row)[i].empty() ? "&" + (*row)[i] : std::string(text);
        }
    }
    const std::string report = WLSTRING("The string") + ": \"" + std::string(text) + "\" " + WLSTRING("for language") +
                               " " + languageCode(language) + "\r\n" + WLSTRING("defined from") + ": " +
                               from.function + " " + WLSTRING("line") + " " + std::to_string(from.line) +
                               " in " + from.file + "\r\n" + WLSTRING("is not defined in library strings") +
                               "\r\n" + WLSTRING("Please add it to source\\function\\strings");
    MSGINFO(report);
    state().missing.emplace_back(text);
    return std::string(text);
}

int WLSETLANGUAGE(std::optional<int> language) {
    const int previous = LANGUAGEID();
    if (language) {
        const auto& rows = state().rows;
        const int columns = rows.empty() ? 1 : static_cast<int>(rows.front().size());
        state().language = *language < 1 ? 1 : (*language > columns ? columns : *language);
    }
    return previous;
}

int WLADDLANGUAGE(const std::vector<std::string>& texts, std::optional<int> language) {
    auto& rows = state().rows;
    const int columns = rows.empty() ? 1 : static_cast<int>(rows.front().size());
    const int n = language && *language >= 1 ? *language : columns + 1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].size() < static_cast<std::size_t>(n)) rows[i].resize(static_cast<std::size_t>(n));
        rows[i][static_cast<std::size_t>(n - 1)] = i < texts.size() ? texts[i] : std::string();
    }
    state().language = n;
    return n;
}

void WLADDSTRING(const std::vector<std::string>& row) { state().rows.push_back(row); }

std::string WLMISSINGSTRINGS() {
    std::string lines;
    for (const std::string& text : state().missing) lines += "       {\"" + text + "\",\"\"},;\r\n";
    if (!lines.empty()) MSGINFO(lines, Value("Copy and paste in source\\function\\strings"));
    return lines;
}

void resetLibraryTexts() { state() = TextsState{}; }

}  // namespace wl
