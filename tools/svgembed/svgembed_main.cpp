// svgembed NAME INPUT.svg OUTPUT.cpp: the SVG rendered at its own size, as C++ source.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/artbuild/raster.h"
#include "tools/svgembed/picture_source.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: svgembed NAME INPUT.svg OUTPUT.cpp\n");
    return 2;
  }
  std::string error;
  const auto picture = artbuild::RenderSvg(argv[2], &error);
  if (!picture) {
    std::fprintf(stderr, "svgembed: %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  const std::string text =
      svgembed::PictureSource(argv[1], argv[2], picture->width, picture->height, picture->argb);
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::fprintf(stderr, "svgembed: cannot write %s\n", argv[3]);
    std::remove(argv[3]);
    return 1;
  }
  return 0;
}
