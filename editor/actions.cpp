#include "editor/actions.h"

namespace editor {

const std::vector<MenuSpec>& MenuTable() {
    static const std::vector<MenuSpec> menus = {
        {"MenuFile", "&File",
         {{"MenuNuovo", "&Nuovo"},
          {"MenuApri", "&Apri ..."},
          {"MenuSalva", "&Salva"},
          {"MenuSalvaCN", "Salva &Con nome ..."},
          {"Meno3", nullptr},
          {"MenuAnteprima", "Ante&prima di stampa ..."},
          {"MenuStampa", "&Stampa ..."},
          {"MenuMeno2", nullptr},
          {"MenuEsci", "&Esci"}}},
        {"MenuEdit", "&Edit",
         {{"MenuAC", "Aggiungi &Colonna"},
          {"MenuAR", "Aggiungi &Riga"},
          {"MenuTC", "Togli C&olonna"},
          {"MenuTR", "Togli R&iga"},
          {"MenuMeno4", nullptr},
          {"MenuCN", "Metti casella &Nera "},
          {"MenuCB", "Metti casella &Bianca"},
          {"Meno4", nullptr},
          {"MenuDef", "&Edit parola/definizione"},
          {"MenuParole", "&Tabella Parole/Definizioni ..."}}},
        {"MenuUtiliti", "&Utilita'",
         {{"MenuFont", "Scegli &Font ..."},
          {"MenuPendaris", "&Lancia Pendaris ..."},
          {"MenuEstrazione", "&Estrazione automatica schema ..."},
          {"MenuMeno3", nullptr},
          {"MenuSaveWMF", "Salva schema su immagine BMP ..."}}},
        {"MenuHelp", "&?",
         {{"MenuAiuto", "&Aiuto"},
          {"MenuPHP", "&Visita Ostrali Home Page ..."},
          {"MenuMail", "&Manda una Mail all'autore ..."},
          {"MenuMeno1", nullptr},
          {"MenuInfo", "&Info su Quadrivo 98 ..."}}},
    };
    return menus;
}

const std::vector<ToolSpec>& ToolbarTable() {
    static const std::vector<ToolSpec> buttons = {
        {"Nuovo", "Nuovo cruciverba"},
        {"Apri", "Apri cruciverba"},
        {nullptr, nullptr},
        {"Salva", "Salva cruciverba"},
        {nullptr, nullptr},
        {"Stampa", "Stampa cruciverba"},
        {"Anteprima", "Anteprima di stampa"},
        {nullptr, nullptr},
        {"CambiaFont", "Cambia carattere"},
        {"AggColonna", "Aggiungi colonna"},
        {"TogliColonna", "Togli colonna"},
        {"AggRiga", "Aggiungi riga"},
        {"TogliRiga", "Togli riga"},
        {nullptr, nullptr},
        {"CasBianca", "Mette casella bianca"},
        {"CasNera", "Mette casella nera"},
        {nullptr, nullptr},
        {"Tabella", "Vista tabellare"},
        {"Estrazione", "Estrazione automatica"},
        {"Edit", "Edit definizioni"},
    };
    return buttons;
}

const std::vector<const char*>& ItemsNeedingCrossword() {
    static const std::vector<const char*> items = {"MenuSalva", "MenuSalvaCN", "Meno3",
                                                   "MenuAnteprima", "MenuStampa"};
    return items;
}

const std::vector<const char*>& MenusNeedingCrossword() {
    static const std::vector<const char*> menus = {"MenuEdit", "MenuUtiliti"};
    return menus;
}

} // namespace editor
