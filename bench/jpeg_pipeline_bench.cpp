// One entry of a run on one thread: a 12-megapixel JPEG loaded, sized to
// 50 % and compressed at quality 80 by the run's preparation (decoding
// straight at the output size), against the full decode followed by the
// stretch, and against `djpeg | cjpeg` of the same file on the same core.
//
//   lumivo_jpeg_pipeline_bench [CACHE=bench/cache] [--once sampled|full]
//
// --once does one entry of the one kind and nothing else (for callgrind).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "batch/entry_preparation.h"
#include "bench_timing.h"
#include "imaging/jpeg_output.h"
#include "imaging/picture_loading.h"
#include "imaging/sizing.h"
#include "photo_fixture.h"

using lumivo::bench::BestSeconds;

int main(int argc, char* argv[]) {
  // One core for all, so that the pipe's two processes cannot share the work.
  lumivo::bench::PinToOneCore();

  const std::filesystem::path cache = argc > 1 ? argv[1] : "bench/cache";
  const auto photo = lumivo::bench::CachedPhotoJpeg(cache / "photo-12mp.jpg", 4000, 3000, 1);
  const char* once = argc > 3 && std::strcmp(argv[2], "--once") == 0 ? argv[3] : nullptr;
  constexpr int kRuns = 5;

  // As in a run: one workspace for every entry, so that the first entry
  // alone touches fresh memory.
  lumivo::PreparationWorkspace workspace;
  lumivo::EntrySettings settings;
  settings.size = {-1, -1, 50};
  settings.quality = 80;
  auto prepare = [&] {
    if (lumivo::PrepareEntry(photo.string(), settings, workspace).outcome != lumivo::PreparedEntry::Outcome::Ready)
      std::abort();
  };
  lumivo::Bitmap working, source;
  lumivo::JpegImage jpeg;
  auto full = [&] {
    if (!lumivo::LoadPictureFile(photo, working) || !lumivo::SizeWorkingPicture(working, settings.size, source) ||
        !lumivo::CompressOutput(working, jpeg, settings.quality))
      std::abort();
  };
  if (once) {
    std::strcmp(once, "full") == 0 ? full() : prepare();
    return 0;
  }

  const double first = BestSeconds(1, prepare);
  const double ours = BestSeconds(kRuns, prepare);
  const double whole = BestSeconds(kRuns, full);
  const std::string floorCommand = "djpeg '" + photo.string() + "' | cjpeg -quality 80 > /dev/null";
  const double floor = BestSeconds(kRuns, [&] {
    if (std::system(floorCommand.c_str()) != 0) std::abort();
  });

  double load[1] = {0};
  getloadavg(load, 1);
  std::printf("one 4000 x 3000 JPEG to 50 %%, quality 80, one core, load average %.2f\n", load[0]);
  std::printf("%-52s %8.3f s\n", "run's preparation: first entry", first);
  std::printf("%-52s %8.3f s\n", "run's preparation (decoded at the output size)", ours);
  std::printf("%-52s %8.3f s\n", "full decode, stretch, compress", whole);
  std::printf("%-52s %8.3f s\n", "djpeg | cjpeg (full size, two processes)", floor);
  std::printf("%-52s %8.2f\n", "preparation / full decode path", ours / whole);
  std::printf("%-52s %8.2f   (target: at most 1.30)\n", "preparation / djpeg | cjpeg", ours / floor);
  return 0;
}
