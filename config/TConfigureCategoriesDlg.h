#pragma once
// "Configure Categories": adds, deletes and renames the document's categories. Every change lands
// in the document the moment its button is pressed; Cancel only closes the dialog.

#include "model/DocumentEdit.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;

namespace varnel {

class Prompts;

class TConfigureCategoriesDlg : public QDialog {
    Q_OBJECT

public:
    // The object names of the controls; OK and Cancel have the usual ones.
    static constexpr const char* kCategoriesId = "101";
    static constexpr const char* kAddId = "102";
    static constexpr const char* kDeleteId = "103";
    static constexpr const char* kRenameId = "104";

    // `resortByCategory` re-sorts the list on the Category column as a click on its heading does;
    // `addedPosition`, when given, receives the box position of the last category added.
    // With `perform` every change is an undoable step.
    TConfigureCategoriesDlg(GearDocument& doc, Prompts& prompts,
                            std::function<void()> resortByCategory, int* addedPosition = nullptr,
                            QWidget* parent = nullptr, EditPerformer perform = {});

    // The box's order: alphabetical ignoring case, then exact, so equal-looking names keep one
    // place on every machine.
    static bool showsBefore(const QString& a, const QString& b);

    void add();
    void remove();
    void rename();

private:
    void fillBox();
    int insertEntry(const QString& name, int id);

    GearDocument& doc_;
    Prompts& prompts_;
    std::function<void()> resortByCategory_;
    int* addedPosition_ = nullptr;
    EditPerformer perform_;
    QComboBox* box_ = nullptr;
};

} // namespace varnel
