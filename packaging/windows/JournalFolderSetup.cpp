#include "JournalFolderSetup.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "FolderSystem.h"
#include "core/Journal.h"

namespace kvarnel {

namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// An absolute Windows path taken apart: its root ("C:" or "\\server\share") and the
// names of the folders below it.
struct AbsolutePath {
    std::string root;
    std::vector<std::string> names;

    // The path down to the first `depth` names; the root itself as "C:\" or "\\server\share".
    std::string upTo(std::size_t depth) const {
        std::string path = root;
        if (depth == 0 && root.size() == 2) path += '\\';
        for (std::size_t i = 0; i < depth; ++i) path += '\\' + names[i];
        return path;
    }
    std::string full() const { return upTo(names.size()); }
};

std::vector<std::string> namesIn(const std::string& rest) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find('\\', start), rest.size());
        if (end > start) names.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Only a drive path (C:\...) or a share (\\server\share\...) names one folder whatever the
// current directory; relative names, "." and ".." and the \\?\ forms are refused.
AbsolutePath absolutePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    AbsolutePath parsed;
    std::string rest;
    if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':' && (path.size() == 2 || path[2] == '\\')) {
        parsed.root = path.substr(0, 2);
        rest = path.substr(2);
    } else if (path.size() > 2 && path.rfind("\\\\", 0) == 0 && path.find_first_of("\\?.", 2) != 2) {
        const std::vector<std::string> names = namesIn(path.substr(2));
        if (names.size() >= 2) {
            parsed.root = "\\\\" + names[0] + '\\' + names[1];
            rest = path.substr(parsed.root.size());
        }
    }
    if (parsed.root.empty())
        throw std::runtime_error("it is not an absolute path (C:\\... or \\\\server\\share\\...)");
    parsed.names = namesIn(rest);
    for (const std::string& name : parsed.names) {
        if (name == "." || name == "..")
            throw std::runtime_error("a path with \".\" or \"..\" is not accepted");
    }
    return parsed;
}

bool appendOnlyFlag(const std::string& flag) {
    if (flag == "1") return true;
    if (flag.empty() || flag == "0") return false;
    throw std::runtime_error("APPENDONLY is \"" + flag + "\"; it must be 1 (append only) or 0");
}

}  // namespace

JournalFolderSetup::JournalFolderSetup(FolderSystem& system, Log log)
    : system_(system), log_(std::move(log)) {}

std::optional<std::string> JournalFolderSetup::run(const std::string& actionData) {
    created_.clear();
    const std::size_t bar = actionData.find('|');
    const std::string flag = bar == std::string::npos ? std::string() : actionData.substr(0, bar);
    const std::string folder = bar == std::string::npos ? actionData : actionData.substr(bar + 1);
    try {
        prepare(folder, appendOnlyFlag(flag));
        return std::nullopt;
    } catch (const std::exception& error) {
        undo();
        return "The results folder " + folder + " cannot be prepared: " + error.what();
    }
}

void JournalFolderSetup::prepare(const std::string& folderText, bool appendOnly) {
    const AbsolutePath path = absolutePath(folderText);
    if (system_.kindOf(path.upTo(0)) != FolderSystem::Kind::Folder) {
        throw std::runtime_error("there is no drive or share " + path.upTo(0));
    }
    std::vector<std::string> chain;
    for (std::size_t depth = 1; depth <= path.names.size(); ++depth) chain.push_back(path.upTo(depth));
    createFolders(chain);
    const std::string folder = path.full();
    const std::string journal = folder + (folder.back() == '\\' ? "" : "\\") + kJournalFileName;
    switch (system_.kindOf(journal)) {
    case FolderSystem::Kind::Folder:
        throw std::runtime_error(journal + " is a folder, not a journal");
    case FolderSystem::Kind::File:
        log_("Results journal " + journal + ": kept as it is");
        break;
    case FolderSystem::Kind::Missing:
        system_.createEmptyFile(journal);
        created_.push_back(journal);
        log_("Results journal " + journal + ": created empty");
        break;
    }
    if (!system_.keepsPermissions(folder)) {
        log_(
            "Results folder " + folder +
            ": not on a local volume that keeps permissions (a network share, FAT): permissions left as they are");
        return;
    }
    system_.letUsersList(folder);
    if (appendOnly) {
        system_.makeAppendOnly(journal);
    } else {
        system_.letUsersAppend(journal);
    }
    log_("Results journal " + journal + (appendOnly ? ": append-only, " : ": users may append, ") +
         "permissions " + system_.permissions(journal));
}

void JournalFolderSetup::createFolders(const std::vector<std::string>& chain) {
    for (const std::string& folder : chain) {
        switch (system_.kindOf(folder)) {
        case FolderSystem::Kind::Folder:
            break;
        case FolderSystem::Kind::File:
            throw std::runtime_error(folder + " is a file, not a folder");
        case FolderSystem::Kind::Missing:
            system_.createFolder(folder);
            created_.push_back(folder);
            log_("Results folder " + folder + ": created");
            break;
        }
    }
}

void JournalFolderSetup::undo() noexcept {
    for (auto made = created_.rbegin(); made != created_.rend(); ++made) system_.remove(*made);
    created_.clear();
}

}  // namespace kvarnel
