#!/usr/bin/env bash
# Installs what is missing, builds, and starts the host program with the dialog.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'TEXT'
No display found: quorlan-host shows a window and needs one.
- On a desktop, run ./run.sh from a terminal of the desktop session.
- With a virtual X display:  xvfb-run -a ./run.sh
- Or save the dialog as a picture without any display:
    QT_QPA_PLATFORM=offscreen build/bin/quorlan-host --screenshot dialog.png
TEXT
  exit 1
fi
exec build/bin/quorlan-host --open "$@"
