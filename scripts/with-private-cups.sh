#!/usr/bin/env bash
# Runs a command beside a print server of its own: a private cupsd (its own configuration,
# spool and logs in a temporary directory, listening only on a unix-domain socket there)
# with one PostScript queue that is the default destination and prints into a file.
#
# Usage: scripts/with-private-cups.sh COMMAND [ARG...]
# The command gets in its environment:
#   CUPS_SERVER          the server's socket (what libcups, and so Wine and Qt, connect to)
#   PRIVATE_CUPS_QUEUE   the queue's name
#   PRIVATE_CUPS_OUTPUT  the file the queue prints into (PostScript, after the CUPS filters)
#   PRIVATE_CUPS_LOG     the server's error log
#   PRIVATE_CUPS_SPOOL   the spool directory, where each job's document stays as it came in
#                        (d<job>-<document>; the server keeps them a day)
# The exit status is the command's; 77 (the tests' "skipped") when this machine has no cupsd
# or lpadmin. The server is stopped and its directory removed on exit. A system cupsd, if
# one runs, is neither used nor disturbed: nothing here listens on a TCP port or touches
# /etc/cups.
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARG...]" >&2
    exit 2
fi

# Both are in /usr/sbin, which a user's PATH may leave out.
cupsd=$(PATH=$PATH:/usr/sbin command -v cupsd || true)
lpadmin=$(PATH=$PATH:/usr/sbin command -v lpadmin || true)
if [ -z "$cupsd" ] || [ -z "$lpadmin" ] || ! command -v lpstat >/dev/null; then
    echo "SKIP: no CUPS here (cupsd, lpadmin and lpstat come with the Debian packages cups" \
        "and cups-client; scripts/ensure-packages.sh installs them)"
    exit 77
fi

queue=tolvane_test
dir=$(mktemp -d /tmp/private-cups.XXXXXX)
# The filters run as the server's user (lp when the server runs as root): they must reach
# the spool below this directory.
chmod 755 "$dir"
mkdir -p "$dir"/{etc,spool,tmp,cache,state,log,out}
# The filters' temporary files (pdftops keeps the document there), as /tmp.
chmod 1777 "$dir/tmp"
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        # The server writes its state while it stops; a signal can cut the wait short.
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

if [ "$(id -u)" -eq 0 ]; then
    account="SystemGroup root"
else
    account="User $(id -un)
Group $(id -gn)
SystemGroup $(id -gn)"
fi
cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
$account
EOF
# Only the socket, which only this directory's owner reaches: no authentication.
cat >"$dir/etc/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel debug
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

"$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" &
pid=$!
export CUPS_SERVER=$dir/cups.sock
# lpstat -r answers with status 0 either way.
running() {
    [ -S "$CUPS_SERVER" ] && LC_ALL=C lpstat -r 2>/dev/null | grep -qx 'scheduler is running'
}
for _ in $(seq 100); do
    if running || ! kill -0 "$pid" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if ! running; then
    echo "the private cupsd did not start; its log:" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    exit 1
fi

# CUPS's own generic PostScript printer description: the job goes through the PostScript
# filters (pstops) into the file; Wine's PostScript driver takes the same description.
"$lpadmin" -p "$queue" -E -v "file://$dir/out/$queue.ps" -m drv:///sample.drv/generic.ppd \
    2> >(grep -v 'deprecated' >&2)
"$lpadmin" -d "$queue"

export PRIVATE_CUPS_QUEUE=$queue
export PRIVATE_CUPS_OUTPUT=$dir/out/$queue.ps
export PRIVATE_CUPS_LOG=$dir/log/error_log
export PRIVATE_CUPS_SPOOL=$dir/spool
status=0
"$@" || status=$?
exit "$status"
