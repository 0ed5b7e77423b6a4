# Install rules and packages. Linux (Qt host): the program, its desktop entry, icons, AppStream
# metadata, manual page and documents under the usual prefix folders, packed by `cpack -G DEB`.
# Windows: the stripped Vestrel.exe with README and licence, packed by `cpack -G ZIP`.

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(generated_dir ${PROJECT_BINARY_DIR}/packaging)

# Release builds of the shipped programs carry no symbols or debug sections.
if(TARGET vestrel)
  target_link_options(vestrel PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
# Relocations resolved and made read-only at start-up, as Debian builds its programs.
if(VESTREL_HOST STREQUAL "qt")
  target_link_options(vestrel PRIVATE -Wl,-z,relro,-z,now)
endif()

# Gzips `input` into `output` reproducibly (no name, no time stamp), as Debian wants manual
# pages and changelogs.
function(vestrel_gzip input output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${input} ${output}.tmp
    COMMAND gzip -9nf ${output}.tmp
    COMMAND ${CMAKE_COMMAND} -E rename ${output}.tmp.gz ${output}
    DEPENDS ${input}
    VERBATIM)
endfunction()

if(VESTREL_HOST STREQUAL "qt")
  include(GNUInstallDirs)
  install(TARGETS vestrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${packaging_dir}/vestrel.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/art/vestrel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vestrel.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/resources/art/vestrel.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  configure_file(${packaging_dir}/org.vestrel.Vestrel.metainfo.xml
                 ${generated_dir}/org.vestrel.Vestrel.metainfo.xml @ONLY)
  install(FILES ${generated_dir}/org.vestrel.Vestrel.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  configure_file(${packaging_dir}/vestrel.1 ${generated_dir}/vestrel.1 @ONLY)
  configure_file(${packaging_dir}/changelog ${generated_dir}/changelog @ONLY)
  vestrel_gzip(${generated_dir}/vestrel.1 ${generated_dir}/vestrel.1.gz)
  vestrel_gzip(${generated_dir}/changelog ${generated_dir}/changelog.gz)
  add_custom_target(vestrel_compressed_docs ALL
    DEPENDS ${generated_dir}/vestrel.1.gz ${generated_dir}/changelog.gz)
  # Building the program alone leaves everything that `cmake --install` needs.
  add_dependencies(vestrel vestrel_compressed_docs)
  install(FILES ${generated_dir}/vestrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vestrel)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
                ${packaging_dir}/copyright ${generated_dir}/changelog.gz
          DESTINATION ${doc_dir})

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME vestrel)
  set(CPACK_PACKAGE_CONTACT "The Vestrel developers <developers@vestrel.org>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small analog clock that floats above other windows")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Vestrel is a small analog clock for the desktop: one borderless, elliptical\n"
      "window that stays above other windows and shows a green-and-black face with\n"
      "hour, minute and second hands. Drag it to move it. Its right-click menu has a\n"
      "3, 4 or 5 minute countdown, two sizes, always on top and a half transparent\n"
      "look. It runs on X11, or on Wayland through XWayland.")
  string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION x11)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vestrel.org/")
  # The libraries the program links against, as dpkg-shlibdeps finds them, and the Japanese
  # fonts: a Mincho face for the menu captions and the "●", IPAGothic for the countdown minutes.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CPACK_STRIP_FILES ON)
elseif(VESTREL_HOST STREQUAL "win32")
  install(TARGETS vestrel RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME Vestrel)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_STRIP_FILES ON)
else()
  return()
endif()

set(CPACK_PACKAGE_VENDOR "The Vestrel developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
include(CPack)
