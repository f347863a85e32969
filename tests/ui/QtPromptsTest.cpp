#include "ui/QtPrompts.h"

#include "DialogDriving.h"
#include "QtTestApp.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace varnel {
namespace {

// A dialog left open by a failed expectation is rejected.
void whenModal(std::function<void(QWidget*)> inspect) {
    test::whenModal(std::move(inspect), [](QWidget* modal) {
        if (auto* d = qobject_cast<QDialog*>(modal)) {
            d->reject();
        }
    });
}

TEST(QtPromptsFilter, WindowsFiltersBecomeQtFilters) {
    EXPECT_EQ(QtPrompts::qtFilter(
                  QStringLiteral("Gear Weight Files (*.dat)|*.dat|Text Files (*.txt)|*.txt|")),
              QStringLiteral("Gear Weight Files (*.dat);;Text Files (*.txt)"));
    // Qt takes the patterns from the parentheses, so they must be there and be the real ones.
    EXPECT_EQ(QtPrompts::qtFilter(QStringLiteral("Gear files|*.dat")),
              QStringLiteral("Gear files (*.dat)"));
    EXPECT_EQ(QtPrompts::qtFilter(QStringLiteral("Lists (old format)|*.old|")),
              QStringLiteral("Lists (old format) (*.old)"));
    EXPECT_EQ(QtPrompts::qtFilter(QStringLiteral("Web Pages|*.htm;*.html|All Files (*.*)|*.*|")),
              QStringLiteral("Web Pages (*.htm *.html);;All Files (*)"));
    EXPECT_EQ(QtPrompts::qtFilter(QStringLiteral("Text Files (*.TXT)|*.txt|")),
              QStringLiteral("Text Files (*.txt)"));
    // Empty or incomplete pairs are left out, as Windows does.
    EXPECT_EQ(QtPrompts::qtFilter(QString()), QString());
    EXPECT_EQ(QtPrompts::qtFilter(QStringLiteral("No pattern||Dangling")), QString());
}

TEST(QtPrompts, MessageBoxShowsExactlyWhatItWasGiven) {
    test::qtTestApp();
    QtPrompts prompts;
    whenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Save <b>a</b>.dat before opening\nb.dat ?"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Save Current File"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()),
                  box->button(QMessageBox::Yes));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.message(QStringLiteral("Save <b>a</b>.dat before opening\nb.dat ?"),
                              QStringLiteral("Save Current File"), MessageIcon::None,
                              PromptButtons::YesNoCancel),
              PromptAnswer::No);
}

TEST(QtPrompts, IconsAndClosingWithoutAButton) {
    test::qtTestApp();
    QtPrompts prompts;
    whenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompts.showMessage({"Please uncheck the \"Hide Non-Selected Items\" checkbox before "
                                   "saving",
                                   "Important!", MessageIcon::Exclamation}),
              PromptAnswer::Ok);

    whenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(prompts.message(QStringLiteral("Continue anyway?"), QStringLiteral("Varnel"),
                              MessageIcon::Question, PromptButtons::YesNo),
              PromptAnswer::No);

    whenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(prompts.message(QStringLiteral("Groups not allowed"),
                              QStringLiteral("Cannot Save PalmData.dat"), MessageIcon::Stop,
                              PromptButtons::OkCancel),
              PromptAnswer::Cancel);
}

TEST(QtPrompts, TextInputKeepsToItsLengthLimit) {
    test::qtTestApp();
    QtPrompts prompts;
    whenModal([](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Create Group"));
        EXPECT_EQ(dialog->labelText(), QStringLiteral("Group name:"));
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->maxLength(), 5);
        EXPECT_EQ(edit->text(), QStringLiteral("Ki"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Kitchen"));
        dialog->accept();
    });
    EXPECT_EQ(prompts.textInput(QStringLiteral("Create Group"), QStringLiteral("Group name:"),
                                QStringLiteral("Ki"), 5),
              QStringLiteral("Kitch"));

    whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(prompts.textInput(QStringLiteral("c"), QStringLiteral("p"), QStringLiteral("x"), 0),
              std::nullopt);
}

TEST(QtPrompts, SaveChooserOpensOnTheGivenNameAndAddsTheGivenExtension) {
    test::qtTestApp();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString initial = dir.filePath(QStringLiteral("last.txt"));
    QtPrompts prompts;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->selectedFiles(), QStringList{initial});
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("TXT"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("trip"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(prompts.saveFileName(QStringLiteral("Save As"),
                                   QStringLiteral("Text Files (*.TXT)|*.txt|"), initial,
                                   QStringLiteral("TXT")),
              dir.filePath(QStringLiteral("trip.TXT")));
}

TEST(QtPrompts, WaitCursorIsRestoredEvenWhenLeftOn) {
    test::qtTestApp();
    {
        QtPrompts prompts;
        prompts.beginWait();
        prompts.beginWait();
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        prompts.endWait();
        prompts.endWait();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        prompts.endWait(); // one too many does no harm
        prompts.beginWait();
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace varnel
