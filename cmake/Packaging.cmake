# `make package`: a Debian package of what `cmake --install` puts into a prefix, installed under
# /usr. dpkg-shlibdeps finds the libraries the program links; the Qt platform plugins, which it
# loads at run time, are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexolin)
set(CPACK_PACKAGE_VENDOR "The Vexolin team")
set(CPACK_PACKAGE_CONTACT "The Vexolin team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "media jukebox with a plain-text media database")
set(CPACK_PACKAGE_DESCRIPTION "Vexolin keeps music and videos in a plain-text media database \
(artist, title, genre and file of every piece), lets the user browse it by genre, artist and \
title, build playlists by drag and drop and play them in its built-in audio and video player.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, hicolor-icon-theme")
include(CPack)
