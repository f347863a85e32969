#pragma once
// When each button and menu command of the main window is on, from the document and the list.

#include "model/GearDocument.h"

#include <utility>
#include <vector>

namespace varnel {

// Command or control id, and whether it is on.
using EnablingRules = std::vector<std::pair<int, bool>>;

// What the list and the bottom row show besides the document.
struct ListState {
    bool selection = false;
    bool clearSelectedOn = false;
    bool hideBoxOn = false;
};

// The buttons beside the list, after a load or an edit.
[[nodiscard]] EnablingRules buttonRules(const GearDocument& document);
// The menu commands, as a menu opening or a shortcut finds them.
[[nodiscard]] EnablingRules menuRules(const GearDocument& document, const ListState& list);
// Clear Selected: something is checked.
[[nodiscard]] bool clearSelectedEnabled(const GearDocument& document);
// The Hide Non-Selected box: something to hide, or the way out of its view.
[[nodiscard]] bool hideBoxEnabled(const GearDocument& document);

} // namespace varnel
