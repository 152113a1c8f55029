# cmake --install build --prefix P: the programs in P/bin and the game folder's data in
# P/share/tarnhollow, where the programs look when no data sits beside them; the desktop
# entry, the icons and the AppStream metadata where desktops find them. The data folders
# are optional: a build without data installs the programs alone.
set(TARNHOLLOW_DATA_DESTINATION share/tarnhollow)

install(TARGETS tarnhollow tarnhollow-tool tarnhollow-editor RUNTIME DESTINATION bin)

# The game folder also holds what a player left there (times, temporary files of a write);
# only the data goes.
foreach(folder gfx gfx1024 gfx2048 snd lvl customlvl)
    install(DIRECTORY ${GAME_DIR}/${folder} DESTINATION ${TARNHOLLOW_DATA_DESTINATION} OPTIONAL
            PATTERN "*.tim" EXCLUDE
            PATTERN "*.tmp*" EXCLUDE)
endforeach()
install(FILES ${GAME_DIR}/manual.pdf DESTINATION ${TARNHOLLOW_DATA_DESTINATION} OPTIONAL)

install(FILES ${PROJECT_SOURCE_DIR}/dist/tarnhollow.desktop
              ${PROJECT_SOURCE_DIR}/dist/tarnhollow-editor.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/io.github.tarnhollow.Tarnhollow.metainfo.xml
        DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)
