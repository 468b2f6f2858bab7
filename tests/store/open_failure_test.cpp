// The advice for a catalogue that cannot be opened fits the cause.
#include <cerrno>
#include <cstring>

#include "catalogue_fixture.h"
#include "store/open_failure.h"

namespace {

using xbase::Status;

class OpenFailureTest : public CatalogueTest {};

TEST_F(OpenFailureTest, TheAdviceFitsTheCause) {
    const std::string table = File("hfdat.dat"), index = File("Index1.cdx");
    const auto denied = [](int error) {
        return std::string("cannot open: ") + std::strerror(error);
    };
    const struct {
        Status status;
        std::string advice;   // in the message
        std::string refused;  // advice that does not fit: not in the message
    } cases[] = {
        {Status::IOError(table, denied(EROFS)), "is read-only", "backup"},
        {Status::IOError(index, denied(EROFS)), "is read-only", "Delete"},
        {Status::IOError(index, denied(EACCES)), "may not be written", "Delete"},
        {Status::IOError(File("hfdat.fpt"), denied(EPERM)), "may not be written", "backup"},
        {Status::Corruption(index, "bad page"), "Delete ", "read-only"},
        {Status::Corruption(table, "bad header"), "is damaged", "read-only"},
        {Status::NotFound(table, "no such file"), "is missing", "read-only"},
        {Status::Locked(table, "locked"), "in use by another program", "backup"},
    };
    for (const auto& c : cases) {
        const std::string message = OpenFailureMessage(c.status, folder());
        EXPECT_NE(message.find(c.advice), std::string::npos) << message;
        EXPECT_EQ(message.find(c.refused), std::string::npos) << message;
    }

    // A catalogue on a disk that is mounted read-only.
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    const std::optional<std::string> opened = testutil::InOwnMount(folder(), 0, [&] {
        std::unique_ptr<Catalogue> catalogue;
        const Status status = Catalogue::Open(folder(), &catalogue);
        return status.ok() ? std::string("opened") : OpenFailureMessage(status, folder());
    });
    if (!opened)
        GTEST_SKIP() << "no mounts on this machine";
    EXPECT_NE(opened->find(folder() + " is read-only"), std::string::npos) << *opened;
    EXPECT_EQ(opened->find("backup"), std::string::npos) << *opened;
}

}  // namespace
