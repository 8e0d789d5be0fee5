// shader.cpp - the one shader program, its uniforms, the projection and the
// shared unit square.
//
// Sources are the data files shaders_desktop/vertex.c and fragment.c, read
// at start-up and again when their file time changes. A stage that fails to
// read, compile or link never replaces the one that works: the previous
// program stays in use and the driver's log goes to stderr, so saving a
// fixed file repairs it on the next check.
#include "render/draw.h"

#include <glad/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

uint8_t pixel_scale = 1;
uint16_t logical_width;
uint16_t logical_height;

static const char* const VERTEX_PATH = "shaders_desktop/vertex.c";
static const char* const FRAGMENT_PATH = "shaders_desktop/fragment.c";

struct ShaderProgram {
    GLuint vertex_shader, fragment_shader, program;
    GLint projection_location, model_location, color_location, alpha_location,
        no_texture_location;
    int64_t vertex_time, fragment_time;
    float projection[16];
    GLuint quad_array, quad_buffer;
};

static ShaderProgram shader = {0, 0, 0, -1, -1, -1, -1, -1, 0, 0,
                               {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

bool render_gl_ready() { return GLAD_GL_VERSION_3_3 != 0 && glad_glGenTextures != nullptr; }

uint32_t shader_program_id() { return shader.program; }

const float* current_projection_matrix() { return shader.projection; }

// Reads and compiles one stage. Returns 0 (and says why) when the file is
// missing or the source does not compile. The file time is remembered
// either way so a broken file is reported once, not at every check.
static GLuint compile_shader_file(GLenum type, const char* path, int64_t* file_time) {
    *file_time = platform_file_mtime(path);
    char* source = read_entire_file(path);
    if (!source) {
        fprintf(stderr, "render: cannot read shader source %s\n", path);
        return 0;
    }
    GLuint shader_id = glCreateShader(type);
    const char* text = source;
    glShaderSource(shader_id, 1, &text, nullptr);
    glCompileShader(shader_id);
    free(source);
    GLint ok = 0;
    glGetShaderiv(shader_id, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = "";
        glGetShaderInfoLog(shader_id, sizeof(log), nullptr, log);
        fprintf(stderr, "render: %s does not compile:\n%s\n", path, log);
        glDeleteShader(shader_id);
        return 0;
    }
    return shader_id;
}

static GLuint link_program(GLuint vertex_shader, GLuint fragment_shader) {
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex_shader);
    glAttachShader(program, fragment_shader);
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[2048] = "";
        glGetProgramInfoLog(program, sizeof(log), nullptr, log);
        fprintf(stderr, "render: shader program does not link:\n%s\n", log);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

static void upload_projection() {
    if (shader.program)
        glUniformMatrix4fv(shader.projection_location, 1, GL_TRUE, shader.projection);
}

// Makes a freshly linked program current with the default uniform values.
static void install_program(GLuint program) {
    if (shader.program) glDeleteProgram(shader.program);
    shader.program = program;
    glUseProgram(program);
    shader.projection_location = glGetUniformLocation(program, "projection_matrix");
    shader.model_location = glGetUniformLocation(program, "model_matrix");
    shader.color_location = glGetUniformLocation(program, "color");
    shader.alpha_location = glGetUniformLocation(program, "alpha");
    shader.no_texture_location = glGetUniformLocation(program, "no_texture");
    glUniform3f(shader.color_location, 1.0f, 1.0f, 1.0f);
    glUniform1f(shader.alpha_location, 1.0f);
    glUniform1i(shader.no_texture_location, 0);
    upload_projection();
    upload_model_matrix();
}

// A new stage replaces the old one only when the program links with it.
static void replace_stage(GLuint* stage, GLuint fresh) {
    if (!fresh) return;
    GLuint* other = stage == &shader.vertex_shader ? &shader.fragment_shader : &shader.vertex_shader;
    if (*other) {
        GLuint vertex = stage == &shader.vertex_shader ? fresh : *other;
        GLuint fragment = stage == &shader.vertex_shader ? *other : fresh;
        GLuint program = link_program(vertex, fragment);
        if (!program) {
            glDeleteShader(fresh);
            return;
        }
        install_program(program);
    }
    if (*stage) glDeleteShader(*stage);
    *stage = fresh;
}

static void build_unit_quad() {
    static const float vertices[20] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1, 0, 1, 1};
    glGenVertexArrays(1, &shader.quad_array);
    glBindVertexArray(shader.quad_array);
    glGenBuffers(1, &shader.quad_buffer);
    glBindBuffer(GL_ARRAY_BUFFER, shader.quad_buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices, GL_STATIC_DRAW);
    enable_vertex_layout();
}

void enable_vertex_layout() {
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 20, (const void*)0);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 20, (const void*)12);
}

