#!/usr/bin/env bash
# "quotes --market M --ticker T" reads the quote file from the data folder that setup.ini
# names now. Each case gets a fresh installation with short.csv in the folder the case names
# and ttrc.csv as SHORT in every other folder a wrong reading could pick, so the output tells
# which file was read.
# Usage: check-data-folder.sh CLI FIXTURES_DIR GOLDEN_FILE
set -u
cli=$1 fixtures=$2 golden=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# name | setup.ini ("\n" for line ends; @ stands for the installation folder) | folder of the file
while IFS='|' read -r name setup folder; do
    home="$work/$name"
    mkdir -p "$home"
    printf '%b' "${setup//@/$home}" >"$home/setup.ini"
    folder=${folder//@/$home}
    for decoy in "$home/Data" "$home/eod" "$home/fetched"; do
        mkdir -p "$decoy/NYSE"
        cp "$fixtures/ttrc.csv" "$decoy/NYSE/SHORT.csv"
    done
    mkdir -p "$folder/NYSE"
    cp "$fixtures/short.csv" "$folder/NYSE/SHORT.csv"
    out=$(TZ=UTC "$cli" quotes --market NYSE --ticker SHORT --home "$home" 2>"$work/stderr")
    rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "$name: exit status $rc:" >&2
        cat "$work/stderr" >&2
        status=1
    elif ! diff -u "$golden" <(printf '%s\n' "$out") >&2; then
        echo "$name: the quotes were not read from $folder" >&2
        status=1
    fi
done <<'CASES'
default||@/Data
absolute|[DATA_DIRECTORY]\nDataDirectory=@/chosen\n|@/chosen
absolute-slash|[DATA_DIRECTORY]\nDataDirectory=@/chosen/\n|@/chosen
relative|[DATA_DIRECTORY]\nDataDirectory=eod\n|@/eod
relative-nested|[DATA_DIRECTORY]\nDataDirectory=my quotes/eod/\n|@/my quotes/eod
downloader-only|[ENVIORMENT]\nDATA_DIRECTORY=fetched\n|@/fetched
empty-document-key|[DATA_DIRECTORY]\nDataDirectory=\n[ENVIORMENT]\nDATA_DIRECTORY=fetched\n|@/fetched
both|[ENVIORMENT]\nDATA_DIRECTORY=fetched\n[DATA_DIRECTORY]\nDataDirectory=eod\n|@/eod
CASES
exit $status
