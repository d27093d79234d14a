# Shared by scripts/wine/{run,session}; sourced after lib.sh, never run.
# Starting a program under wine, and a test program with its one restart.

# Test programs that had to be started a second time (run_test_program).
restarts=$bench_dir/restarted.txt

# start_program PROGRAM [ARGS...]: the program under wine. BENCH_WINE_LOG:
# Wine's own messages (its debug channels, also those of the programs this
# one starts) go to that file instead, where a test that asks Wine to trace
# a program reads them.
start_program() {
  if [[ -n ${BENCH_WINE_LOG:-} ]]; then
    "$wine" "$@" 2>"$BENCH_WINE_LOG"
  else
    "$wine" "$@"
  fi
}

# run_test_program PROGRAM [ARGS...]: start_program for a test program, whose
# first line comes as soon as its own code runs. Now and then Wine ends a
# program before that, with a failing status and not a byte written; such a
# program never got to run, so it is started once more, and the restart is
# noted in $restarts for the run's summary. A program that wrote anything
# keeps its status. Both streams come out as one, as CTest and the emulated
# PC keep them anyway, streamed so that a test ended by its time limit still
# shows how far it came.
run_test_program() {
  local seen status attempt
  seen=$(mktemp "${TMPDIR:-/tmp}/bench-test-output.XXXXXX")
  for attempt in 1 2; do
    # The program's status, whatever the caller's pipefail and errexit.
    start_program "$@" 2>&1 | tee "$seen" && status=${PIPESTATUS[0]} || status=${PIPESTATUS[0]}
    if ((status == 0 || attempt == 2)) || [[ -s $seen ]]; then
      break
    fi
    echo "${1##*[/\\]} ${*:2}: ended with status $status before writing anything; started again" >>"$restarts"
  done
  rm -f "$seen"
  return "$status"
}
