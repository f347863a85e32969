#pragma once
// "Gear Information": one gear item's fields. In add mode its Add button stores one item after
// another while it stays open, and Enter ends it storing the last; in modify mode OK stores the
// changes of one item.

#include "app/TPubInfoXfer.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace varnel {

class Prompts;

class TPubInfo : public QDialog {
    Q_OBJECT

public:
    // The object names of the controls; OK and Cancel have the usual ones.
    static constexpr const char* kCategoryId = "101";
    static constexpr const char* kItemId = "102";
    static constexpr const char* kWeightId = "103";
    static constexpr const char* kNotesId = "104";
    static constexpr const char* kConfigureId = "105";
    static constexpr const char* kAddId = "107";
    static constexpr const char* kMultiplierId = "108";
    static constexpr const char* kColumnsId = "110";
    static constexpr const char* kColumnTextId = "111";
    static constexpr const char* kConvertId = "114";

    // The controls start from `xfer` and go back into it when an item is stored.
    TPubInfo(TPubInfoXfer& xfer, bool modifyMode, bool metric, bool handheld, Prompts& prompts,
             QWidget* parent = nullptr);

    // Stores the item in the transfer record (add mode's Add button).
    std::function<void(const TPubInfoXfer&)> onAddItem;
    // Runs the Configure Categories dialog; true for OK, with the transfer record's category
    // names rebuilt and `configuredCategoryPosition` set to the entry to choose.
    std::function<bool()> onConfigureCategories;

    [[nodiscard]] bool modifyMode() const { return modifyMode_; }

    // The Convert button's direction lasts for the program run; tests start afresh.
    static void resetConvertDirection() { convertToGrams_ = -1; }

public slots:
    // OK, and Enter in add mode: the item must have a description and a storable weight.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void loadCategories();
    void writeControls();
    void readControls();
    void showColumnText(int column);
    void storeColumnText();
    // The Worn and Consumable boxes: they show and set the texts of those user columns.
    [[nodiscard]] int markSlot(bool worn) const;
    void showMarks();
    void storeMark(bool worn, bool marked);
    // The item may be stored: it has a description (else `onEmptyItem`), the user accepts a
    // missing weight, and the line weight fits.
    bool itemReady(bool quietWhenNoItem);
    void addItem();
    void configureCategories();
    void convertWeight();

    TPubInfoXfer& xfer_;
    Prompts& prompts_;
    bool modifyMode_ = false;
    bool metric_ = false;
    // The column whose slot edit 111 shows, -1 for none.
    int shownColumn_ = -1;

    QComboBox* category_ = nullptr;
    QPushButton* configure_ = nullptr;
    QLineEdit* item_ = nullptr;
    QLineEdit* unitWeight_ = nullptr;
    QPushButton* convert_ = nullptr;
    QLineEdit* multiplier_ = nullptr;
    QLineEdit* notes_ = nullptr;
    QListWidget* columns_ = nullptr;
    QLineEdit* columnText_ = nullptr;
    QCheckBox* worn_ = nullptr;
    QCheckBox* consumable_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;

    // -1 until the first press in the run: 1 converts ounces to grams, 0 grams to ounces.
    static inline int convertToGrams_ = -1;
};

} // namespace varnel
