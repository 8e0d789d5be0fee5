// window_metrics.cpp - the window metrics' storage; 1 until a high-DPI
// screen says otherwise.
#include "platform/window_metrics.h"

uint8_t pixel_scale = 1;
uint16_t logical_width;
uint16_t logical_height;
