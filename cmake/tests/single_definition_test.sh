#!/bin/sh
# Each program-wide value and function named below is defined in exactly one unit of the program's
# process (the program and the shared libraries beside it): in its own library, which exports it so
# that every library reaches the same one, and not in whichever library the linker happened to meet
# first. A unit's full symbol table is read, since a program's own copy or a library's hidden one never
# shows among the exported symbols.
# Usage: single_definition_test.sh <program> <folder of the shared libraries>
program=$1
libraries=$2

# Each line: the symbol as nm prints it demangled, and the one library that holds it.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
symbols=$scratch/symbols
found=$scratch/found
cat > "$symbols" <<'SYMBOLS'
LanguageIndex libCutrixSettings.so
FileFormatFlag libCutrixSettings.so
platform::ProgramFolder[abi:cxx11]() libPlatformPaths.so
SYMBOLS
cut -d' ' -f1 "$symbols" > "$scratch/names"

# Lines of "<kind> <unit> <symbol>", kind "defines" or "exports".
for unit in "$program" "$libraries"/lib*.so; do
    name=$(basename "$unit")
    nm --defined-only -C "$unit" | cut -d' ' -f3- | grep -xF -f "$scratch/names" | sed "s|^|defines $name |"
    nm -D --defined-only -C "$unit" | cut -d' ' -f3- | grep -xF -f "$scratch/names" | sed "s|^|exports $name |"
done > "$found"

status=0
while read -r symbol home; do
    defining=$(awk -v s="$symbol" '$1 == "defines" && $3 == s { printf " %s", $2 }' "$found")
    exporting=$(awk -v s="$symbol" '$1 == "exports" && $3 == s { printf " %s", $2 }' "$found")
    if [ "$defining" != " $home" ] || [ "$exporting" != " $home" ]; then
        echo "$symbol: defined in$defining; exported by$exporting; belongs to $home alone"
        status=1
    fi
done < "$symbols"
exit $status
