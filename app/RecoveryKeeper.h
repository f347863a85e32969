#pragma once
// Keeps a recovery copy of the open document a moment after each burst of edits, and offers it
// when that document is opened again after the program did not end cleanly.

#include "model/RecoveryWriter.h"
#include "ui/Prompts.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace varnel {

class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    // After the last edit of a burst: long enough that typing never waits for a copy.
    static constexpr int kDelayMs = 2000;
    // Rows serialized between two turns of the event loop: a few milliseconds' work, so that a
    // list of 100,000 items is copied without a pause anyone would feel.
    static constexpr int kRowsPerSlice = 2000;

    // `begin` starts a copy of `document` (its settings and path, no rows yet), or gives nothing
    // while no whole copy can be taken. An empty `folder` keeps no copies.
    RecoveryKeeper(const std::filesystem::path& folder, const GearDocument& document,
                   std::function<std::optional<RecoveryFile>()> begin, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Every change to the document, rows or settings.
    void edited();
    // The document is as its files hold it (just read or written): nothing to keep until the
    // next edit.
    void clean();
    // Takes the whole copy now, when anything changed since the last one, and hands it to the
    // writer.
    void takeAtOnce();
    // The same, and waits until it is on disk: for an end without questions.
    void writeNow();
    // The copy of `document` goes: its edits were saved, or given up on purpose.
    void discard(const std::filesystem::path& document);
    // When `document` has a copy, asks whether to restore it; Yes returns it, No keeps it aside,
    // as is a copy that cannot be read (and said so).
    std::optional<RecoveryFile> offer(const std::filesystem::path& document, Prompts& prompts);

private:
    // The rows of the copy in hand, a slice at a time; an edit in between drops it.
    void takeSlice(int rows);

    const GearDocument& document_;
    std::function<std::optional<RecoveryFile>()> begin_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer delay_;
    QTimer slices_;
    bool dirty_ = false;
    std::optional<RecoveryFile> partial_;
    int nextRow_ = 0;
};

} // namespace varnel
