#!/bin/sh
# The program, with the job preview's and the plate designer's libraries loaded beside it, starts to its
# first idle moment and closes with exit status 0. Under the sanitizers a library held twice in the
# process (a global defined in two units) or a leak at exit stops it with an error instead.
# Usage: startup_with_window_libraries_test.sh <program>
program=$1

for library in libSimscope.so libDotplate.so; do
    if ! ldd "$program" | grep -q "$library"; then
        echo "the program does not load $library"
        exit 1
    fi
done

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
output=$(CUTRIX_HOME="$home" CUTRIX_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}" \
    timeout 300 "$program" --no-splash 2>&1)
status=$?
echo "$output"
if [ "$status" -ne 0 ]; then
    echo "the program ended with status $status"
    exit 1
fi
echo "$output" | grep -q '^startup-to-idle-ms ' || { echo "the program never reached its first idle moment"; exit 1; }
