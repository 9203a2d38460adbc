# What `cmake --install` puts under the prefix: the two programs, their data under share/tavoro
# (found by the program relative to its bin folder), and what the desktop needs to offer the
# program and open .pgr files with it.
include(GNUInstallDirs)

set(TAVORO_DESKTOP_SOURCE ${PROJECT_SOURCE_DIR}/resources/desktop)
set(TAVORO_ICON_SOURCE ${PROJECT_SOURCE_DIR}/resources/icons)
set(TAVORO_DESKTOP_BINARY ${PROJECT_BINARY_DIR}/desktop)
set(TAVORO_DOCUMENT_ICON application-x-tavoro-document)
configure_file(${TAVORO_DESKTOP_SOURCE}/tavoro.desktop.in ${TAVORO_DESKTOP_BINARY}/${TAVORO_APP_ID}.desktop @ONLY)
configure_file(${TAVORO_DESKTOP_SOURCE}/tavoro.metainfo.xml.in ${TAVORO_DESKTOP_BINARY}/${TAVORO_APP_ID}.metainfo.xml
               @ONLY)

install(TARGETS tavoro tavoro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help DESTINATION ${CMAKE_INSTALL_DATADIR}/tavoro)
install(FILES ${PROJECT_SOURCE_DIR}/resources/beep.wav DESTINATION ${CMAKE_INSTALL_DATADIR}/tavoro)
install(FILES ${TAVORO_DESKTOP_BINARY}/${TAVORO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVORO_DESKTOP_BINARY}/${TAVORO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TAVORO_DESKTOP_SOURCE}/tavoro-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TAVORO_APP_ID}.xml)

# Man pages go compressed, as Debian installs them; -n keeps the archive free of the build time.
find_program(GZIP gzip REQUIRED)
set(man_outputs)
foreach(page tavoro.1 tavoro-cli.1)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
    set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND sh -c "\"$1\" -9n -c \"$2\" > \"$3\"" sh ${GZIP} ${source} ${compressed}
        DEPENDS ${source} VERBATIM)
    list(APPEND man_outputs ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(tavoro_man_pages ALL DEPENDS ${man_outputs})

# Icons: the drawings in every size a desktop asks for. The program's carries the application id;
# the document's the name the desktop derives from its type (application/x-tavoro-document).
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(TAVORO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_outputs)
foreach(icon program:apps:${TAVORO_APP_ID} document:mimetypes:${TAVORO_DOCUMENT_ICON})
    string(REPLACE ":" ";" parts ${icon})
    list(GET parts 0 drawing)
    list(GET parts 1 context)
    list(GET parts 2 name)
    install(FILES ${TAVORO_ICON_SOURCE}/${drawing}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context} RENAME ${name}.svg)
    foreach(size ${TAVORO_ICON_SIZES})
        set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/${context}/${name}.png)
        get_filename_component(png_dir ${png} DIRECTORY)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${png_dir}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${TAVORO_ICON_SOURCE}/${drawing}.svg
            DEPENDS ${TAVORO_ICON_SOURCE}/${drawing}.svg VERBATIM)
        list(APPEND icon_outputs ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
    endforeach()
endforeach()
add_custom_target(tavoro_icons ALL DEPENDS ${icon_outputs})
