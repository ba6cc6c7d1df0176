// Files on Windows: a regular file is read and replaced whole; a directory
// or a device at the path counts as absent and is never replaced; leftovers
// of an earlier write do not get in the way; and no temporary stays behind,
// whether the replacement worked or not.
#include "platform/win32/win32_platform.h"

#include "platform/files.h"
#include "support/bmp.h"
#include "win32_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string NEW_BYTES("new best\r\n\x1a\0!",
                            13); // text mode would change these
const std::string OLD_BYTES = "old best";

class Win32Files : public testing::Test {
protected:
    // Everything in the folder, by name.
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder.path)) found.insert(entry.path().filename().string());
        return found;
    }

    int replace(const std::string& bytes)
    {
        platform::FileReplacement file;
        if (!platform::file_replace_open(path.c_str(), &file)) return 0;
        return platform::file_replace_commit(&file, bytes.data(), bytes.size());
    }

    // What the game's own reader reads at a path.
    static std::string contents(const std::string& at)
    {
        char buffer[64];
        const long n = platform::file_read(at.c_str(), buffer, sizeof buffer);
        return n < 0 ? "(nothing)" : std::string(buffer, size_t(n));
    }

    std::string temporary(int n) const
    {
        return path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n) + ".new";
    }

    children::Folder folder{"files"};
    std::string path = folder.path + "\\Best.dat";
};

// Over nothing, past the leftovers of an earlier copy with the same
// process id that was cut short twice; then over the file it made.
TEST_F(Win32Files, AReplacedFileReadsBackWholeAndLeftoversStayOutOfTheWay)
{
    EXPECT_FALSE(platform::file_exists(path.c_str()));
    EXPECT_EQ(platform::file_size(path.c_str()), -1);
    EXPECT_EQ(contents(path), "(nothing)");
    write_file(temporary(0), {'l', 'e', 'f', 't'});
    ASSERT_TRUE(CreateDirectoryA(temporary(1).c_str(), nullptr));
    for (const std::string& bytes : {OLD_BYTES, NEW_BYTES}) {
        ASSERT_EQ(replace(bytes), 1);
        EXPECT_TRUE(platform::file_exists(path.c_str()));
        EXPECT_EQ(platform::file_size(path.c_str()), long(bytes.size()));
        EXPECT_EQ(contents(path), bytes);
        EXPECT_EQ(names().size(), 3u);
    }
    char buffer[4];
    EXPECT_EQ(platform::file_read(path.c_str(), buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "new ");
    EXPECT_EQ(contents(temporary(0)), "left");
    EXPECT_TRUE(fs::is_directory(temporary(1)));
}

TEST_F(Win32Files, ADirectoryOrADeviceCountsAsAbsentAndStays)
{
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    for (const std::string& p : {path, std::string("NUL"), std::string("CON"), std::string("\\\\.\\NUL")}) {
        SCOPED_TRACE(p);
        EXPECT_FALSE(platform::file_exists(p.c_str()));
        EXPECT_EQ(platform::file_size(p.c_str()), -1);
        EXPECT_EQ(contents(p), "(nothing)");
        platform::FileReplacement file;
        EXPECT_EQ(platform::file_replace_open(p.c_str(), &file), 0);
    }
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(names(), std::set<std::string>{"Best.dat"});
}

TEST_F(Win32Files, AFailedReplacementLeavesTheOldFileAndNoTemporary)
{
    ASSERT_EQ(replace(OLD_BYTES), 1);
    // Another program has the file open and lets nobody replace it.
    platform::FileReplacement file;
    ASSERT_EQ(platform::file_replace_open(path.c_str(), &file), 1);
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(platform::file_replace_commit(&file, NEW_BYTES.data(), NEW_BYTES.size()), 0);
    CloseHandle(held);
    EXPECT_EQ(contents(path), OLD_BYTES);
    EXPECT_EQ(names(), std::set<std::string>{"Best.dat"});

    // A directory takes the file's place before the commit.
    ASSERT_EQ(platform::file_replace_open(path.c_str(), &file), 1);
    ASSERT_TRUE(MoveFileA(path.c_str(), (path + ".aside").c_str()));
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_EQ(platform::file_replace_commit(&file, NEW_BYTES.data(), NEW_BYTES.size()), 0);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(names(), (std::set<std::string>{"Best.dat", "Best.dat.aside"}));
}

} // namespace
