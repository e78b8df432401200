# The Debian package (./dev.sh package): both programs and everything the
# install rules put beside them, in one package "quorvane". Its library
# dependencies are computed from the binaries by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvane developers")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane-devel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "file cataloguer and list searcher")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane catalogues the files of your folders, and of CDs and other removable\n"
    "disks read once under a name, and publishes the catalogue as a text list or an\n"
    "HTML page, with sizes, dates, MP3 bitrates and song lengths, download links, a\n"
    "header, a footer and your own page template. It keeps several saved lists,\n"
    "finds files with near-identical names, writes M3U playlists and rebuilds a\n"
    "list unattended (quorvane auto NAME) for cron or a systemd timer.\n"
    "\n"
    "Quorfind searches your own list, any text list, or a folder of other people's\n"
    "lists, and opens, plays, queues, renames, deletes, copies or drags what it\n"
    "finds, saves it to a playlist or sends it over IRC (DCC) through HexChat or\n"
    "WeeChat.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open opens lists, files and the help; SVG icons in the windows need
# the Qt SVG plugin; the players and IRC clients the actions talk to.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "audacious | vlc, hexchat | weechat")
set(CPACK_STRIP_FILES ON)

include(CPack)
