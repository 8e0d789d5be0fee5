// live_reload_leak_gl_test.cpp - the live reloads and the panels, repeated
// many times in a real context, keep every pool and the number of live GL
// objects flat. GL objects are counted by asking the driver which names
// exist, so a texture, buffer, vertex array or the board layer's
// framebuffer that a reload forgets to delete shows up even when no pool
// counts it.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gl/screen_fixture.h"
#include "render/layer.h"
#include "render/panel.h"
#include "render/shader.h"
#include "screen/game_state.h"
#include "ui/overlays.h"
#include "ui/popups.h"

namespace {

namespace fs = std::filesystem;

struct LiveObjects {
    int textures, buffers, vertex_arrays, programs, shaders, framebuffers, renderbuffers;
    int texture_records, fonts, labels, shapes;
};

// Every name up to a little past the next free one is asked about.
template <typename Generate, typename Remove, typename Is>
int count_live(Generate generate, Remove remove, Is is) {
    GLuint probe = 0;
    generate(1, &probe);
    remove(1, &probe);
    int live = 0;
    for (GLuint name = 1; name < probe + 256; name++) live += is(name) ? 1 : 0;
    return live;
}

int count_live_programs_and_shaders(bool programs) {
    // Programs and shaders share one name space and have no generator: a
    // new shader object shows where the names have got to.
    GLuint probe = glCreateShader(GL_VERTEX_SHADER);
    glDeleteShader(probe);
    int live = 0;
    for (GLuint name = 1; name < probe + 256; name++)
        live += (programs ? glIsProgram(name) : glIsShader(name)) ? 1 : 0;
    return live;
}

LiveObjects live_objects() {
    LiveObjects o;
    o.textures = count_live(glGenTextures, glDeleteTextures, glIsTexture);
    o.buffers = count_live(glGenBuffers, glDeleteBuffers, glIsBuffer);
    o.vertex_arrays = count_live(glGenVertexArrays, glDeleteVertexArrays, glIsVertexArray);
    o.framebuffers = count_live(glGenFramebuffers, glDeleteFramebuffers, glIsFramebuffer);
    o.renderbuffers = count_live(glGenRenderbuffers, glDeleteRenderbuffers, glIsRenderbuffer);
    o.programs = count_live_programs_and_shaders(true);
    o.shaders = count_live_programs_and_shaders(false);
    o.texture_records = texture_count;
    o.fonts = font_count;
    o.labels = label_count();
    o.shapes = panel_shape_count();
    return o;
}

void expect_same(const LiveObjects& a, const LiveObjects& b, int round) {
    EXPECT_EQ(a.textures, b.textures) << "GL textures after round " << round;
    EXPECT_EQ(a.buffers, b.buffers) << "GL buffers after round " << round;
    EXPECT_EQ(a.vertex_arrays, b.vertex_arrays) << "GL vertex arrays after round " << round;
    EXPECT_EQ(a.framebuffers, b.framebuffers) << "GL framebuffers after round " << round;
    EXPECT_EQ(a.renderbuffers, b.renderbuffers) << "GL renderbuffers after round " << round;
    EXPECT_EQ(a.programs, b.programs) << "GL programs after round " << round;
    EXPECT_EQ(a.shaders, b.shaders) << "GL shaders after round " << round;
    EXPECT_EQ(a.texture_records, b.texture_records) << "texture records after round " << round;
    EXPECT_EQ(a.fonts, b.fonts) << "fonts after round " << round;
    EXPECT_EQ(a.labels, b.labels) << "labels after round " << round;
    EXPECT_EQ(a.shapes, b.shapes) << "panel shapes after round " << round;
}

std::string read_text(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes the file and gives it a modification time of its own, whole
// seconds apart from every earlier round, as the change checks need.
void write_changed(const char* path, const std::string& text, int round) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1) +
                                  std::chrono::seconds(2 * round));
}

std::string with_bg_color(const std::string& config, const char* value) {
    std::string out;
    std::istringstream in(config);
    std::string line;
    bool done = false;
    while (std::getline(in, line)) {
        if (!done && line.rfind("bg_color =", 0) == 0) {
            line = std::string("bg_color = ") + value;
            done = true;
        }
        out += line + "\n";
    }
    return out;
}

}  // namespace

class LiveReloadLeak : public ScreenGl {
   protected:
    std::string config, fragment;

    void SetUp() override {
        ScreenGl::SetUp();
        if (HasFatalFailure()) return;
        config = read_text("config.txt");
        fragment = read_text("shaders_desktop/fragment.c");
        ASSERT_FALSE(config.empty());
        ASSERT_FALSE(fragment.empty());
    }

    // One of everything that rebuilds GPU objects while the game runs.
    void round(int k) {
        write_changed("config.txt",
                      with_bg_color(config, k % 2 ? "200, 180, 140" : "254, 235, 193"), k);
        reload_changed_config();
        write_changed("shaders_desktop/fragment.c",
                      fragment + "\n// round " + std::to_string(k) + "\n", k);
        reload_changed_shaders();
        ASSERT_NE(shader_program_id(), 0u) << "a comment broke the shader in round " << k;
        // Every picture as if its file had changed.
        for (Texture* t = texture_list; t; t = t->next)
            if (!t->not_a_file) t->file_time = 0;
        reload_changed_images();
        invalidate_layer();  // as the loop does after a reload

        // The menu with its progress panel (which loads and frees pictures),
        // then the settings over the board.
        open_menu_panel();
        open_progress_panel();
        frames_for(1.0f);
        draw_frame();
        close_progress_panel();
        close_menu_panel();
        open_overlay(OVERLAY_SETTINGS_POPUP);
        frames_for(0.5f);
        draw_frame();
        close_overlay(OVERLAY_SETTINGS_POPUP);
        frames_for(0.5f);
        draw_frame();
        glFinish();
    }
};

TEST_F(LiveReloadLeak, ReloadsAndPanelsKeepPoolsAndLiveGlObjectsFlat) {
    go_to_level(10);  // the largest board: 9 x 10 pictures on screen
    round(1);         // first use creates what later rounds only replace
    LiveObjects before = live_objects();
    ASSERT_GT(before.textures, 30) << "the tile set, fonts and panel image are textures";
    ASSERT_GT(before.buffers, 0);
    ASSERT_GT(before.vertex_arrays, 0);
    ASSERT_EQ(before.framebuffers, 1) << "the board layer";
    for (int k = 2; k <= 12; k++) {
        round(k);
        if (HasFatalFailure()) return;
        if (k % 4 == 0) expect_same(before, live_objects(), k);
    }
    expect_same(before, live_objects(), 12);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}
