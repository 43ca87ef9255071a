// Makes the batch benchmark's photographs once: COUNT JPEGs of WIDTH x
// HEIGHT pixels in FOLDER, each from its own seed; existing ones are kept.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "photo_fixture.h"

int main(int argc, char* argv[]) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: lumivo_make_photos FOLDER COUNT WIDTH HEIGHT\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int count = std::atoi(argv[2]);
  const int width = std::atoi(argv[3]);
  const int height = std::atoi(argv[4]);
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo-%02d.jpg", i);
    lumivo::bench::CachedPhotoJpeg(folder / name, width, height, static_cast<std::uint32_t>(i));
  }
  return 0;
}
