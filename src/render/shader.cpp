// shader.cpp - the one shader program, its uniforms, the projection and the
// shared unit square.
//
// Sources are the data files shaders_desktop/vertex.c and fragment.c, read
// at start-up and again when their file time changes. A stage that fails to
// read, compile or link never replaces the one that works: the previous
// program stays in use and the driver's log goes to stderr, so saving a
// fixed file repairs it on the next check.
#include "render/shader.h"

#include <glad/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/window_metrics.h"
#include "render/matrix.h"

// One stage's source file. time is the file time of the source now in use;
// after a failure it stays behind, and the file is tried again once its
// time or size differs from the failed read's (an editor may finish writing
// within the same second), never while it stays as it was.
struct ShaderStage {
    GLenum type;
    const char* path;
    GLuint shader;
    int64_t time;
    int64_t failed_time;
    int64_t failed_size;
    bool failed;
};

struct ShaderProgram {
    ShaderStage vertex, fragment;
    GLuint program;
    GLint projection_location, model_location, color_location, alpha_location, no_texture_location;
    float projection[16];
    GLuint quad_array, quad_buffer;
};

// Uniform locations and the projection are filled in by the first build
// and the first resize; until then there is no program to upload to.
static ShaderProgram shader = {{GL_VERTEX_SHADER, "shaders_desktop/vertex.c"},
                               {GL_FRAGMENT_SHADER, "shaders_desktop/fragment.c"}};

bool render_gl_ready() {
    return GLAD_GL_VERSION_3_3 != 0 && glad_glGenTextures != nullptr;
}

uint32_t shader_program_id() {
    return shader.program;
}

const float* current_projection_matrix() {
    return shader.projection;
}

// Reads and compiles one stage's file; 0 when missing or not compiling.
static GLuint compile_stage_file(const ShaderStage* stage, bool quiet) {
    char* source = read_entire_file(stage->path);
    if (!source) {
        if (!quiet) fprintf(stderr, "render: cannot read shader source %s\n", stage->path);
        return 0;
    }
    GLuint shader_id = glCreateShader(stage->type);
    // A browser's GL wants its own version line: it stands in for the
    // file's, and the rest of the file follows unchanged.
    const char* prologue = platform_shader_prologue();
    const char* body = source;
    if (prologue && strncmp(body, "#version", 8) == 0) body += strcspn(body, "\n");
    const char* parts[2] = {prologue ? prologue : "", body};
    glShaderSource(shader_id, 2, parts, nullptr);
    glCompileShader(shader_id);
    free(source);
    GLint ok = 0;
    glGetShaderiv(shader_id, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        if (!quiet) {
            char log[2048] = "";
            glGetShaderInfoLog(shader_id, sizeof(log), nullptr, log);
            fprintf(stderr, "render: %s does not compile:\n%s\n", stage->path, log);
        }
        glDeleteShader(shader_id);
        return 0;
    }
    return shader_id;
}

// Links a program; on failure keeps the driver's log in log (if given).
static GLuint link_program(GLuint vertex_shader, GLuint fragment_shader, char* log, int log_size) {
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex_shader);
    glAttachShader(program, fragment_shader);
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glGetProgramInfoLog(program, log_size, nullptr, log);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

static bool projection_flipped;

static void upload_projection() {
    if (!shader.program) return;
    float m[16];
    memcpy(m, shader.projection, sizeof m);
    if (projection_flipped)
        for (int k = 4; k < 8; k++) m[k] = -m[k];
    glUniformMatrix4fv(shader.projection_location, 1, GL_TRUE, m);
}

