# `make package`: a Debian package of what `cmake --install` puts into a prefix, installed under
# /usr. dpkg-shlibdeps finds the libraries the program and its modules link; the Qt platform
# plugins, which it loads at run time, are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexolin)
set(CPACK_PACKAGE_VENDOR "The Vexolin team")
set(CPACK_PACKAGE_CONTACT "${VEXOLIN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "media jukebox with a plain-text media database")
# The long description below the summary, in lines of at most 80 characters: CPack starts each
# with a blank and turns the empty line between the paragraphs into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vexolin keeps music and videos in a plain-text media database that names
the artist, title, genre and file of every piece. The user browses it by
genre, artist and title, builds playlists by drag and drop and plays them
in the built-in audio and video player.

It tags the files of a playlist and adds them to the database, finds the
records whose files are missing, reads and saves playlists and M3U files,
and copies the media of a playlist into a folder with a portable database,
ready for a CD. One Vexolin runs per desktop session, and the desktop's
media keys drive it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vexolin.example.org/")
# The libraries the program and its modules link (Qt, libmpv, TagLib's libtag1v5) become
# dependencies by what the binaries need; the platform plugins it loads at run time are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, hicolor-icon-theme")
# strip leaves the compiler's .comment and .note sections in; Debian's tools take them out.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripSections.cmake)
include(CPack)
