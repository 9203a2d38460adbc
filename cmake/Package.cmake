# `make package`: a Debian package of what cmake --install installs, under /usr. Its dependencies
# are read from the programs' libraries by dpkg-shlibdeps; the desktop's own triggers refresh the
# menu, the file types and the icon caches when it is installed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavoro)
set(CPACK_PACKAGE_VENDOR Quenset)
set(CPACK_PACKAGE_CONTACT "Quenset <tavoro@quenset.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal organizer: address book, tasks and appointments")
set(CPACK_PACKAGE_DESCRIPTION
    "One small document holds a person's address book, task list, appointment book with reminders \
and own address. The program shows a month calendar with the day's tasks and appointments and \
the phone book, prints plans, address books and envelopes, and imports and exports delimited \
text; tavoro-cli does the same from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
