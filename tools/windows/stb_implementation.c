/* stb_implementation.c - the bodies of the stb decoders the game uses, for
 * Windows builds (on Linux they come from Debian's libstb). */
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>