void load_shaders() {
    replace_stage(&shader.vertex_shader,
                  compile_shader_file(GL_VERTEX_SHADER, VERTEX_PATH, &shader.vertex_time));
    replace_stage(&shader.fragment_shader,
                  compile_shader_file(GL_FRAGMENT_SHADER, FRAGMENT_PATH, &shader.fragment_time));
    if (!shader.program) fprintf(stderr, "render: no working shader program yet\n");
    if (!shader.quad_array) build_unit_quad();
}

static bool file_changed(const char* path, int64_t known_time) {
    int64_t time = platform_file_mtime(path);
    return time != 0 && time != known_time;
}

void reload_changed_shaders() {
    if (file_changed(VERTEX_PATH, shader.vertex_time)) {
        replace_stage(&shader.vertex_shader,
                      compile_shader_file(GL_VERTEX_SHADER, VERTEX_PATH, &shader.vertex_time));
        upload_projection();
    }
    if (file_changed(FRAGMENT_PATH, shader.fragment_time)) {
        replace_stage(&shader.fragment_shader,
                      compile_shader_file(GL_FRAGMENT_SHADER, FRAGMENT_PATH, &shader.fragment_time));
        upload_projection();
    }
}

void delete_shaders() {
    if (shader.quad_buffer) glDeleteBuffers(1, &shader.quad_buffer);
    if (shader.quad_array) glDeleteVertexArrays(1, &shader.quad_array);
    if (shader.program) {
        glUseProgram(0);
        glDeleteProgram(shader.program);
    }
    if (shader.vertex_shader) glDeleteShader(shader.vertex_shader);
    if (shader.fragment_shader) glDeleteShader(shader.fragment_shader);
    shader.quad_buffer = shader.quad_array = 0;
    shader.program = shader.vertex_shader = shader.fragment_shader = 0;
    shader.vertex_time = shader.fragment_time = 0;
    shader.projection_location = shader.model_location = shader.color_location = -1;
    shader.alpha_location = shader.no_texture_location = -1;
}

void resize_viewport(uint16_t width, uint16_t height) {
    glViewport(0, 0, width, height);
    // Minimised: nothing shows, and the last projection stays for later.
    if (width == 0 || height == 0 || pixel_scale == 0) return;
    logical_width = width / pixel_scale;
    logical_height = height / pixel_scale;
    float w = logical_width, h = logical_height;
    const float projection[16] = {2.0f / w, 0, 0,     -1,   0, -2.0f / h, 0, 1,
                                  0,        0, -0.2f, -1.0f, 0, 0,         0, 1};
    memcpy(shader.projection, projection, sizeof(projection));
    upload_projection();
}

void set_draw_color(uint8_t r, uint8_t g, uint8_t b) {
    glUniform3f(shader.color_location, r / 255.0f, g / 255.0f, b / 255.0f);
}

void set_white_color() { glUniform3f(shader.color_location, 1.0f, 1.0f, 1.0f); }

void set_draw_alpha(float alpha) { glUniform1f(shader.alpha_location, alpha); }

void set_no_texture(bool no_texture) { glUniform1i(shader.no_texture_location, no_texture ? 1 : 0); }

void upload_model_matrix() {
    if (shader.program)
        glUniformMatrix4fv(shader.model_location, 1, GL_TRUE, current_model_matrix());
}

void bind_unit_quad() { glBindVertexArray(shader.quad_array); }
