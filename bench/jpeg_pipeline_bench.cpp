// Load, size to 50 % and compress a 12-megapixel JPEG on one thread,
// against `djpeg | cjpeg` of the same file on the same core as the floor.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "imaging/jpeg_output.h"
#include "imaging/picture_loading.h"
#include "imaging/sizing.h"
#include "bench_timing.h"
#include "photo_fixture.h"

using lumivo::bench::BestSeconds;

int main(int argc, char* argv[]) {
  // One core for both, so that the pipe's two processes cannot share the work.
  lumivo::bench::PinToOneCore();

  const std::filesystem::path cache = argc > 1 ? argv[1] : "bench/cache";
  const auto photo = lumivo::bench::CachedPhotoJpeg(cache / "photo-12mp.jpg", 4000, 3000, 1);
  constexpr int kRuns = 5;

  // As in a run: one working bitmap, one source holder and one JPEG object
  // for every entry, so that the first entry alone touches fresh memory.
  lumivo::Bitmap working, source;
  lumivo::JpegImage jpeg;
  auto convert = [&] {
    if (!lumivo::LoadPictureFile(photo, working) || !lumivo::SizeWorkingPicture(working, {-1, -1, 50}, source) ||
        !lumivo::CompressOutput(working, jpeg, 80))
      std::abort();
  };
  const double first = BestSeconds(1, convert);
  const double ours = BestSeconds(kRuns, convert);
  const std::string floorCommand = "djpeg '" + photo.string() + "' | cjpeg -quality 80 > /dev/null";
  const double floor = BestSeconds(kRuns, [&] {
    if (std::system(floorCommand.c_str()) != 0) std::abort();
  });

  std::printf("%-40s %8.3f s\n", "lumivo: first entry of a run", first);
  std::printf("%-40s %8.3f s\n", "lumivo: load, 50 %, compress (1 thread)", ours);
  std::printf("%-40s %8.3f s\n", "floor: djpeg | cjpeg (1 core)", floor);
  std::printf("%-40s %8.2f   (target: at most 1.30)\n", "ratio lumivo / floor", ours / floor);
  return 0;
}
