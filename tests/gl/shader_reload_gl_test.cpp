// The shader program's live reload: an edited source is picked up, a
// broken or missing one never replaces the program that works.
#include <filesystem>
#include <fstream>
#include <string>

#include "render_fixture.h"

namespace fs = std::filesystem;

namespace {

void write_text(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::trunc);
    out << text;
}

// Moves the file's time forward so the reload check sees a change at once.
void touch_forward(const char* path, int seconds) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
}

const char* const GREEN_FRAGMENT = R"(#version 330 core
in vec2 uv;
uniform sampler2D image;
uniform vec3 color;
uniform float alpha;
uniform int no_texture;
out vec4 out_color;
void main() { out_color = vec4(0.0, 1.0, 0.0, 1.0); }
)";

TEST_F(RenderGl, EditedFragmentSourceIsPickedUp) {
    reload_changed_shaders();  // nothing changed yet
    draw_rect(0, 0, 20, 20, 255, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 255, 0, 0, 0));

    write_text("shaders_desktop/fragment.c", GREEN_FRAGMENT);
    touch_forward("shaders_desktop/fragment.c", 2);
    reload_changed_shaders();
    draw_rect(0, 0, 20, 20, 255, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 0, 255, 0, 0));
    // The new program got the projection too: a rect lands where it should.
    draw_rect(150, 100, 10, 10, 0, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(155, 105), 0, 255, 0, 0));
    EXPECT_TRUE(near_rgb(read_pixel(145, 105), 255, 255, 255, 0));
}

TEST_F(RenderGl, BrokenFragmentSourceKeepsTheWorkingProgram) {
    uint32_t program = shader_program_id();
    write_text("shaders_desktop/fragment.c", "#version 330 core\nvoid main() { oops }\n");
    touch_forward("shaders_desktop/fragment.c", 2);
    testing::internal::CaptureStderr();
    reload_changed_shaders();
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("fragment.c"), std::string::npos);
    EXPECT_EQ(shader_program_id(), program);
    draw_rect(0, 0, 20, 20, 255, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 255, 0, 0, 0));

    // Reported once, not at every check.
    testing::internal::CaptureStderr();
    reload_changed_shaders();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(RenderGl, SourcesThatDoNotLinkKeepTheWorkingProgram) {
    uint32_t program = shader_program_id();
    // Compiles alone, but a stage without main cannot link.
    write_text("shaders_desktop/fragment.c",
               "#version 330 core\nout vec4 c;\nvoid helper() { c = vec4(1.0); }\n");
    touch_forward("shaders_desktop/fragment.c", 2);
    testing::internal::CaptureStderr();
    reload_changed_shaders();
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("link"), std::string::npos);
    EXPECT_EQ(shader_program_id(), program);
    draw_rect(0, 0, 20, 20, 0, 0, 255, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 0, 0, 255, 0));
}

TEST_F(RenderGl, FixSavedInTheSameSecondAsTheBreakageIsPickedUp) {
    std::string good;
    {
        std::ifstream in("shaders_desktop/fragment.c");
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
    auto stamp = fs::last_write_time("shaders_desktop/fragment.c") + std::chrono::seconds(4);
    write_text("shaders_desktop/fragment.c", "#version 330 core\nvoid main() { half written");
    fs::last_write_time("shaders_desktop/fragment.c", stamp);
    testing::internal::CaptureStderr();
    reload_changed_shaders();
    EXPECT_FALSE(reload_changed_shaders()) << "a broken file is read again only once it changes";
    testing::internal::GetCapturedStderr();

    write_text("shaders_desktop/fragment.c", GREEN_FRAGMENT);
    fs::last_write_time("shaders_desktop/fragment.c", stamp);  // file times are whole seconds
    reload_changed_shaders();
    draw_rect(0, 0, 20, 20, 255, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 0, 255, 0, 0));
}

TEST_F(RenderGl, StagesThatOnlyLinkTogetherAreTakenWhenBothArrive) {
    // The vertex stage changes the type of what it hands on; the old
    // fragment stage cannot link with it, so the old program stays.
    const char* vertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texcoord;
uniform mat4 projection_matrix;
uniform mat4 model_matrix;
out vec3 uv;
void main() {
    uv = vec3(texcoord, 1.0);
    gl_Position = projection_matrix * model_matrix * vec4(position, 1.0);
}
)";
    const char* fragment = R"(#version 330 core
in vec3 uv;
uniform vec3 color;
uniform float alpha;
out vec4 out_color;
void main() { out_color = vec4(color.bgr, alpha * uv.z); }
)";
    uint32_t program = shader_program_id();
    write_text("shaders_desktop/vertex.c", vertex);
    touch_forward("shaders_desktop/vertex.c", 2);
    testing::internal::CaptureStderr();
    reload_changed_shaders();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("link"), std::string::npos);
    EXPECT_EQ(shader_program_id(), program);

    write_text("shaders_desktop/fragment.c", fragment);
    touch_forward("shaders_desktop/fragment.c", 2);
    reload_changed_shaders();
    EXPECT_NE(shader_program_id(), program);
    draw_rect(0, 0, 20, 20, 255, 0, 0, 255);  // red through .bgr reads blue
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 0, 0, 255, 0));
}

TEST_F(RenderGl, MissingSourceAtStartIsReportedAndRepairedLater) {
    delete_shaders();
    std::string vertex_text;
    {
        std::ifstream in("shaders_desktop/vertex.c");
        vertex_text.assign(std::istreambuf_iterator<char>(in), {});
    }
    fs::remove("shaders_desktop/vertex.c");
    testing::internal::CaptureStderr();
    load_shaders();
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("vertex.c"), std::string::npos);
    EXPECT_EQ(shader_program_id(), 0u);
    draw_rect(0, 0, 20, 20, 0, 0, 0, 255);  // no program: nothing, and no crash
    reload_changed_shaders();               // still missing: nothing to do

    write_text("shaders_desktop/vertex.c", vertex_text);
    reload_changed_shaders();
    ASSERT_NE(shader_program_id(), 0u);
    resize_viewport(WIDTH, HEIGHT);
    clear_white();
    draw_rect(0, 0, 20, 20, 0, 0, 0, 255);
    EXPECT_TRUE(near_rgb(read_pixel(10, 10), 0, 0, 0, 0));
}

}  // namespace
