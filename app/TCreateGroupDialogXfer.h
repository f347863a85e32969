#pragma once
// The Create Group dialog's transfer record: the group name and notes as stored (Windows-1252).
// One instance for the program: the name is emptied before each run, the notes stay from the
// last time the dialog was closed with OK.

#include "model/FixedText.h"

namespace varnel {

struct TCreateGroupDialogXfer {
    char name[41]{};
    char notes[51]{};

    void resetForRun() { setField(name, ""); }
};

} // namespace varnel
