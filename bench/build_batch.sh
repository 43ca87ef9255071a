# Sourced by the batch scripts of bench/: builds lumivo-batch and
# lumivo_make_photos in $LUMIVO_BUILD (default build/) and sets $build and
# $batch. Needs $root, the checkout.
build=${LUMIVO_BUILD:-$root/build}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" -DLUMIVO_BENCH=ON >/dev/null
cmake --build "$build" --target lumivo-batch lumivo_make_photos >/dev/null
batch=$build/src/cli/lumivo-batch
