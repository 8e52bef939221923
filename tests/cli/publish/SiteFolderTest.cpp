// The site folder of publish: the user's files kept through a republish, the
// modes of the umask, nothing left behind by an interrupted or killed
// publish, and the old site put back when the swap fails half-way.
#include "MapToolFixture.h"
#include "cli/CommandErrors.h"
#include "cli/atlas/FolderSwap.h"
#include "core/tiles/TileSet.h"

#include <QProcess>

#include <gmock/gmock.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

class SiteFolderTest : public MapToolTest {
protected:
    // The hidden names in the scratch folder, where the site's new and old
    // folders are made.
    std::set<std::string> HiddenBeside() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(PathOf(""))) {
            if (entry.path().filename().string().starts_with(".")) {
                names.insert(entry.path().filename().string());
            }
        }
        return names;
    }

    std::string PublishOne(const std::string& name, const std::string& site) const {
        const RunResult result =
            Run({"publish", Q(WriteMap(name + ".map", MapGrid(), Dungeon)), Q(site)});
        EXPECT_EQ(result.Status, kExitSuccess) << result.Err;
        return result.Err;
    }

    static mode_t ModeOf(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }
};

TEST_F(SiteFolderTest, KeepsTheUsersFilesWhenPublishingAgain) {
    const std::string site = PathOf("site");
    const struct {
        const char* Path;
        const char* Text;
    } userFiles[] = {
        {".git/HEAD", "ref: refs/heads/pages\n"},
        {"CNAME", "maps.example.org\n"},
        {"maps/notes.txt", "the keep is unfinished"},
        {"maps/extra/plan.html", "<p>mine</p>"},
    };
    // A marker that lists what publish wrote, and one of an older version
    // that lists nothing.
    for (const bool listed : {true, false}) {
        SCOPED_TRACE(listed ? "listed" : "old marker");
        fs::remove_all(site);
        PublishOne("first", site);
        if (!listed) {
            WriteText("site/.velmora-atlas", "A web atlas written by velmora-map publish.\n");
        }
        for (const auto& file : userFiles) {
            fs::create_directories(
                fs::path(PathOf("site/" + std::string(file.Path))).parent_path());
            WriteText("site/" + std::string(file.Path), file.Text);
        }
        fs::create_directory(site + "/.git/refs");
        fs::permissions(site + "/.git/refs", fs::perms(0750));
        fs::create_symlink("index.html", site + "/home");

        PublishOne("second", site);
        for (const auto& file : userFiles) {
            EXPECT_EQ(ReadText(site + "/" + file.Path), file.Text) << file.Path;
        }
        EXPECT_EQ(ModeOf(site + "/.git/refs"), 0750);
        EXPECT_EQ(fs::read_symlink(site + "/home"), "index.html");
        EXPECT_FALSE(fs::exists(site + "/maps/first.html"));
        EXPECT_TRUE(fs::exists(site + "/maps/second.html"));
        const std::string marker = ReadText(site + "/.velmora-atlas");
        EXPECT_THAT(marker, HasSubstr("\nmaps/second.html\n"));
        EXPECT_THAT(marker, HasSubstr("\n.velmora-atlas\n"));
        EXPECT_THAT(marker, testing::Not(HasSubstr("CNAME")));
        EXPECT_EQ(HiddenBeside(), std::set<std::string>{});
    }

    // A file of the user's where publish now writes one is never replaced.
    WriteText("site/maps/third.html", "my own page");
    const RunResult refused =
        Run({"publish", Q(WriteMap("third.map", MapGrid(), Dungeon)), Q(site)});
    EXPECT_EQ(refused.Status, kExitTrouble);
    EXPECT_THAT(refused.Err, HasSubstr(site + "/maps/third.html: is not a file that velmora-map "
                                              "published, and the site now has maps/third.html"));
    EXPECT_EQ(ReadText(site + "/maps/third.html"), "my own page");
    EXPECT_TRUE(fs::exists(site + "/maps/second.html"));
    EXPECT_EQ(HiddenBeside(), std::set<std::string>{});
}

TEST_F(SiteFolderTest, GivesTheSiteTheModesOfTheUmask) {
    const mode_t previous = ::umask(002);
    PublishOne("castle", PathOf("new"));
    fs::create_directory(PathOf("existing"));
    fs::permissions(PathOf("existing"), fs::perms(0711));
    PublishOne("castle", PathOf("existing"));
    ::umask(previous);

    for (const char* folder : {"new", "new/maps", "new/leaflet/images", "existing/maps"}) {
        EXPECT_EQ(ModeOf(PathOf(folder)), 0775) << folder;
    }
    for (const char* file :
         {"new/index.html", "new/maps/castle.js", "new/leaflet/leaflet.js", "new/.velmora-atlas"}) {
        EXPECT_EQ(ModeOf(PathOf(file)), 0664) << file;
    }
    EXPECT_EQ(ModeOf(PathOf("existing")), 0711);
}

TEST_F(SiteFolderTest, NamesTheFileOfTheNewFolderThatFailed) {
    // The page's name is one letter too long for the file system.
    const std::string name(251, 'n');
    const RunResult result =
        Run({"publish", Q(WriteMap(name + ".map", MapGrid(), Dungeon)), Q(PathOf("site"))});
    EXPECT_EQ(result.Status, kExitTrouble);
    EXPECT_THAT(result.Err, testing::MatchesRegex(".*/\\.site\\.new-[A-Za-z0-9]{6}/maps/" + name +
                                                  "\\.html: Invalid filename\n"));
    EXPECT_FALSE(fs::exists(PathOf("site")));
}