void flip_projection(bool flipped) {
    projection_flipped = flipped;
    upload_projection();
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

// Re-reads the chosen stages and installs the newest pair that links: both
// new sources, else one new source with the other stage as it was. A stage
// whose new source is not used keeps its old shader and is retried later.
static void rebuild_program(bool load_vertex, bool load_fragment) {
    ShaderStage* stages[2] = {&shader.vertex, &shader.fragment};
    bool load[2] = {load_vertex, load_fragment};
    GLuint fresh[2] = {0, 0};
    int64_t time[2] = {0, 0};
    bool seen[2] = {false, false};  // this very file already failed: stay quiet
    for (int i = 0; i < 2; i++) {
        if (!load[i]) continue;
        time[i] = platform_file_mtime(stages[i]->path);
        seen[i] = stages[i]->failed && time[i] == stages[i]->failed_time;
        fresh[i] = compile_stage_file(stages[i], seen[i]);
    }
    if (!fresh[0] && !fresh[1]) {
        for (int i = 0; i < 2; i++) {
            if (!load[i]) continue;
            stages[i]->failed = true;
            stages[i]->failed_time = time[i];
            stages[i]->failed_size = platform_file_size(stages[i]->path);
        }
        return;
    }

    const GLuint current[2] = {shader.vertex.shader, shader.fragment.shader};
    const GLuint pairs[3][2] = {
        {fresh[0], fresh[1]}, {fresh[0], current[1]}, {current[0], fresh[1]}};
    bool used[2] = {false, false};
    bool tried = false;
    char log[2048] = "";
    for (const GLuint* pair : pairs) {
        bool has_fresh = (fresh[0] && pair[0] == fresh[0]) || (fresh[1] && pair[1] == fresh[1]);
        if (!pair[0] || !pair[1] || !has_fresh) continue;
        tried = true;
        GLuint program = link_program(pair[0], pair[1], log, sizeof(log));
        if (!program) continue;
        install_program(program);
        for (int i = 0; i < 2; i++) used[i] = fresh[i] && pair[i] == fresh[i];
        break;
    }
    if (!tried) {
        // The other stage has never compiled: keep this one until it does.
        for (int i = 0; i < 2; i++) used[i] = fresh[i] != 0;
    }
    for (int i = 0; i < 2; i++) {
        if (fresh[i] && !used[i] && !seen[i])
            fprintf(stderr, "render: %s does not link into the shader program:\n%s\n",
                    stages[i]->path, log);
        if (used[i]) {
            if (stages[i]->shader) glDeleteShader(stages[i]->shader);
            stages[i]->shader = fresh[i];
            stages[i]->time = time[i];
            stages[i]->failed = false;
        } else if (load[i]) {
            if (fresh[i]) glDeleteShader(fresh[i]);
            stages[i]->failed = true;
            stages[i]->failed_time = time[i];
            stages[i]->failed_size = platform_file_size(stages[i]->path);
        }
    }
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
    rebuild_program(true, true);
    if (!shader.program) fprintf(stderr, "render: no working shader program yet\n");
    if (!shader.quad_array) build_unit_quad();
}

static bool stage_changed(const ShaderStage* stage) {
    int64_t time = platform_file_mtime(stage->path);
    if (time == 0 || time == stage->time) return false;
    return !stage->failed || time != stage->failed_time ||
           platform_file_size(stage->path) != stage->failed_size;
}

bool reload_changed_shaders() {
    bool vertex = stage_changed(&shader.vertex), fragment = stage_changed(&shader.fragment);
    if (!vertex && !fragment) return false;
    // A stage that waited for its partner is tried again with it.
    rebuild_program(vertex || shader.vertex.failed, fragment || shader.fragment.failed);
    upload_projection();
    return true;
}

void delete_shaders() {
    if (shader.quad_buffer) glDeleteBuffers(1, &shader.quad_buffer);
    if (shader.quad_array) glDeleteVertexArrays(1, &shader.quad_array);
    if (shader.program) {
        glUseProgram(0);
        glDeleteProgram(shader.program);
    }
    ShaderStage* stages[2] = {&shader.vertex, &shader.fragment};
    for (ShaderStage* stage : stages) {
        if (stage->shader) glDeleteShader(stage->shader);
        stage->shader = 0;
        stage->time = stage->failed_time = 0;
        stage->failed = false;
    }
    shader.quad_buffer = shader.quad_array = 0;
    shader.program = 0;
    shader.projection_location = shader.model_location = shader.color_location = -1;
    shader.alpha_location = shader.no_texture_location = -1;
}

void resize_viewport(uint16_t width, uint16_t height) {
    glViewport(0, 0, width, height);
    // Minimised: nothing shows, and the last projection stays for later.
    if (!fit_window(width, height)) return;
    float w = logical_width, h = logical_height;
    const float projection[16] = {2.0f / w, 0, 0,     -1,    0, -2.0f / h, 0, 1,
                                  0,        0, -0.2f, -1.0f, 0, 0,         0, 1};
    memcpy(shader.projection, projection, sizeof(projection));
    upload_projection();
}

void set_draw_color(uint8_t r, uint8_t g, uint8_t b) {
    glUniform3f(shader.color_location, r / 255.0f, g / 255.0f, b / 255.0f);
}

void set_white_color() {
    glUniform3f(shader.color_location, 1.0f, 1.0f, 1.0f);
}

void set_draw_alpha(float alpha) {
    glUniform1f(shader.alpha_location, alpha);
}

void set_no_texture(bool no_texture) {
    glUniform1i(shader.no_texture_location, no_texture ? 1 : 0);
}

void upload_model_matrix() {
    if (shader.program)
        glUniformMatrix4fv(shader.model_location, 1, GL_TRUE, current_model_matrix());
}

void bind_unit_quad() {
    glBindVertexArray(shader.quad_array);
}
