#include <csignal>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "core/files.h"

namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ss_files_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    Zrk_String path(const std::string& name) const { return (folder / name).string(); }
    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

// Lowers the largest file size this process may write, so that a write fails half-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

TEST_F(Files, LinesReadBackAsWritten) {
    const Zrk_StringArray lines{"first", "", "caf\xE9 \xBF sep", "last"};
    ASSERT_TRUE(ObjectExportWriteFile(path("a.txt"), lines));
    Zrk_StringArray read;
    ASSERT_TRUE(ObjectExportReadFile(path("a.txt"), read));
    EXPECT_EQ(read, lines);

    ASSERT_TRUE(writeFileAtomically(path("crlf.txt"), "one\r\ntwo\r\n\r\nthree"));
    ASSERT_TRUE(ObjectExportReadFile(path("crlf.txt"), read));
    EXPECT_EQ(read, (Zrk_StringArray{"one", "two", "", "three"}));

    ASSERT_TRUE(ObjectExportWriteFile(path("empty.txt"), {}));
    ASSERT_TRUE(ObjectExportReadFile(path("empty.txt"), read));
    EXPECT_EQ(read.length(), 0);

    read = Zrk_StringArray{"kept"};
    EXPECT_FALSE(ObjectExportReadFile(path("missing.txt"), read));
    EXPECT_FALSE(ObjectExportReadFile(folder.string(), read));
    EXPECT_EQ(read, Zrk_StringArray{"kept"});
}

TEST_F(Files, AFailedWriteLeavesTheOldFile) {
    const Zrk_StringArray old{"old content"};
    ASSERT_TRUE(ObjectExportWriteFile(path("target.txt"), old));
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(ObjectExportWriteFile(path("target.txt"), Zrk_StringArray{std::string(4096, 'x')}));
    }
    Zrk_StringArray read;
    ASSERT_TRUE(ObjectExportReadFile(path("target.txt"), read));
    EXPECT_EQ(read, old);
    EXPECT_EQ(entriesInFolder(), 1u) << "the temporary file was left behind";

    EXPECT_FALSE(ObjectExportWriteFile(path("no/such/folder/x.txt"), old));
    EXPECT_FALSE(ObjectExportWriteFile(folder.string(), old));
}

// Every failed read or write names the file and the system's reason.
TEST_F(Files, FailuresSayWhichFileAndWhy) {
    Zrk_String message;
    {
        FileSizeLimit limit(16);
        EXPECT_FALSE(writeFileAtomically(path("big.txt"), std::string(4096, 'x'), &message));
    }
    EXPECT_EQ(message, path("big.txt") + " cannot be written: File too large.");
    EXPECT_FALSE(ObjectExportWriteFile(path("no/such/x.txt"), {"a"}, &message));
    EXPECT_EQ(message, path("no/such/x.txt") + " cannot be written: the folder " + path("no/such/") + " does not exist.");
    EXPECT_FALSE(writeFileAtomically(folder.string(), "a", &message));
    EXPECT_EQ(message, folder.string() + " is a folder; it cannot be written as a file.");

    std::string bytes;
    Zrk_StringArray lines;
    EXPECT_FALSE(readFileBytes(path("missing.txt"), bytes, &message));
    EXPECT_EQ(message, path("missing.txt") + ": the file cannot be read: No such file or directory.");
    EXPECT_FALSE(ObjectExportReadFile(folder.string(), lines, &message));
    EXPECT_EQ(message, folder.string() + " is a folder, not a file.");
    Zrk_String found;
    EXPECT_FALSE(readFoundFile(folder.string(), found, bytes, message));
    EXPECT_EQ(message, folder.string() + " is a folder, not a file.");
}

