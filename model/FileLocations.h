#pragma once
// Where the program's own files live: the application settings file and the default document
// with everything beside it. A folder that already holds them keeps them, so a user who ran the
// program from a folder goes on finding the files there; otherwise they go where the desktop
// keeps settings and documents, and that folder is made at the first write into it.

#include <filesystem>
#include <system_error>

namespace varnel {

// The desktop's folders, as the environment gives them; any of them may be empty.
struct UserFolders {
    std::filesystem::path current;
    std::filesystem::path home;       // $HOME
    std::filesystem::path configHome; // $XDG_CONFIG_HOME
    std::filesystem::path documents;  // the desktop's documents folder
};

struct FileLocations {
    // Names given relative to nothing else (the last file, dialogs, the command line) resolve here.
    std::filesystem::path currentFolder;
    // Where "Varnel.ini" is.
    std::filesystem::path settingsFolder;
    // Where the default document, and a new one, go; their settings and backups go beside them.
    std::filesystem::path documentFolder;
    bool makeSettingsFolder = false;
    bool makeDocumentFolder = false;

    // Everything in the current folder, made by nobody.
    static FileLocations inCurrentFolder(const std::filesystem::path& folder);

    // Makes the folder `file` goes into when it is one of ours and missing. Any other missing
    // folder is the user's (an unplugged disk, a renamed folder) and is not made up: the write
    // fails there instead.
    std::error_code makeFolderFor(const std::filesystem::path& file) const;
};

FileLocations locateFiles(const UserFolders& user);

} // namespace varnel
