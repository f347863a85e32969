#pragma once
// The list's columns against the document's settings: colours, headings, alignments, widths and
// header order put on the view and taken back, and the window's placement.

class QTreeView;
class QWidget;

namespace varnel {

struct DocumentSettings;
class GearListModel;

class ColumnLayout {
public:
    ColumnLayout(GearListModel& model, QTreeView& view, DocumentSettings& settings);

    // The list in the three colours of the settings, repainted.
    void applyColors();
    // Colours, headings, alignments, widths and order from the settings.
    void applyColumns();
    // The columns as the user left them, and the window's rectangle, into the settings.
    void collectSettings(const QWidget& window);
    // The stored rectangle, when it still lands on a screen.
    void applyPlacement(QWidget& window);

private:
    GearListModel& model_;
    QTreeView& view_;
    DocumentSettings& settings_;
};

} // namespace varnel