// A save that is killed leaves its temporary file beside the target; the next save of that target
// removes it. A temporary that a running save holds, or one of another file, stays.
TEST_F(Files, TheNextSaveRemovesWhatAKilledSaveLeft) {
    ASSERT_TRUE(writeFileAtomically(path(".plate.kvs.a1B2c3"), "left by a killed save"));
    ASSERT_TRUE(writeFileAtomically(path(".other.kvs.a1B2c3"), "another file's"));
    ASSERT_TRUE(writeFileAtomically(path(".plate.kvs.keep"), "no temporary's name"));
    ASSERT_TRUE(writeFileAtomically(path(".plate.kvs.Zz9Zz9"), "a save in progress"));
    const int running = ::open(path(".plate.kvs.Zz9Zz9").c_str(), O_RDONLY);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    ASSERT_TRUE(writeFileAtomically(path("plate.kvs"), "new"));
    ::close(running);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{".other.kvs.a1B2c3", ".plate.kvs.Zz9Zz9", ".plate.kvs.keep", "plate.kvs"}));
}

// The same with a real save killed while it writes: a process that is saving a large file is killed
// as soon as its temporary file appears (inotify tells).
TEST_F(Files, ASaveKilledWhileItWritesLeavesNothingBehindTheNextSave) {
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        writeFileAtomically(path("big.kvs"), std::string(256u << 20, 'x'));
        ::_exit(0);
    }
    alignas(inotify_event) char events[4096];
    bool created = false;
    while (!created) {
        const ssize_t n = ::read(watch, events, sizeof events);
        ASSERT_GT(n, 0);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            created = created || (event->len > 0 && std::string(event->name).rfind(".big.kvs.", 0) == 0);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    ::kill(saver, SIGKILL);
    int status = 0;
    ::waitpid(saver, &status, 0);
    ::close(watch);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save ended before it was killed";
    EXPECT_EQ(entriesInFolder(), 1u) << "the killed save left its temporary file";
    EXPECT_FALSE(fileExists(path("big.kvs")));

    ASSERT_TRUE(writeFileAtomically(path("big.kvs"), "small"));
    EXPECT_EQ(entriesInFolder(), 1u);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(path("big.kvs"), bytes));
    EXPECT_EQ(bytes, "small");
}

TEST_F(Files, CopyDeleteAndTimes) {
    ASSERT_TRUE(ObjectExportWriteFile(path("a.txt"), {"a"}));
    ASSERT_TRUE(ObjectExportWriteFile(path("b.txt"), {"b"}));
    EXPECT_FALSE(ObjectExportCopyFile(path("a.txt"), path("b.txt"), false));
    ASSERT_TRUE(ObjectExportCopyFile(path("a.txt"), path("b.txt")));
    Zrk_StringArray read;
    ASSERT_TRUE(ObjectExportReadFile(path("b.txt"), read));
    EXPECT_EQ(read, Zrk_StringArray{"a"});
    EXPECT_FALSE(ObjectExportCopyFile(path("missing.txt"), path("c.txt")));

    std::time_t time = 0;
    EXPECT_TRUE(ObjectExportGetFileTime(path("a.txt"), time));
    EXPECT_GT(time, 0);
    EXPECT_FALSE(ObjectExportGetFileTime(path("missing.txt"), time));

    // A rename replaces the target; only letter case may change too.
    ASSERT_TRUE(ObjectExportRenameFile(path("b.txt"), path("A.txt")));
    EXPECT_FALSE(fileExists(path("b.txt")));
    ASSERT_TRUE(ObjectExportRenameFile(path("A.txt"), path("a.txt")));
    ASSERT_TRUE(ObjectExportReadFile(path("a.txt"), read));
    EXPECT_EQ(read, Zrk_StringArray{"a"});
    EXPECT_FALSE(ObjectExportRenameFile(path("missing.txt"), path("d.txt")));
    EXPECT_FALSE(ObjectExportRenameFile(path("a.txt"), folder.string()));

    EXPECT_TRUE(ObjectExportDeleteFile(path("a.txt")));
    EXPECT_FALSE(fileExists(path("a.txt")));
    EXPECT_TRUE(ObjectExportDeleteFile(path("a.txt")));
    EXPECT_FALSE(ObjectExportDeleteFile(folder.string()));
}

