# The Debian package: `cpack -G DEB` in the build folder, after a build.
# dpkg-shlibdeps names the libraries the programs link; the rest of what the
# editor needs at run time is named here.
set(CPACK_PACKAGE_NAME heddlewise)
set(CPACK_PACKAGE_VENDOR "Heddlewise")
set(CPACK_PACKAGE_CONTACT "Heddlewise maintainers <maintainers@users.noreply.c-seed-504969ea.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for hand-loom weaving drafts")
set(CPACK_PACKAGE_DESCRIPTION "Heddlewise draws threading, tie-up, treadling or liftplan and the
colours of warp and weft, and shows the drawdown and a simulated cloth as
you work. It reads and writes .hdw pattern files, exports PNG pictures and
WIF files, and speaks English, German, Swedish and Finnish. Sample patterns
come with it. heddlewise-cli does the same file work from scripts.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 and Wayland platform plugins, and Qt's own dialog texts in German,
# Swedish and Finnish.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# The file types, the menu entry and the icons take effect through these.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
