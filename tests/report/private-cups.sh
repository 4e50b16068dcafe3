#!/usr/bin/env bash
# A private CUPS scheduler for the print tests: its own configuration, spool and local
# socket, one queue "tallyvane-pdf" whose device writes a PDF file, made the default. The
# system's printers are never touched.
#
#   private-cups.sh start STATE   starts it; STATE receives the scheduler's folder
#   private-cups.sh stop STATE    stops it and removes the folder
#
# The folder lives under /tmp: filters run as the unprivileged "lp" user when the scheduler
# runs as root, and a build tree under /root would be out of their reach.
set -euo pipefail

cmd=$1
state=$2

start() {
    local dir
    dir=$(mktemp -d /tmp/tallyvane-cups.XXXXXX)
    chmod 755 "$dir"
    mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/out"
    chmod 1777 "$dir/out" "$dir/spool/tmp"
    local user=lp group=lp system_group=root
    if [[ $(id -u) -ne 0 ]]; then
        user=$(id -un)
        group=$(id -gn)
        system_group=$group
    fi
    cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
DefaultAuthType None
Browsing No
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
    cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice Yes
User $user
Group $group
SystemGroup $system_group
CONF
    chown -R "$user:$group" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" 2>/dev/null || true

    /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
        >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid.shell"

    for _ in $(seq 100); do
        [[ -S "$dir/cups.sock" ]] && break
        sleep 0.1
    done
    [[ -S "$dir/cups.sock" ]] || { cat "$dir/log/"* >&2; exit 1; }

    export CUPS_SERVER="$dir/cups.sock"
    lpadmin -p tallyvane-pdf -E -v "file://$dir/out/report.pdf" \
        -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
    lpadmin -d tallyvane-pdf
    cupsenable tallyvane-pdf
    cupsaccept tallyvane-pdf
    echo "$dir" >"$state"
}

stop() {
    [[ -f "$state" ]] || exit 0
    local dir
    dir=$(cat "$state")
    if [[ -f "$dir/cupsd.pid.shell" ]]; then
        kill "$(cat "$dir/cupsd.pid.shell")" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$(cat "$dir/cupsd.pid.shell")" 2>/dev/null || break
            sleep 0.1
        done
    fi
    rm -rf "$dir" "$state"
}

case $cmd in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop STATE" >&2; exit 2 ;;
esac
