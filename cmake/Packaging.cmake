# `make package`: a Debian package whose library dependencies dpkg-shlibdeps works out.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyvane)
set(CPACK_PACKAGE_VENDOR "Tallyvane")
set(CPACK_PACKAGE_CONTACT "Tallyvane <support@tallyvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Process sigma calculator for quality engineers")
set(CPACK_PACKAGE_DESCRIPTION
    "Turns total defects and total opportunities into DPMO, defect %, yield % and the\n process sigma level, and prints them as a short report.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tallyvane.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries the binary links, but what it needs at run time: the fonts the window and
# the report are laid out for, and Qt's plugins for X11 and Wayland desktops.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
