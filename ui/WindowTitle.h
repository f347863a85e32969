#pragma once
// Window managers cut a title that is wider than its window: a dialog is made wide enough for
// its own title.

class QWidget;

namespace varnel {

// The width a window needs for its title in the title bar's font, with room for the frame's
// buttons.
int titleWidth(const QWidget& window);

// Raises the window's minimum width to that.
void fitWindowTitle(QWidget& window);

} // namespace varnel
