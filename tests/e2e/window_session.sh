#!/usr/bin/env bash
# One session of the window program under Xvfb with a window manager, by keystrokes only: About,
# open, edits with decimal commas, a rejected and a corrected input, save, an edit taken by a
# shortcut, JPEG, the print preview, Esc with unsaved changes, Clear then Save, Restore's default,
# exit with a save.
# Usage: window_session.sh APP_DIR START_FILE
#   APP_DIR holds tavro-nozzle, and libsavtojpg.so, libtavrocharts.so and libtavroprint.so beside
#   it (a build) or in ../lib/tavro-nozzle (an install); START_FILE is a 22-line parameter file.
set -euo pipefail

app_dir=$1
start_file=$2
here=$(cd "$(dirname "$0")" && pwd)
deadline=$((SECONDS + 90))
work=$(mktemp -d)
xvfb_pid=
wm_pid=
app_pid=

cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 1" TERM INT

fail() {
    echo "FAIL: $*" >&2
    if [[ -n ${DISPLAY:-} ]]; then import -window root "$work/fail.png" 2>/dev/null || true; fi
    [[ -s $work/app.err ]] && sed 's/^/  program: /' "$work/app.err" >&2
    exit 1
}

# Polls a condition every 50 ms until it holds, the seconds run out or the session's time does.
wait_for() {
    local what=$1 seconds=$2
    shift 2
    local until=$((SECONDS + seconds))
    ((until > deadline)) && until=$deadline
    until "$@"; do
        ((SECONDS < until)) || fail "timed out waiting for $what"
        [[ -z $app_pid ]] || kill -0 "$app_pid" 2>/dev/null || [[ $what == "the program to end" ]] ||
            fail "the program ended while waiting for $what"
        sleep 0.05
    done
}

window() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
window_shown() { [[ -n $(window "$1") ]]; }
window_gone() { [[ -z $(window "$1") ]]; }
# The window manager gives the keyboard to the window it activates.
focus() {
    wait_for "window '$1'" 10 window_shown "$1"
    xdotool windowactivate --sync "$(window "$1")" 2>/dev/null ||
        xdotool windowfocus --sync "$(window "$1")"
}
main_window='^Tavro-nozzle {2}'

# The program looks for its module and last.srd beside itself; a copy keeps the layout.
mkdir -p "$work/app" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
cp "$app_dir/tavro-nozzle" "$work/app/"
modules=$work/app
if [[ ! -f $app_dir/libsavtojpg.so ]]; then
    modules=$work/lib/tavro-nozzle
    app_dir=$app_dir/../lib/tavro-nozzle
    mkdir -p "$modules"
fi
cp "$app_dir/libsavtojpg.so" "$app_dir/libtavrocharts.so" "$app_dir/libtavroprint.so" "$modules/"
# Qt's own texts are Russian where Qt's translations are installed.
open_title='^Open$' save_title='^Save As$'
if [[ -f /usr/share/qt6/translations/qtbase_ru.qm ]]; then
    open_title='^Открыть$' save_title='^Сохранить как$'
fi
data=$work/data
cp "$start_file" "$data/start.dat"
cp "$start_file" "$data/design.dat"
printf '"%s"\r\n' "$data/start.dat" >"$work/app/last.srd"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
display_known() { [[ -s $work/display ]]; }
wait_for "Xvfb" 10 display_known
export DISPLAY=:$(head -n 1 "$work/display")

# Users have a window manager: frames, activation and focus are its.
HOME=$work openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "the window manager" 10 wm_running

# libdbus keeps a buffer for the life of the process; everything else must be freed.
QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$here/lsan.supp" \
    "$work/app/tavro-nozzle" >"$work/app.out" 2>"$work/app.err" &
app_pid=$!

# Start-up loads the file last.srd names.
wait_for "the main window" 20 window_shown "${main_window}.*/start\.dat$"