// The built program is stopped while it builds the new folder: SIGINT and
// SIGTERM leave nothing behind; after SIGKILL the next publish removes it.
TEST_F(SiteFolderTest, LeavesNothingBehindWhenStopped) {
    const std::string site = PathOf("site");
    PublishOne("first", site);
    WriteText("site/CNAME", "maps.example.org\n");
    const std::string index = ReadText(site + "/index.html");
    QStringList arguments{"publish"};
    MapGrid noise;
    for (int i = 0; i < kMapCellCount; ++i) {
        noise.Cells()[i] = i * 7 - 3'000'000;
    }
    for (int i = 0; i < 4; ++i) {
        arguments << Q(WriteMap("noise" + std::to_string(i) + ".map", noise, Dungeon));
    }
    arguments << Q(site);

    for (const int signal : {SIGTERM, SIGINT, SIGKILL}) {
        SCOPED_TRACE(signal);
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment());
        process.start(QStringLiteral(VELMORA_MAP_EXECUTABLE), arguments);
        ASSERT_TRUE(process.waitForStarted());
        // Stopped once its new folder has its marker, as the program
        // makes it right after the folder.
        std::set<std::string> hidden;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while ((hidden = HiddenBeside()).empty() ||
               !fs::exists(PathOf(*hidden.begin() + "/.velmora-atlas"))) {
            ASSERT_LT(std::chrono::steady_clock::now(), giveUp);
            ASSERT_EQ(process.state(), QProcess::Running) << process.readAllStandardError().data();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(60'000));
        if (signal == SIGKILL) {
            EXPECT_EQ(HiddenBeside(), hidden);
            PublishOne("first", site);
        } else {
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process.exitCode(), 128 + signal);
        }
        EXPECT_EQ(HiddenBeside(), std::set<std::string>{});
        EXPECT_EQ(ReadText(site + "/index.html"), index);
        EXPECT_EQ(ReadText(site + "/CNAME"), "maps.example.org\n");
    }
}

// Hidden folders beside the site go only when a killed publish left them:
// marked as a site, and not locked by a publish still building them.
TEST_F(SiteFolderTest, RemovesOnlyTheFoldersOfKilledPublishes) {
    const struct {
        const char* Name;
        bool Marked;
        bool Locked;
        bool Removed;
    } cases[] = {
        {".site.new-aaaaaa", true, false, true},   {".site.old-bbbbbb", true, false, true},
        {".site.new-cccccc", true, true, false},   {".site.new-dddddd", false, false, false},
        {".other.new-eeeeee", true, false, false}, {".site.new-ffff", true, false, false},
    };
    std::vector<int> locks;
    for (const auto& c : cases) {
        fs::create_directory(PathOf(c.Name));
        WriteText(std::string(c.Name) + "/index.html", "old");
        if (c.Marked) {
            WriteText(std::string(c.Name) + "/.velmora-atlas", "");
        }
        if (c.Locked) {
            locks.push_back(::open(PathOf(c.Name).c_str(), O_RDONLY | O_DIRECTORY));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
    }
    PublishOne("castle", PathOf("site"));
    for (const auto& c : cases) {
        EXPECT_EQ(fs::exists(PathOf(c.Name)), !c.Removed) << c.Name;
    }
    for (const int lock : locks) {
        ::close(lock);
    }
}

// Without an exchange of folders, the old site is moved aside before the new
// one takes its name, and put back when that second rename fails.
TEST_F(SiteFolderTest, PutsTheOldSiteBackWhenTheSwapFails) {
    for (const bool secondRenameFails : {true, false}) {
        SCOPED_TRACE(secondRenameFails);
        const fs::path built = PathOf("built");
        const fs::path target = PathOf("site");
        fs::create_directories(built);
        fs::create_directories(target);
        WriteText("built/index.html", "new");
        WriteText("site/index.html", "old");
        const FolderRenames renames{
            [](const char*, const char*) {
                errno = EINVAL;
                return -1;
            },
            [&](const char* from, const char* to) {
                if (secondRenameFails && from == built.string()) {
                    errno = EIO;
                    return -1;
                }
                return ::rename(from, to);
            },
        };
        if (secondRenameFails) {
            try {
                PutInPlace(built, target, renames);
                ADD_FAILURE() << "no error";
            } catch (const FileError& error) {
                EXPECT_EQ(error.File(), target.string());
                EXPECT_STREQ(error.what(), "I/O error 5");
            }
            EXPECT_EQ(ReadText((target / "index.html").string()), "old");
            EXPECT_EQ(ReadText((built / "index.html").string()), "new");
            EXPECT_EQ(HiddenBeside(), std::set<std::string>{});
        } else {
            const fs::path old = PutInPlace(built, target, renames);
            EXPECT_EQ(ReadText((target / "index.html").string()), "new");
            EXPECT_EQ(ReadText((old / "index.html").string()), "old");
            EXPECT_TRUE(IsHiddenFolderName(target, old.filename().string()));
            fs::remove_all(old);
        }
        fs::remove_all(built);
        fs::remove_all(target);
    }
}

}  // namespace
}  // namespace velmora
