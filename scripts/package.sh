#!/usr/bin/env bash
# Builds the Debian package (build/package/brackmoor_<version>_<arch>.deb) from a release build
# for /usr and checks what it holds. In CI as root (CI=true) it also installs the package on
# this machine, starts the installed program with --version and removes the package again.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

command -v dpkg-deb >/dev/null || { echo "dpkg-deb missing: not a Debian system"; exit 77; }
build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF >/dev/null
nice cmake --build "$build" --target brackmoor
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/brackmoor_*.deb | head -n 1)"
echo "Package: $deb"

failed=0
check() { if "$@"; then :; else echo "FAIL: $*"; failed=1; fi; }
info="$(dpkg-deb --info "$deb")"
contents="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
check grep -q "Section: games" <<<"$info"
check grep -q "Depends:.*libqt6widgets6" <<<"$info"
id=io.github.brackmoor.Brackmoor
for file in ./usr/bin/brackmoor ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/man/man1/brackmoor.1 \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/icons/hicolor/48x48/apps/$id.png; do
    check grep -qx "$file" <<<"$contents"
done

if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ]; then
    if dpkg-query -W brackmoor >/dev/null 2>&1; then
        echo "FAIL: a brackmoor package is installed already; not replacing it"
        exit 1
    fi
    trap 'dpkg -r brackmoor >/dev/null' EXIT
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "./$deb" >/dev/null
    check test "$(env -u DISPLAY /usr/bin/brackmoor --version)" = "Brackmoor $(
        dpkg-deb --field "$deb" Version)"
fi
[ "$failed" -eq 0 ] || exit 1
echo "package: 1 passed, 0 failed"
