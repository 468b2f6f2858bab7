#include "store/csv_export.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/xbase/csv/csv_writer.h"
#include "store/catalogue.h"
#include "store/csv_field.h"
#include "store/csv_files.h"

namespace {

namespace fs = std::filesystem;
using xbase::Status;

constexpr size_t kFlushAt = 1 << 20;
constexpr uint32_t kProgressEvery = 1 << 16;

// A file written whole: under `path`.part, then synced and renamed; removed when not committed.
class PartFile {
public:
    explicit PartFile(std::string path) : path_(std::move(path)), part_(path_ + ".part") {
        fd_ = ::open(part_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    ~PartFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(part_.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

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
    Status Commit() {
        if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
            fd_ = -1;
            return Error("cannot put it on the disk");
        }
        fd_ = -1;
        if (::rename(part_.c_str(), path_.c_str()) != 0)
            return Error("cannot rename it");
        committed_ = true;
        return Status::OK();
    }

private:
    Status Error(const std::string& what) const {
        return Status::IOError(part_, what + ": " + std::strerror(errno));
    }

    std::string path_;
    std::string part_;
    int fd_ = -1;
    bool committed_ = false;
};

Status WriteTable(const xbase::Table& table, const std::string& path, uint64_t* done,
                  uint64_t total, const xbase::ProgressFn& progress) {
    PartFile file(path);
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
        if (++*done % kProgressEvery == 0 && progress)
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
    return file.Commit();
}

}  // namespace

Status ExportCsv(Catalogue& catalogue, const std::string& folder, const CsvExportChoice& choice,
                 const xbase::ProgressFn& progress) {
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
    for (const CsvFile& file : CatalogueCsvFiles()) {
        if (chosen(file.kind)) {
            XB_RETURN_IF_ERROR(WriteTable(CsvTable(catalogue, file.kind).table(),
                                          (fs::path(folder) / file.name).string(), &done, total,
                                          progress));
        }
    }
    if (progress)
        progress(total, total);
    return Status::OK();
}
