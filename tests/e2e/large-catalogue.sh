#!/usr/bin/env bash
# A catalogue of thousands of items, megabytes long, is ready before its
# images are read: the first screen draws its icons straight from the file,
# the file is let go soon after the list takes keys, and a change saved at
# the close keeps every other item's icon.
source "$(dirname "$0")/lib.sh"

rows=3200 # over 4 MB: the size from which the images are left in the file
mkdir -p "$LAUNCHER/tools"
(cd "$LAUNCHER/tools" && seq -f 'item%g.exe' "$rows" | xargs touch)
printf '[Preferences]\r\nCheckSafe=0\r\n' >"$LAUNCHER/start.ini"

# Six rows of the list without its scroll bar (whose thumb shows the length).
shoot_rows() {
    window_place
    import -display "$DISPLAY" -window root "$SHOTS/desktop.png"
    convert "$SHOTS/desktop.png" -crop "$((width - 40))x$((26 * 6))+$((left + 8))+$(($(row_y 0) - 13))" \
        +repage "$SHOTS/$1"
}

# The same first items in a catalogue small enough to be read whole.
catalogue make "$LAUNCHER/QuillDeck.rcc" 12
cp "$LAUNCHER/start.ini" "$LAUNCHER/QuillDeck.ini"
start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end over 12 items"
remote wait-focused 10000 || fail "the list did not get the keyboard over 12 items"
shoot_rows large-catalogue-small.png
remote exit
wait_launcher_exit

catalogue make "$LAUNCHER/QuillDeck.rcc" "$rows"
(($(stat -c %s "$LAUNCHER/QuillDeck.rcc") > 4 * 1024 * 1024)) || fail "the catalogue is not large"
before=$(catalogue dump "$LAUNCHER/QuillDeck.rcc")
cp "$LAUNCHER/start.ini" "$LAUNCHER/QuillDeck.ini"
start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end over $rows items"
remote wait-focused 10000 || fail "the list did not get the keyboard over $rows items"
shoot_rows large-catalogue.png
same_picture "$SHOTS/large-catalogue-small.png" "$SHOTS/large-catalogue.png" ||
    fail "the first rows of the large catalogue look different from the small one's"

# Another program can write the file once the launcher has let it go.
remote wait-writable "$(winepath -w "$LAUNCHER/QuillDeck.rcc")" ||
    fail "the catalogue file is still held after the list took keys"

key Delete
x_window '^Warning$' >/dev/null || fail "Delete asked nothing"
key Return
gone '^Warning$' || fail "Return left the question open"
key alt+x
remote wait-gone 20000 || fail "Alt+X did not end the launcher"
wait_launcher_exit

after=$(catalogue dump "$LAUNCHER/QuillDeck.rcc")
[[ $after == "$(tail -n +2 <<<"$before")" ]] || fail "the saved catalogue is not the old one less its first item"
echo "large catalogue: ok"
