#!/usr/bin/env bash
# Runs the built demo host (QorDemo.exe) under Wine. It builds nothing: build
# the Windows tree first (see the project's README).
#
#   demo/run-demo.sh [BUILD_DIR] [SCREENSHOT_DIR]
#
# BUILD_DIR defaults to build-win. With a display ($DISPLAY set) the demo runs
# interactively. Without one it runs inside a virtual X server (xvfb-run) and
# writes into SCREENSHOT_DIR (default: BUILD_DIR/screenshots), per language:
# main-<locale>.png and dialog-<locale>.png (main window, settings dialog),
# texts-<locale>.txt (their texts read back, menu and tooltips included), and
# the dictionary editor: editor-language-<locale>.png (its language dialog
# after a font was chosen), editor-settings-<locale>.png,
# editor-system-<locale>.png, editor-find-<locale>.png (with the find dialog)
# and editor-project-<locale>.png; once, misses.txt, the texts it found no
# translation for (for `qordict gather --from-list`). It fails when a file
# could not be written, when going back to the first language does not
# restore every text, or when the editor could not be driven through its
# pages and dialogs.
#
# The demo uses its own Wine prefix (BUILD_DIR/wineprefix-demo) with Wine's
# X11 driver; the tests' prefix uses the null driver and draws nothing. Chinese
# texts need a CJK font (Debian: fonts-wqy-microhei): the prefix maps the
# Chinese UI font names and links the default dialog fonts to it.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-win}" && pwd)
program="$build/bin/QorDemo.exe"
if [ ! -f "$program" ]; then
  echo "run-demo: $program not found; build the Windows tree first." >&2
  exit 1
fi

export WINEPREFIX="$build/wineprefix-demo"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

cjk_font=$(fc-list : file family 2>/dev/null | grep -i -m1 'WenQuanYi Micro Hei' || true)

prepare_prefix() {
  [ -f "$WINEPREFIX/.qor-demo-ready" ] && return
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  if [ -n "$cjk_font" ]; then
    local file=${cjk_font%%:*}
    local name="WenQuanYi Micro Hei"
    local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    # The sample dictionary's Chinese font, and CJK fallback for the fonts
    # that menus, dialogs and the other languages use.
    wine reg add "$subst" /v "Microsoft YaHei" /d "$name" /f >/dev/null 2>&1
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" Arial "Segoe UI"; do
      wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d "$(basename "$file"),$name" /f >/dev/null 2>&1
    done
  else
    echo "run-demo: no CJK font found (install fonts-wqy-microhei); Chinese texts will show as boxes." >&2
  fi
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
  wineserver -w || true
  touch "$WINEPREFIX/.qor-demo-ready"
}

# Y: the window manager frames the windows. N: Wine draws the frames itself,
# for a virtual X server, which has no window manager (captions would stay
# blank otherwise).
window_manager() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d "$1" /f >/dev/null 2>&1
  wineserver -w || true
}

prepare_prefix
if [ -n "${DISPLAY:-}" ]; then
  window_manager Y
  exec wine "$program"
fi

shots=$(mkdir -p "${2:-$build/screenshots}" && cd "${2:-$build/screenshots}" && pwd)
window_manager N
# Wine's drive Z: is the Unix root. (Asking winepath would start Wine
# outside the virtual display, and the program would then find no display.)
status=0
xvfb-run -a -s "-screen 0 1024x1024x24" wine "$program" --screenshot "Z:${shots//\//\\}" || status=$?
wineserver -k 2>/dev/null || true
echo "run-demo: screenshots are in $shots"
ls "$shots"
exit $status
