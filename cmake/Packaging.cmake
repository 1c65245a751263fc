# The Debian package: `cpack` in a build directory makes zorvex2000_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvex2000)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision comes from the newest entry of data/changelog (1.0.0-1: version 1.0.0, revision 1).
if(NOT ZV_DEBIAN_REVISION)
  message(FATAL_ERROR "The Debian revision is read from data/changelog by data/CMakeLists.txt")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZV_DEBIAN_REVISION})
set(CPACK_PACKAGE_VENDOR "The Zorvex 2000 developers")
set(CPACK_PACKAGE_CONTACT "The Zorvex 2000 developers <zorvex2000@example.com>")
# No Homepage field: the project has no web site.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game with coloured balls and five figure modes")
# One string: the lines of the long description must not become a list.
set(CPACK_PACKAGE_DESCRIPTION "\
Balls of six colours lie on a board of 10 x 10 cells. A turn moves one ball
to an empty cell it can reach through empty cells; the figures of the chosen
mode (lines, squares, crosses, rings or blocks) then vanish and score. Each
mode keeps its own record. Five built-in skins, and your own from a theme file.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
if(NOT TARGET zvtool)
  message(WARNING "ZV_TOOLS is OFF: the package will lack zvtool, the skin maker")
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The fonts are looked up by name through fontconfig: nothing links against them, so they are named.
# fontconfig is opened at run time (when a face is not where its package puts it), so it is named too.
# No X bitmap fonts: the game draws its message boxes itself, in the same faces as its windows.
set(_zv_depends fonts-dejavu-core fonts-liberation2 fonts-roboto-unhinted libfontconfig1)
# The libraries come from dpkg-shlibdeps, with the versions this build really needs; without it, by name.
find_program(ZV_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(ZV_DPKG_SHLIBDEPS)
if(ZV_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  list(PREPEND _zv_depends libc6 libsdl2-2.0-0)
endif()
list(JOIN _zv_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The file chooser loads GTK on demand, and the home page opens through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgtk-3-0, xdg-utils")

# A source package of the tree, without build directories and version control.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/out/" "\\\\.swp$")

include(CPack)
