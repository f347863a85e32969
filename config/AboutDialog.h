#pragma once
// "About Varnel": the program's name, its version in bold, a short notice, OK.

#include <QDialog>

class QLabel;

namespace varnel {

// Where users write to; the Email me! link and the options dialog name it.
inline constexpr const char* kHelpAddress = "help@varnel.app";

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // The object name of the version line.
    static constexpr const char* kVersionId = "1001";

    explicit AboutDialog(QWidget* parent = nullptr);

    [[nodiscard]] QLabel* versionLine() const { return version_; }

private:
    QLabel* version_ = nullptr;
};

// "mailto:" with the help address and the subject, as the Email me! command opens it.
QString helpMailUrl();

} // namespace varnel