TEST_F(Files, FindFilesBelowAFolder) {
    fs::create_directories(folder / "sub" / "deeper");
    for (const char* name : {"b.kvs", "a.KVS", "sub/c.kvs", "sub/deeper/d.kvs", "sub/e.map", "x.kvs.bak"})
        ASSERT_TRUE(ObjectExportWriteFile(path(name), {"x"}));
    Zrk_StringArray found;
    ASSERT_TRUE(ObjectExportFindFilesRecursive(folder.string(), "*.kvs", found));
    EXPECT_EQ(found, (Zrk_StringArray{path("a.KVS"), path("b.kvs"), path("sub/c.kvs"), path("sub/deeper/d.kvs")}));
    ASSERT_TRUE(ObjectExportFindFilesRecursive(folder.string(), "?.map", found));
    EXPECT_EQ(found, Zrk_StringArray{path("sub/e.map")});
    EXPECT_FALSE(ObjectExportFindFilesRecursive(path("missing"), "*", found));

    Zrk_String match;
    EXPECT_TRUE(findFileIgnoringCase(path("A.kvs"), match));
    EXPECT_EQ(match, path("a.KVS"));
    EXPECT_TRUE(findFileIgnoringCase(path("b.kvs"), match));
    EXPECT_EQ(match, path("b.kvs"));
    EXPECT_FALSE(findFileIgnoringCase(path("z.kvs"), match));
}

TEST_F(Files, NamesBeyondAsciiAreUtf8OnDisk) {
    const Zrk_String name = path("Hall\xBF" "Beams \x80.txt"); // module text: 0xBF and the euro sign
    ASSERT_TRUE(ObjectExportWriteFile(name, {"x"}));
    EXPECT_TRUE(fs::exists(folder / "Hall\xC2\xBF" "Beams \xE2\x82\xAC.txt")) << "the disk name is UTF-8";
    EXPECT_TRUE(fileExists(name));
    Zrk_StringArray found;
    ASSERT_TRUE(ObjectExportFindFilesRecursive(folder.string(), "*.txt", found));
    EXPECT_EQ(found, Zrk_StringArray{name});
    Zrk_String match;
    EXPECT_TRUE(findFileIgnoringCase(path("hall\xBF" "beams \x80.TXT"), match));
    EXPECT_EQ(match, name);
    EXPECT_TRUE(ObjectExportCopyFile(name, name + ".copy"));
    EXPECT_TRUE(ObjectExportDeleteFile(name));
    EXPECT_FALSE(fileExists(name));
}

// Inside a look scope each path is looked at once; what this library writes, moves or deletes is
// seen at once, what others change is seen when the outermost scope has ended (or asked fresh).
TEST_F(Files, ALookScopeSeesEachPathOnceAndItsOwnWritesAtOnce) {
    const Zrk_String table = path("Table.txt");
    {
        const core::FileLookScope outer;
        EXPECT_FALSE(fileExists(table));
        Zrk_String found;
        EXPECT_FALSE(findFileIgnoringCase(path("table.txt"), found));
        {
            std::ofstream(table.c_str()) << "made behind the library's back\n";
            const core::FileLookScope inner;
            EXPECT_FALSE(fileExists(table));                        // as first seen
            EXPECT_FALSE(findFileIgnoringCase(path("table.txt"), found)); // the folder as first listed
            EXPECT_TRUE(core::freshPathStatus(table).regularFile);  // asked fresh
            EXPECT_TRUE(fileExists(table));                         // and kept so
        }
        // The inner scope's end forgets nothing; a write through the library forgets everything.
        EXPECT_FALSE(findFileIgnoringCase(path("table.txt"), found));
        ASSERT_TRUE(writeFileAtomically(path("Other.txt"), "x\n"));
        ASSERT_TRUE(findFileIgnoringCase(path("table.txt"), found));
        EXPECT_EQ(found, table);
        const core::PathStatus before = core::pathStatus(table);
        EXPECT_EQ(before.size, 31u);
        ASSERT_TRUE(writeFileAtomically(table, "new\n"));
        EXPECT_EQ(core::pathStatus(table).size, 4u);
        EXPECT_NE(core::pathStatus(table).inode, before.inode); // an atomic save is another file
        ASSERT_TRUE(ObjectExportRenameFile(table, path("Moved.txt")));
        EXPECT_FALSE(fileExists(table));
        EXPECT_TRUE(fileExists(path("Moved.txt")));
        ASSERT_TRUE(ObjectExportDeleteFile(path("Moved.txt")));
        EXPECT_FALSE(fileExists(path("Moved.txt")));
        EXPECT_FALSE(folderExists(path("sub")));
        ASSERT_TRUE(ensureFolder(path("sub")));
        EXPECT_TRUE(folderExists(path("sub")));
        EXPECT_FALSE(fileExists(table)); // moved away: seen so once more
        std::ofstream(table.c_str()) << "again\n";
        EXPECT_FALSE(fileExists(table));
    }
    // Out of every scope each call looks again.
    EXPECT_TRUE(fileExists(table));
    EXPECT_EQ(core::pathStatus(table).size, 6u);
}

