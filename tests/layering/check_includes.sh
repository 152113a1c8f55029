#!/usr/bin/env bash
# Fails when code above platform/ includes SDL, OpenGL, SDL_mixer or stb headers.
src=${1:?source folder}
bad=$(grep -rnE '#\s*include\s*[<"](SDL2?/|SDL[_.]|GL/|epoxy/|stb_|stb/|imgui)' \
      "$src/engine" "$src/render" "$src/world" "$src/creatures" "$src/campaign" 2>/dev/null)
if [ -n "$bad" ]; then
    echo "platform headers included above the platform layer:"
    echo "$bad"
    exit 1
fi
echo "1 passed, 0 failed"
