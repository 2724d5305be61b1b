#!/usr/bin/env bash
# wine-env.sh prefix|start|stop BUILD_DIR
#   prefix: makes the project-local Wine prefix once (win10, the skin font
#           mapped to installed fonts for every script, no crash dialog,
#           no debugger, no runtime-install prompts).
#   start:  starts one Xvfb with a small window manager and one persistent
#           wineserver for a test run and records their process ids and the
#           display in BUILD_DIR/wine.
#   stop:   stops what start started, by process id.
set -euo pipefail
cmd=$1
build=$(mkdir -p "$2" && cd "$2" && pwd)
state="$build/wine"
. "$(dirname "$0")/wine-vars.sh" "$build"
mkdir -p "$state"

# Data of a multi-string registry value in .reg notation: hex(7) bytes of
# each string in UTF-16LE with its terminator, and one terminator more.
multi_sz() {
  { printf '%s\0' "$@"; printf '\0'; } | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v |
    tr -s ' \n' ',' | sed 's/^,//; s/,$//'
}

# The skins ask for "Microsoft YaHei" (and its native name). It becomes Loma
# (Latin, Thai), linked to WenQuanYi Micro Hei (Cyrillic, Chinese, Japanese,
# Korean) and DejaVu Sans (Arabic, Persian), so every language of the table
# draws real glyphs. Thai must be in the face itself: Wine shapes it without
# looking at linked fonts. Bold text goes through the bold face's own link.
# Written as UTF-16 for the native name.
write_font_reg() {
  local links bold
  links=$(multi_sz "wqy-microhei.ttc,WenQuanYi Micro Hei" "DejaVuSans.ttf,DejaVu Sans")
  bold=$(multi_sz "wqy-microhei.ttc,WenQuanYi Micro Hei" "DejaVuSans-Bold.ttf,DejaVu Sans")
  {
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Microsoft YaHei"="Loma"
"微软雅黑"="Loma"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Microsoft YaHei"=hex(7):$links
"微软雅黑"=hex(7):$links
"Loma"=hex(7):$links
"Loma Bold"=hex(7):$bold

REG
  } >"$1"
}

# Raised whenever the prefix's set-up changes, so older prefixes are remade.
ready_marker="$WINEPREFIX/.vandorix-ready-2"

make_prefix() {
  [ -f "$ready_marker" ] && return 0
  echo "making the Wine prefix (once): $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  # Booting runs Wine's background services, which inherit our streams.
  DISPLAY= setsid wineboot -i </dev/null >"$state/wineboot.log" 2>&1
  # Windows 10, and a crash ends the process instead of opening a debugger
  # or a dialog (a debugger that does not exist is never started).
  cat >"$state/prefix.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"="C:\\no-such-debugger.exe"
REG
  wine regedit /S "$(winepath -w "$state/prefix.reg")" </dev/null >>"$state/wineboot.log" 2>&1
  write_font_reg "$state/fonts.reg"
  wine regedit /S "$(winepath -w "$state/fonts.reg")" </dev/null >>"$state/wineboot.log" 2>&1
  wineserver -w
  touch "$ready_marker"
}

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }

start_services() {
  if ! alive "$state/xvfb.pid"; then
    local dispfile="$state/display.tmp"
    rm -f "$dispfile"
    setsid Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$dispfile" 2>/dev/null </dev/null &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 1 100); do [ -s "$dispfile" ] && break; sleep 0.1; done
    [ -s "$dispfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
    echo ":$(head -n1 "$dispfile")" >"$state/display"
  fi
  export DISPLAY=$(cat "$state/display")
  # Wine hides or destroys a shown window by withdrawing it and waits up to
  # 2 s for a window manager to confirm; with none on the display every
  # such call takes the whole 2 s. evilwm confirms at once. It needs a font
  # for its window titles; the server's built-in cursor font will do.
  if ! alive "$state/wm.pid"; then
    setsid evilwm -fn cursor </dev/null >/dev/null 2>&1 &
    echo $! >"$state/wm.pid"
  fi
  if ! alive "$state/wineserver.pid"; then
    setsid wineserver -f -p </dev/null >/dev/null 2>&1 &
    echo $! >"$state/wineserver.pid"
    sleep 0.3
    # The first process starts Wine's services; keep them off our streams.
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  fi
}

stop_services() {
  for name in wineserver wm xvfb; do
    if alive "$state/$name.pid"; then
      local pid
      pid=$(cat "$state/$name.pid")
      [ "$name" = wineserver ] && { wineserver -k 2>/dev/null || true; }
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$state/$name.pid"
  done
}

case "$cmd" in
  prefix) make_prefix ;;
  start) make_prefix; start_services; echo "$DISPLAY" ;;
  stop) stop_services ;;
  *) echo "usage: $0 prefix|start|stop BUILD_DIR" >&2; exit 2 ;;
esac
