// matrix.cpp - the model-matrix stack: multiply, translate, scale, push, pop.
//
// Pure arithmetic with no OpenGL, so it can be checked without a window.
// Matrices are 4x4 floats stored row by row (uploaded with transpose set).
// model := model x M, so a multiplied matrix acts on vertices before the
// transforms already in place.
#include "render/matrix.h"

#include <cstdio>
#include <cstring>


struct MatrixStack {
    float model[16];
    float saved[MATRIX_STACK_DEPTH][16];
    uint8_t depth;
    // Pushes refused because the stack was full. Their pops must not
    // restore a level that belongs to an outer caller.
    uint32_t overflow;
    bool overflow_reported;
};

static MatrixStack matrix_stack = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

static void set_identity(float m[16]) {
    memset(m, 0, 16 * sizeof(float));
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void multiply_matrix(const float m[16]) {
    float result[16];
    const float* a = matrix_stack.model;
    for (int i = 0; i < 4; i++) {
        for (int j = 0; j < 4; j++) {
            float sum = 0.0f;
            for (int k = 0; k < 4; k++) sum += a[i * 4 + k] * m[k * 4 + j];
            result[i * 4 + j] = sum;
        }
    }
    memcpy(matrix_stack.model, result, sizeof(result));
}

void translate_matrix(float x, float y) {
    const float t[16] = {1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, 0, 0, 0, 0, 1};
    multiply_matrix(t);
}

void scale_matrix(float sx, float sy) {
    const float s[16] = {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    multiply_matrix(s);
}

void push_matrix() {
    if (matrix_stack.depth >= MATRIX_STACK_DEPTH) {
        if (!matrix_stack.overflow_reported) {
            fprintf(stderr, "render: matrix stack full (%d levels), push ignored\n",
                    MATRIX_STACK_DEPTH);
            matrix_stack.overflow_reported = true;
        }
        matrix_stack.overflow++;
        return;
    }
    memcpy(matrix_stack.saved[matrix_stack.depth], matrix_stack.model, sizeof(matrix_stack.model));
    matrix_stack.depth++;
}

void pop_matrix() {
    if (matrix_stack.overflow > 0) {
        matrix_stack.overflow--;
        return;
    }
    if (matrix_stack.depth == 0) return;
    matrix_stack.depth--;
    memcpy(matrix_stack.model, matrix_stack.saved[matrix_stack.depth], sizeof(matrix_stack.model));
}

void load_identity_matrix() {
    set_identity(matrix_stack.model);
}

const float* current_model_matrix() {
    return matrix_stack.model;
}

uint8_t matrix_stack_depth() {
    return matrix_stack.depth;
}

void reset_matrix_stack() {
    set_identity(matrix_stack.model);
    matrix_stack.depth = 0;
    matrix_stack.overflow = 0;
}
