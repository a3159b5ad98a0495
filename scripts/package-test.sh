#!/usr/bin/env bash
# The Debian packages as a person uses them: builds them from a build folder, installs them with
# apt-get, runs the installed viewer offscreen on the installed sample from elsewhere, builds an
# outside host against the installed -dev (CMake, pkg-config) and runs it with no registration of
# its own, runs the Lua examples with the installed quindel-lua, checks that nothing was written
# beside the library, then purges the packages and checks that nothing of theirs is left.
#   scripts/package-test.sh [BUILD_DIR]      (default: build; it must be built: CPack packs what
#                                             is there)
# It changes the machine (it installs into /usr), so it wants root and QUINDEL_PACKAGE_TEST=1;
# without them it exits 77 (CTest: skipped). Packages of ours already installed are purged first.
#   QUINDEL_LINTIAN=0   skip lintian (it takes a minute)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
if [[ $(id -u) != 0 || ${QUINDEL_PACKAGE_TEST:-0} != 1 ]]; then
  echo "package test skipped: it installs into /usr, so it runs as root with QUINDEL_PACKAGE_TEST=1"
  exit 77
fi
packages=()
work=$(mktemp -d /tmp/quindel-package-test.XXXXXX)
cleanup() { rm -rf "$work"; }
trap cleanup EXIT
step() { echo "== $*"; }
fail() {
  printf 'FAILED: %b\n' "$*" >&2
  exit 1
}
export DEBIAN_FRONTEND=noninteractive

