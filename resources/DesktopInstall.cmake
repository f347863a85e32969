# What `cmake --install` puts on a desktop: the program, its menu entry and icon, its AppStream
# description, and the file type of gear lists, so that a double click on one opens it.
include(GNUInstallDirs)

set(VARNEL_APP_ID app.varnel.Varnel)
set(VARNEL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)

install(TARGETS varnel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VARNEL_RESOURCES}/icons/varnel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VARNEL_APP_ID}.svg)
install(FILES ${VARNEL_RESOURCES}/${VARNEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VARNEL_RESOURCES}/${VARNEL_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${VARNEL_APP_ID}.xml)

# The menu entry starts the program by its full path: a prefix such as ~/.local may not be on the
# PATH the desktop session started with.
install(CODE "
    set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
    set(bin \"\${prefix}/${CMAKE_INSTALL_BINDIR}/varnel\")
    if(bin MATCHES \"[ \\\"\\\\\\\\`$]\")
        string(REGEX REPLACE \"([\\\"\\\\\\\\`$])\" \"\\\\\\\\\\\\\\\\\\\\1\" bin \"\${bin}\")
        set(bin \"\\\"\${bin}\\\"\")
    endif()
    file(READ \"${VARNEL_RESOURCES}/${VARNEL_APP_ID}.desktop\" entry)
    string(REPLACE \"Exec=varnel \" \"Exec=\${bin} \" entry \"\${entry}\")
    set(apps \"\$ENV{DESTDIR}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications\")
    file(MAKE_DIRECTORY \"\${apps}\")
    message(STATUS \"Installing: \${apps}/${VARNEL_APP_ID}.desktop\")
    file(WRITE \"\${apps}/${VARNEL_APP_ID}.desktop\" \"\${entry}\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${apps}/${VARNEL_APP_ID}.desktop\")
")

# Outside a staged (DESTDIR) install the caches are brought up to date, so that the file type,
# the menu entry and the icon work at once; a package's own triggers do this otherwise.
install(CODE "
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
        set(share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
        find_program(update_mime update-mime-database)
        find_program(update_desktop update-desktop-database)
        find_program(update_icons gtk-update-icon-cache)
        if(update_mime)
            # It notes, needlessly here, when the folder is not on the search path.
            execute_process(COMMAND \${update_mime} \"\${share}/mime\" OUTPUT_QUIET
                            ERROR_VARIABLE said RESULT_VARIABLE failed)
            if(failed)
                message(WARNING \"update-mime-database \${share}/mime failed: \${said}\")
            endif()
        endif()
        if(update_desktop)
            execute_process(COMMAND \${update_desktop} -q \"\${share}/applications\")
        endif()
        if(update_icons AND EXISTS \"\${share}/icons/hicolor/index.theme\")
            execute_process(COMMAND \${update_icons} -q -t \"\${share}/icons/hicolor\")
        endif()
    endif()
")