# The window takes the program's icon, at the sizes desktops ask for, once it has appeared.
has_icon() {
    local props
    props=$(xprop -id "$(window "$main_window")" _NET_WM_ICON 2>/dev/null) || return 1
    [[ $props == *"Icon (16 x 16)"* && $props == *"Icon (128 x 128)"* ]]
}
wait_for "the window icon" 10 has_icon

# The window is laid out once, its frame included: it does not move or change size when the
# first window of its own closes.
geometry() { xdotool getwindowgeometry "$(window "$main_window")" | tail -n 2 | tr -s ' '; }
sleep 0.5
first_geometry=$(geometry)

# Esc, and Enter, in the About window close it and nothing else: the program goes on.
for key in "Down Up Escape" Return; do
    focus "$main_window"
    xdotool key ctrl+i
    focus '^О программе '
    xdotool key $key
    wait_for "the About window to close" 10 window_gone '^О программе '
    sleep 0.3
    kill -0 "$app_pid" 2>/dev/null || fail "$key in the About window ended the program"
done
window_shown "${main_window}.*/start\.dat$" || fail "the main window is gone"
sleep 0.3
[[ $(geometry) == "$first_geometry" ]] ||
    fail "the window moved when the About window closed: $first_geometry, then $(geometry)"

# Ctrl+O, the path typed into the file dialog.
focus "$main_window"
xdotool key ctrl+o
focus "$open_title"
xdotool key End shift+Home
xdotool type --delay 2 "$data/design.dat"
xdotool key Return
wait_for "the opened file's caption" 10 window_shown "${main_window}.*/design\.dat$"

# Enter walks from the title to the throat radius, whose 5 becomes 12,5: a decimal comma.
focus "$main_window"
xdotool key Return Home shift+End
xdotool type 12,5
xdotool key Return

# The adiabatic index with two decimal separators is rejected; corrected in the field the
# program focused, with a decimal comma, it computes. Six Tabs lead from the index to the
# compute button.
press_compute() {
    xdotool key Tab Tab Tab Tab Tab Tab space
}
xdotool key Return Home shift+End
xdotool type 1,2,4
press_compute
wait_for "the input error" 10 window_shown '^Ошибка ввода$'
xdotool windowfocus --sync "$(window '^Ошибка ввода$')" key Return
wait_for "the input error to close" 10 window_gone '^Ошибка ввода$'
focus "$main_window"
xdotool type 1,24
press_compute
sleep 1
window_gone '^Ошибка ввода$' || fail "the corrected index was rejected again"

# Ctrl+S saves to the open file and the confirmation closes itself.
xdotool key ctrl+s
wait_for "the save confirmation" 10 window_shown "^O'k$"
wait_for "the save confirmation to close" 10 window_gone "^O'k$"

# An edit still in its field counts for Ctrl+Q, which asks (Esc: Cancel), and for Ctrl+S. The
# Tabs left the focus in the note.
focus "$main_window"
xdotool key Home shift+End
xdotool type note6
xdotool key ctrl+q
wait_for "the save question" 10 window_shown '^Данные были изменены$'
xdotool windowfocus --sync "$(window '^Данные были изменены$')" key Escape
wait_for "the save question to close" 10 window_gone '^Данные были изменены$'
focus "$main_window"
xdotool key ctrl+s
wait_for "the second save confirmation" 10 window_shown "^O'k$"
wait_for "the second save confirmation to close" 10 window_gone "^O'k$"

# Ctrl+J, a name typed over the offered one.
focus "$main_window"
xdotool key ctrl+j
focus "$save_title"
xdotool key End shift+Home
xdotool type --delay 2 "$data/sheet.jpg"
xdotool key Return
wait_for "the export confirmation" 10 window_shown "^O'k$"
wait_for "the export confirmation to close" 10 window_gone "^O'k$"
eval "$(xdotool getwindowgeometry --shell "$(window "$main_window")")"
window_height=$HEIGHT

