#include "store/file_set.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "store/durable_copy.h"

namespace {

namespace fs = std::filesystem;
using xbase::Status;

Status Failed(const std::string& file, const std::string& what) {
    return Status::IOError(file, what + ": " + std::strerror(errno));
}

std::string FreeName(const std::string& path) {
    std::error_code ec;
    std::string name = path + ".old";
    for (int n = 2; fs::exists(fs::symlink_status(name, ec)); ++n)
        name = path + ".old-" + std::to_string(n);
    return name;
}

// The earlier file under a hidden name while its replacement goes in.
std::string Previous(const std::string& target) {
    const fs::path path(target);
    return (path.parent_path() / ("." + path.filename().string() + ".previous")).string();
}

}  // namespace

Status PutFileSetInPlace(const std::vector<NewSetFile>& files, const std::vector<std::string>& left,
                         std::vector<std::string>* setAside) {
    std::vector<std::function<void()>> undo;
    std::vector<std::string> previous;
    const auto fail = [&](const Status& status) {
        for (auto step = undo.rbegin(); step != undo.rend(); ++step)
            (*step)();
        setAside->clear();
        return status;
    };
    for (const std::string& file : left) {
        const std::string aside = FreeName(file);
        if (::rename(file.c_str(), aside.c_str()) != 0)
            return fail(Failed(file, "cannot rename it to " + aside));
        undo.push_back([=] { ::rename(aside.c_str(), file.c_str()); });
        setAside->push_back(aside);
    }
    for (const NewSetFile& file : files) {
        const std::string target = file.target, earlier = Previous(target);
        ::unlink(earlier.c_str());  // ours, left by a run that was cut short
        // A second name keeps the earlier file whole until the new one has replaced it; a
        // folder that has no links gets the earlier file renamed instead.
        bool kept = ::link(target.c_str(), earlier.c_str()) == 0;
        if (!kept && errno != ENOENT) {
            if (::rename(target.c_str(), earlier.c_str()) != 0)
                return fail(Failed(target, "cannot keep the earlier file"));
            kept = true;
        }
        if (::rename(file.written.c_str(), target.c_str()) != 0) {
            const Status status = Failed(target, "cannot put the new file in place");
            if (kept)
                ::rename(earlier.c_str(), target.c_str());
            return fail(status);
        }
        if (kept) {
            previous.push_back(earlier);
            undo.push_back([=] { ::rename(earlier.c_str(), target.c_str()); });
        } else {
            undo.push_back([=] { ::rename(target.c_str(), file.written.c_str()); });
        }
    }
    for (const std::string& earlier : previous)
        ::unlink(earlier.c_str());
    if (!files.empty())
        return SyncFolder(fs::path(files.front().target).parent_path().string());
    return Status::OK();
}

std::string SetAsideNote(const std::vector<std::string>& left,
                         const std::vector<std::string>& setAside) {
    std::string note;
    for (size_t i = 0; i < left.size() && i < setAside.size(); ++i) {
        note += (note.empty() ? "" : "\n") + fs::path(left[i]).filename().string() +
                " was not part of this export: the earlier one is now " +
                fs::path(setAside[i]).filename().string() +
                ", so that an import of this folder does not add it.";
    }
    return note;
}
