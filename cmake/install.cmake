# Installation into the standard places of a Linux desktop, and the Debian package.
include(GNUInstallDirs)

# Installing and packaging take the targets as built; they never start a build of their own
# (the tests package what the test build made).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(LINTARO_APP_ID io.github.lintaro.Lintaro)
set(LINTARO_ICON_SIZES 16 24 32 48 64 128 256)

add_executable(lintaro_make_icons tools/make_icons.cpp)
target_link_libraries(lintaro_make_icons PRIVATE lintaro_windows)
set(LINTARO_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
add_custom_command(
  OUTPUT ${LINTARO_ICON_DIR}/32x32/apps/${LINTARO_APP_ID}.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:lintaro_make_icons> ${LINTARO_ICON_DIR} ${LINTARO_ICON_SIZES}
  DEPENDS lintaro_make_icons
  COMMENT "Drawing the striped icon")
add_custom_target(lintaro_icons ALL DEPENDS ${LINTARO_ICON_DIR}/32x32/apps/${LINTARO_APP_ID}.png)

install(TARGETS lintaro lintaro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${LINTARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${LINTARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${LINTARO_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lintaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lintaro developers <lintaro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Stripe animations from two pictures")
set(CPACK_PACKAGE_DESCRIPTION
    "Lintaro interleaves two pictures in vertical stripes, previews them under their lattice\n sheet, saves both as bitmaps and prints them at the same scale. lintaro-cli composes\n 2 to 8 frames from the command line and exports the preview as animated GIF or WebP.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt, GIF, WebP, palette and FFmpeg libraries come from the binaries' own links; the windowing
# plugins, the extra picture readers, the print system's library, the Japanese Gothic face
# and Qt's Japanese dialog texts are loaded at run time, so name them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, libcups2, fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
