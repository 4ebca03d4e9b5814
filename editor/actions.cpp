#include "editor/actions.h"

#include "editor/form1.h"

namespace editor {

namespace {

constexpr Reach Always{false, true};         // File essentials and "?": reachable in every state
constexpr Reach WithCrossword{true, true};   // need a crossword; stay during the preview
constexpr Reach Editing{true, false};        // need a crossword; out of reach during the preview

} // namespace

const std::vector<MenuEntry>& MenuTree() {
    static const std::vector<MenuEntry> menus = {
        {"MenuFile", "&File", Always,
         {{"MenuNuovo", "&Nuovo", &Form1::MenuNuovo, Always},
          {"MenuApri", "&Apri ...", &Form1::MenuApri, Always},
          {"MenuRecupera", "&Recupera lavoro non salvato ...", &Form1::MenuRecupera, Always},
          {"MenuSalva", "&Salva", &Form1::MenuSalva, WithCrossword},
          {"MenuSalvaCN", "Salva &Con nome ...", &Form1::MenuSalvaCN, WithCrossword},
          {"MenuEsporta", "Espor&ta ...", &Form1::MenuEsporta, WithCrossword},
          {"MenuImporta", "&Importa ...", &Form1::MenuImporta, Always},
          {"Meno3", nullptr, nullptr, WithCrossword},
          {"MenuAnteprima", "Ante&prima di stampa ...", &Form1::ShowPrintPreview, WithCrossword},
          {"MenuStampa", "&Stampa ...", &Form1::MenuStampa, WithCrossword},
          {"MenuStampaSol", "Stampa per i s&olutori ...", &Form1::MenuStampaSolutori, WithCrossword},
          {"MenuMeno2", nullptr, nullptr, Always},
          {"MenuEsci", "&Esci", &Form1::MenuEsci, Always}}},
        {"MenuEdit", "&Edit", Editing,
         {{"MenuAnnulla", "&Annulla", &Form1::MenuAnnulla, Editing},
          {"MenuRipristina", "Ri&pristina", &Form1::MenuRipristina, Editing},
          {"MenuMeno5", nullptr, nullptr, Editing},
          {"MenuAC", "Aggiungi &Colonna", &Form1::MenuAC, Editing},
          {"MenuAR", "Aggiungi &Riga", &Form1::MenuAR, Editing},
          {"MenuTC", "Togli C&olonna", &Form1::MenuTC, Editing},
          {"MenuTR", "Togli R&iga", &Form1::MenuTR, Editing},
          {"MenuMeno4", nullptr, nullptr, Editing},
          {"MenuCN", "Metti casella &Nera ", &Form1::MenuCN, Editing},
          {"MenuCB", "Metti casella &Bianca", &Form1::MenuCB, Editing},
          {"Meno4", nullptr, nullptr, Editing},
          {"MenuDef", "&Edit parola/definizione", &Form1::MenuDef, Editing},
          {"MenuParole", "&Tabella Parole/Definizioni ...", &Form1::MenuParole, Editing}}},
        {"MenuUtiliti", "&Utilita'", Editing,
         {{"MenuFont", "Scegli &Font ...", &Form1::MenuFont, Editing},
          {"MenuPendaris", "&Lancia Pendaris ...", &Form1::MenuPendaris, Editing},
          {"MenuEstrazione", "&Estrazione automatica schema ...", &Form1::MenuEstrazione, Editing},
          {"MenuCompleta", "&Completa schema ...", &Form1::MenuCompleta, Editing},
          {"MenuAssistente", "&Assistente di riempimento", &Form1::MenuAssistente, Editing},
          {"MenuSuggerimenti", "&Suggerimenti per le definizioni", &Form1::MenuSuggerimenti, Editing},
          {"MenuMeno3", nullptr, nullptr, Editing},
          {"MenuSaveWMF", "Salva schema su immagine BMP ...", &Form1::ExportPicture, Editing}}},
        {"MenuHelp", "&?", Always,
         {{"MenuAiuto", "&Aiuto", &Form1::MenuAiuto, Always},
          {"MenuPHP", "&Visita Ostrali Home Page ...", &Form1::MenuPHP, Always},
          {"MenuMail", "&Manda una Mail all'autore ...", &Form1::MenuMail, Always},
          {"MenuMeno1", nullptr, nullptr, Always},
          {"MenuInfo", "&Info su Quadrivo 98 ...", &Form1::MenuInfo, Always}}},
    };
    return menus;
}

const std::vector<ToolButtonEntry>& ToolbarButtons() {
    static const std::vector<ToolButtonEntry> buttons = {
        {"Nuovo", "Nuovo cruciverba", &Form1::MenuNuovo, Always},
        {"Apri", "Apri cruciverba", &Form1::MenuApri, Always},
        {nullptr, nullptr, nullptr, Always},
        {"Salva", "Salva cruciverba", &Form1::MenuSalva, WithCrossword},
        {nullptr, nullptr, nullptr, WithCrossword},
        {"Stampa", "Stampa cruciverba", &Form1::PrintCrossword, WithCrossword},
        {"Anteprima", "Anteprima di stampa", &Form1::ShowPrintPreview, WithCrossword},
        {nullptr, nullptr, nullptr, Editing},
        {"CambiaFont", "Cambia carattere", &Form1::MenuFont, Editing},
        {"AggColonna", "Aggiungi colonna", &Form1::AddColumn, Editing},
        {"TogliColonna", "Togli colonna", &Form1::RemoveColumn, Editing},
        {"AggRiga", "Aggiungi riga", &Form1::AddRow, Editing},
        {"TogliRiga", "Togli riga", &Form1::RemoveRow, Editing},
        {nullptr, nullptr, nullptr, Editing},
        {"CasBianca", "Mette casella bianca", &Form1::MenuCB, Editing},
        {"CasNera", "Mette casella nera", &Form1::MenuCN, Editing},
        {nullptr, nullptr, nullptr, Editing},
        {"Tabella", "Vista tabellare", &Form1::MenuParole, Editing},
        {"Estrazione", "Estrazione automatica", &Form1::MenuEstrazione, Editing},
        {"Edit", "Edit definizioni", &Form1::ClueModeSwitch, Editing},
        {nullptr, nullptr, nullptr, Editing},
        {"Annulla", "Annulla", &Form1::MenuAnnulla, Editing},
        {"Ripristina", "Ripristina", &Form1::MenuRipristina, Editing},
    };
    return buttons;
}

} // namespace editor
