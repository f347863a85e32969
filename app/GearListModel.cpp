#include "app/GearListModel.h"

#include "platform/ColorRef.h"
#include "ui/Cp1252.h"

#include <algorithm>

namespace varnel {

namespace {

constexpr int kCategoryColumn = columnNumber(ColumnIndex::Category); // also the check marks
constexpr int kItemColumn = columnNumber(ColumnIndex::Item);
constexpr int kFixedColumns = columnNumber(ColumnIndex::FirstUser);

} // namespace

GearListModel::GearListModel(GearDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document),
      columnCount_(kFixedColumns + std::max(0, document.userColumnCount)),
      headings_{QStringLiteral("Category"), QStringLiteral("Item"), weightHeading(document.metric),
                QStringLiteral("Notes")},
      alignments_{Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignLeft},
      background_(colorFromColorRef(kDefaultBackground)),
      alternate_(colorFromColorRef(kDefaultAlternate)), group_(colorFromColorRef(kDefaultGroup)) {
    fitColumnLists();
    document_.setObserver(this);
}

GearListModel::~GearListModel() {
    document_.setObserver(nullptr);
}

int GearListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : document_.rowCount();
}

int GearListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QColor GearListModel::rowColor(int row, int column) const {
    if (column == kItemColumn) {
        const GearRow& r = document_.row(row);
        if (r.isGroupRow() || r.isMemberRow()) {
            return group_;
        }
    }
    return row % 2 == 0 ? alternate_ : background_;
}

QVariant GearListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= document_.rowCount() || index.column() >= columnCount_) {
        return {};
    }
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (r == frozenRow_ && c == kCategoryColumn) {
            return frozenLabel_;
        }
        if (displayLock_) {
            NamedSemaphore::Guard lock(*displayLock_);
            return Cp1252::toUnicode(document_.displayText(r, c));
        }
        return Cp1252::toUnicode(document_.displayText(r, c));
    case Qt::CheckStateRole: {
        const GearRow& row = document_.row(r);
        if (const auto mark = markAt(c); mark && !row.isGroupRow()) {
            return hasMark(*row.record, marks_.column(*mark)) ? Qt::Checked : Qt::Unchecked;
        }
        if (c != kCategoryColumn) {
            return {};
        }
        return row.isMemberRow() || row.checked() ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::BackgroundRole:
        return rowColor(r, c);
    case Qt::TextAlignmentRole:
        return static_cast<int>(alignment(c) | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool GearListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (const auto mark = markAt(index.column());
        mark && role == Qt::CheckStateRole && index.row() < document_.rowCount()) {
        const bool marked = static_cast<Qt::CheckState>(value.toInt()) != Qt::Unchecked;
        const int row = index.row();
        const int column = marks_.column(*mark);
        const GearMark which = *mark;
        return perform(
                   performer_,
                   DocumentEdit("Mark",
                                [row, column, which, marked](GearDocument& d, DocumentSettings&) {
                                    return setRowMark(d, row, column, which, marked) ? 1 : 0;
                                }),
                   document_) > 0;
    }
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != kCategoryColumn ||
        index.row() >= document_.rowCount() || document_.row(index.row()).isMemberRow()) {
        return false;
    }
    const auto state = static_cast<Qt::CheckState>(value.toInt());
    // The document tells the view through rowsChanged.
    if (checkHandler_) {
        checkHandler_(index.row(), state != Qt::Unchecked);
    } else {
        document_.setStateImage(index.row(),
                                state == Qt::Unchecked ? kUncheckedImage : kCheckedImage);
    }
    return true;
}

Qt::ItemFlags GearListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == kCategoryColumn ||
        (markAt(index.column()) && index.row() < document_.rowCount() &&
         !document_.row(index.row()).isGroupRow())) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

std::optional<GearMark> GearListModel::markAt(int column) const {
    const int k = userColumnText(column);
    if (k < 1) {
        return std::nullopt;
    }
    if (k == marks_.worn) {
        return GearMark::Worn;
    }
    if (k == marks_.consumable) {
        return GearMark::Consumable;
    }
    return std::nullopt;
}

void GearListModel::refreshMarks() {
    std::vector<std::string> user;
    for (int c = kFixedColumns; c < headings_.size(); ++c) {
        user.push_back(Cp1252::fromUnicode(headings_[c]));
    }
    marks_ = varnel::markColumns(user);
}

QVariant GearListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount_) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
    case Qt::DisplayRole:
        return headings_.value(section);
    case Qt::TextAlignmentRole:
        return static_cast<int>(alignment(section) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString GearListModel::weightHeading(bool metric) {
    return metric ? QStringLiteral("Weight (gm)") : QStringLiteral("Weight (oz)");
}

void GearListModel::setHeading(int column, const QString& heading) {
    if (column < 0 || column >= columnCount_) {
        return;
    }
    headings_[column] = heading;
    refreshMarks();
    emit headerDataChanged(Qt::Horizontal, column, column);
    // The cells of a column that gained or lost a mark heading change how they look.
    if (column >= kFixedColumns && rowCount() > 0) {
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::CheckStateRole});
    }
}

