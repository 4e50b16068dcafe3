#!/usr/bin/env bash
# What installing Tallyvane puts where: into a temporary prefix, and in the Debian package
# with the dependencies dpkg-shlibdeps works out beside the two named by hand. The installed
# desktop entry and metainfo validate.
#   check-install.sh BUILD_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/prefix" >/dev/null
(cd "$1" && cpack -G DEB -B "$work" >/dev/null)
contents=$(dpkg-deb -c "$work"/tallyvane_*.deb)
depends=$(dpkg-deb -f "$work"/tallyvane_*.deb Depends)
for file in bin/tallyvane bin/tallyvane-cli lib/tallyvane/tallyvane_printer.so share/applications/example.tallyvane.Tallyvane.desktop \
    share/metainfo/example.tallyvane.Tallyvane.metainfo.xml share/doc/tallyvane/copyright \
    share/icons/hicolor/{scalable/apps/tallyvane.svg,{32x32,48x48,64x64,128x128,256x256}/apps/tallyvane.png}; do
    [[ -e $work/prefix/$file ]] && grep -q "\./usr/$file" <<<"$contents" || {
        echo "not installed: $file"
        exit 1
    }
done
[[ -x $work/prefix/bin/tallyvane ]]
desktop-file-validate "$work"/prefix/share/applications/*.desktop
appstreamcli validate --no-net "$work"/prefix/share/metainfo/*.xml >/dev/null
for dep in 'libqt6widgets6 (>= [0-9.]*)' libqt6printsupport6 libqt6gui6 libqt6core6 \
    libxcb1 libstdc++6 libc6 fonts-liberation qt6-qpa-plugins; do
    grep -q "$dep" <<<"$depends" || { echo "no dependency $dep in: $depends"; exit 1; }
done
