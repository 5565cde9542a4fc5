# The Debian package: cmake --build build --target package gives
# veska_<version>_<architecture>.deb in the build folder.
set(VESKA_PACKAGE_MAINTAINER "The veska developers <veska@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veska)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The veska developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive crossdating of tree-ring series")
set(CPACK_PACKAGE_DESCRIPTION
"veska finds where undated (floating) tree-ring series fit in time. It models
every series with an autoregressive model, prewhitens it, slides every
floating series against every dated series (or against every other floating
series) over each placement with at least 50 rings of overlap, and reports
the three best placements of each pair by t-statistic in a text report.
It reads ring widths and indices in fixed-column decadal layouts.
.
The package holds the windowed program veska, with a menu entry, and
veska-console, the same dialogue on standard input and output for scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VESKA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are the libraries the programs are linked with, found by
# dpkg-shlibdeps: the Qt runtime for veska, the C++ runtime for both.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The coastlines the library window's map draws; without them the map shows
# the references alone.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xtide-coastline")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

include(CPack)
