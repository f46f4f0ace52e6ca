#!/usr/bin/env bash
# The whole rotation step as a user waits for it: the real program under Xvfb (1920x1080, X11
# backend, a one-second period) from the tick to the root window showing the picture, set
# beside one-shot setters (hsetroot, feh) and `djpeg -bmp` on the same files in the same run.
#
# Usage: bench/rotation_step.sh PICTURE [--picks N] [--runs N] [--soak SECONDS]
#   PICTURE  the built program (e.g. build/ci/app/picture)
#   --picks  picks measured per row (default 20); --runs  setter runs per row (default 10)
#   --soak   also rotate a 24 MP picture that long and print its resident memory each minute
#            (least and most of samples every two seconds: between picks and during one)
# CPU is the program's plus the X server's, per pick. Memory: the program's peak resident
# memory over the picks, and its resident memory once idle after one pick (a one-hour period)
# beside the same with an empty list. The longest time the window left its events unanswered
# during picks is measured apart, by bench_freeze beside the program (its pings cost the server).
# Stepping through a list of 24 MP pictures with the arrow keys (Down in the list box, one press
# every half second) is measured by bench_freeze too: the longest freeze, and the longest time
# from a press to the new picture on screen.
# Set TESSARY_BENCH_DISPLAY to choose the display (:70).
set -euo pipefail
. "$(dirname "$0")/../tests/system/settings_reg.sh"

picture=$(realpath "$1")
shift
freeze=$(dirname "$picture")/../bench/bench_freeze
picks=20
runs=10
soak=0
while [ $# -gt 0 ]; do
    case $1 in
    --picks) picks=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --soak) soak=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

needed=(xvfb x11-utils xdotool hsetroot feh libjpeg-turbo-progs imagemagick time)
missing=()
for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q \
        --no-install-recommends "${missing[@]}"
fi

root=$(mktemp -d)
xvfb_pid=
pid=
spy_pid=
cleanup() {
    for p in $spy_pid $pid $xvfb_pid; do
        kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
    done
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

wait_until() {
    local i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -le $(($2 * 10)) ] || return 1
        sleep 0.1
    done
}

