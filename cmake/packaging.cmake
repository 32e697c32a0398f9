# The Debian package, made by `cpack -G DEB` in the build folder (scripts/package.sh) from the
# install rules of desktop/.
# CPack installs through the "preinstall" target; it should not build the tests and benchmarks
# too. scripts/package.sh builds what the package holds first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallyman)
set(CPACK_PACKAGE_VERSION ${TALLYMAN_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tallyman developers")
set(CPACK_PACKAGE_CONTACT "The Tallyman developers <tallyman@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-first tape calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Tallyman adds up figures the way a paper tape calculator does: every step
becomes a row of a visible tape with its sign, operand and running result, and
Enter closes the calculation and records it in a results list with a total.
Rows can be edited, and every later row is recomputed.

Around the tape: a formula window with functions and variables, a notebook that
calculates text in place, times and dates, money amounts in Russian or English
words, ten named memory slots, printing, and a Russian and English interface.
The package also holds tallyman-cli, the calculator engine on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tallyman.example.org/)
# Libraries from the binaries (dpkg-shlibdeps), plus the fonts the windows ask for by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# The help page opens with the desktop's browser; Qt's own dialogs in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")

include(CPack)
