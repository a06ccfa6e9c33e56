#!/usr/bin/env bash
# Builds the Debian package from the build folder (build/ or $RADEXA_BUILD_DIR), unpacks it
# with dpkg -x into a fresh root and runs the programs from there as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${RADEXA_BUILD_DIR:-build}
version=$(sed -n 's/^project(Radexa VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

fail() { echo "package test: $*" >&2; exit 1; }

rm -f "$dir"/radexa_*.deb
if ! (cd "$dir" && cpack -G DEB) >"$dir/cpack.log" 2>&1; then
    cat "$dir/cpack.log" >&2
    fail "cpack could not build the package"
fi
deb=$(ls "$dir"/radexa_"$version"_*.deb)
echo "package: $deb"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
    grep -qw "$needed" <<<"$depends" || fail "Depends lacks $needed"
done
# Everything lies below /usr; nothing is written into /etc, /var or /opt.
if dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -qv '^\./$'; then
    fail "files outside /usr: $(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/')"
fi

root=$(mktemp -d /tmp/radexa-package.XXXXXX)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
usr=$root/usr

out=$("$usr/bin/radexa-cli" --band 20m --power 750 --mode CW --gain 7.5)
grep -q '20m' <<<"$out" || fail "radexa-cli printed: $out"
# The report's PDF comes from the module installed in lib/radexa.
"$usr/bin/radexa-cli" --band 20m --report "$root/report.pdf" >/dev/null ||
    fail "radexa-cli --report failed"
[ "$(head -c 5 "$root/report.pdf")" = "%PDF-" ] || fail "radexa-cli --report wrote no PDF"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/radexa" --version)" = "radexa $version" ] ||
    fail "radexa --version"
desktop-file-validate "$usr/share/applications/org.radexa.Radexa.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.radexa.Radexa.metainfo.xml" >/dev/null

# The menu's launcher in a fresh home: the program starts in the user's working folder,
# finds the catalogue seeded there and the angle data beside itself, and keeps running
# until it is closed (a missing catalogue would end it at once with status 1).
home=$root/home/op
mkdir -p "$home"
set +e
HOME=$home XDG_DATA_HOME='' XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen \
    timeout 5 "$usr/bin/radexa-launch" --no-splash >"$root/launch.log" 2>&1
status=$?
set -e
[ $status -eq 124 ] || fail "the launched program ended with status $status: $(cat "$root/launch.log")"
cmp -s "$home/.local/share/radexa/Antennas.txt" data/Antennas.txt || fail "catalogue not seeded"
[ -L "$usr/lib/radexa/ang" ] && [ -n "$(ls "$usr/lib/radexa/ang/")" ] || fail "no angle data beside the program"
echo "package test passed"
