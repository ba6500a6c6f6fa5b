# Shared by the desktop chain tests, sourced after scripts/smoke/lib.sh.

# Waits until a GTK program started now sees the settings daemon publish the theme
# "Earlier": a GTK program finds the daemon only if it is there when the program
# starts. Needs $watch (gtk_watch.py) and $SUITE_TEST_DATA/earlier/names.txt.
chain_daemon_published() {
  local _
  for _ in $(seq 1 30); do
    /usr/bin/python3 "$watch" Earlier "$SUITE_TEST_DATA/earlier" 1 >/dev/null 2>&1 && return 0
  done
  return 1
}
