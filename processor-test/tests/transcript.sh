# Shared by the end-to-end tests: the transcript Pexmoor must print, benchmark figures
# masked, and the masking of a real transcript.
#
# expected_transcript <machine name> <1 with MMX, 0 without>
expected_transcript() {
    local name=$1 mmx=$2
    printf 'Pexmoor processor check and MMX benchmark, from Corvelline\n'
    printf 'http://www.corvelline.example/\n\n'
    printf 'Chip is an 8086 or better\nChip is a 286 or better\nChip is a 386 or better\n'
    printf 'Chip is a 486 or better\nChip is a pentium or better\n'
    if [ "$mmx" = 1 ]; then
        printf '\nYour machine is a %s.    MMX is enabled\n\n' "$name"
        printf 'Test1 (dot product): ok\nTest2 (linear combination): ok\nTest3 (add): ok\n'
        printf "Test4 (scale): ok\nIf you see 'failed' above, you have a bad chip.\n\n"
        printf 'Benchmarking your MMX system. This will take about a minute. We work your\n'
        printf "machine about 5 times harder in MMX mode; that's why the mmx/non-mmx benchmarks\n"
        printf 'seem to take about the same amount of time.\n'
        printf 'Starting benchmark 1 without mmx...done.  Now using mmx...done.\n'
        printf 'Starting benchmark 2 without mmx...done.  Now using mmx...done.\n\n'
        printf '\n\tBenchmark 1 MMX speed up factor: #.#.     #.# mips MMX.\n'
        printf '\n\tBenchmark 2 MMX speed up factor: #.#.     #.# mips MMX.\n'
    else
        printf '\nYour machine is a %s.    MMX is nonexistent\n\n' "$name"
    fi
    printf '\nPexmoor complete. Visit us at http://www.corvelline.example/.\n'
    printf 'Hit <enter> to quit this program'
}

# mask_transcript <file>: masks the figures (leading blanks of the %5.1f field included)
# and drops the carriage returns a Windows console adds, in place.
mask_transcript() {
    sed -i -e 's/\r$//' -e 's/factor: *[-0-9.infa]*\.     *[-0-9.infa]* mips/factor: #.#.     #.# mips/' "$1"
}
