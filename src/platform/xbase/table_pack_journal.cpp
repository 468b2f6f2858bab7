#include "platform/xbase/table_pack_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/xbase/file.h"

namespace xbase {

namespace {

bool Exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

Status SyncDirectory(const std::string& path) {
    int fd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Status::IOError(path,
                               std::string("cannot open its folder: ") + std::strerror(errno));
    ::fsync(fd);
    ::close(fd);
    return Status::OK();
}

Status Rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Status::IOError(
            to, std::string("cannot replace it with the packed copy: ") + std::strerror(errno));
    }
    return Status::OK();
}

}  // namespace

std::string MemoPathFor(const std::string& dbfPath, bool dbase3) {
    size_t slash = dbfPath.find_last_of('/');
    size_t dot = dbfPath.find_last_of('.');
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string base = hasExtension ? dbfPath.substr(0, dot) : dbfPath;
    return ResolvePathNoCase(base + (dbase3 ? ".dbt" : ".fpt"));
}

PackPaths PackPathsFor(const std::string& dbfPath, const std::string& memoPath) {
    PackPaths p;
    p.dbf = dbfPath;
    p.dbfNew = dbfPath + ".pack-new";
    p.memo = memoPath;
    p.memoNew = memoPath.empty() ? std::string() : memoPath + ".pack-new";
    p.marker = dbfPath + ".pack-done";
    return p;
}

Status CommitPack(const PackPaths& paths) {
    std::unique_ptr<File> marker;
    XB_RETURN_IF_ERROR(File::Open(paths.marker, File::Mode::kCreateTruncate, &marker));
    // The marker names the memo file, so that whoever finishes the pack knows where it goes.
    const std::string body = paths.memo + "\n";
    XB_RETURN_IF_ERROR(marker->WriteAt(0, body.data(), body.size()));
    XB_RETURN_IF_ERROR(marker->Sync());
    return SyncDirectory(paths.marker);
}

Status CompletePack(const PackPaths& paths) {
    if (!paths.memoNew.empty() && Exists(paths.memoNew))
        XB_RETURN_IF_ERROR(Rename(paths.memoNew, paths.memo));
    if (Exists(paths.dbfNew))
        XB_RETURN_IF_ERROR(Rename(paths.dbfNew, paths.dbf));
    XB_RETURN_IF_ERROR(SyncDirectory(paths.dbf));
    ::unlink(paths.marker.c_str());
    return SyncDirectory(paths.dbf);
}

Status FinishInterruptedPack(const std::string& dbfPath) {
    const std::string marker = dbfPath + ".pack-done";
    if (Exists(marker)) {
        std::unique_ptr<File> file;
        XB_RETURN_IF_ERROR(File::Open(marker, File::Mode::kReadOnly, &file));
        char buf[4096];
        size_t got = 0;
        XB_RETURN_IF_ERROR(file->ReadSomeAt(0, buf, sizeof buf, &got));
        std::string memo(buf, got);
        if (!memo.empty() && memo.back() == '\n')
            memo.pop_back();
        if (memo.find('\n') != std::string::npos)
            return Status::Corruption(marker, "unreadable pack marker");
        return CompletePack(PackPathsFor(dbfPath, memo));
    }
    // No marker: the copies were never complete, and the originals are untouched.
    for (const std::string& leftover :
         {dbfPath + ".pack-new", MemoPathFor(dbfPath, false) + ".pack-new",
          MemoPathFor(dbfPath, true) + ".pack-new"}) {
        if (Exists(leftover))
            ::unlink(leftover.c_str());
    }
    return Status::OK();
}

}  // namespace xbase
