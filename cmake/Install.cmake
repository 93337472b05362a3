# Installation and the Debian package.
# The program, the staff editor, the teachers' database tool and the data they read all go into one
# folder, lib/trevane/, because the program looks for its databases, pictures,
# help and settings beside its own executable. bin/ holds symbolic links to the
# two programs (the program resolves the link to find its folder).
set(TREVANE_INSTALL_DIR lib/trevane)

foreach(program trevane trevane-editor)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${TREVANE_INSTALL_DIR})
    endif()
endforeach()
install(TARGETS trevane-db RUNTIME DESTINATION ${TREVANE_INSTALL_DIR})

install(FILES ${TREVANE_BIN_DIR}/higher.mdf ${TREVANE_BIN_DIR}/lower.mdf ${TREVANE_BIN_DIR}/QEL.hlp
        DESTINATION ${TREVANE_INSTALL_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/QEL.ini DESTINATION ${TREVANE_INSTALL_DIR})
install(DIRECTORY ${TREVANE_BIN_DIR}/pics DESTINATION ${TREVANE_INSTALL_DIR}
        PATTERN ".stamp" EXCLUDE)

# Relative links, so the tree works under any prefix and inside the package.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
set(installed_links)
foreach(program trevane trevane-editor trevane-db)
    if(TARGET ${program})
        file(CREATE_LINK ../${TREVANE_INSTALL_DIR}/${program} ${link_dir}/${program} SYMBOLIC)
        list(APPEND installed_links ${link_dir}/${program})
    endif()
endforeach()
install(FILES ${installed_links} DESTINATION bin)

if(TARGET trevane)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/trevane.desktop DESTINATION share/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/trevane.png DESTINATION share/icons/hicolor/256x256/apps)
endif()
if(TARGET trevane-editor)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/trevane-editor.desktop DESTINATION share/applications)
endif()

# ---------------------------------------------------------------- package
set(CPACK_PACKAGE_NAME trevane)
set(CPACK_PACKAGE_VENDOR "Trevane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Materials database for design and technology lessons")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils browse and search a database of timbers, boards, metals and plastics, cost pieces from stock sizes and prices, collect them in a cutting list and print or save their work as projects. Staff edit the database, its prices, stock and pictures with trevane-editor, and combine a class's projects into one order.")
set(CPACK_PACKAGE_CONTACT "Trevane developers <trevane@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
# The package carries the programs without their debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6printsupport6, libjpeg62-turbo, libc6, libstdc++6")
include(CPack)
