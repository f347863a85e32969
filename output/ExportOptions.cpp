#include "output/ExportOptions.h"

namespace varnel {

ExportHeadings exportHeadings(const DocumentSettings& settings) {
    ExportHeadings headings;
    for (std::size_t i = 0; i < kFixedColumns; ++i) {
        headings.fixed[i] = settings.fixedColumns[i].heading;
    }
    headings.user.reserve(settings.userColumnRecords.size());
    for (const ColumnRecord& column : settings.userColumnRecords) {
        headings.user.push_back(column.heading);
    }
    return headings;
}

ExportColours exportColours(const DocumentSettings& settings,
                            std::uint32_t (*resolve)(std::uint32_t stored)) {
    if (resolve == nullptr) {
        return {settings.backColor, settings.altColor, settings.groupColor};
    }
    return {resolve(settings.backColor), resolve(settings.altColor), resolve(settings.groupColor)};
}

ExportOptions exportOptions(const DocumentSettings& settings, bool checkedOnly) {
    return {checkedOnly, settings.exportNotes != 0, settings.exportColumns != 0, settings.title};
}

} // namespace varnel
