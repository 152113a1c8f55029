#!/usr/bin/env bash
# Fails when code above platform/ includes SDL, OpenGL, SDL_mixer or stb headers, or when a
# library includes one that sits above it: the world knows creatures only through the table
# they hand over, and the level form knows no world.
src=${1:?source folder}
failed=0
bad=$(grep -rnE '#\s*include\s*[<"](SDL2?/|SDL[_.]|GL/|epoxy/|stb_|stb/|imgui)' \
      "$src/engine" "$src/render" "$src/level" "$src/world" "$src/creatures" "$src/campaign" 2>/dev/null)
if [ -n "$bad" ]; then
    echo "platform headers included above the platform layer:"
    echo "$bad"
    failed=1
fi
upward=$(grep -rnE '#\s*include\s*"(creatures|campaign|startup)/' "$src/world" "$src/level" 2>/dev/null;
         grep -rnE '#\s*include\s*"world/' "$src/level" 2>/dev/null)
if [ -n "$upward" ]; then
    echo "headers included from a library above:"
    echo "$upward"
    failed=1
fi
if [ $failed -ne 0 ]; then
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
