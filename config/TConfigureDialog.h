#pragma once
// "Configure Varnel": what is printed, the printing font, and the three colours of the list.

#include "config/TConfigureDialogXfer.h"
#include "model/LogFont.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QCheckBox;

namespace varnel {

class Prompts;
struct DocumentSettings;
class TColorButton;

struct ListColors {
    std::uint32_t background = 0;
    std::uint32_t alternate = 0;
    std::uint32_t group = 0;
};

class TConfigureDialog : public QDialog {
    Q_OBJECT

public:
    // The object names of the controls; OK and Cancel have the usual ones.
    static constexpr const char* kPrintingId = "101";
    static constexpr const char* kListColorsId = "102";
    static constexpr const char* kFontId = "103";
    static constexpr const char* kBackgroundId = "104";
    static constexpr const char* kAlternateId = "105";
    static constexpr const char* kTotalEachCategoryId = "106";
    static constexpr const char* kShowGrandTotalId = "107";
    static constexpr const char* kGroupId = "108";
    static constexpr const char* kPrintNotesId = "109";

    inline static constexpr std::int32_t kMinPointSize = 8;
    inline static constexpr std::int32_t kMaxPointSize = 14;

    // `printingFont` is the main window's own, null when it has none: Select Printing Font...
    // replaces it at once, whatever becomes of the dialog. `fontSize` is the printing size in
    // points.
    TConfigureDialog(TConfigureDialogXfer& xfer, const ListColors& colors, LogFont* printingFont,
                     std::int32_t fontSize, Prompts& prompts, QWidget* parent = nullptr);

    // Takes the printing font's description. Without a printing font it says so and answers
    // false: the dialog is not to be run.
    bool setupWindow();

    // Button 103.
    void selectPrintingFont();

    // What OK leaves for the main window; the check states go into the transfer record.
    [[nodiscard]] ListColors colors() const;
    [[nodiscard]] const LogFont& fontDescription() const { return description_; }
    [[nodiscard]] std::int32_t fontSize() const { return fontSize_; }

public slots:
    void accept() override;

private:
    TConfigureDialogXfer& xfer_;
    LogFont* printingFont_;
    Prompts& prompts_;
    LogFont description_;
    std::int32_t fontSize_;
    // The font chooser's size, in tenths of a point.
    std::int32_t pointSizeTenths_ = 0;
    bool fontButtonUsed_ = false;

    QCheckBox* totalEachCategory_ = nullptr;
    QCheckBox* showGrandTotal_ = nullptr;
    QCheckBox* printNotes_ = nullptr;
    TColorButton* background_ = nullptr;
    TColorButton* alternate_ = nullptr;
    TColorButton* group_ = nullptr;
};

// General Options over the document's settings: on OK the totals, print notes, printing font and
// list colours are taken from the dialog. False when nothing was taken.
bool runGeneralOptions(DocumentSettings& settings, TConfigureDialogXfer& xfer, Prompts& prompts,
                       const std::function<int(QDialog&)>& runDialog, QWidget* parent);

} // namespace varnel
