# shellcheck shell=sh
# Sourced by scripts/package and scripts/check-reproducible, from the top of
# the source tree: what makes the same sources give the same artifacts, byte
# for byte, whoever builds them, wherever and whenever.

# Every time stamp the artifacts carry (archive members, the installer's
# files) is this one: the last commit's time. A tree without git, such as one
# unpacked from `git archive`, has that time on every file, so the newest file
# gives it. A value set by the caller wins, as everywhere else it is honoured.
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    :
elif [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
else
    SOURCE_DATE_EPOCH=$(find . \( -path ./build -o -path ./dist \) -prune \
        -o -type f -printf '%T@\n' | sort -n | tail -n 1 | cut -d. -f1)
fi
export SOURCE_DATE_EPOCH

# Writes DIR/SHA256SUMS for every other file in DIR, in the C locale's order,
# so that the list itself is the same everywhere.
write_checksums() {
    (
        cd "$1" || exit
        rm -f SHA256SUMS
        export LC_ALL=C
        sha256sum -- * >SHA256SUMS.part
        mv SHA256SUMS.part SHA256SUMS
    )
}
