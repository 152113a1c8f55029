#!/usr/bin/env bash
# The desktop entry and the AppStream metadata as software centres read them (offline).
set -euo pipefail
dist=${1:?folder of the desktop files}
desktop-file-validate "$dist/tarnhollow.desktop"
desktop-file-validate "$dist/tarnhollow-editor.desktop"
appstreamcli validate --no-net "$dist"/*.metainfo.xml
echo "3 passed, 0 failed"