display=${TESSARY_BENCH_DISPLAY:-:70}
Xvfb "$display" -noreset -screen 0 1920x1080x24 >"$root/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
wait_until 'xprop -root >/dev/null 2>&1' 10 || { echo "Xvfb did not start on $display" >&2; exit 1; }
export HOME=$root/home
export XDG_CONFIG_HOME=$HOME/config XDG_DATA_HOME=$HOME/data XDG_CACHE_HOME=$HOME/cache
export XDG_RUNTIME_DIR=$HOME/runtime
mkdir -p "$XDG_CONFIG_HOME/tessary" "$XDG_DATA_HOME/tessary" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Something like a photograph for the encoder: a gradient with grain (flat colour or pure noise
# would make decoding unrealistically cheap or dear).
pics=$root/pictures
mkdir -p "$pics"
echo "Generating pictures..." >&2
convert -size 6000x4000 gradient:'#3060c0-#e0a040' -attenuate 0.4 +noise Gaussian \
    -sampling-factor 2x2 -quality 90 "$pics/large.jpg"
jpegtran -progressive -copy none "$pics/large.jpg" >"$pics/progressive.jpg"
convert "$pics/large.jpg" -resize '1920x1080!' -sampling-factor 2x2 -quality 90 "$pics/screen.jpg"

hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
status_kib() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"; }

settings() { # POSITION HOURS SECONDS
    settings_reg Position="$1" Hours="$2" Minutes=0 Seconds="$3" AutoStart=1 Background="0 0 64" \
        >"$XDG_CONFIG_HOME/tessary/settings.reg"
}

start_program() { # FILE or "" for an empty list
    if [ -n "$1" ]; then
        printf '%s\r\n' "$1" >"$XDG_DATA_HOME/tessary/images.db"
    else
        : >"$XDG_DATA_HOME/tessary/images.db"
    fi
    rm -f "$XDG_DATA_HOME/tessary/image.bmp"
    TESSARY_DESKTOP=x11 "$picture" >"$root/out.log" 2>&1 &
    pid=$!
    wait_until 'xdotool search --name "^Tessary" >/dev/null 2>&1' 20 ||
        { echo "the program showed no window" >&2; cat "$root/out.log" >&2; exit 1; }
}

stop_program() {
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    pid=
}

# Each pick publishes a new root pixmap: counting property changes counts picks.
start_spy() {
    : >"$root/spy"
    xprop -root -spy _XROOTPMAP_ID >"$root/spy" 2>/dev/null &
    spy_pid=$!
}
stop_spy() {
    kill "$spy_pid" 2>/dev/null && wait "$spy_pid" 2>/dev/null || true
    spy_pid=
}

# Results: "ms peak_kib" per row key.
declare -A cpu_ms peak_kib freeze_ms

# The program at a one-second period: CPU of program and server between the first and the
# last of `picks` picks after a warm-up, divided by the picks in between.
bench_program() { # KEY FILE POSITION
    settings "$3" 0 1
    start_program "$2"
    sleep 3
    start_spy
    wait_until '[ "$(wc -l <"$root/spy")" -ge 2 ]' 30 || { echo "no pick seen" >&2; exit 1; }
    local c0 x0 n0 c1 x1 n1
    c0=$(cpu_ticks "$pid") x0=$(cpu_ticks "$xvfb_pid") n0=$(wc -l <"$root/spy")
    wait_until "[ \$(wc -l <\"$root/spy\") -ge $((n0 + picks)) ]" $((picks * 4 + 10)) ||
        { echo "picks too slow" >&2; exit 1; }
    c1=$(cpu_ticks "$pid") x1=$(cpu_ticks "$xvfb_pid") n1=$(wc -l <"$root/spy")
    stop_spy
    cpu_ms[$1]=$(awk -v c=$((c1 - c0 + x1 - x0)) -v n=$((n1 - n0)) -v hz="$hz" \
        'BEGIN { printf "%.1f", 1000 * c / hz / n }')
    peak_kib[$1]=$(status_kib "$pid" VmHWM)
    freeze_ms[$1]=n/a
    if [ -x "$freeze" ]; then
        freeze_ms[$1]=$("$freeze" "$(xdotool search --name "^Tessary" | head -1)" 6 || echo n/a)
    fi
    stop_program
}

# A one-shot command run `runs` times: its CPU and the server's per run, its peak memory. The
# CPU is what the runs add to the shell's total for its children: /usr/bin/time cuts each run's
# user and system time down to 10 ms, which loses about 10 ms a run.
bench_command() { # KEY COMMAND...
    local key=$1 x0 x1 cpu
    shift
    x0=$(cpu_ticks "$xvfb_pid")
    # In a subshell of its own, whose children are only these runs; `times` there, not in a
    # pipe (which would run it in a fresh process).
    (
        for ((i = 0; i < runs; i++)); do
            "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
        done
        times >"$root/times"
    )
    cpu=$(awk 'NR == 2 { split($1 " " $2, t, /[ms ]+/)
        print 1000 * (60 * t[1] + t[2] + 60 * t[3] + t[4]) }' "$root/times")
    x1=$(cpu_ticks "$xvfb_pid")
    cpu_ms[$key]=$(awk -v c="$cpu" -v x=$((x1 - x0)) -v hz="$hz" -v n="$runs" \
        'BEGIN { printf "%.1f", (c + 1000 * x / hz) / n }')
    peak_kib[$key]=$(/usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1)
}

files=(large progressive screen)
declare -A file_label=([large]="6000x4000 baseline" [progressive]="6000x4000 progressive"
    [screen]="1920x1080")
for f in "${files[@]}"; do
    file=$pics/$f.jpg
    echo "Measuring $f..." >&2
    for pos in Stretch Center Determine; do
        bench_program "tessary.$f.$pos" "$file" "$pos"
    done
    bench_command "hsetroot.$f.Stretch" hsetroot -fill "$file"
    bench_command "hsetroot.$f.Fit" hsetroot -full "$file"
    bench_command "hsetroot.$f.Center" hsetroot -center "$file"
    bench_command "feh.$f.Stretch" feh --no-fehbg --bg-scale "$file"
    bench_command "feh.$f.Fit" feh --no-fehbg --bg-max "$file"
    bench_command "feh.$f.Center" feh --no-fehbg --bg-center "$file"
    bench_command "djpeg.$f" djpeg -bmp -outfile "$root/djpeg.bmp" "$file"
done

# Stepping through a list of large pictures, each unlike the one before, with the rotation off.
echo "Measuring list steps..." >&2
step_pics=("$pics/large.jpg")
for hue in 40 80 120; do
    convert -size 6000x4000 "gradient:hsl($hue,60%,40%)-hsl($((hue + 150)),70%,70%)" \
        -attenuate 0.4 +noise Gaussian -sampling-factor 2x2 -quality 90 "$pics/step$hue.jpg"
    step_pics+=("$pics/step$hue.jpg")
done
settings_reg Position=Stretch Hours=1 Minutes=0 Seconds=0 AutoStart=0 Background="0 0 64" \
    >"$XDG_CONFIG_HOME/tessary/settings.reg"
printf '%s\r\n' "${step_pics[@]}" "${step_pics[@]}" >"$XDG_DATA_HOME/tessary/images.db"
TESSARY_DESKTOP=x11 "$picture" >"$root/out.log" 2>&1 &
pid=$!
wait_until 'xdotool search --name "^Tessary" >/dev/null 2>&1' 20 ||
    { echo "the program showed no window" >&2; exit 1; }
sleep 3
# Eight presses of Tab lead from the first control to the list box.
step_figures=$("$freeze" "$(xdotool search --name "^Tessary" | head -1)" 0.5 --step 7 8 ||
    echo "n/a n/a")
stop_program

# Resident memory once idle: an empty list, then one 24 MP pick, each at a one-hour period.
idle_rss() { # FILE POSITION
    settings "$2" 1 0
    start_program "$1"
    [ -z "$1" ] || wait_until '[ -f "$XDG_DATA_HOME/tessary/image.bmp" ]' 30
    sleep 5
    status_kib "$pid" VmRSS
    stop_program
}
idle_empty=$(idle_rss "" Stretch)
declare -A idle_after
for pos in Stretch Center Determine; do
    idle_after[$pos]=$(idle_rss "$pics/large.jpg" "$pos")
done

# The comparable setter placement of each of ours: what Determine does depends on the picture
# (a 3:2 picture is stretched, a wider one is rescaled to the screen's width and centred).
comparable() { # FILE POSITION
    case $2 in
    Determine) [ "$1" = screen ] && echo Fit || echo Stretch ;;
    *) echo "$2" ;;
    esac
}

