// gl_context.cpp - window, context, loader and temp directory for GL tests.
#include "support/gl_context.h"

#include <glad/gl.h>
// glad first: GLFW must not pull in the system GL header.
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "render/matrix.h"
#include "render/shader.h"

namespace fs = std::filesystem;

bool enter_temp_work_dir(TempWorkDir* dir, const char* tag) {
    std::error_code error;
    dir->previous = fs::current_path(error).string();
    std::string pattern =
        (fs::temp_directory_path(error) / (std::string("game_") + tag + "_XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        fprintf(stderr, "test: cannot make a temp directory\n");
        return false;
    }
    dir->path = buffer.data();
    fs::current_path(dir->path, error);
    return !error;
}

void leave_temp_work_dir(TempWorkDir* dir) {
    std::error_code error;
    if (!dir->previous.empty()) fs::current_path(dir->previous, error);
    if (!dir->path.empty()) fs::remove_all(dir->path, error);
    dir->path.clear();
}

bool copy_file_to(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::path target(to);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error) fprintf(stderr, "test: cannot copy %s: %s\n", from.c_str(), error.message().c_str());
    return !error;
}

static void report_glfw_error(int code, const char* text) {
    fprintf(stderr, "test: GLFW error %d: %s\n", code, text);
}

bool create_gl_test_context(GlTestContext* context, int width, int height, bool visible) {
    *context = GlTestContext();
    glfwSetErrorCallback(report_glfw_error);
    if (!glfwInit()) return false;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_TRUE);
    context->window = glfwCreateWindow(width, height, "game test", nullptr, nullptr);
    if (!context->window) return false;
    glfwMakeContextCurrent(context->window);
    if (!gladLoadGL(glfwGetProcAddress)) {
        fprintf(stderr, "test: cannot load OpenGL entry points\n");
        return false;
    }
    glfwGetFramebufferSize(context->window, &context->width, &context->height);
    if (!enter_temp_work_dir(&context->dir, "gl")) return false;
    std::string shaders = std::string(GAME_SOURCE_DIR) + "/data/shaders_desktop/";
    return copy_file_to(shaders + "vertex.c", "shaders_desktop/vertex.c") &&
           copy_file_to(shaders + "fragment.c", "shaders_desktop/fragment.c");
}

void destroy_gl_test_context(GlTestContext* context) {
    leave_temp_work_dir(&context->dir);
    if (context->window) {
        glfwDestroyWindow(context->window);
        context->window = nullptr;
    }
}

bool start_game_drawing(int width, int height) {
    reset_matrix_stack();
    load_shaders();
    if (shader_program_id() == 0) {
        fprintf(stderr, "test: the game's shader program did not build\n");
        return false;
    }
    resize_viewport((uint16_t)width, (uint16_t)height);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glActiveTexture(GL_TEXTURE0);
    return true;
}

bool link_from_run_dir(const char* item) {
    fs::path from = fs::path(GAME_RUN_DIR) / item;
    if (!fs::exists(from)) {
        fprintf(stderr, "test: %s is missing: build the assets first\n", from.c_str());
        return false;
    }
    std::error_code error;
    fs::create_symlink(from, item, error);
    if (error) fprintf(stderr, "test: cannot link %s: %s\n", item, error.message().c_str());
    return !error;
}

Rgba read_pixel(int x, int y) {
    int framebuffer_height = 0;
    if (GLFWwindow* window = glfwGetCurrentContext())
        glfwGetFramebufferSize(window, nullptr, &framebuffer_height);
    Rgba pixel = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, framebuffer_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

std::vector<uint8_t> read_framebuffer(int width, int height) {
    std::vector<uint8_t> bottom_up((size_t)width * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    std::vector<uint8_t> top_down(bottom_up.size());
    size_t row = (size_t)width * 4;
    for (int y = 0; y < height; y++)
        std::copy(bottom_up.begin() + (height - 1 - y) * row,
                  bottom_up.begin() + (height - y) * row, top_down.begin() + y * row);
    return top_down;
}