TEST(FileNames, PartsOfPaths) {
    EXPECT_EQ(changeExtension("lib/Std/base.kvs", "map"), "lib/Std/base.map");
    EXPECT_EQ(changeExtension("lib/Std/base.kvs", ".map"), "lib/Std/base.map");
    EXPECT_EQ(changeExtension("lib/v1.0/base", "map"), "lib/v1.0/base.map");
    EXPECT_EQ(changeExtension("base.tar.gz", ""), "base.tar");
    EXPECT_EQ(getPath("a/b/c.txt"), "a/b/");
    EXPECT_EQ(getPath("c.txt"), "");
    EXPECT_EQ(getFileName("a/b/c.txt"), "c.txt");
    EXPECT_EQ(getFileName("a/b/c.txt", false), "c");
    EXPECT_EQ(getFileName("a/.hidden", false), ".hidden");
    EXPECT_EQ(getExtension("a.b/c"), "");
    EXPECT_EQ(ensureNoStartBSlash("\\/Sub\\file.kvs"), "Sub\\file.kvs");
    EXPECT_EQ(normalizePath("Connection Standards\\Sub\\a.kvs"), "Connection Standards/Sub/a.kvs");
    EXPECT_EQ(ensureEndSlash("lib"), "lib/");
    EXPECT_EQ(ensureEndSlash("lib/"), "lib/");
    EXPECT_FALSE(hasInvalidFileNameChars("End plate 2 (v1)"));
    for (const char* bad : {"a/b", "a\\b", "a:b", "a*", "a?", "\"a\"", "<a>", "a|b", "a\tb"})
        EXPECT_TRUE(hasInvalidFileNameChars(bad)) << bad;
}

// Every byte of a file comes back, whether its size is known (a large file, one with NUL bytes) or
// not (a file the system reports as empty, such as those of /proc, or a pipe).
TEST_F(Files, ReadingGivesEveryByte) {
    std::string large(3 * 1024 * 1024 + 7, 'x');
    for (std::size_t i = 0; i < large.size(); i += 4093)
        large[i] = static_cast<char>(i % 251);
    ASSERT_TRUE(writeFileAtomically(path("large.bin"), large));
    std::string bytes = "left over";
    ASSERT_TRUE(readFileBytes(path("large.bin"), bytes));
    EXPECT_EQ(bytes, large);
    ASSERT_TRUE(writeFileAtomically(path("empty.txt"), ""));
    ASSERT_TRUE(readFileBytes(path("empty.txt"), bytes));
    EXPECT_EQ(bytes, "");

    ASSERT_TRUE(readFileBytes("/proc/self/status", bytes));
    EXPECT_NE(bytes.find("Name:"), std::string::npos) << bytes;

    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        const int fd = ::open(path("pipe").c_str(), O_WRONLY);
        const std::string text = "through a pipe\n";
        const bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::_exit(written ? 0 : 1);
    }
    ASSERT_TRUE(readFileBytes(path("pipe"), bytes));
    int status = 0;
    ::waitpid(writer, &status, 0);
    EXPECT_EQ(bytes, "through a pipe\n");
}
