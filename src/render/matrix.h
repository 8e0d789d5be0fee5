// matrix.h - the model-matrix stack every drawing places itself with:
// primitives are drawn relative to whatever the caller pushed (push /
// translate / scale / draw / pop).
#pragma once

#include <cstdint>

enum { MATRIX_STACK_DEPTH = 8 };

// Model matrix: model := model x M. Matrices are 4x4, row by row.
void multiply_matrix(const float m[16]);
void translate_matrix(float x, float y);  // multiply_matrix(T(x, y))
void scale_matrix(float sx, float sy);    // multiply_matrix(S(sx, sy))
void push_matrix();
void pop_matrix();
void load_identity_matrix();
const float* current_model_matrix();
uint8_t matrix_stack_depth();
void reset_matrix_stack();  // identity, empty stack
