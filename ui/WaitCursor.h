#pragma once
// Shows the wait cursor for the life of the guard.

#include "ui/Prompts.h"

namespace varnel {

class WaitCursor {
public:
    explicit WaitCursor(Prompts& prompts) : prompts_(prompts) { prompts_.beginWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { prompts_.endWait(); }

private:
    Prompts& prompts_;
};

} // namespace varnel
