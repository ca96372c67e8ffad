#!/bin/sh
# Plants faults in the library one at a time and runs the suite against each:
# a fault the suite lets through is a hole in the tests. The faults are listed
# in tests/mutants/*.txt, each as
#
#   @@ <id> <what a developer might have written>
#   <file, from the repository's root>
#   -<a line of the file as it is>        (one or more: the block to replace,
#   +<the line written instead>            found exactly once; no + line
#                                          deletes the block)
#
# Lines outside a fault's block that are blank or start with '#' are comments.
# The source is copied into build/mutants/src (the working tree's tracked
# files) and built there in trees of its own (build/mutants/src/build), so a
# planted fault never reaches the real tree, and the trees build again only
# what a fault touches.
#
# Usage: run-mutants.sh [-R <ctest regex>] [<id or file name part>...]
#   -R      runs only the tests the regex names (for trying a fault while
#           writing a test; the figure that counts runs the whole suite)
#   names   runs only the faults whose id or list file contains one of them
# Prints one line per fault: caught (with the tests that failed, or "the
# build" when the build refused it), missed, or broken (its block was not
# found once); then the totals. Exits 1 when a fault was missed or broken.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
work="$root/build/mutants"
regex=
if [ "${1:-}" = -R ]; then
    regex=$2
    shift 2
fi
filters="$*"

mkdir -p "$work"
src="$work/src"
log="$work/log"
mkdir -p "$log"

