#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renews the pictures of every window: docs/screenshots/NAME.png for the README and
# src/ui/help/shots/NAME.png for the help pages. Builds nothing: give it a build folder
# holding bin/tunedex and bin/tunedex-cli (default: build).
#
#   scripts/screenshots.sh [BUILD_DIR]
#
# A small catalogue and playlist are made in a temporary folder from generated song files, and
# each window is pictured over them under Xvfb at 1280x800. The windows pictured are those
# `tunedex --help` lists after --dialog, plus the catalogue window itself ("main").
# Needs xvfb-run and python3; the pictures are squeezed with optipng when it is installed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
tunedex="$build/bin/tunedex"
cli="$build/bin/tunedex-cli"
for program in "$tunedex" "$cli"; do
  [[ -x $program ]] || { echo "missing $program: build it first" >&2; exit 2; }
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is needed (package xvfb)" >&2; exit 2; }

# A fixed folder, so that the paths the pictures show are the same at every run.
work="${TMPDIR:-/tmp}/tunedex-screenshots-$(id -u)"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
# The songs lie in the host's home folder, which the windows' folder trees start from.
home="$work/host"
songs="$home/Karaoke"
mkdir -p "$songs/Pop" "$songs/Rock" "$songs/Ballads"

# Song files: karaoke MIDI with title tags and lyrics, MIDI with track names, MP3 with an
# ID3v2.3 tag (some with their .cdg graphics beside them).
python3 - "$songs" <<'PY'
import os, struct, sys

root = sys.argv[1]

def meta(kind, text):
    data = text.encode("latin-1")
    return b"\x00\xff" + bytes([kind, len(data)]) + data

def midi(events):
    track = b"".join(events) + b"\x00\xff\x2f\x00"
    return (b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" +
            struct.pack(">I", len(track)) + track)

def kar(title, artist):
    lyrics = [meta(1, "\\" + word) for word in ("Sing ", "a", "long")]
    return midi([meta(1, "@KMIDI KARAOKE FILE"), meta(1, "@T" + title),
                 meta(1, "@T" + artist)] + lyrics)

def plain_midi(title, artist):
    return midi([meta(3, title), meta(3, artist), meta(5, "La la la")])

def mp3(title, artist):
    def frame(name, text):
        payload = b"\x00" + text.encode("latin-1")
        return name.encode() + struct.pack(">I", len(payload)) + b"\x00\x00" + payload
    area = frame("TIT2", title) + frame("TPE1", artist)
    size = len(area)
    syncsafe = bytes((size >> shift) & 0x7F for shift in (21, 14, 7, 0))
    audio = (b"\xff\xfb\x90\x64" + bytes(413)) * 4
    return b"ID3\x03\x00\x00" + syncsafe + area + audio

songs = [
    ("Pop/ABBA - Waterloo.kar", kar, "Waterloo", "ABBA"),
    ("Pop/ABBA - Dancing Queen.kar", kar, "Dancing Queen", "ABBA"),
    ("Pop/Cyndi Lauper - Girls Just Want to Have Fun.kar", kar,
     "Girls Just Want to Have Fun", "Cyndi Lauper"),
    ("Pop/Roxette - The Look.mid", plain_midi, "The Look", "Roxette"),
    ("Pop/Europe - The Final Countdown.mp3", mp3, "The Final Countdown", "Europe"),
    ("Rock/Queen - Bohemian Rhapsody.mp3", mp3, "Bohemian Rhapsody", "Queen"),
    ("Rock/Bon Jovi - Livin' on a Prayer.mp3", mp3, "Livin' on a Prayer", "Bon Jovi"),
    ("Rock/Survivor - Eye of the Tiger.kar", kar, "Eye of the Tiger", "Survivor"),
    ("Rock/Toto - Africa.mid", plain_midi, "Africa", "Toto"),
    ("Ballads/Whitney Houston - I Will Always Love You.mp3", mp3,
     "I Will Always Love You", "Whitney Houston"),
    ("Ballads/Celine Dion - My Heart Will Go On.kar", kar, "My Heart Will Go On",
     "Celine Dion"),
    ("Ballads/Lionel Richie - Hello.kar", kar, "Hello", "Lionel Richie"),
]
for name, make, title, artist in songs:
    with open(os.path.join(root, name), "wb") as out:
        out.write(make(title, artist))
    if name.endswith(".mp3"):
        with open(os.path.join(root, name[:-4] + ".cdg"), "wb") as out:
            out.write(bytes(24 * 4))