printf '\n| picture | placement | Tessary ms | hsetroot ms | feh ms | djpeg -bmp ms | Tessary / best setter | target | longest freeze ms (target 50) |\n'
printf '|---|---|---|---|---|---|---|---|---|\n'
for f in "${files[@]}"; do
    for pos in Stretch Center Determine; do
        cmp=$(comparable "$f" "$pos")
        t=${cpu_ms[tessary.$f.$pos]} h=${cpu_ms[hsetroot.$f.$cmp]} e=${cpu_ms[feh.$f.$cmp]}
        target=0.85
        awk -v f="${file_label[$f]}" -v p="$pos ($cmp)" -v t="$t" -v h="$h" -v e="$e" \
            -v d="${cpu_ms[djpeg.$f]}" -v g="$target" -v z="${freeze_ms[tessary.$f.$pos]}" 'BEGIN {
                b = h < e ? h : e
                printf "| %s | %s | %.1f | %.1f | %.1f | %.1f | %.2fx %s | %.2fx | %s %s |\n",
                    f, p, t, h, e, d, t / b, t / b <= g ? "ok" : "OVER", g, z,
                    z == "n/a" ? "" : z <= 50 ? "ok" : "OVER" }'
    done
done

read -r step_freeze step_preview <<<"$step_figures"
printf '\n| stepping a list of 6000x4000 pictures with the arrow keys | ms | target |\n|---|---|---|\n'
awk -v f="$step_freeze" -v p="$step_preview" 'BEGIN {
    printf "| longest freeze | %s | 50 %s |\n", f, f <= 50 ? "ok" : "OVER"
    printf "| longest time from a key press to its picture on screen | %s | 80 %s |\n", p,
        p <= 80 ? "ok" : "OVER" }'

printf '\n| peak resident memory | KiB | / djpeg -bmp | target |\n|---|---|---|---|\n'
for f in large progressive; do
    d=${peak_kib[djpeg.$f]}
    for pos in Stretch Center Determine; do
        awk -v l="Tessary ${file_label[$f]} $pos" -v m="${peak_kib[tessary.$f.$pos]}" -v d="$d" \
            'BEGIN { printf "| %s | %d | %.2fx %s | 1.60x |\n", l, m, m / d, m / d <= 1.6 ? "ok" : "OVER" }'
    done
    for s in hsetroot feh; do
        printf '| %s %s -fill/--bg-scale | %d | | |\n' "$s" "${file_label[$f]}" "${peak_kib[$s.$f.Stretch]}"
    done
    printf '| djpeg -bmp %s | %d | 1.00x | |\n' "${file_label[$f]}" "$d"
done

printf '\n| idle resident memory | KiB | above empty list | target |\n|---|---|---|---|\n'
printf '| empty list | %d | | |\n' "$idle_empty"
for pos in Stretch Center Determine; do
    awk -v p="$pos" -v m="${idle_after[$pos]}" -v e="$idle_empty" 'BEGIN {
        printf "| after a 24 MP pick, %s | %d | %+d KiB %s | 10240 KiB |\n",
            p, m, m - e, m - e <= 10240 ? "ok" : "OVER" }'
done

if [ "$soak" -gt 0 ]; then
    printf '\n| soak at a one-second period, 6000x4000 Stretch | least resident KiB | most |\n|---|---|---|\n'
    settings Stretch 0 1
    start_program "$pics/large.jpg"
    sleep 5
    for minute in $(seq 60 60 "$soak"); do
        least=
        most=0
        for _ in $(seq 30); do
            sleep 2
            r=$(status_kib "$pid" VmRSS)
            [ -n "$least" ] && [ "$least" -le "$r" ] || least=$r
            [ "$most" -ge "$r" ] || most=$r
        done
        printf '| %d s | %d | %d |\n' "$minute" "$least" "$most"
    done
    stop_program
fi
