#pragma once
// The Totals dialog's transfer record: the lines to show and the (always empty) selection.
// The main window keeps one, fills it before the dialog runs and empties it afterwards.

#include <QList>
#include <QStringList>

#include <string>
#include <vector>

namespace varnel {

struct TTotalsDlgXfer {
    QStringList strings;
    QList<int> selection;

    // Takes the lines as the totals produce them (record text, one byte per character).
    void fill(const std::vector<std::string>& lines);
    void clear();
};

} // namespace varnel
