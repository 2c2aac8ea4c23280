#!/bin/sh
# Starts or stops the Wine session that the wine tests share, in the prefix named by
# WINEPREFIX (the host build's own).
# usage: wine_session.sh start <wine64> <wineserver> | stop <wineserver>
set -eu
case $1 in
start)
  mkdir -p "$WINEPREFIX"
  log=$WINEPREFIX/session.log
  # A server left over from an earlier run may not linger; start afresh.
  "$3" -k 2>/dev/null || true
  # The server and the background programs that wineboot starts outlive this script. They
  # must not hold CTest's output pipe, or CTest waits for them: their output goes to the
  # log. The server stays for two minutes after the last program ends (instead of three
  # seconds), so that each test does not pay a cold start of about two seconds; if the
  # stop never comes it still ends by itself.
  if ! "$3" -p120 >"$log" 2>&1 </dev/null ||
    ! "$2" wineboot --init >>"$log" 2>&1 </dev/null; then
    cat "$log"
    exit 1
  fi
  ;;
stop)
  # Status 1 only means that no server was running any more.
  "$2" -k || [ $? -eq 1 ]
  ;;
*)
  echo "usage: $0 start <wine64> <wineserver> | stop <wineserver>" >&2
  exit 2
  ;;
esac
