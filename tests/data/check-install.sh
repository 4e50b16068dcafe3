#!/usr/bin/env bash
# Checks what installing Tallyvane puts where.
#   check-install.sh tree BUILD_DIR      cmake --install into a temporary prefix
#   check-install.sh package BUILD_DIR   the Debian package: contents and dependencies
set -euo pipefail
mode=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expected=(
    bin/tallyvane
    share/applications/example.tallyvane.Tallyvane.desktop
    share/metainfo/example.tallyvane.Tallyvane.metainfo.xml
    share/icons/hicolor/32x32/apps/tallyvane.png
    share/icons/hicolor/48x48/apps/tallyvane.png
    share/icons/hicolor/64x64/apps/tallyvane.png
    share/icons/hicolor/128x128/apps/tallyvane.png
    share/icons/hicolor/256x256/apps/tallyvane.png
    share/icons/hicolor/scalable/apps/tallyvane.svg
    share/doc/tallyvane/copyright
)
fail=0
missing() { echo "missing: $1" >&2; fail=1; }

case $mode in
tree)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    for f in "${expected[@]}"; do
        [[ -f "$work/prefix/$f" ]] || missing "$f"
    done
    [[ -x "$work/prefix/bin/tallyvane" ]] || missing "an executable bin/tallyvane"
    for size in 32 48 64 128 256; do
        file "$work/prefix/share/icons/hicolor/${size}x${size}/apps/tallyvane.png" |
            grep -q "$size x $size" || missing "a ${size}x${size} icon"
    done
    ;;
package)
    (cd "$build" && cpack -G DEB -B "$work" >/dev/null)
    deb=$(ls "$work"/tallyvane_*.deb)
    contents=$(dpkg-deb -c "$deb")
    for f in "${expected[@]}"; do
        grep -q "\./usr/$f\$" <<<"$contents" || missing "/usr/$f in the package"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # Computed by dpkg-shlibdeps from the binary, beside the two named by hand.
    for dep in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libstdc++6 libc6 \
        fonts-liberation qt6-qpa-plugins; do
        grep -q "\b$dep\b" <<<"$depends" || missing "dependency $dep"
    done
    grep -Eq 'libqt6widgets6 \(>= [0-9.]+\)' <<<"$depends" || missing "a versioned Qt dependency"
    ;;
*)
    echo "usage: $0 tree|package BUILD_DIR" >&2
    exit 2
    ;;
esac
exit $fail
