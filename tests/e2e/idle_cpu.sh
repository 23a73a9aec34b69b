#!/usr/bin/env bash
# Measures the program's CPU use while it waits for a key (not a test): starts it under its
# own Xvfb, runs the default dialogue to the first frame, then reads utime + stime from
# /proc/PID/stat over an interval. Usage: idle_cpu.sh PROGRAM BMP_CHECK DATA_FOLDER [SECONDS]
source "$(dirname "$0")/e2e_lib.sh"
SPAN=${4:-10}

start_xvfb
start_program
for i in $(seq 9); do answer ""; done
wait_main
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
HZ=$(getconf CLK_TCK)
T0=$(ticks)
START=$(date +%s.%N)
sleep "$SPAN"
T1=$(ticks)
END=$(date +%s.%N)
awk -v t0="$T0" -v t1="$T1" -v hz="$HZ" -v s="$START" -v e="$END" 'BEGIN {
  printf "idle CPU: %.2f %% of one core (%d ticks of 1/%d s in %.1f s)\n",
         100 * (t1 - t0) / hz / (e - s), t1 - t0, hz, e - s }'
key ctrl+c
wait_exit >/dev/null
