// Form1's switch of the clue suggestions in "&Utilita'".

#include "editor/form1.h"

#include "words/suggestions.h"

#include <QAction>

namespace editor {

void Form1::ShowSuggestionsChoice() {
    QAction* item = MenuAction("MenuSuggerimenti");
    item->setCheckable(true);
    item->setChecked(words::SuggestionSources::Instance().Automatic());
}

void Form1::MenuSuggerimenti() {
    words::SuggestionSources& sources = words::SuggestionSources::Instance();
    sources.SetAutomatic(!sources.Automatic());
    ShowSuggestionsChoice();
}

} // namespace editor
