// Model-matrix stack: multiplication order, push and pop limits.
#include <gtest/gtest.h>

#include "render/matrix.h"

namespace {

// Applies the current model matrix to a point (x, y, 0, 1).
void transform(float x, float y, float* out_x, float* out_y) {
    const float* m = current_model_matrix();
    *out_x = m[0] * x + m[1] * y + m[3];
    *out_y = m[4] * x + m[5] * y + m[7];
}

class MatrixStack : public ::testing::Test {
   protected:
    void SetUp() override { reset_matrix_stack(); }
    void TearDown() override { reset_matrix_stack(); }
};

TEST_F(MatrixStack, LaterMultipliesActFirstOnVertices) {
    translate_matrix(10, 20);
    scale_matrix(2, 3);
    float x, y;
    transform(1, 1, &x, &y);
    // Scaled first, then translated: (1*2 + 10, 1*3 + 20).
    EXPECT_FLOAT_EQ(x, 12);
    EXPECT_FLOAT_EQ(y, 23);

    reset_matrix_stack();
    scale_matrix(2, 3);
    translate_matrix(10, 20);
    transform(1, 1, &x, &y);
    EXPECT_FLOAT_EQ(x, 22);
    EXPECT_FLOAT_EQ(y, 63);
}

TEST_F(MatrixStack, GeneralProductIsRowByColumn) {
    const float a[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const float b[16] = {2, 0, 1, 0, 0, 1, 0, 3, 1, 0, 0, 0, 0, 2, 0, 1};
    multiply_matrix(a);
    multiply_matrix(b);
    const float* m = current_model_matrix();
    for (int i = 0; i < 4; i++) {
        for (int j = 0; j < 4; j++) {
            float expected = 0;
            for (int k = 0; k < 4; k++) expected += a[i * 4 + k] * b[k * 4 + j];
            EXPECT_FLOAT_EQ(m[i * 4 + j], expected) << "row " << i << " column " << j;
        }
    }
}

TEST_F(MatrixStack, PopRestoresPushedMatrixAndEmptyPopDoesNothing) {
    translate_matrix(5, 6);
    push_matrix();
    EXPECT_EQ(matrix_stack_depth(), 1);
    scale_matrix(4, 4);
    pop_matrix();
    float x, y;
    transform(1, 1, &x, &y);
    EXPECT_FLOAT_EQ(x, 6);
    EXPECT_FLOAT_EQ(y, 7);

    pop_matrix();  // nothing pushed
    EXPECT_EQ(matrix_stack_depth(), 0);
    transform(1, 1, &x, &y);
    EXPECT_FLOAT_EQ(x, 6);
    EXPECT_FLOAT_EQ(y, 7);
}

TEST_F(MatrixStack, PushBeyondEightIsRefusedAndPairsStayBalanced) {
    for (int level = 0; level < MATRIX_STACK_DEPTH; level++) {
        push_matrix();
        translate_matrix(1, 0);
    }
    EXPECT_EQ(matrix_stack_depth(), MATRIX_STACK_DEPTH);
    // Two refused pushes; their pops must not unwind the levels below.
    push_matrix();
    push_matrix();
    EXPECT_EQ(matrix_stack_depth(), MATRIX_STACK_DEPTH);
    translate_matrix(100, 0);
    pop_matrix();
    pop_matrix();
    EXPECT_EQ(matrix_stack_depth(), MATRIX_STACK_DEPTH);
    for (int level = 0; level < MATRIX_STACK_DEPTH; level++) pop_matrix();
    float x, y;
    transform(0, 0, &x, &y);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, 0);
}

}  // namespace
