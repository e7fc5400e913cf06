# The Debian package that `make deb` builds with CPack: corvala_VERSION_ARCH.deb, holding what
# `cmake --install` installs under /usr, with the programs stripped (no debugging information
# is shipped) and the dependencies read from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvala)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corvala Software")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CORVALA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Documents name Arial; the Liberation fonts have its metrics, so lines break where they did.
# libhunspell itself comes from the program's libraries (dpkg-shlibdeps).
# The editing area reads Qt's private layout state, which only the Qt built against is sure to
# keep where its private headers say (QtPrivateState.h): Debian's Qt names that form
# qt6-base-abi, which libqt6core6 provides at its own version.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-base-abi (= ${Qt6Core_VERSION})")
# Spelling needs a dictionary, any of Debian's; without one it is simply off.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us | hunspell-dictionary")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rich-text editor")
# The summary above is the synopsis line; this is the extended description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvala Software is a desktop editor for rich text. One window holds one
document: you type, format and print it, open Rich Text Format files
written by other word processors, and save your work as rich text or plain
text.
.
The package also holds rtfconvert, which converts a rich text file to rich
text or plain text exactly as the editor opens and saves it.")

include(CPack)
