# The Debian package: everything cmake --install installs, under /usr, in one .deb.
#   cpack -G DEB --config BUILD/CPackConfig.cmake     (tools/package.sh does it in one command)
# Stripped binaries: the package serves players, who need no debugging information.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fablewick)
set(CPACK_PACKAGE_VENDOR "Tallowmere Story Works")
set(CPACK_PACKAGE_CONTACT "${FABLEWICK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player for interactive picture stories")
# Debian shows the description as it is: lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Fablewick plays interactive picture stories: folders of a plain-text story"
  "file with its pictures (BMP, PNG), MIDI music and WAV or Ogg Vorbis sounds."
  "Scene after scene shows a picture or an animation, some text and up to four"
  "options. It checks stories and lists their mistakes, saves and restores a"
  "position, and plays music through its built-in synthesizer."
  "."
  "The package holds the player, two demo stories and fablewick-story, a"
  "command-line tool that checks and inspects stories for their authors.")
# The desktop entry names the installed paths, so CPack installs with the final prefix (into a
# DESTDIR), not into a staging prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tallowmere.example.org)
# The libraries come from the binaries; the soundfont and the fonts are read at run time, and
# FluidSynth is loaded at run time too (the first tune loads it by its soname, which names its
# Debian package: libfluidsynth.so.3 is in libfluidsynth3).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(REGEX REPLACE "^(lib.+)\\.so\\.([0-9]+)$" "\\1\\2" fluidsynth_package "${FLUIDSYNTH_SONAME}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "timgm6mb-soundfont | sf2-soundfont-gm | sf3-soundfont-gm, fonts-liberation2, ${fluidsynth_package}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
