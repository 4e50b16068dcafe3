#!/usr/bin/env bash
# A private CUPS scheduler for the print tests: its own configuration, spool and local socket,
# and one queue "tallyvane-pdf", the default, whose device writes a PDF file. The system's
# printers are never touched. STATE receives the scheduler's folder, which lives under /tmp:
# filters run as the unprivileged "lp" user when the scheduler runs as root.
#   private-cups.sh start|stop STATE
set -euo pipefail
state=$2
if [[ $1 == start ]]; then
    dir=$(mktemp -d /tmp/tallyvane-cups.XXXXXX)
    mkdir -p "$dir"/{etc,spool/tmp,cache,state,log,out}
    chmod 755 "$dir" && chmod 1777 "$dir/out" "$dir/spool/tmp"
    user=lp group=lp system_group=root
    if [[ $(id -u) -ne 0 ]]; then
        user=$(id -un) group=$(id -gn) system_group=$(id -gn)
    fi
    printf '%s\n' "Listen $dir/cups.sock" "LogLevel warn" "DefaultAuthType None" \
        "Browsing No" "WebInterface No" "<Policy default>" "JobPrivateValues none" \
        "<Limit All>" "Order allow,deny" "Allow all" "</Limit>" "</Policy>" >"$dir/etc/cupsd.conf"
    printf '%s\n' "ServerRoot $dir/etc" "RequestRoot $dir/spool" "TempDir $dir/spool/tmp" \
        "CacheDir $dir/cache" "StateDir $dir/state" "ErrorLog $dir/log/error_log" \
        "ServerBin /usr/lib/cups" "DataDir /usr/share/cups" "FileDevice Yes" "User $user" \
        "Group $group" "SystemGroup $system_group" >"$dir/etc/cups-files.conf"
    chown -R "$user:$group" "$dir"/{spool,cache,state,log} 2>/dev/null || true
    /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >/dev/null 2>&1 &
    echo "$dir" >"$state"
    echo $! >"$dir/pid"
    export CUPS_SERVER=$dir/cups.sock
    for _ in $(seq 100); do
        [[ -S $CUPS_SERVER ]] && break
        sleep 0.1
    done
    lpadmin -p tallyvane-pdf -E -v "file://$dir/out/report.pdf" \
        -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
    lpadmin -d tallyvane-pdf
elif [[ -f $state ]]; then
    dir=$(cat "$state")
    kill "$(cat "$dir/pid")" 2>/dev/null && while kill -0 "$(cat "$dir/pid")" 2>/dev/null; do
        sleep 0.1
    done
    rm -rf "$dir" "$state"
fi
