# Sourced by the scripts that run Wine. Bash only.

# Closes every descriptor above stderr that this shell inherited. Whatever Wine
# starts from here (its server, its service processes) outlives the program it
# runs, and would hold a pipe or lock of our caller's for as long as it lives.
close_inherited_fds() {
  local fd
  for fd in /proc/$BASHPID/fd/*; do
    fd=${fd##*/}
    case $fd in 0|1|2|255) ;; *) eval "exec $fd>&-" 2>/dev/null || true ;; esac
  done
}

# Starts the server of $WINEPREFIX unless one runs there. It stays for the
# programs that follow one another quickly, then ends, with the service
# processes, $VASKEL_WINE_LINGER seconds (default 30) after the last one.
start_wineserver() {
  wineserver -p"${VASKEL_WINE_LINGER:-30}" </dev/null >/dev/null 2>&1 || true
}
