#include "store/csv_export.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#include "platform/xbase/csv/csv_writer.h"
#include "store/catalogue.h"
#include "store/csv_field.h"
#include "store/csv_files.h"
#include "store/file_set.h"
#include "store/folder_file.h"

namespace {

namespace fs = std::filesystem;
using xbase::Status;

constexpr size_t kFlushAt = 1 << 20;
constexpr uint32_t kExportProgressEvery = 1 << 16;

// A file of the set, written whole under `path`.part and synced; removed unless put in place.
class PartFile {
public:
    explicit PartFile(std::string path) : path_(std::move(path)), part_(path_ + ".part") {
        fd_ = ::open(part_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    ~PartFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!placed_)
            ::unlink(part_.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& part() const { return part_; }
    void Placed() { placed_ = true; }

    Status Open() const { return fd_ < 0 ? Error("cannot create it") : Status::OK(); }
    Status Write(std::string* bytes) {
        for (size_t at = 0; at < bytes->size();) {
            const ssize_t n = ::write(fd_, bytes->data() + at, bytes->size() - at);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return Error("cannot write it");
            at += size_t(n);
        }
        bytes->clear();
        return Status::OK();
    }
    Status Finish() {
        const bool done = ::fsync(fd_) == 0;
        const int error = errno;
        if (::close(std::exchange(fd_, -1)) != 0 || !done)
            return Error("cannot put it on the disk", done ? errno : error);
        return Status::OK();
    }

private:
    Status Error(const std::string& what, int error = errno) const {
        return Status::IOError(part_, what + ": " + std::strerror(error));
    }

    std::string path_;
    std::string part_;
    int fd_ = -1;
    bool placed_ = false;
};

Status WriteTable(const xbase::Table& table, PartFile& file, uint64_t* done, uint64_t total,
                  const xbase::ProgressFn& progress) {
    XB_RETURN_IF_ERROR(file.Open());
    std::string text;
    const std::vector<xbase::FieldDef>& fields = table.schema().fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text.push_back(',');
        xbase::AppendCsvValue(fields[i].name, &text);
    }
    text += "\r\n";
    Status failure;
    XB_RETURN_IF_ERROR(table.ScanRecords(1, [&](uint32_t recno, const uint8_t* record) {
        if (++*done % kExportProgressEvery == 0 && progress)
            progress(*done, total);
        if (record[0] == '*')
            return true;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text.push_back(',');
            failure = AppendCsvField(table, record, fields[i], &text);
            if (!failure.ok()) {
                failure = Status::Corruption(
                    table.path(), "record " + std::to_string(recno) + ": " + failure.ToString());
                return false;
            }
        }
        text += "\r\n";
        if (text.size() >= kFlushAt)
            failure = file.Write(&text);
        return failure.ok();
    }));
    XB_RETURN_IF_ERROR(failure);
    XB_RETURN_IF_ERROR(file.Write(&text));
    return file.Finish();
}

}  // namespace

Status ExportCsv(Catalogue& catalogue, const std::string& folder, const CsvExportChoice& choice,
                 const xbase::ProgressFn& progress, std::string* note) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return Status::IOError(folder, "cannot make the folder: " + ec.message());
    const auto chosen = [&](CsvKind kind) {
        return (kind != CsvKind::Loans || choice.loans) &&
               (kind != CsvKind::Playlist || choice.playlist);
    };
    uint64_t total = 0, done = 0;
    for (const CsvFile& file : CatalogueCsvFiles()) {
        if (chosen(file.kind))
            total += CsvTable(catalogue, file.kind).table().recordCount();
    }
    std::vector<std::unique_ptr<PartFile>> written;
    std::vector<std::string> left;  // earlier files of the set that this export does not write
    for (const CsvFile& file : CatalogueCsvFiles()) {
        if (!chosen(file.kind)) {
            if (FolderHasFile(folder, file.name))
                left.push_back(FolderFile(folder, file.name));
            continue;
        }
        written.push_back(std::make_unique<PartFile>(FolderFile(folder, file.name)));
        XB_RETURN_IF_ERROR(WriteTable(CsvTable(catalogue, file.kind).table(), *written.back(),
                                      &done, total, progress));
    }
    std::vector<NewSetFile> set;
    for (const auto& file : written)
        set.push_back({file->part(), file->path()});
    std::vector<std::string> setAside;
    XB_RETURN_IF_ERROR(PutFileSetInPlace(set, left, &setAside));
    for (const auto& file : written)
        file->Placed();
    if (note != nullptr)
        *note = SetAsideNote(left, setAside);
    if (progress)
        progress(total, total);
    return Status::OK();
}
