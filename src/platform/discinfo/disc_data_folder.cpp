// The disc data folder: the record of a disc is opened by name in each genre folder, so that a
// look-up costs a dozen failed opens however many records the folder holds.
#include "platform/discinfo/disc_data_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace discinfo {

namespace {

// The frame offsets may differ by this much (a drive reads a frame or so off); freedb IDs count
// whole seconds. The disc length is rounded differently by different programs.
constexpr int kOffsetSlackFrames = 75;
constexpr int kLengthSlackSeconds = 2;
// The top folder holds a dozen genre folders; one holding far more entries is a folder of
// records itself, which is never listed.
constexpr int kMostGenreEntries = 1000;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

enum class RecordRead { Read, Missing, Failed };

// The bytes of the record file at `path`, never more than kXmcdMostBytes: a bigger file, or one
// that is no plain file (a FIFO would block), is refused with `error`.
RecordRead ReadRecordFile(const std::string& path, std::string* bytes, std::string* error) {
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return RecordRead::Missing;
        *error = std::strerror(errno);
        return RecordRead::Failed;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = "not a file";
        return RecordRead::Failed;
    }
    if (info.st_size > off_t(kXmcdMostBytes)) {
        *error = "larger than 1 MB: no disc record";
        return RecordRead::Failed;
    }
    // One byte more than allowed shows a file that grew since fstat.
    bytes->assign(kXmcdMostBytes + 1, '\0');
    size_t got = 0;
    while (got < bytes->size()) {
        const ssize_t n = ::read(fd.get(), bytes->data() + got, bytes->size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = std::strerror(errno);
            return RecordRead::Failed;
        }
        if (n == 0)
            break;
        got += size_t(n);
    }
    bytes->resize(got);
    return RecordRead::Read;
}

bool IsFreedbId(const std::string& id) {
    return id.size() == 8 && std::all_of(id.begin(), id.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// How far the record's table of contents lies from the disc's, in frames; -1 when it does not fit.
long TocDistance(const XmcdRecord& record, const DiscQuery& query) {
    if (record.offsets.size() != query.offsets.size())
        return -1;
    long distance = 0;
    for (size_t i = 0; i < record.offsets.size(); ++i) {
        const long d = std::labs(long(record.offsets[i]) - query.offsets[i]);
        if (d > kOffsetSlackFrames)
            return -1;
        distance += d;
    }
    const long length = std::labs(long(record.lengthSeconds) - query.lengthSeconds());
    if (length > kLengthSlackSeconds)
        return -1;
    return distance + length * 75;
}

// The genre folders of `folder`, by name; the folder itself is looked in too ("" first), for a
// folder of records without genres.
std::vector<std::string> GenreFolders(const std::string& folder, std::string* error) {
    namespace fs = std::filesystem;
    std::vector<std::string> genres{""};
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        *error = "The disc data folder " + folder + " cannot be read: " + ec.message();
        return {};
    }
    int seen = 0;
    for (; it != fs::directory_iterator() && seen < kMostGenreEntries; it.increment(ec), ++seen) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!name.starts_with(".") && it->is_directory(typeError))
            genres.push_back(name);
    }
    if (ec)
        *error = "The disc data folder " + folder + " cannot be read: " + ec.message();
    std::sort(genres.begin() + 1, genres.end());
    return genres;
}

}  // namespace

std::vector<DiscCandidate> LookUpDiscData(const std::string& folder, const DiscQuery& query,
                                          std::string* error) {
    std::string problems;
    std::vector<std::pair<long, DiscCandidate>> found;
    if (IsFreedbId(query.freedbId) && !query.offsets.empty()) {
        for (const std::string& genre : GenreFolders(folder, &problems)) {
            const std::string reference =
                genre.empty() ? query.freedbId : genre + "/" + query.freedbId;
            std::string bytes;
            std::string what;
            XmcdRecord record;
            const RecordRead read = ReadRecordFile(folder + "/" + reference, &bytes, &what);
            if (read == RecordRead::Missing)
                continue;
            if (read == RecordRead::Failed || !ParseXmcd(bytes, &record, &what)) {
                problems += (problems.empty() ? "" : "; ") + reference + ": " + what;
                continue;
            }
            const long distance = TocDistance(record, query);
            if (distance < 0)
                continue;
            record.candidate.origin = Origin::DiscData;
            record.candidate.reference = reference;
            found.emplace_back(distance, std::move(record.candidate));
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<DiscCandidate> candidates;
    for (auto& entry : found)
        candidates.push_back(std::move(entry.second));
    if (error && !problems.empty())
        *error = problems;
    return candidates;
}

}  // namespace discinfo