void GearListModel::setHeadings(const QStringList& headings) {
    headings_ = headings;
    fitColumnLists();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount_ - 1);
}

Qt::Alignment GearListModel::alignment(int column) const {
    return alignments_.value(column, Qt::AlignLeft);
}

void GearListModel::setAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= columnCount_) {
        return;
    }
    alignments_[column] = alignment & Qt::AlignHorizontal_Mask;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rowCount() > 0) {
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
    }
}

void GearListModel::setAlignments(const QList<Qt::Alignment>& alignments) {
    alignments_.clear();
    for (const Qt::Alignment a : alignments) {
        alignments_.append(a & Qt::AlignHorizontal_Mask);
    }
    fitColumnLists();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount_ - 1);
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount_ - 1),
                         {Qt::TextAlignmentRole});
    }
}

Qt::Alignment GearListModel::alignmentFromFormat(std::int32_t format) {
    switch (format & 3) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

std::int32_t GearListModel::formatFromAlignment(Qt::Alignment alignment) {
    if (alignment & Qt::AlignRight) {
        return 1;
    }
    if (alignment & Qt::AlignHCenter) {
        return 2;
    }
    return 0;
}

void GearListModel::fitColumnLists() {
    while (headings_.size() < columnCount_) {
        headings_.append(QString());
    }
    while (alignments_.size() < columnCount_) {
        alignments_.append(Qt::AlignLeft);
    }
    headings_.resize(columnCount_);
    alignments_.resize(columnCount_);
    refreshMarks();
}

void GearListModel::appendUserColumn(const QString& heading, Qt::Alignment alignment) {
    beginInsertColumns(QModelIndex(), columnCount_, columnCount_);
    ++document_.userColumnCount;
    ++columnCount_;
    headings_.append(heading);
    alignments_.append(alignment & Qt::AlignHorizontal_Mask);
    refreshMarks();
    endInsertColumns();
}

void GearListModel::removeUserColumn(int column) {
    if (column < kFixedColumns || column >= columnCount_) {
        return;
    }
    beginRemoveColumns(QModelIndex(), column, column);
    document_.userColumnCount = std::max(0, document_.userColumnCount - 1);
    --columnCount_;
    headings_.removeAt(column);
    alignments_.removeAt(column);
    refreshMarks();
    endRemoveColumns();
}

void GearListModel::syncColumnCount() {
    const int wanted = kFixedColumns + std::max(0, document_.userColumnCount);
    if (wanted > columnCount_) {
        beginInsertColumns(QModelIndex(), columnCount_, wanted - 1);
        columnCount_ = wanted;
        fitColumnLists();
        endInsertColumns();
    } else if (wanted < columnCount_) {
        beginRemoveColumns(QModelIndex(), wanted, columnCount_ - 1);
        columnCount_ = wanted;
        fitColumnLists();
        endRemoveColumns();
    }
}

void GearListModel::setColors(std::uint32_t background, std::uint32_t alternate,
                              std::uint32_t group) {
    backgroundRef_ = background;
    alternateRef_ = alternate;
    groupRef_ = group;
    // A stored system colour (top bit set) shows as the palette's colour for it, not as black.
    background_ = colorFromColorRef(currentColorRef(background));
    alternate_ = colorFromColorRef(currentColorRef(alternate));
    group_ = colorFromColorRef(currentColorRef(group));
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount_ - 1),
                         {Qt::BackgroundRole});
    }
}

void GearListModel::freezeLabel(int oldRow, int newRow) {
    releaseLabel();
    if (oldRow >= 0 && oldRow < document_.rowCount()) {
        frozenLabel_ = Cp1252::toUnicode(document_.displayText(oldRow, kCategoryColumn));
        frozenRow_ = newRow;
    }
}

void GearListModel::releaseLabel() {
    const int row = frozenRow_;
    frozenRow_ = -1;
    frozenLabel_.clear();
    if (row >= 0 && row < document_.rowCount()) {
        emit dataChanged(index(row, kCategoryColumn), index(row, kCategoryColumn));
    }
}

void GearListModel::rowsAboutToBeInserted(int first, int last) {
    beginInsertRows(QModelIndex(), first, last);
    freezeLabel(first, last + 1);
}

void GearListModel::rowsInserted() {
    endInsertRows();
    releaseLabel();
}

void GearListModel::rowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows(QModelIndex(), first, last);
    freezeLabel(last + 1, first);
}

void GearListModel::rowsRemoved() {
    endRemoveRows();
    releaseLabel();
}

void GearListModel::rowsAboutToBeReset() {
    frozenRow_ = -1;
    beginResetModel();
}

void GearListModel::rowsReset() {
    // A reload may come with another set of user columns.
    columnCount_ = kFixedColumns + std::max(0, document_.userColumnCount);
    fitColumnLists();
    endResetModel();
}

void GearListModel::rowsChanged(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, document_.rowCount() - 1);
    if (first > last) {
        return;
    }
    emit dataChanged(index(first, 0), index(last, columnCount_ - 1));
}

void GearListModel::totalChanged() {
    emit selectedTotalChanged();
}

} // namespace varnel
