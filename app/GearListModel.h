#pragma once
// The gear list as a Qt table model: a thin adapter over the document's rows. Texts, check marks
// and colours are asked of the document when the view paints; every change the document makes
// reaches the view through the observer calls.

#include "model/DocumentEdit.h"
#include "model/GearDocument.h"
#include "model/GearMarks.h"
#include "platform/NamedSemaphore.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace varnel {

class GearListModel : public QAbstractTableModel, private GearDocumentObserver {
    Q_OBJECT

public:
    static constexpr std::uint32_t kDefaultBackground = 0x00E0FFFF;
    static constexpr std::uint32_t kDefaultAlternate = 0x00C4FFFF;
    static constexpr std::uint32_t kDefaultGroup = 0x000099FF;

    // The document must outlive the model; the model becomes its observer.
    explicit GearListModel(GearDocument& document, QObject* parent = nullptr);
    ~GearListModel() override;

    [[nodiscard]] GearDocument& document() const { return document_; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index,
                                int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

    // --- headings and alignments, one per column
    static QString weightHeading(bool metric);
    [[nodiscard]] QString heading(int column) const { return headings_.value(column); }
    void setHeading(int column, const QString& heading);
    // Missing entries become empty headings.
    void setHeadings(const QStringList& headings);
    [[nodiscard]] Qt::Alignment alignment(int column) const;
    void setAlignment(int column, Qt::Alignment alignment);
    void setAlignments(const QList<Qt::Alignment>& alignments);
    // The list view's column formats as the settings keep them: 0 left, 1 right, 2 centre.
    static Qt::Alignment alignmentFromFormat(std::int32_t format);
    static std::int32_t formatFromAlignment(Qt::Alignment alignment);

    // The user columns headed "Worn" and "Consumable": their cells are check boxes that mark
    // the item (group rows aside).
    [[nodiscard]] const MarkColumns& markColumns() const { return marks_; }
    // The mark a list column holds, if any.
    [[nodiscard]] std::optional<GearMark> markAt(int column) const;

    // --- user columns; the records' texts are the caller's to keep in step
    void appendUserColumn(const QString& heading, Qt::Alignment alignment);
    void removeUserColumn(int column);
    // After the document's user column count was changed directly.
    void syncColumnCount();

    // Makes a mark set in the list an undoable step.
    void setPerformer(EditPerformer perform) { performer_ = std::move(perform); }

    // Takes a check box click instead of the document (the window makes it an undoable step).
    void setCheckHandler(std::function<void(int row, bool checked)> handler) {
        checkHandler_ = std::move(handler);
    }

    // Held while a cell's text is produced (shared with other running copies); none by default.
    void setDisplayLock(NamedSemaphore* lock) { displayLock_ = lock; }

    // --- list colours, 0x00BBGGRR
    [[nodiscard]] std::uint32_t backgroundColor() const { return backgroundRef_; }
    [[nodiscard]] std::uint32_t alternateColor() const { return alternateRef_; }
    [[nodiscard]] std::uint32_t groupColor() const { return groupRef_; }
    void setColors(std::uint32_t background, std::uint32_t alternate, std::uint32_t group);

signals:
    // The running total of checked weight changed; the totals text follows it.
    void selectedTotalChanged();

private:
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void rowsAboutToBeReset() override;
    void rowsReset() override;
    void rowsChanged(int first, int last) override;
    void totalChanged() override;

    void freezeLabel(int oldRow, int newRow);
    void releaseLabel();
    void fitColumnLists();
    void refreshMarks();
    [[nodiscard]] QColor rowColor(int row, int column) const;

    GearDocument& document_;
    int columnCount_ = 4;
    QStringList headings_;
    QList<Qt::Alignment> alignments_;
    MarkColumns marks_;
    std::uint32_t backgroundRef_ = kDefaultBackground;
    std::uint32_t alternateRef_ = kDefaultAlternate;
    std::uint32_t groupRef_ = kDefaultGroup;
    QColor background_;
    QColor alternate_;
    QColor group_;

    // The category label of the row next to an insertion or removal, as it was before: the
    // label moves only once the change is announced with dataChanged.
    int frozenRow_ = -1;
    NamedSemaphore* displayLock_ = nullptr;
    std::function<void(int row, bool checked)> checkHandler_;
    EditPerformer performer_;
    QString frozenLabel_;
};

} // namespace varnel