# Ours, in any state but gone (removed with its configuration left counts too).
installed() {
  { dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' 'libquindel*' 'quindel-*' 2>/dev/null || true; } |
    awk '$1 ~ /^[ir]/ {print $2}'
}
purge() {
  local mine
  mine=$(installed)
  if [[ -n $mine ]]; then
    # shellcheck disable=SC2086
    apt-get purge -y -q $mine >"$work/purge.log" 2>&1 || { cat "$work/purge.log"; fail "apt-get purge"; }
  fi
}

step "packages from $build"
rm -rf "$build/packaging/debs"
(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
mapfile -t debs < <(ls "$build"/packaging/debs/*.deb)
for deb in "${debs[@]}"; do
  packages+=("$(dpkg-deb -f "$deb" Package)")
  echo "  $(basename "$deb"): $(dpkg-deb -f "$deb" Depends | cut -c1-160)"
done
[[ ${#debs[@]} == 5 ]] || fail "expected 5 packages, got: ${debs[*]}"

if [[ ${QUINDEL_LINTIAN:-1} != 0 ]] && command -v lintian >/dev/null; then
  step "lintian"
  # Tags we keep on purpose are explained in the README; anything else fails.
  lintian --fail-on error,warning --suppress-tags-from-file "$src/packaging/lintian-kept" \
    "${debs[@]}" || fail "lintian"
fi

step "install"
purge
apt-get install -y -q "${debs[@]}" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt-get install"; }
for p in "${packages[@]}"; do dpkg -L "$p"; done | sort -u >"$work/owned"
touch "$work/installed"
libdir=$(dirname "$(grep -m1 '/libQuindel2\.so\.[0-9.]*$' "$work/owned" || true)")
[[ -n $libdir ]] || fail "libquindel0 holds no libQuindel2"
echo "  library folder $libdir"

step "the desktop's view"
desktop=/usr/share/applications/org.quindel.Viewer.desktop
[[ -f $desktop ]] || fail "no menu entry"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop" || fail "desktop entry"; fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net /usr/share/metainfo/org.quindel.Viewer.metainfo.xml || fail "metainfo"
fi
if [[ -d /usr/share/mime/application ]]; then
  [[ -f /usr/share/mime/application/x-quindel-list.xml ]] || fail "the MIME database has no list type"
fi

# A person: a home of their own, started from a folder that has nothing to do with the program.
home="$work/home"
mkdir -p "$home" "$work/elsewhere"
run_as_person() { (cd "$work/elsewhere" && env -u QUINDEL_REGISTRY -u QUINDEL_SYSTEM_REGISTRY \
  -u XDG_DATA_HOME -u XDG_STATE_HOME -u XDG_RUNTIME_DIR -u QUINDEL_FOLDER HOME="$home" \
  QT_QPA_PLATFORM=offscreen QUINDEL_AUDIO_SINK="${QUINDEL_AUDIO_SINK:-fake}" "$@"); }

step "the viewer on its sample"
check_shots() {
  local n=0
  for png in "$1"/*.png; do
    [[ -s $png ]] || fail "empty picture $png"
    n=$((n + 1))
  done
  ((n >= 3)) || fail "the viewer wrote $n pictures into $1"
  echo "  $n pictures in $1"
}
run_as_person timeout 120 quindel-viewer --shots "$work/shots" >"$work/viewer.log" 2>&1 ||
  { cat "$work/viewer.log"; fail "the installed viewer"; }
check_shots "$work/shots"
step "the viewer on a list file, as a file manager opens it"
run_as_person timeout 120 quindel-viewer /usr/share/quindel/resources/sample/ListaMM.lst \
  --shots "$work/shots-list" >"$work/viewer-list.log" 2>&1 ||
  { cat "$work/viewer-list.log"; fail "the viewer on ListaMM.lst"; }
check_shots "$work/shots-list"

host_check() {
  local out="$1"
  grep -q "VolumeAudio" <<<"$out" || fail "the host did not talk to the control:\n$out"
  echo "$out" | sed 's/^/  /'
}
for mode in cmake pkgconfig; do
  step "an outside host built against the installed -dev ($mode)"
  use_pc=OFF
  [[ $mode == pkgconfig ]] && use_pc=ON
  cmake -S "$src/tests/install/host" -B "$work/host-$mode" -G Ninja -DUSE_PKGCONFIG=$use_pc \
    >"$work/host-$mode.log" 2>&1 && cmake --build "$work/host-$mode" >>"$work/host-$mode.log" 2>&1 ||
    { cat "$work/host-$mode.log"; fail "building the host ($mode)"; }
  host_check "$(run_as_person "$work/host-$mode/quindel-host")" || fail "running the host ($mode)"
done

step "the Lua examples with the installed quindel-lua"
examples=/usr/share/quindel/examples
run_as_person quindel-lua "$examples/demo.lua" "$work/lua-demo" >"$work/lua.log" 2>&1 ||
  { cat "$work/lua.log"; fail "demo.lua"; }
run_as_person quindel-lua "$examples/long_list.lua" "$examples/../resources/sample/ListaMM.lst" 14 \
  "$work/lua-long" >>"$work/lua.log" 2>&1 || { cat "$work/lua.log"; fail "long_list.lua"; }
run_as_person quindel-lua "$examples/bad_host.lua" /usr/share/quindel/resources/sample "$work/lua-bad" >>"$work/lua.log" 2>&1 ||
  { cat "$work/lua.log"; fail "bad_host.lua"; }
echo "  $(ls "$work/lua-demo" | wc -l) pictures from demo.lua"

step "nothing written beside the library or into the data folder"
find "$libdir" -maxdepth 1 -newer "$work/installed" -not -type d >"$work/present"
find /usr/share/quindel -newer "$work/installed" -not -type d >>"$work/present"
sort -o "$work/present" "$work/present"
comm -23 "$work/present" "$work/owned" >"$work/strays"
[[ ! -s $work/strays ]] || fail "files no package owns:\n$(cat "$work/strays")"

step "purge"
purge
[[ -z $(installed) ]] || fail "still installed: $(installed)"
left=()
while read -r f; do
  [[ -e $f && ! -d $f ]] && left+=("$f")
done <"$work/owned"
[[ ${#left[@]} == 0 ]] || fail "left behind: ${left[*]}"
leftovers=$(find /usr /etc -path /usr/local -prune -o \( -iname '*quindel*' -print \) 2>/dev/null)
[[ -z $leftovers ]] || fail "left behind: $leftovers"
step "the packages install, work and purge cleanly"
