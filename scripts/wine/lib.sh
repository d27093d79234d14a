# Shared by scripts/wine/{golden,session,run}; sourced, never run.
# Paths of the bench and the wine binaries, plus small helpers.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# BENCH_DIR lets a test keep a bench of its own apart from build/wine.
bench_dir=${BENCH_DIR:-$root/build/wine}
golden=$bench_dir/golden
prefix=$bench_dir/prefix
env_file=$bench_dir/session.env

# Debian's /usr/bin/wine and wineserver wrappers prefer the 32-bit loader,
# which this kernel cannot run: always name the 64-bit binaries. The
# emulated 32-bit PC (scripts/i386pc) sets BENCH_WINEARCH=win32 and gets
# Debian's 32-bit ones instead.
wine_arch=${BENCH_WINEARCH:-win64}
if [[ $wine_arch == win32 ]]; then
  wine=/usr/lib/wine/wine
  wineserver=/usr/lib/wine/wineserver32
else
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver64 || echo /usr/lib/wine/wineserver64)
fi

die() { echo "${0##*/}: $*" >&2; exit 1; }

# Environment every wine command of the bench shares; the session file and
# the session-less path of `run` both start from it.
wine_defaults() {
  export WINEDEBUG=-all
  # Keeps the Mono and Gecko installers from ever being offered, and wine
  # from writing menu entries and file associations into the Linux home.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  export WINEARCH=$wine_arch
}

# Selects the locale wine derives its code pages from. LC_ALL too, so a
# caller's LC_ALL=C cannot override it.
use_lang() {
  export LANG=$1 LC_ALL=$1
  unset LANGUAGE   # would pick wine's UI language apart from LANG
}

# start_xvfb SIZE PIDFILE: starts Xvfb on a free display (Xvfb picks it
# itself through -displayfd, so concurrent benches cannot race for one) and
# exports DISPLAY once the server accepts clients.
start_xvfb() {
  local size=$1 pidfile=$2 fifo display
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/bench-xvfb.XXXXXX")
  mkfifo "$fifo"
  # -noreset keeps the root window as it is when the last client leaves.
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset \
    3>"$fifo" </dev/null >/dev/null 2>&1 &
  echo $! >"$pidfile"
  read -r -t 20 display <"$fifo" || true
  rm -f "$fifo"
  [[ -n $display ]] || die "Xvfb did not start"
  export DISPLAY=:$display
}

stop_pid_file() {
  local pidfile=$1 pid
  [[ -f $pidfile ]] || return 0
  pid=$(<"$pidfile")
  # Only if the number still belongs to the Xvfb we started.
  if [[ $(cat "/proc/$pid/comm" 2>/dev/null) == Xvfb ]]; then
    kill "$pid" 2>/dev/null || true
  fi
  # Give it a moment so its display lock is gone before anyone reuses it.
  for _ in {1..50}; do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  rm -f "$pidfile"
}
