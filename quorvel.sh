#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds, and then runs Quorvel, Merkko or the tests.
#   ./quorvel.sh run [map.pmp]   build and start Quorvel
#   ./quorvel.sh merkko          build and start Merkko
#   ./quorvel.sh test [--sanitize]  build and run every test
#   ./quorvel.sh test --fuzz [SECONDS]  build the fuzz targets with clang and run each (default 60 s)
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libxcb1-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth)
# The fuzz targets need clang and its libFuzzer runtime; nothing else does.
if [ "${1:-}" = "test" ] && [ "${2:-}" = "--fuzz" ]; then packages+=(clang libclang-rt-14-dev); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

verb=${1:-run}
shift || true
build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags=(-DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  shift
elif [ "${1:-}" = "--fuzz" ]; then
  build=build-fuzz
  flags=(-DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
         -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "-DQUORVEL_FUZZ_SECONDS=${2:-60}")
  shift $(( $# > 1 ? 2 : 1 ))
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
if [ "$build" = build-fuzz ]; then
  cmake --build "$build" --target fuzz_targets  # the program itself is built and tested by the other two
else
  cmake --build "$build"
fi

# Without a display, the window opens on a virtual one.
with_display() {
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting one on :99 (view it with a VNC server or take screenshots with 'import')."
    Xvfb :99 -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    export DISPLAY=:99
    sleep 0.5
  fi
  exec "$@"
}

case "$verb" in
  run) with_display "$build/src/quorvel" "$@" ;;
  merkko) with_display "$build/src/merkko/merkko" ;;
  test)
    cd "$build"
    export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
    ctest --output-on-failure -j2
    ;;
  *) echo "usage: $0 run [map.pmp] | merkko | test [--sanitize]" >&2; exit 2 ;;
esac
