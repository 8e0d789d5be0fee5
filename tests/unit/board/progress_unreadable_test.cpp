// progress_unreadable_test.cpp - an "autosave" the game cannot read (here:
// another user's file) starts a first-start game but is never written over,
// so progress that is only out of reach is not lost.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "unit/screen/game_fixture.h"

namespace {

std::vector<char> file_bytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs in a child process that cannot read "autosave": as root it becomes
// the unprivileged user 65534, otherwise the file's mode shuts it out.
// Exit status 0 when the game started fresh and refused to save.
int play_without_reading_the_save() {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
    if (access("autosave", R_OK) == 0) return 3;
    load_progress();
    if (level != 1 || tutorial_done != 0) return 4;
    level = 3;
    tutorial_done = 1;
    return save_progress() ? 5 : 0;
}

}  // namespace

TEST_F(GameTest, AnUnreadableSaveIsKeptAndNeverWrittenOver) {
    level = 17;
    current_set = tile_set_of_level(17);
    tutorial_done = 1;
    generate_level_layout(17);
    ASSERT_TRUE(save_progress());
    std::vector<char> before = file_bytes("autosave");
    ASSERT_FALSE(before.empty());

    // The directory stays open to everybody, so only the game's own choice
    // can keep the file: a rename over it would be allowed.
    ASSERT_EQ(chmod(".", 0777), 0);
    ASSERT_EQ(chmod("autosave", geteuid() == 0 ? 0600 : 0000), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(play_without_reading_the_save());
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "2: could not drop root, 3: the file was readable, 4: not a first start, "
           "5: the unreadable file was written over";

    chmod("autosave", 0600);
    EXPECT_EQ(file_bytes("autosave"), before);
    EXPECT_NE(access("autosave.tmp", F_OK), 0) << "no temporary file is left behind";

    // Readable again, it is the game it was.
    load_progress();
    EXPECT_EQ(level, 17);
    EXPECT_EQ(tutorial_done, 1);
    level = 18;
    EXPECT_TRUE(save_progress()) << "a readable file is saved as always";
}