# The working tree's tracked files. A file that did not change keeps its
# copy and its time, so that it does not build again; the trees sit inside
# the copy as build/ sits in the repository, so the compiler cache (where
# one is in use) finds what the real trees compiled.
echo "mutants: copying the source into $src"
fresh="$work/fresh"
rm -rf "$fresh"
mkdir -p "$fresh" "$src"
(cd "$root" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$fresh"
(cd "$fresh" && find . -type f) | while read -r f; do
    if ! cmp -s "$fresh/$f" "$src/$f" 2>/dev/null; then
        mkdir -p "$(dirname "$src/$f")"
        cp "$fresh/$f" "$src/$f"
    fi
done
(cd "$src" && find . -path ./build -prune -o -type f -print) | while read -r f; do
    [ -e "$fresh/$f" ] || rm -f "$src/$f"
done
rm -rf "$fresh"

b32="$src/build/i686" b64="$src/build/x86_64"
configure() {
    [ -f "$2/build.ninja" ] ||
        cmake -G Ninja -S "$src" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-$1.cmake" \
            -DCMAKE_BUILD_TYPE=Release >"$log/configure-$1.txt"
}
build() {
    cmake --build "$b32" >"$1" 2>&1 && cmake --build "$b64" >>"$1" 2>&1 &&
        cmake -DB32="$b32" -DB64="$b64" -DOUT="$src/build" -P "$src/kit/make-dist.cmake" >>"$1" 2>&1
}
suite() {
    if [ -n "$regex" ]; then
        "$src/scripts/run-tests.sh" "$b32" "$b64" --stop-on-failure -R "$regex" >"$1" 2>&1
    else
        "$src/scripts/run-tests.sh" "$b32" "$b64" --stop-on-failure >"$1" 2>&1
    fi
}
failed_tests() {
    sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (Failed).*/\1/p; s/^[[:space:]]*[0-9]* - \([^ ]*\) (Timeout).*/\1/p' "$1" |
        sort -u | tr '\n' ' '
}

configure i686 "$b32"
configure x86_64 "$b64"
echo "mutants: building and running the suite once without a fault"
if ! build "$log/baseline-build.txt"; then
    echo "mutants: the tree does not build without a fault: see $log/baseline-build.txt"
    exit 2
fi
if ! suite "$log/baseline.txt"; then
    echo "mutants: the suite fails without a fault ($(failed_tests "$log/baseline.txt")): see $log/baseline.txt"
    exit 2
fi

# Splits the lists into one file per fault: <id>.fault holding the file's
# name, then the block's lines.
faults="$work/faults"
rm -rf "$faults"
mkdir -p "$faults"
for list in "$root"/tests/mutants/*.txt; do
    perl -e '
        my ($list, $dir) = @ARGV;
        open(my $in, "<", $list) or die "$list: $!";
        my $out;
        while (my $line = <$in>) {
            if ($line =~ /^@@ (\S+) (.*)$/) {
                close($out) if $out;
                die "$list: fault $1 listed twice\n" if -e "$dir/$1.fault";
                open($out, ">", "$dir/$1.fault") or die;
                print $out "$2\n";
                my $file = <$in>;
                print $out $file;
                next;
            }
            if ($out && $line =~ /^[-+]/) { print $out $line; next; }
            close($out) if $out;
            undef $out;
        }
        close($out) if $out;
    ' "$list" "$faults"
    name=$(basename "$list" .txt)
    for f in "$faults"/*.fault; do
        [ -e "$f" ] || continue
        [ -e "$f.list" ] || echo "$name" >"$f.list"
    done
done

# Plants the fault of $1 into the copy; false when its block is not found
# exactly once.
plant() {
    perl -e '
        my ($fault, $src) = @ARGV;
        open(my $in, "<", $fault) or die;
        my $what = <$in>;
        chomp(my $file = <$in>);
        my ($old, $new) = ("", "");
        while (my $line = <$in>) {
            if ($line =~ s/^-//) { $old .= $line } elsif ($line =~ s/^\+//) { $new .= $line }
        }
        open(my $f, "<", "$src/$file") or die "$file: $!\n";
        local $/;
        my $text = <$f>;
        close($f);
        my $at = index($text, $old);
        die "$file: the block is not there\n" if $at < 0 || $old eq "";
        die "$file: the block is there more than once\n" if index($text, $old, $at + 1) >= 0;
        substr($text, $at, length($old)) = $new;
        open($f, ">", "$src/$file") or die;
        print $f $text;
        close($f);
    ' "$1" "$src"
}
fault_file() { sed -n 2p "$1"; }

caught=0 missed=0 broken=0 total=0
missed_list=
for f in "$faults"/*.fault; do
    [ -e "$f" ] || continue
    id=$(basename "$f" .fault)
    list=$(cat "$f.list")
    if [ -n "$filters" ]; then
        keep=0
        for w in $filters; do
            case "$id $list" in *"$w"*) keep=1 ;; esac
        done
        [ $keep = 1 ] || continue
    fi
    total=$((total + 1))
    what=$(sed -n 1p "$f")
    file=$(fault_file "$f")
    cp -p "$src/$file" "$work/original"
    if ! plant "$f" 2>"$log/$id.plant.txt"; then
        broken=$((broken + 1))
        printf '%-8s %-14s %s (%s)\n' broken "$id" "$what" "$(cat "$log/$id.plant.txt")"
        missed_list="$missed_list $id"
        continue
    fi
    if ! build "$log/$id.build.txt"; then
        result="caught   $id $what  [the build]"
        caught=$((caught + 1))
    elif suite "$log/$id.txt"; then
        result="missed   $id $what"
        missed=$((missed + 1))
        missed_list="$missed_list $id"
    else
        result="caught   $id $what  [$(failed_tests "$log/$id.txt")]"
        caught=$((caught + 1))
    fi
    # The file as it was, newer than the fault's build, so that it builds
    # again next time.
    cp "$work/original" "$src/$file"
    touch "$src/$file"
    echo "$result"
done
# Leave the trees built without a fault.
build "$log/restore-build.txt" || true

echo "mutants: $total planted: $caught caught, $missed missed, $broken broken"
[ $total -gt 0 ] && echo "mutants: $((100 * caught / total))% caught"
[ -z "$missed_list" ] || echo "mutants: not caught:$missed_list"
[ $missed -eq 0 ] && [ $broken -eq 0 ]