# 4 MPa is below the chamber pressures this design works at: the off-design box, then the
# characteristics window (Ctrl+T); 5 MPa again computes the saved design. Up four times leads
# from the note (or the compute button) to the chamber pressure, five Tabs from there to the
# compute button, Down from there back to the note. A box is named before it is mapped: the
# keys go to it once it can be seen.
viewable() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
shown_now() { [[ -n $(viewable "$1") ]]; }
focus "$main_window"
xdotool key Up Up Up Up Home shift+End
xdotool type 4
xdotool key Tab Tab Tab Tab Tab space
wait_for "the off-design box" 10 shown_now '^Нерасчетный режим$'
xdotool windowfocus --sync "$(viewable '^Нерасчетный режим$')" key Return
wait_for "the off-design box to close" 10 window_gone '^Нерасчетный режим$'
focus "$main_window"
xdotool key ctrl+t
wait_for "the characteristics window" 10 shown_now '^Характеристики сопла$'
grep -qF "$modules/libtavrocharts.so" "/proc/$app_pid/maps" ||
    fail "the characteristics window is not from $modules/libtavrocharts.so"
eval "$(xdotool getwindowgeometry --shell "$(viewable '^Характеристики сопла$')")"
((WIDTH >= 800 && HEIGHT >= 500)) || fail "characteristics window ${WIDTH}x$HEIGHT"
focus "$main_window"
xdotool key Up Up Up Up Home shift+End
xdotool type 5
xdotool key Tab Tab Tab Tab Tab space
sleep 0.5
window_gone '^Нерасчетный режим$' || fail "5 MPa is off-design"
xdotool key Down

# Qt Print Support comes with the first print, from the module beside the program: Ctrl+P shows
# the drawing's preview, and Esc closes it with nothing printed.
! grep -q 'libQt6PrintSupport' "/proc/$app_pid/maps" || fail "Qt Print Support was loaded at start-up"
focus "$main_window"
xdotool key ctrl+p
wait_for "the print preview" 10 shown_now '^Просмотр: чертеж$'
grep -qF "$modules/libtavroprint.so" "/proc/$app_pid/maps" ||
    fail "the preview is not from $modules/libtavroprint.so"
xdotool windowfocus --sync "$(viewable '^Просмотр: чертеж$')" key Escape
wait_for "the print preview to close" 10 window_gone '^Просмотр: чертеж$'

# Esc with an unsaved edit asks as Exit does; Cancel keeps the program running.
focus "$main_window"
xdotool key Home shift+End
xdotool type note7
xdotool key Escape
wait_for "Esc's save question" 10 window_shown '^Данные были изменены$'
xdotool windowfocus --sync "$(window '^Данные были изменены$')" key Escape
wait_for "Esc's save question to close" 10 window_gone '^Данные были изменены$'
sleep 0.3
kill -0 "$app_pid" 2>/dev/null || fail "Esc with unsaved changes ended the program"
focus "$main_window"
xdotool key ctrl+s
wait_for "the third save confirmation" 10 window_shown "^O'k$"
wait_for "the third save confirmation to close" 10 window_gone "^O'k$"
cp "$data/design.dat" "$work/saved_before_clear.dat"

# After Clear, Save asks for a name (Esc cancels) instead of replacing the open file.
focus "$main_window"
xdotool key F5
sleep 0.3
xdotool type other
xdotool key ctrl+s
wait_for "the save dialog after Clear" 10 window_shown "$save_title"
xdotool windowfocus --sync "$(window "$save_title")" key Escape
wait_for "the save dialog to close" 10 window_gone "$save_title"
cmp -s "$data/design.dat" "$work/saved_before_clear.dat" || fail "Save after Clear replaced the file"

# Restore asks before it throws the edit away, and Enter answers "Нет".
focus "$main_window"
xdotool key F4
wait_for "Restore's question" 10 window_shown '^Восстановление последнего сохранения$'
xdotool windowfocus --sync "$(window '^Восстановление последнего сохранения$')" key Return
wait_for "Restore's question to close" 10 window_gone '^Восстановление последнего сохранения$'

