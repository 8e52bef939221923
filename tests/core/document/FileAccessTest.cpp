// The file wrappers under real faults: missing files and folders, folders
// as targets, a full device, and saves that must never destroy the old file.
#include "core/document/FileAccess.h"

#include "core/UserError.h"
#include "tests/support/WholeFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

class FileAccess : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmora-files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    static void Put(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path folder;
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UserError& error) {
        return error.what();
    }
    return "no error";
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST_F(FileAccess, OpeningReportsWhatIsWrongWithThePath) {
    EXPECT_EQ(ErrorOf([&] { InputFile{PathOf("absent.map")}; }), "File not found");
    EXPECT_EQ(ErrorOf([&] { InputFile{PathOf("no-folder/absent.map")}; }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { InputFile{""}; }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { InputFile{folder.string()}; }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { InputFile{std::string(5000, 'a')}; }), "Invalid filename");
}

TEST_F(FileAccess, APipeWithoutWriterIsRefusedInsteadOfBlocking) {
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { InputFile{pipe}; }), "File access denied");
}

// A command-line program reads maps from FIFOs and pipes: the open waits for
// the writer, and the length is known only once the data has ended.
TEST_F(FileAccess, AFifoIsReadWhenPipesAreAllowed) {
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] { Put(pipe, "abc"); });
    InputFile file(pipe, InputKinds::FilesAndPipes);
    std::array<std::uint8_t, 8> buffer{};
    std::size_t total = 0;
    while (const std::size_t n = file.Read(std::span(buffer).subspan(total))) {
        total += n;
    }
    writer.join();
    EXPECT_EQ(total, 3u);
    EXPECT_EQ(file.Size(), std::nullopt);
    EXPECT_EQ(file.ReadError(), std::nullopt);
}

// A read that fails is not the end of the file: the data ends the same way,
// but the error is kept for the caller to report.
TEST_F(FileAccess, AReadErrorIsToldApartFromTheEndOfTheFile) {
    InputFile file("/proc/self/mem");  // reading its first page fails with EIO
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_EQ(file.Read(buffer), 0u);
    EXPECT_EQ(file.ReadError(), "I/O error 5");
}

TEST_F(FileAccess, ReadingGivesTheFilesBytesAndThenNothing) {
    const std::string path = PathOf("short.map");
    Put(path, "abcdefgh");
    InputFile file(path);
    std::array<std::uint8_t, 5> buffer{};
    EXPECT_EQ(file.Read(buffer), 5u);
    EXPECT_EQ(buffer[4], 'e');
    EXPECT_EQ(file.Read(buffer), 3u);
    EXPECT_EQ(file.Read(buffer), 0u);
}

TEST_F(FileAccess, TooManyOpenFilesIsNamed) {
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    const std::string path = PathOf("any.map");
    Put(path, "x");
    std::vector<int> held;
    rlimit tight = old;
    tight.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    int fd;
    while ((fd = ::open("/dev/null", O_RDONLY)) >= 0) {
        held.push_back(fd);
    }
    const std::string error = ErrorOf([&] { InputFile{path}; });
    for (const int h : held) {
        ::close(h);
    }
    ::setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(error, "Too many open files");
}

TEST_F(FileAccess, ASavedFileReplacesTheOldOneAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("map.map");
    Put(path, "old contents");
    ::chmod(path.c_str(), 0640);
    SafeFileWriter writer(path);
    writer.Write(Bytes("new"));
    writer.Commit();
    EXPECT_EQ(testing_files::ReadWholeText(path), "new");
    EXPECT_THAT(FolderEntries(), testing::ElementsAre("map.map"));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Saves through symbolic links: each case makes folders, files and links in
// the scratch folder, saves "new" to the path given, and then expects the
// file that must have received it, the links still links, and no temporary
// file anywhere.
TEST_F(FileAccess, SavingThroughALinkWritesTheLinksTargetAndKeepsTheLink) {
    struct LinkCase {
        const char* What;
        std::vector<std::pair<const char*, const char*>> Links;  // link -> target as written
        const char* SavedTo;
        const char* Written;  // the plain file that holds the new contents afterwards
    };
    const LinkCase cases[] = {
        {"a link to a map in another folder",
         {{"map.map", "real/map.map"}},
         "map.map",
         "real/map.map"},
        {"a chain of links",
         {{"a.map", "b.map"}, {"b.map", "real/map.map"}},
         "a.map",
         "real/map.map"},
        {"a link naming its target relative to its own folder",
         {{"real/here.map", "../real/map.map"}},
         "real/here.map",
         "real/map.map"},
        {"a link that points nowhere", {{"new.map", "real/made.map"}}, "new.map", "real/made.map"},
        {"a folder reached through a link", {{"linked", "real"}}, "linked/map.map", "real/map.map"},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove_all(folder);
        fs::create_directories(folder / "real");
        Put(PathOf("real/map.map"), "old contents");
        ::chmod(PathOf("real/map.map").c_str(), 0640);
        for (const auto& [link, target] : c.Links) {
            fs::create_symlink(target, folder / link);
        }

        SafeFileWriter writer(PathOf(c.SavedTo));
        writer.Write(Bytes("new"));
        writer.Commit();

        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / c.Written)));
        EXPECT_EQ(testing_files::ReadWholeText(PathOf(c.Written)), "new");
        EXPECT_EQ(testing_files::ReadWholeText(PathOf(c.SavedTo)), "new");
        for (const auto& [link, target] : c.Links) {
            EXPECT_TRUE(fs::is_symlink(folder / link)) << link;
            EXPECT_EQ(fs::read_symlink(folder / link), target) << link;
        }
        if (std::string(c.Written) == "real/map.map") {
            struct stat st {};
            ::stat(PathOf(c.Written).c_str(), &st);
            EXPECT_EQ(st.st_mode & 0777, 0640u) << "the target keeps its permissions";
        }
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        }
    }
}

