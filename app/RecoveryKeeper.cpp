#include "app/RecoveryKeeper.h"

#include "model/FileOutcome.h"
#include "model/GearDataWriter.h"

#include <limits>

namespace varnel {

RecoveryKeeper::RecoveryKeeper(const std::filesystem::path& folder, const GearDocument& document,
                               std::function<std::optional<RecoveryFile>()> begin, QObject* parent)
    : QObject(parent), document_(document), begin_(std::move(begin)) {
    if (!folder.empty()) {
        writer_ = std::make_unique<RecoveryWriter>(RecoveryStore(folder));
    }
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, [this] { takeSlice(kRowsPerSlice); });
    slices_.setSingleShot(true);
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, [this] { takeSlice(kRowsPerSlice); });
}

RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::edited() {
    if (writer_) {
        dirty_ = true;
        partial_.reset();
        slices_.stop();
        delay_.start();
    }
}

void RecoveryKeeper::clean() {
    dirty_ = false;
    partial_.reset();
    slices_.stop();
    delay_.stop();
}

void RecoveryKeeper::takeSlice(int rows) {
    if (!partial_) {
        if (!writer_ || !dirty_) {
            return;
        }
        // Stays due while no whole copy can be taken; the edit that ends that state starts the
        // delay again.
        partial_ = begin_();
        if (!partial_) {
            return;
        }
        dirty_ = false;
        nextRow_ = 0;
    }
    nextRow_ = appendGearDataRows(document_, nextRow_, rows, partial_->documentBytes);
    if (nextRow_ < document_.rowCount()) {
        slices_.start();
        return;
    }
    writer_->submit(std::move(*partial_));
    partial_.reset();
}

void RecoveryKeeper::takeAtOnce() {
    delay_.stop();
    slices_.stop();
    takeSlice(std::numeric_limits<int>::max());
}

void RecoveryKeeper::writeNow() {
    takeAtOnce();
    if (writer_) {
        (void)writer_->flush();
    }
}

void RecoveryKeeper::discard(const std::filesystem::path& document) {
    clean();
    if (writer_) {
        writer_->discard(document);
    }
}

std::optional<RecoveryFile> RecoveryKeeper::offer(const std::filesystem::path& document,
                                                  Prompts& prompts) {
    if (!writer_) {
        return std::nullopt;
    }
    const RecoveryFound found = writer_->store().find(document);
    if (found.status == RecoveryFound::Status::None) {
        return std::nullopt;
    }
    if (found.status == RecoveryFound::Status::Readable) {
        const UserMessage question = found.question();
        if (prompts.message(Prompts::messageText(question.text),
                            Prompts::messageText(question.caption), question.icon,
                            PromptButtons::YesNo) == PromptAnswer::Yes) {
            return found.copy;
        }
    } else {
        prompts.showMessage(found.unreadableMessage());
    }
    if (const std::error_code ec = writer_->store().keepAside(found)) {
        prompts.showMessage(writeErrorMessage(found.file.string() + ": " + ec.message()));
    }
    return std::nullopt;
}

} // namespace varnel
