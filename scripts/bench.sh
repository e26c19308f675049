#!/usr/bin/env bash
# How long the printing preferences take under Wine. In a throw-away prefix with the Tarvik
# printer (scripts/install-prefix.sh), build/windows/bench.exe opens the preferences as an
# application does (DocumentPropertiesW with DM_IN_PROMPT, through Wine's spooler), brings each
# page after the first to the front (each painted by the sheet's own thread), makes one change,
# applies it and closes with OK, RUNS times; in turn with each of those,
# it does the same with a bare sheet opened the same way, whose configuration module adds the same
# dialog templates with pages that do nothing (their controls the same common controls of version
# 6, from the plug-in's manifest). The opening ends, and the closing too, on the
# sheet's own thread: when its first page is initialised and painted, and when the call returns.
# A few more tours of each, with hooks on every message of the sheet's thread (which slow each
# message), say where the time goes: each page's WM_INITDIALOG, until the sheet's window is made
# (the pages' INIT), PSN_APPLY, WM_DESTROY. A print server: opening, Apply after one change and
# the printer's properties with every spooler call of the plug-in first waiting 20 ms (the tests'
# seam), next to the same without the wait. Then again with 50 and with 500 custom media types in
# the printer's store (50 also with Wine on one processor), and with 50 and 500 user forms when
# Wine can add them. Prints
# min/median/max per variant and the ratios; not a test.
#
#   bash scripts/bench.sh [RUNS]     (default 15)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

runs=${1:-15}
# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"
need_packages wine64

echo "== Building bench.exe and what the prefix needs"
# The sibling libraries too: the plug-in is measured as the package installs it, with the printer
# link, the locale library and the peripherals installation in place.
targets=(bench qvembui qvdrvui qvprinter qvmonext qvlocale qvdevapi)
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target "${targets[@]}" >/dev/null
program=build/windows/bench.exe

results=$(mktemp)
wine_prefix_throwaway "$results"

# install-prefix.sh also sets HKCU\Software\Wine\X11 Driver Managed=N: without a window manager
# Wine waits about 2 s whenever a managed window closes. Headless, Wine's null display driver
# gives the sheets real windows that nobody sees.
bash scripts/install-prefix.sh --prefix "$prefix" >/dev/null
wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1
wineserver -k || true

# A failed opening is counted and reported in the summary, which then fails the script.
bench() {
    timeout 300 wine64 "$program" "$@" 2>/dev/null | tr -d '\r' || true
}

tour() {
    echo "== $runs openings each: $1"
    bench tour "$runs" "$1" | tee -a "$results" | grep -v '^RESULT\|^PAIRED' || true
}

# Wine's server and the program on one processor: a request is then a switch between two processes
# rather than a wake-up across processors, which on this virtual machine costs the most and varies
# the most. The figures come out steadier, and show the work done rather than the waiting.
tour_one_core() {
    wineserver -k || true
    echo "== $runs openings each, Wine on one processor: $1"
    timeout 300 taskset -c 0 wine64 "$program" tour "$runs" "$1" 2>/dev/null | tr -d '\r' |
        tee -a "$results" | grep -v '^RESULT\|^PAIRED' || true
    wineserver -k || true
}

echo "== Load average before the timings (the machine may be busy with other work): $(cut -d' ' -f1-3 /proc/loadavg)"
tour "no custom lists"
echo "== $runs openings each, the plug-in's spooler calls waiting 0 and then 20 ms each"
bench latency "$runs" | tee -a "$results"
bench media 50 | sed 's/^MEDIA \(.*\)/   custom media types in the store: \1/'
tour "50 media types"
tour_one_core "50 media, 1 core"
bench media 500 | sed 's/^MEDIA \(.*\)/   custom media types in the store: \1/'
tour "500 media types"

read -r _ before after outcome < <(bench forms 50)
echo "   user forms listed: $before before adding 50, $after after (AddFormW $outcome)"
forms_measured=no
if [ "${after:-0}" -ge $((${before:-0} + 50)) ]; then
    tour "50 user forms"
    bench forms 500 >/dev/null
    tour "500 user forms"
    forms_measured=yes
else
    echo "   Not measured: AddFormW adds no form under this Wine (a known Wine gap), and the plug-in"
    echo "   lists forms only from EnumFormsW: its \"Config\\Forms\" entries mark forms, they do"
    echo "   not add any to the lists."
fi

echo
echo "== Load average after the timings: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== Summary: total milliseconds per opening (open + every page + change and Apply + close);"
echo "   on a busy machine the minimums and the paired ratios (each plug-in opening against the bare"
echo "   one right after it, the median of those ratios) are the steadier figures"
awk -v forms="$forms_measured" '
    /^LATENCY/ {
        latency[++latencies] = sprintf("%-22s %10.1f %10.1f %12.1f   %d, %d and %d calls",
                                       $2 " ms (" $3 " runs)", $4, $5, $6, $7, $8, $9)
    }
    /^PAIRED/ {
        label = $2
        for (i = 3; i < NF; ++i) label = label " " $i
        paired[label] = $NF
    }
    /^RESULT/ {
        variant = $(NF - 4); label = $2
        for (i = 3; i < NF - 4; ++i) label = label " " $i
        if (!(label in seen)) { seen[label] = 1; order[++n] = label }
        min[label, variant] = $(NF - 3); median[label, variant] = $(NF - 2)
        max[label, variant] = $(NF - 1); failed[label, variant] = $NF
    }
    END {
        printf "%-16s %-25s %-25s %s\n", "", "plug-in min/median/max", "bare min/median/max",
               "plug-in/bare: medians, minimums, paired"
        for (i = 1; i <= n; ++i) {
            l = order[i]
            printf "%-16s %7.1f %7.1f %7.1f   %7.1f %7.1f %7.1f   %6.2f %6.2f %6.2f\n", l,
                   min[l, "plug-in"], median[l, "plug-in"], max[l, "plug-in"],
                   min[l, "bare"], median[l, "bare"], max[l, "bare"],
                   share(median[l, "plug-in"], median[l, "bare"]),
                   share(min[l, "plug-in"], min[l, "bare"]), paired[l]
            if (failed[l, "plug-in"] + failed[l, "bare"] > 0) {
                status = 1
                printf "%-18s %d plug-in and %d bare openings did not come up\n", "",
                       failed[l, "plug-in"], failed[l, "bare"]
            }
        }
        print ""
        printf "%-22s %10s %10s %12s   (medians, ms; spooler calls of the plug-in)\n",
               "spooler call latency", "open", "Apply", "properties"
        for (i = 1; i <= latencies; ++i) print latency[i]
        if (latencies < 2) {
            print "the latency series gave no figures"
            status = 1
        }
        if (n < (forms == "yes" ? 5 : 3)) {
            print "a series gave no figures: bench.exe did not finish it"
            status = 1
        }
        ratio("500 media types", "50 media types", "media types")
        if (forms == "yes") ratio("500 user forms", "50 user forms", "user forms")
        else print "user forms 500/50: not measured (AddFormW adds nothing under this Wine)"
        exit status
    }
    function share(a, b) { return b > 0 ? a / b : 0 }
    function ratio(big, small, what) {
        printf "%s 500/50: plug-in %.2f (medians) %.2f (minimums), bare %.2f (medians) %.2f (minimums)\n",
               what, share(median[big, "plug-in"], median[small, "plug-in"]),
               share(min[big, "plug-in"], min[small, "plug-in"]),
               share(median[big, "bare"], median[small, "bare"]),
               share(min[big, "bare"], min[small, "bare"])
    }' "$results"
