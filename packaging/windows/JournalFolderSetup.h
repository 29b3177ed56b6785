#pragma once
// Prepares the results folder when the program is installed: creates the folder with
// its missing parents, puts an empty journal there when there is none, and on a local
// volume with permissions lets every user append to it. An existing journal is never
// opened, so its lines stay as they are.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvarnel {

class FolderSystem;

class JournalFolderSetup {
public:
    using Log = std::function<void(const std::string& line)>;

    JournalFolderSetup(FolderSystem& system, Log log);

    // actionData is "APPENDONLY|FOLDER" as the installer passes them: "1" for an
    // append-only journal, "" or "0" for one that users may also rewrite; the folder
    // absolute (drive or network share), perhaps with a trailing backslash. Returns the
    // reason when the folder cannot be prepared; what this call created is then removed.
    std::optional<std::string> run(const std::string& actionData);

private:
    void prepare(const std::string& folder, bool appendOnly);
    // Creates each missing folder of the chain, the outermost first.
    void createFolders(const std::vector<std::string>& chain);
    void undo() noexcept;

    FolderSystem& system_;
    Log log_;
    std::vector<std::string> created_;
};

}  // namespace kvarnel
