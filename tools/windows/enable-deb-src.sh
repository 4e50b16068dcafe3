#!/usr/bin/env bash
# Makes Debian's source packages reachable: when no deb-src entry exists, adds one for each
# deb entry of the machine's own sources, same archive and suites. Uses sudo when not root.
set -euo pipefail
shopt -s nullglob
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
deb822=(/etc/apt/sources.list.d/*.sources)
existing=$(cat "${lists[@]}" "${deb822[@]}" 2>/dev/null || true)
if grep -qE '^\s*(deb-src\s|Types:.*\bdeb-src\b)' <<<"$existing"; then
    exit 0
fi
{
    for f in "${deb822[@]}"; do
        sed -E 's/^Types:.*$/Types: deb-src/' "$f"
        echo
    done
} | "${sudo[@]}" tee /etc/apt/sources.list.d/tallyvane-deb-src.sources >/dev/null
grep -hE '^\s*deb\s' "${lists[@]}" 2>/dev/null | sed -E 's/^\s*deb\s/deb-src /' |
    "${sudo[@]}" tee /etc/apt/sources.list.d/tallyvane-deb-src.list >/dev/null || true
"${sudo[@]}" apt-get update -qq
