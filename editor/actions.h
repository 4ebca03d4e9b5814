#pragma once
// The menu tree and the toolbar of the main window, as tables keyed by the
// names and keys the rest of the program uses ("MenuNuovo", "AggRiga").

#include <vector>

namespace editor {

struct MenuItemSpec {
    const char* name;
    const char* caption;  // nullptr for a separator
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::vector<MenuItemSpec> items;
};

struct ToolSpec {
    const char* key;      // nullptr for a separator
    const char* tooltip;
};

// The four menus in order, captions with their access keys (UTF-8).
const std::vector<MenuSpec>& MenuTable();

// The 20 toolbar buttons in order, separators included.
const std::vector<ToolSpec>& ToolbarTable();

// Toolbar buttons from this one (1-based, separators counted) on need a
// crossword; before it stand "Nuovo" and "Apri".
constexpr int FirstCrosswordButton = 4;

// Menu items hidden while no crossword is open (besides the whole Edit and
// Utilities menus).
const std::vector<const char*>& ItemsNeedingCrossword();
const std::vector<const char*>& MenusNeedingCrossword();

} // namespace editor
