#pragma once
// The main window's commands as one table: every menu item and toolbar
// button with its name or key ("MenuNuovo", "AggRiga"), caption or tooltip,
// the Form1 routine it runs, and when it can be reached.

#include <vector>

namespace editor {

class Form1;

using Handler = void (Form1::*)();

// When a command can be reached.
struct Reach {
    bool needsCrossword = true;  // hidden or disabled while no crossword is current
    bool duringPreview = true;   // reachable while the print preview is shown
};

struct MenuItemEntry {
    const char* name;
    const char* caption;  // nullptr for a separator
    Handler run;          // nullptr: the command is not available
    Reach reach;
};

struct MenuEntry {
    const char* name;
    const char* caption;
    Reach reach;  // of the whole menu
    std::vector<MenuItemEntry> items;
};

struct ToolButtonEntry {
    const char* key;      // nullptr for a separator
    const char* tooltip;
    Handler run;          // nullptr: the command is not available
    Reach reach;
};

// The four menus in order, captions with their access keys (UTF-8).
const std::vector<MenuEntry>& MenuTree();

// The toolbar buttons in order, separators included.
const std::vector<ToolButtonEntry>& ToolbarButtons();

} // namespace editor
