#!/usr/bin/env bash
# Records what bowlyn-cli produces for every preset and the cleared form, so
# that two builds can be compared byte for byte:
#
#   tools/compare_outputs.sh BOWLYN_CLI OUTDIR [REFERENCE_DIR]
#
# For each design: check and render in the working and the final drawing,
# export, save and entities, each with its standard output, standard error
# and exit status. A few extra cases reach the overlays (snapshot, points),
# a width-fitted view and passes that stop part-way. tools/compare_cases.py
# adds every file format for every preset (the CAM DXF and the SVG in each
# unit, the paper template on every paper, measure, all of them with depths
# and a mould too) and seeded random designs near the presets
# (COMPARE_RANDOM_DESIGNS of them, 60 by default). With REFERENCE_DIR the new
# outputs are compared with it and the script exits 1 on any difference.
set -uo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 BOWLYN_CLI OUTDIR [REFERENCE_DIR]" >&2
    exit 2
fi
cli=$(realpath "$1")
out=$2
reference=${3:+$(realpath "$3")}
# Only a folder this script made earlier is emptied, never any other.
marker=.bowlyn-outputs
if [ -e "$out" ] && [ -n "$(ls -A "$out" 2>/dev/null)" ] && [ ! -e "$out/$marker" ]; then
    echo "$out is not empty and was not made by $0; choose another folder" >&2
    exit 2
fi
rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")
touch "$out/$marker"

# The date a paper template prints, so that the same design gives the same file.
export SOURCE_DATE_EPOCH=1700000000
# Runs start in the output folder, so that the names they print are the same
# for every folder.
scripts=$(dirname "$(realpath "$0")")
cd "$out" || exit 2

# One run: NAME for the files, then the bowlyn-cli arguments; an "OUT" among
# them is replaced by the output file's name, "OUT.ext" by one with that
# extension. With RUN_ENV set (NAME=VALUE) the run has it in its environment.
run() {
    local name=$1 args=() arg
    shift
    for arg in "$@"; do
        if [ "$arg" = OUT ]; then
            arg="$name.file"
        elif [ "${arg#OUT.}" != "$arg" ]; then
            arg="$name.${arg#OUT.}"
        fi
        args+=("$arg")
    done
    env ${RUN_ENV:-} "$cli" "${args[@]}" >"$name.stdout" 2>"$name.stderr"
    echo $? >"$name.status"
}

# Every command for one design, with optional extra arguments for the pass.
all_commands() {
    local tag=$1 design=$2
    shift 2
    run "$tag.check" check "$design" "$@"
    run "$tag.check-final" check "$design" --final "$@"
    run "$tag.render" render "$design" -o OUT "$@"
    run "$tag.render-final" render "$design" -o OUT --final "$@"
}

file_commands() {
    local tag=$1 design=$2
    shift 2
    run "$tag.export" export "$design" -o OUT "$@"
    run "$tag.save" save "$design" -o OUT "$@"
    run "$tag.entities" entities "$design" "$@"
}

designs=(clear)
while IFS= read -r preset; do
    designs+=("preset:$preset")
done < <("$cli" presets)

for design in "${designs[@]}"; do
    tag=$(printf '%s' "$design" | tr -c 'A-Za-z0-9:-' '_')
    all_commands "$tag" "$design"
    file_commands "$tag" "$design"
done

# Overlays: a snapshot of a longer body and transcription points.
printf '7.257,4\n-3,10\n0,0\n6.5,12.25\n' >points.txt
all_commands overlay.snapshot preset:OM --snapshot preset:Dreadnought
all_commands overlay.snapshot-short preset:Dreadnought --snapshot "preset:Soprano Uke"
all_commands overlay.points preset:OM --points points.txt
# A body wider than long is fitted by its width.
all_commands wide preset:OM --set "Body length=10" --set "Lower bout width=30"
# Passes that stop after the reference geometry or the construction aids.
all_commands stop.length preset:OM --set "Body length=0"
all_commands stop.waist preset:OM --set "Waist width=20"
all_commands stop.strings preset:OM --set "Number of strings=99"
file_commands stop.strings preset:OM --set "Number of strings=99"

# Every format of every preset, and the random designs.
cases=$(python3 "$scripts/compare_cases.py" "$cli" "${COMPARE_RANDOM_DESIGNS:-60}") || exit 2
while IFS=$'\t' read -r -a fields; do
    RUN_ENV=${fields[1]#-} run "${fields[0]}" "${fields[@]:2}"
done <<<"$cases"

count=$(find "$out" -name '*.status' | wc -l)
echo "recorded $count runs in $out"

if [ -n "$reference" ]; then
    if diff -r -q "$reference" "$out"; then
        echo "identical to $reference"
    else
        echo "DIFFERENT from $reference" >&2
        exit 1
    fi
fi
