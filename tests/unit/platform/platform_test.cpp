// platform_test.cpp - the operating-system verbs: executable directory,
// file times, calendar time, sleep, the mutex, the file helpers and where
// the game's own files are written. Built for Linux and for Windows (run
// under Wine there).
#include "platform/platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
const char SEPARATOR = '\\';
#else
const char SEPARATOR = '/';
#endif

// The running program's full path, found without the code under test.
std::string this_program() {
#if defined(_WIN32)
    return _pgmptr ? _pgmptr : "";
#else
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return "";
    return std::string(self, (size_t)length);
#endif
}

struct PlatformFiles : ::testing::Test {
    std::string dir;
    void SetUp() override {
        fs::path base = fs::temp_directory_path();
        for (unsigned i = 0; dir.empty() && i < 1000; i++) {
            fs::path candidate = base / ("platform_test." + std::to_string((unsigned)time(nullptr)) +
                                         "." + std::to_string(rand()) + std::to_string(i));
            if (fs::create_directory(candidate)) dir = candidate.string();
        }
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(dir, error);
        EXPECT_FALSE(error) << error.message();
    }
    std::string path(const char* name) const { return dir + SEPARATOR + name; }
    void write(const char* name, const std::string& bytes) const {
        FILE* f = fopen(path(name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    std::string read(const char* name) const {
        size_t length = 0;
        char* buffer = read_entire_file(path(name).c_str(), &length);
        if (!buffer) return "(missing)";
        std::string bytes(buffer, length);
        free(buffer);
        return bytes;
    }
};

TEST(PlatformExecutableDir, NamesTheDirectoryHoldingThisProgram) {
    char dir[4096];
    ASSERT_TRUE(platform_executable_dir(dir, sizeof dir));
    size_t n = strlen(dir);
    ASSERT_GT(n, 0u);
    EXPECT_TRUE(fs::path(dir).is_absolute()) << dir;
    if (n > 1) {
        EXPECT_NE(dir[n - 1], SEPARATOR);
    }

    std::string program = this_program();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.substr(0, n), std::string(dir));
    EXPECT_EQ(program[n], SEPARATOR);
    EXPECT_EQ(program.find(SEPARATOR, n + 1), std::string::npos);  // nothing deeper
}

TEST(PlatformExecutableDir, TooSmallBufferFailsWithoutWritingPastIt) {
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(platform_executable_dir(buffer, 4));
    for (int i = 4; i < 8; i++) EXPECT_EQ(buffer[i], 'x');
    EXPECT_FALSE(platform_executable_dir(buffer, 0));
}

// Started from another working directory, the program still finds its own.
TEST(PlatformExecutableDir, FoundFromElsewhereAndChangingIntoItWorks) {
    fs::path old_dir = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    char dir[4096];
    ASSERT_TRUE(platform_executable_dir(dir, sizeof dir));
    EXPECT_TRUE(fs::equivalent(fs::path(dir), fs::path(this_program()).parent_path()));
    ASSERT_TRUE(platform_change_dir(dir));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), fs::path(dir)));
    EXPECT_FALSE(platform_change_dir("/no/such/directory/here"));
    fs::current_path(old_dir);
}

TEST_F(PlatformFiles, ModificationTimeInWholeSecondsOrZeroAndSizeOrMinusOne) {
    write("f", "xyz");
    utimbuf times = {1234567890, 1234567890};
    ASSERT_EQ(utime(path("f").c_str(), &times), 0);
    EXPECT_EQ(platform_file_mtime(path("f").c_str()), 1234567890);
    EXPECT_EQ(platform_file_mtime(path("missing").c_str()), 0);
    EXPECT_EQ(platform_file_size(path("f").c_str()), 3);
    EXPECT_EQ(platform_file_size(path("missing").c_str()), -1);
}

// Every reload notices an edit by this time changing.
TEST_F(PlatformFiles, ModificationTimeMovesOnAfterAWrite) {
    write("f", "old");
    utimbuf times = {1000000000, 1000000000};
    ASSERT_EQ(utime(path("f").c_str(), &times), 0);
    ASSERT_EQ(platform_file_mtime(path("f").c_str()), 1000000000);
    int64_t before = platform_calendar_time();
    write("f", "new");
    int64_t after = platform_file_mtime(path("f").c_str());
    EXPECT_GE(after, before - 2);  // file systems may round to 2 s
    EXPECT_LE(after, platform_calendar_time() + 2);
}

TEST(PlatformClock, CalendarTimeIsNow) {
    int64_t before = (int64_t)time(nullptr);
    int64_t t = platform_calendar_time();
    int64_t after = (int64_t)time(nullptr);
    EXPECT_GE(t, before);
    EXPECT_LE(t, after);
}

