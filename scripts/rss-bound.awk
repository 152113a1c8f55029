# Reads "level N VmRSS K kB" lines (autoplay-campaign --rss on stderr) and fails when the
# resident memory after any level moved more than 1 MB from the memory after the first: an
# hour of play must not grow the game.
/^level / {
    kb = $4
    if (++n == 1) { first = kb; min = kb; max = kb }
    if (kb > max) max = kb
    if (kb < min) min = kb
}
END {
    if (n == 0) { print "memory: no level was played"; exit 1 }
    printf "memory: resident after level 1 %d kB, then %d to %d kB\n", first, min, max
    if (max - first > 1024 || first - min > 1024) {
        print "memory: the resident memory moved more than 1 MB from the first level's"
        exit 1
    }
}
