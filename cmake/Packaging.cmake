# What is installed, and the Debian package made of it (cpack -G DEB).

# The sample tests, written from their JSON by the program's own loader.
set(ZORVIK_SAMPLES)
foreach(name math.tsm geo.tsr)
  set(out ${CMAKE_BINARY_DIR}/samples/${name})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/samples
    COMMAND ${CMAKE_COMMAND} -E rm -f ${out}
    COMMAND $<TARGET_FILE:zorvik-cli> load ${PROJECT_SOURCE_DIR}/samples/${name}.json ${out}
    DEPENDS zorvik-cli ${PROJECT_SOURCE_DIR}/samples/${name}.json
    COMMENT "Sample test ${name}")
  list(APPEND ZORVIK_SAMPLES ${out})
endforeach()
add_custom_target(zorvik-samples ALL DEPENDS ${ZORVIK_SAMPLES})

# Manual pages, compressed as Debian keeps them.
set(ZORVIK_MANPAGES)
foreach(page zorvik.1 zorvik-cli.1)
  set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/man/${page} > ${out}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${page}
    VERBATIM)
  list(APPEND ZORVIK_MANPAGES ${out})
endforeach()
add_custom_target(zorvik-manpages ALL DEPENDS ${ZORVIK_MANPAGES})

set(share ${CMAKE_INSTALL_DATADIR})
install(FILES data/test.doc DESTINATION ${share}/zorvik)
install(FILES ${ZORVIK_SAMPLES} DESTINATION ${share}/zorvik/samples)
install(FILES data/zorvik.desktop DESTINATION ${share}/applications)
install(FILES data/zorvik.svg DESTINATION ${share}/icons/hicolor/scalable/apps)
install(FILES data/icons/application-x-zorvik-test.svg data/icons/application-x-zorvik-test4.svg
              data/icons/application-x-zorvik-journal.svg
        DESTINATION ${share}/icons/hicolor/scalable/mimetypes)
install(FILES data/zorvik-mime.xml DESTINATION ${share}/mime/packages RENAME zorvik.xml)
install(FILES data/ua.zorvik.Zorvik.metainfo.xml DESTINATION ${share}/metainfo)
install(FILES ${ZORVIK_MANPAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/completion/zorvik-cli DESTINATION ${share}/bash-completion/completions)

set(CPACK_PACKAGE_NAME zorvik)
set(CPACK_PACKAGE_VENDOR "Zorvik Lab")
set(CPACK_PACKAGE_CONTACT "Zorvik Lab <maintainers@zorvik.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teacher's testing program: tests, testing runs and a gradebook")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorvik is a program for school teachers. A teacher writes multiple-choice\n"
    "tests with pictures, sound and video, sets how each test is given, runs it\n"
    "for a student with timers, hints, shuffled answers and partial credit, and\n"
    "keeps a gradebook journal. zorvik-cli works on the same files without windows.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zorvik.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Beside the libraries: the fonts the designs name, the opener of documents and
# media, and the codecs of sound and video.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, xdg-utils, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-libav, qt6-image-formats-plugins, qt6-translations-l10n, libreoffice-writer | abiword")
include(CPack)