# Ctrl+Q: the kept edit is still unsaved; Enter saves it under a new name, and the program ends.
focus "$main_window"
xdotool key ctrl+q
wait_for "the exit question" 10 window_shown '^Данные были изменены$'
xdotool windowfocus --sync "$(window '^Данные были изменены$')" key Return
focus "$save_title"
xdotool key End shift+Home
xdotool type --delay 2 "$data/new.dat"
xdotool key Return
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for "the program to end" 10 ended
status=0
wait "$app_pid" || status=$?
app_pid=
((status == 0)) || fail "the program ended with status $status"
grep -q 'Sanitizer' "$work/app.err" && fail "the sanitizers reported a fault"

# The saved file: 22 CR LF lines, the throat radius, the index and the note edited, the
# results those of the corrected design, and every other input line as it was.
saved=$data/design.dat
[[ $(tr -cd '\n' <"$saved" | wc -c) -eq 22 ]] || fail "the saved file has not 22 lines"
[[ $(grep -c $'\r$' "$saved") -eq 22 ]] || fail "a saved line does not end with CR LF"
line3=$(sed -n 3p "$saved" | tr -d '\r')
[[ $line3 == *'","12,5"' ]] || fail "the edited throat radius was not saved: $line3"
[[ ${line3%,\"*} == "$(sed -n 3p "$start_file" | tr -d '\r' | sed 's/,"[^"]*"$//')" ]] ||
    fail "the throat radius caption changed"
[[ $(sed -n 5p "$saved" | tr -d '\r') == *'","1,24"' ]] || fail "the index: $(sed -n 5p "$saved")"
[[ $(sed -n 22p "$saved" | tr -d '\r') == *'","note7"' ]] ||
    fail "the note typed before Esc: $(sed -n 22p "$saved")"
# Rows 8 and 9 hold the entrance radius and angle as the calculation clamped them.
diff -q <(sed -n "1,2p;4p;6,8p" "$saved") <(sed -n "1,2p;4p;6,8p" "$start_file") >/dev/null ||
    fail "inputs other than those typed changed"
# Ra / Rkr of the results is their relative exit radius: they were computed for Rkr = 12.5, not
# for the 12 that reading up to the comma would give.
value() { sed -n "${1}p" "$saved" | tr -d '\r"' | awk -F, '{ print $NF }'; }
awk -v ra="$(value 17)" -v rra="$(value 14)" 'BEGIN { exit !(ra > 0 && (ra / 12.5 - rra)^2 < 1e-4) }' ||
    fail "the results are not those of Rkr = 12.5: Ra $(value 17), Ra/Rkr $(value 14)"
# The edit kept by Restore's "Нет" went to the new file at exit.
[[ $(sed -n 22p "$data/new.dat" | tr -d '\r') == *'","other"' ]] ||
    fail "the edit after Clear was not saved at exit: $(sed -n 22p "$data/new.dat")"

# The picture: a JPEG of the sheet, a portrait 0.7 : 1 nearly as high as the window.
read -r format width height mean < <(identify -format '%m %w %h %[fx:mean]\n' "$data/sheet.jpg")
[[ $format == JPEG ]] || fail "the picture is $format, not JPEG"
((height > window_height * 9 / 10 && height <= window_height)) ||
    fail "picture height $height for a window $window_height high"
((width * 10 - height * 7 <= 10 && height * 7 - width * 10 <= 10)) ||
    fail "picture ${width}x$height is not the sheet's 0.7 : 1"
awk -v m="$mean" 'BEGIN { exit !(m > 0.8 && m < 0.995) }' ||
    fail "the picture is not a drawing on white (mean $mean)"

# last.srd names the document that was open at the end.
[[ $(cat "$work/app/last.srd") == "\"$data/new.dat\""$'\r' ]] || fail "last.srd: $(cat -A "$work/app/last.srd")"

echo "window session passed: picture ${width}x$height in $SECONDS s"
