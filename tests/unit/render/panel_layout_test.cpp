// Nine-slice panel vertices: three bands of eight strip vertices.
#include <gtest/gtest.h>

#include "render/panel.h"

namespace {

TEST(PanelLayout, BandsSplitAtTheCornerSize) {
    float v[3][8][5];
    const float f = 16.0f / 64.0f;
    panel_shape_vertices(100, 40, 16, f, v);
    const float band_top[3] = {0, 16, 24}, band_bottom[3] = {16, 24, 40};
    const float band_v_top[3] = {0, f, 1 - f}, band_v_bottom[3] = {f, 1 - f, 1};
    const float columns[4] = {0, 16, 84, 100}, column_u[4] = {0, f, 1 - f, 1};
    for (int band = 0; band < 3; band++) {
        for (int i = 0; i < 8; i++) {
            const float* p = v[band][i];
            bool upper = i % 2 == 0;
            EXPECT_FLOAT_EQ(p[0], columns[i / 2]) << "band " << band << " vertex " << i;
            EXPECT_FLOAT_EQ(p[1], upper ? band_top[band] : band_bottom[band]);
            EXPECT_FLOAT_EQ(p[2], 0);
            EXPECT_FLOAT_EQ(p[3], column_u[i / 2]);
            EXPECT_FLOAT_EQ(p[4], upper ? band_v_top[band] : band_v_bottom[band]);
        }
    }
}

}  // namespace
