#include "record/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace go {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "gohall-fileio-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    void WriteText(const std::string& name, const std::string& text) const { std::ofstream(PathOf(name)) << text; }
    std::string ReadText(const std::string& name) const {
        std::ifstream in(PathOf(name));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Files in the folder, to see that nothing temporary is left behind.
    size_t EntryCount() const { return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), {})); }

    fs::path m_dir;
};

const std::vector<uint8_t> kBytes = {'n', 'e', 'w', 0, 1, 2};

TEST_F(FileIo, WriteThenReadRoundTrips) {
    const FileWriteResult written = WriteFileAtomically(PathOf("game.go"), kBytes);
    ASSERT_TRUE(written.written) << written.detail;
    const FileReadResult read = ReadWholeFile(PathOf("game.go"), 1024);
    ASSERT_TRUE(read.ok()) << read.detail;
    EXPECT_EQ(read.bytes, kBytes);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileIo, OverwriteReplacesTheContentAndKeepsThePermissions) {
    WriteText("game.go", "old content that is longer");
    ::chmod(PathOf("game.go").c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(PathOf("game.go"), kBytes).written);
    EXPECT_EQ(ReadWholeFile(PathOf("game.go"), 1024).bytes, kBytes);
    struct stat info {};
    ASSERT_EQ(::stat(PathOf("game.go").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(FileIo, FailedWriteLeavesTheOldFileIntact) {
    WriteText("game.go", "the previous game");
    // Limit the size of any file this process writes, so that the write itself fails (this works
    // for root too, unlike permissions).
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ::sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteResult written = WriteFileAtomically(PathOf("game.go"), kBytes);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(written.written);
    EXPECT_NE(written.detail.find("write"), std::string::npos) << written.detail;
    EXPECT_EQ(ReadText("game.go"), "the previous game");
    EXPECT_EQ(EntryCount(), 1u) << "the temporary file is removed";
}

TEST_F(FileIo, WriteFailuresAreReported) {
    const FileWriteResult noFolder = WriteFileAtomically(PathOf("missing/game.go"), kBytes);
    EXPECT_FALSE(noFolder.written);
    EXPECT_NE(noFolder.detail.find("create"), std::string::npos) << noFolder.detail;

    fs::create_directory(PathOf("folder.go"));
    const FileWriteResult ontoFolder = WriteFileAtomically(PathOf("folder.go"), kBytes);
    EXPECT_FALSE(ontoFolder.written);
    EXPECT_TRUE(fs::is_directory(PathOf("folder.go")));
    EXPECT_EQ(EntryCount(), 1u);

    EXPECT_FALSE(WriteFileAtomically(m_dir.string() + "/", kBytes).written) << "no file name";
}

TEST_F(FileIo, ReadFailuresAreTyped) {
    EXPECT_EQ(ReadWholeFile(PathOf("absent.go"), 1024).error, FileReadError::CannotOpen);
    EXPECT_EQ(ReadWholeFile(m_dir.string(), 1024).error, FileReadError::CannotRead);
    WriteText("big.go", std::string(2000, 'x'));
    EXPECT_EQ(ReadWholeFile(PathOf("big.go"), 1999).error, FileReadError::TooLarge);
    EXPECT_TRUE(ReadWholeFile(PathOf("big.go"), 2000).ok());
    WriteText("empty.go", "");
    const FileReadResult empty = ReadWholeFile(PathOf("empty.go"), 10);
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.bytes.empty());
}

}  // namespace
}  // namespace go
