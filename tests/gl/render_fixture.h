// render_fixture.h - a GL context with the game's shader program built and
// the fixed drawing state the game sets at start-up, on a white background.
#pragma once

#include <glad/gl.h>
#include <gtest/gtest.h>

#include "platform/window_metrics.h"
#include "render/font.h"
#include "render/matrix.h"
#include "render/panel.h"
#include "render/primitives.h"
#include "render/shader.h"
#include "render/texture.h"
#include "support/gl_context.h"

class RenderGl : public ::testing::Test {
   protected:
    GlTestContext gl = {};
    static constexpr int WIDTH = 200, HEIGHT = 150;

    void SetUp() override {
        ASSERT_TRUE(create_gl_test_context(&gl, WIDTH, HEIGHT));
        ASSERT_EQ(gl.width, WIDTH);
        ASSERT_EQ(gl.height, HEIGHT);
        min_view_width = min_view_height = 0;  // primitives at 1:1 in a small window
        ASSERT_TRUE(start_game_drawing(gl.width, gl.height));
        clear_white();
    }

    void TearDown() override {
        clear_labels();
        clear_panel_shapes();
        clear_fonts();
        clear_textures();
        delete_shaders();
        destroy_gl_test_context(&gl);
        min_view_width = 540, min_view_height = 960;
    }

    static void clear_white() {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    static float uniform_float(const char* name) {
        float value = -1;
        glGetUniformfv(shader_program_id(), glGetUniformLocation(shader_program_id(), name),
                       &value);
        return value;
    }
    static int uniform_int(const char* name) {
        int value = -1;
        glGetUniformiv(shader_program_id(), glGetUniformLocation(shader_program_id(), name),
                       &value);
        return value;
    }
};

// Channels within a tolerance: blending and filtering round.
inline ::testing::AssertionResult near_rgb(Rgba p, int r, int g, int b, int tolerance = 2) {
    if (abs(p.r - r) <= tolerance && abs(p.g - g) <= tolerance && abs(p.b - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << (int)p.r << ", " << (int)p.g << ", " << (int)p.b << ") is not near ("
           << r << ", " << g << ", " << b << ")";
}
