// config_file_test.cpp - reading config.txt from the working directory and
// the live re-read that follows its modification time.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/config.h"

namespace {

int reloads;
int32_t value_during_reload;
int32_t value;
void on_reload() {
    reloads++;
    value_during_reload = value;
}

// Runs each test inside a fresh directory of its own.
struct ConfigFile : ::testing::Test {
    char old_dir[4096];
    std::string dir;

    void SetUp() override {
        ASSERT_NE(getcwd(old_dir, sizeof old_dir), nullptr);
        char pattern[] = "/tmp/config_file_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_EQ(chdir(dir.c_str()), 0);
        clear_config_registry();
        config_mtime = 0;
        value = 0;
        reloads = 0;
        register_int32("value", &value);
        register_reload_callback(on_reload);
    }
    void TearDown() override {
        clear_config_registry();
        unlink("config.txt");
        EXPECT_EQ(chdir(old_dir), 0);
        rmdir(dir.c_str());
    }

    // Writes config.txt and gives it the modification time `when`.
    void write_config(const std::string& text, time_t when) {
        FILE* f = fopen("config.txt", "wb");
        ASSERT_NE(f, nullptr);
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
        utimbuf times = {when, when};
        ASSERT_EQ(utime("config.txt", &times), 0);
    }
};

TEST_F(ConfigFile, FirstReadAppliesTheFileWithoutCallbacks) {
    write_config("value = 5\n", 1000000);
    load_config();
    EXPECT_EQ(value, 5);
    EXPECT_EQ(config_mtime, 1000000);
    EXPECT_EQ(reloads, 0);
}

TEST_F(ConfigFile, MissingFileChangesNothing) {
    value = 9;
    config_mtime = 123;
    load_config();
    EXPECT_EQ(value, 9);
    EXPECT_EQ(config_mtime, 123);

    reload_changed_config();
    EXPECT_EQ(value, 9);
    EXPECT_EQ(reloads, 0);
}

TEST_F(ConfigFile, ReReadOnlyWhenTheTimeChanges) {
    write_config("value = 1\n", 1000000);
    load_config();

    // Same second: the edit waits until the time changes.
    write_config("value = 2\n", 1000000);
    reload_changed_config();
    EXPECT_EQ(value, 1);
    EXPECT_EQ(reloads, 0);

    write_config("value = 3\n", 1000001);
    reload_changed_config();
    EXPECT_EQ(value, 3);
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(value_during_reload, 3);  // callbacks see the whole new file
    EXPECT_FALSE(config_reloading);
    EXPECT_EQ(config_mtime, 1000001);

    reload_changed_config();  // nothing new
    EXPECT_EQ(reloads, 1);
}

TEST_F(ConfigFile, ReReadAppliesOnTopOfCurrentValues) {
    int32_t other = 0;
    register_int32("other", &other);
    write_config("value = 1\nother = 1\n", 1000000);
    load_config();

    write_config("value = 2\n", 1000005);
    reload_changed_config();
    EXPECT_EQ(value, 2);
    EXPECT_EQ(other, 1);  // its line was removed; it keeps what it had
}

TEST_F(ConfigFile, DeletingTheFileWhileRunningChangesNothing) {
    write_config("value = 4\n", 1000000);
    load_config();
    unlink("config.txt");
    reload_changed_config();
    EXPECT_EQ(value, 4);
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(config_mtime, 1000000);
}

}  // namespace
