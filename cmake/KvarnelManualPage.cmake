# kvarnel_manual_page(<page>.1.in): configures the manual page (the project's
# version, the Cyrillic letters' fallback for terminals without them) into the
# build folder and installs it.
file(READ ${CMAKE_CURRENT_LIST_DIR}/../packaging/cyrillic-fallback.roff KVARNEL_MAN_CYRILLIC)
string(STRIP "${KVARNEL_MAN_CYRILLIC}" KVARNEL_MAN_CYRILLIC)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../packaging/cyrillic-fallback.roff)

function(kvarnel_manual_page source)
    get_filename_component(page ${source} NAME_WLE)
    configure_file(${source} ${CMAKE_CURRENT_BINARY_DIR}/${page} @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
