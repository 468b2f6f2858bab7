// A file that replaces another only once it is complete. The bytes go to a new hidden file in
// the target's folder, which is synced and renamed over the target by Commit(); until then the
// target stays as it was, and a run that fails or stops removes only the new file. The program
// never removes a file it did not create.
#pragma once

#include <QIODevice>
#include <string>
#include <vector>

#include "platform/common/status.h"

namespace report {

class ReplacingFile : public QIODevice {
public:
    explicit ReplacingFile(std::string target);
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the new file and opens the device for writing. Refuses, creating nothing, a target
    // whose folder is missing, one that is a folder or a read-only file, and one that is the
    // same file as any of `kept` (also through a link or another spelling). A target that is a
    // link is followed: the file it points to is replaced, keeping its mode.
    tunelo::Status Create(const std::vector<std::string>& kept);
    // Puts the bytes on the disk and renames them over the target; `kept` is checked again.
    tunelo::Status Commit(const std::vector<std::string>& kept);

    // The first write that failed, or OK.
    tunelo::Status writeStatus() const;

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    tunelo::Status Refusal(const std::vector<std::string>& kept) const;
    tunelo::Status Failed(int error, const std::string& what) const;

    std::string target_;  // the file to replace, links followed
    std::string temp_;    // the new file; empty before Create
    int fd_ = -1;
    int writeError_ = 0;  // errno of the first failed write
    bool committed_ = false;
};

}  // namespace report