TEST_F(FileAccess, ALinkThatCannotBeFollowedIsRefusedAndNothingIsWritten) {
    fs::create_symlink("loop-b.map", folder / "loop-a.map");
    fs::create_symlink("loop-a.map", folder / "loop-b.map");
    fs::create_symlink("missing/map.map", folder / "nowhere.map");
    EXPECT_EQ(ErrorOf([&] { SafeFileWriter writer(PathOf("loop-a.map")); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { SafeFileWriter writer(PathOf("nowhere.map")); }), "Invalid filename");
    EXPECT_THAT(FolderEntries(),
                testing::UnorderedElementsAre("loop-a.map", "loop-b.map", "nowhere.map"));
}

TEST_F(FileAccess, ASaveThatIsNeverCommittedLeavesTheOldFileUntouched) {
    const std::string path = PathOf("map.map");
    Put(path, "old contents");
    {
        SafeFileWriter writer(path);
        writer.Write(Bytes("half of the new"));
    }
    EXPECT_EQ(testing_files::ReadWholeText(path), "old contents");
    EXPECT_THAT(FolderEntries(), testing::ElementsAre("map.map"));
}

TEST_F(FileAccess, ASaveRemovesTemporaryFilesThatKilledSavesLeftBehind) {
    const std::string path = PathOf("map.map");
    const std::string stale = PathOf(".map.map.ab12CD");
    const std::string fresh = PathOf(".map.map.zz99YY");
    const std::string other = PathOf(".other.map.ab12CD");
    for (const std::string& leftover : {stale, fresh, other}) {
        Put(leftover, "half a map");
    }
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(stale, hourAgo);
    fs::last_write_time(other, hourAgo);
    SafeFileWriter writer(path);
    writer.Write(Bytes("new"));
    writer.Commit();
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh));  // may belong to a save still under way
    EXPECT_TRUE(fs::exists(other));  // belongs to another file
}

TEST_F(FileAccess, CreatingReportsWhatIsWrongWithTheTarget) {
    EXPECT_EQ(ErrorOf([&] { SafeFileWriter{PathOf("no-folder/x.map")}; }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { SafeFileWriter{folder.string()}; }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { SafeFileWriter{""}; }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { SafeFileWriter{PathOf(std::string(300, 'n'))}; }), "Invalid filename");
}

TEST_F(FileAccess, AFullDeviceReportsDiskFull) {
    ASSERT_TRUE(fs::exists("/dev/full"));
    EXPECT_EQ(ErrorOf([&] {
                  SafeFileWriter writer("/dev/full");
                  writer.Write(Bytes(std::string(8192, 'x')));
                  writer.Commit();
              }),
              "Disk full");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(FileAccess, AWriteFailingPartWayRemovesTheTemporaryFileAndKeepsTheOldOne) {
    const std::string path = PathOf("map.map");
    Put(path, "old contents");
    // A file size limit makes the write fail after the first bytes.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 1024;
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tight);
    const std::string error = ErrorOf([&] {
        SafeFileWriter writer(path);
        writer.Write(Bytes(std::string(1 << 20, 'x')));
        writer.Commit();
    });
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, previous);
    EXPECT_EQ(error, "I/O error 27");
    EXPECT_EQ(testing_files::ReadWholeText(path), "old contents");
    EXPECT_THAT(FolderEntries(), testing::ElementsAre("map.map"));
}

TEST(FileErrorTexts, OtherFailuresCarryTheSystemErrorNumber) {
    EXPECT_EQ(FileErrorText(EIO, FileAction::Write, "x"), "I/O error 5");
    EXPECT_EQ(FileErrorText(ENOSPC, FileAction::Write, "x"), "Disk full");
    EXPECT_EQ(FileErrorText(EACCES, FileAction::Open, "x"), "File access denied");
    EXPECT_EQ(FileErrorText(EMFILE, FileAction::Create, "x"), "Too many open files");
}

}  // namespace
}  // namespace velmora