TEST(PlatformClock, SleepReturnsAndTheClockNeverGoesBack) {
    platform_start_clock();
    double start = platform_now();
    EXPECT_GE(start, 0.0);
    platform_sleep_us(0);
    platform_sleep_us(-5);
    platform_sleep_us(1000);
    double end = platform_now();
    EXPECT_GE(end - start, 0.001);  // asleep at least as long as asked
    double previous = end;
    for (int i = 0; i < 100000; i++) {
        double now = platform_now();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

// A pacing sleep lasts what it asks for; a busy machine may only add to it.
TEST(PlatformClock, SleepLastsTheTimeAskedFor) {
    platform_start_clock();
    double start = platform_now();
    platform_sleep_us(20000);
    double slept = platform_now() - start;
    EXPECT_GE(slept, 0.0195);
    EXPECT_LT(slept, 2.0);
}

TEST(PlatformMutex, SerialisesTwoThreads) {
    PlatformMutex m;
    platform_mutex_init(&m);
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 100000; i++) {
            platform_mutex_lock(&m);
            counter++;
            platform_mutex_unlock(&m);
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    platform_mutex_destroy(&m);
    EXPECT_EQ(counter, 200000);
}

TEST_F(PlatformFiles, ReadEntireFileIsWholeAndNulTerminated) {
    std::string bytes("ab\0cd", 5);
    write("data", bytes);
    size_t length = 0;
    char* buffer = read_entire_file(path("data").c_str(), &length);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(std::string(buffer, length), bytes);
    EXPECT_EQ(buffer[5], '\0');
    free(buffer);

    buffer = read_entire_file(path("data").c_str());  // the length is optional
    ASSERT_NE(buffer, nullptr);
    free(buffer);
}

TEST_F(PlatformFiles, ReadEntireFileOfEmptyAndMissingFiles) {
    write("empty", "");
    size_t length = 99;
    char* buffer = read_entire_file(path("empty").c_str(), &length);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(buffer[0], '\0');
    free(buffer);

    length = 99;
    EXPECT_EQ(read_entire_file(path("missing").c_str(), &length), nullptr);
    EXPECT_EQ(length, 99u);
}

// An empty font name in config.txt makes the path "fonts/": a directory
// must read as missing, not as a file of absurd length.
TEST_F(PlatformFiles, ReadEntireFileRefusesADirectory) {
    ASSERT_TRUE(platform_make_dir(path("folder").c_str()));
    EXPECT_EQ(read_entire_file(path("folder").c_str()), nullptr);
    EXPECT_EQ(read_entire_file((path("folder") + "/").c_str()), nullptr);
}

TEST_F(PlatformFiles, ReplaceFileSwapsContentsInPlace) {
    write("new", "fresh");
    write("target", "stale");
    ASSERT_TRUE(platform_replace_file(path("new").c_str(), path("target").c_str()));
    char* buffer = read_entire_file(path("target").c_str());
    ASSERT_NE(buffer, nullptr);
    EXPECT_STREQ(buffer, "fresh");
    free(buffer);
    EXPECT_EQ(platform_file_mtime(path("new").c_str()), 0);  // gone

    write("second", "first write");
    EXPECT_TRUE(platform_replace_file(path("second").c_str(), path("absent").c_str()));
    EXPECT_FALSE(platform_replace_file(path("second").c_str(), path("absent").c_str()));
}

// The saved game is written beside its old version and moved over it: at
// every moment the file exists, and whatever a reader gets is one of the
// two whole. (Windows refuses to open a file while it is being moved, and
// to move over one that is open: either side then tries again.)
TEST_F(PlatformFiles, ReplacingAnExistingFileLeavesTheOldOrTheNewNeverNeither) {
    const std::string versions[2] = {std::string(3000, 'a'), std::string(5000, 'b')};
    write("autosave", versions[0]);
    std::atomic<bool> done{false};
    int replaced = 0;
    std::thread writer([&] {
        for (int i = 0; i < 200; i++) {
            const std::string& next = versions[(i + 1) % 2];
            FILE* f = fopen(path("autosave.tmp").c_str(), "wb");
            if (!f) continue;
            fwrite(next.data(), 1, next.size(), f);
            bool synced = platform_sync_file(f);
            fclose(f);
            bool moved = false;
            for (int tries = 0; synced && !moved && tries < 10000; tries++) {
                moved = platform_replace_file(path("autosave.tmp").c_str(), path("autosave").c_str());
                if (!moved) std::this_thread::yield();
            }
            replaced += moved;
        }
        done = true;
    });
    int looks = 0, missing = 0, torn = 0;
    std::string seen;
    while (!done || looks == 0) {
        looks++;
        if (platform_file_size(path("autosave").c_str()) < 0) {
            missing++;
            continue;
        }
        size_t length = 0;
        char* buffer = read_entire_file(path("autosave").c_str(), &length);
        if (!buffer) continue;  // held by the move
        std::string now(buffer, length);
        free(buffer);
        if (now != versions[0] && now != versions[1]) {
            torn++;
            seen = now.substr(0, 20) + " (" + std::to_string(now.size()) + " bytes)";
        }
    }
    writer.join();
    EXPECT_EQ(replaced, 200);
    EXPECT_EQ(missing, 0) << "of " << looks << " looks";
    EXPECT_EQ(torn, 0) << "of " << looks << " looks; one read " << seen;
    EXPECT_EQ(platform_file_mtime(path("autosave.tmp").c_str()), 0);
}

TEST_F(PlatformFiles, SyncFileFlushesWrittenData) {
    FILE* f = fopen(path("synced").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fputs("kept", f);
    EXPECT_TRUE(platform_sync_file(f));
    char* buffer = read_entire_file(path("synced").c_str());  // before fclose
    ASSERT_NE(buffer, nullptr);
    EXPECT_STREQ(buffer, "kept");
    free(buffer);
    fclose(f);
}

TEST_F(PlatformFiles, MakeDirIsTrueWhenTheDirectoryExistsAfterwards) {
    EXPECT_TRUE(platform_make_dir(path("tmp").c_str()));
    EXPECT_TRUE(platform_make_dir(path("tmp").c_str()));
    struct stat st;
    ASSERT_EQ(stat(path("tmp").c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    write("plain", "x");
    EXPECT_FALSE(platform_make_dir(path("plain").c_str()));
    EXPECT_FALSE(platform_make_dir(path("no/such/parent").c_str()));
}

// Modes, the shell and the XDG variables: the POSIX side of the fallback.
#if !defined(_WIN32)
// Root writes into a mode-555 directory, so only a real attempt tells.
TEST_F(PlatformFiles, DirWritableTriesAProbeAndLeavesNothing) {
    EXPECT_TRUE(platform_dir_writable(dir.c_str()));
    EXPECT_FALSE(platform_dir_writable(path("missing").c_str()));
    ASSERT_TRUE(platform_make_dir(path("locked").c_str()));
    ASSERT_EQ(chmod(path("locked").c_str(), 0555), 0);
    EXPECT_EQ(platform_dir_writable(path("locked").c_str()), geteuid() == 0);
    ASSERT_EQ(chmod(path("locked").c_str(), 0755), 0);
    EXPECT_EQ(system(("test -z \"$(ls -A '" + dir + "/locked')\"").c_str()), 0);
    EXPECT_EQ(system(("test \"$(ls -A '" + dir + "')\" = locked").c_str()), 0);
}

struct WritableDir : PlatformFiles {
    std::string old_home, old_data;
    void SetUp() override {
        PlatformFiles::SetUp();
        old_home = getenv("HOME") ? getenv("HOME") : "";
        old_data = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    }
    void TearDown() override {
        setenv("HOME", old_home.c_str(), 1);
        setenv("XDG_DATA_HOME", old_data.c_str(), 1);
        if (old_data.empty()) unsetenv("XDG_DATA_HOME");
        choose_writable_dir(".");
        PlatformFiles::TearDown();
    }
    std::string chosen(const char* name) const {
        char out[1024];
        return writable_path(out, sizeof out, name) ? out : "(does not fit)";
    }
};

// A writable game directory keeps the files beside the game as today; a
// read-only one sends them to the user's data folder, made on demand.
TEST_F(WritableDir, UserDataFolderOnlyWhenTheGameDirectoryIsReadOnly) {
    setenv("HOME", path("home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    choose_writable_dir(dir.c_str());
    EXPECT_EQ(chosen("autosave"), "autosave");
    EXPECT_EQ(chosen("tmp/font.a.1"), "tmp/font.a.1");
    EXPECT_EQ(platform_file_mtime(path("home").c_str()), 0);

    std::string unwritable = path("missing");
    choose_writable_dir(unwritable.c_str());
    EXPECT_EQ(chosen("autosave"), path("home") + "/.local/share/game/autosave");
    struct stat st;
    EXPECT_EQ(stat(path("home/.local/share/game").c_str(), &st), 0);

    setenv("XDG_DATA_HOME", path("data").c_str(), 1);
    choose_writable_dir(unwritable.c_str());
    EXPECT_EQ(chosen("tmp"), path("data") + "/game/tmp");
    setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored
    choose_writable_dir(unwritable.c_str());
    EXPECT_EQ(chosen("autosave"), path("home") + "/.local/share/game/autosave");

    char small[8];
    EXPECT_FALSE(writable_path(small, sizeof small, "autosave"));
}
#endif

}  // namespace
