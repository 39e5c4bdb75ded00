/* Dear ImGui builds its font atlas with stb's TrueType rasteriser and rectangle packer, which
 * Debian's libimgui leaves to the stb shared library. They are compiled here from libstb-dev's
 * headers instead, so the installed game needs no stb library at run time. */
#define STB_RECT_PACK_IMPLEMENTATION
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_rect_pack.h>
#include <stb_truetype.h>