PY

db="$work/songs.tdb"
tdp="$work/songs.tdp"  # the catalogue's active playlist
"$cli" scan "$db" "$songs" >/dev/null
# Two songs go missing, for the Lost Files window: one deleted, one moved to another folder.
rm "$songs/Pop/Roxette - The Look.mid"
mkdir -p "$songs/Moved"
mv "$songs/Rock/Toto - Africa.mid" "$songs/Moved/"
add() {
  local singer=$1
  shift
  "$cli" playlist add "$tdp" --db "$db" --singer "$singer" "$@" >/dev/null
}
add "Anna" "$songs/Pop/ABBA - Waterloo.kar"
add "Björn" "$songs/Rock/Queen - Bohemian Rhapsody.mp3"
add "Carla" "$songs/Ballads/Whitney Houston - I Will Always Love You.mp3"
add "David" "$songs/Rock/Survivor - Eye of the Tiger.kar"
add "Anna" "$songs/Pop/Cyndi Lauper - Girls Just Want to Have Fun.kar"
add "Erik" "$songs/Rock/Bon Jovi - Livin' on a Prayer.mp3"

settings="$work/tunedex.ini"
# Players as the README's examples set them: mpv for the audio and MIDI types, reused between
# songs, and VLC for video, started afresh for each song.
fresh_settings() {
  printf '[Startup]\nData=%s\nSongs=%s\n' "$db" "$songs" >"$settings"
  local section
  for section in Kar St3 Midi Mp3 Wma Kfn; do
    printf '[%sPlayerOptions]\nPlayerFile=/usr/bin/mpv\nRestart=0\nCloseClass=mpv\nCloseName=mpv\n' \
      "$section" >>"$settings"
  done
  printf '[MPEGPlayerOptions]\nPlayerFile=/usr/bin/vlc\nRestart=1\nCloseClass=vlc\n' >>"$settings"
  printf 'CloseName=VLC media player\n' >>"$settings"
}

# The dialog names after --dialog in the usage text, which may run over several lines.
mapfile -t dialogs < <("$tunedex" --help 2>&1 | tr -d '\n' |
  sed -n 's/.*--dialog \([^]]*\)].*/\1/p' | tr -d ' ' | tr '|' '\n' | sed '/^$/d')
[[ ${#dialogs[@]} -gt 0 ]] || { echo "no dialog names in 'tunedex --help'" >&2; exit 1; }

docs="$root/docs/screenshots"
shots="$root/src/ui/help/shots"
mkdir -p "$docs" "$shots"
picture() {
  local name=$1
  shift
  fresh_settings
  rm -f "$docs/$name.png"
  HOME="$home" XDG_CONFIG_HOME="$home/.config" xvfb-run -a -s "-screen 0 1280x800x24" \
    "$tunedex" --settings "$settings" --screenshot "$docs/$name.png" "$@" >/dev/null 2>&1 || true
  if [[ ! -s $docs/$name.png ]]; then
    echo "no picture of $name" >&2
    return 1
  fi
  if command -v optipng >/dev/null; then optipng -quiet -o2 "$docs/$name.png"; fi
  cp "$docs/$name.png" "$shots/$name.png"
  echo "$name.png"
}

failed=0
picture main || failed=1
for dialog in "${dialogs[@]}"; do
  case $dialog in
    explorer) picture "$dialog" --dialog "$dialog" --folder "$songs/Pop" || failed=1 ;;
    scan) picture "$dialog" --dialog "$dialog" --folder "$songs" || failed=1 ;;
    *) picture "$dialog" --dialog "$dialog" || failed=1 ;;
  esac
done
exit $failed
