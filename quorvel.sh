#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds, and then runs Quorvel, Merkko or the tests.
# ./quorvel.sh --help prints the verbs.
set -euo pipefail

usage() {
  cat <<'USAGE'
usage: ./quorvel.sh run [map.pmp|prefab.pre]   build and start Quorvel (e.g. run maps/ctf_twin.pmp)
       ./quorvel.sh merkko                      build and start Merkko
       ./quorvel.sh test [--sanitize]           build and run every test
       ./quorvel.sh test --fuzz [SECONDS]       build the fuzz targets with clang and run each (default 60 s)
Installs what is missing first (Debian 12, as root). Without a display the window opens on a
virtual one (Xvfb), which is stopped again when the program exits.
USAGE
}
case "${1:-run}" in
  run | merkko | test) ;;
  -h | --help | help) usage; exit 0 ;;
  *) usage >&2; exit 2 ;;
esac
# Files named on the command line are taken relative to where the command was typed.
if [ "${1:-run}" = "run" ] && [ $# -gt 1 ]; then
  args=("$1")
  for a in "${@:2}"; do
    if [ -e "$a" ]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
  done
  set -- "${args[@]}"
fi
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libxcb1-dev libgtest-dev libgmock-dev libbenchmark-dev
          zlib1g-dev xvfb xauth desktop-file-utils appstream shared-mime-info)
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

# Without a display, the window opens on a virtual one, which goes again when the program exits.
with_display() {
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then exec "$@"; fi
  local n=99
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "No display: starting one on :$n (view it with a VNC server or take screenshots with 'import')."
  Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  local status=0
  "$@" || status=$?
  return "$status"
}

case "$verb" in
  run) with_display "$build/src/quorvel" "$@" ;;
  merkko) with_display "$build/src/merkko/merkko" ;;
  test)
    cd "$build"
    export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
    ctest --output-on-failure -j2
    ;;
esac
