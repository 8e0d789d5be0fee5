// window_metrics.cpp - the window metrics' storage and the view fit, free
// of any window so every platform and the tests share it.
#include "platform/window_metrics.h"

#include <cmath>

uint8_t pixel_scale = 1;
uint16_t logical_width;
uint16_t logical_height;
float view_scale = 1.0f;
uint16_t framebuffer_width, framebuffer_height;
uint16_t min_view_width = 540, min_view_height = 960;

// The logical length of one axis: rounded, since w / (w / 540) in floats
// may land a hair under 540, and never less than the minimum.
static uint16_t logical_length(int pixels, float per_logical, int minimum) {
    long length = lroundf((float)pixels / per_logical);
    if (length < minimum) length = minimum;
    return (uint16_t)(length > 65535 ? 65535 : length);
}

ViewFit fit_view(int width, int height, uint8_t scale, int min_width, int min_height) {
    ViewFit fit = {0.0f, 0, 0};
    if (width <= 0 || height <= 0 || scale == 0) return fit;
    float fx = min_width > 0 ? (float)width / (scale * min_width) : 1.0f;
    float fy = min_height > 0 ? (float)height / (scale * min_height) : 1.0f;
    fit.scale = fminf(1.0f, fminf(fx, fy));
    if (fit.scale >= 1.0f) {
        // Full size: the layout follows the window as it always has.
        fit.width = (uint16_t)(width / scale);
        fit.height = (uint16_t)(height / scale);
        return fit;
    }
    fit.width = logical_length(width, scale * fit.scale, min_width);
    fit.height = logical_length(height, scale * fit.scale, min_height);
    return fit;
}

bool fit_window(uint16_t width, uint16_t height) {
    ViewFit fit = fit_view(width, height, pixel_scale, min_view_width, min_view_height);
    if (fit.scale <= 0.0f) return false;
    framebuffer_width = width;
    framebuffer_height = height;
    view_scale = fit.scale;
    logical_width = fit.width;
    logical_height = fit.height;
    return true;
}

void set_pixel_scale(uint8_t scale) {
    pixel_scale = scale;
}

float drawn_pixel_scale() {
    return (pixel_scale ? pixel_scale : 1) * (view_scale > 0.0f ? view_scale : 1.0f);
}

float font_raster_scale(float drawn) {
    if (!(drawn > 0.0f) || !std::isfinite(drawn)) return 1.0f;
    return ceilf(drawn * 20.0f - 0.001f) / 20.0f;
}
