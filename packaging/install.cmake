# Install rules: what the packages of veska hold and where it goes. The
# Debian packages (debian/) split these files between veska-console and
# veska; cmake --install puts them all under one prefix.
include(GNUInstallDirs)

set(VESKA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VESKA_GENERATED_DIR ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${VESKA_GENERATED_DIR})

install(TARGETS veska-console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET veska)
  install(TARGETS veska RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES data/undated.rwl data/dated.rwl data/index.crn data/formatted.dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/veska/examples)
install(FILES ${VESKA_PACKAGING_DIR}/README LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Menu entry, icon and software-centre description: for the windowed program.
if(TARGET veska)
  install(FILES ${VESKA_PACKAGING_DIR}/veska.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The tree-ring file types the menu entry opens ("Open with veska").
  install(FILES ${VESKA_PACKAGING_DIR}/veska-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME veska.xml)
  install(FILES ${VESKA_PACKAGING_DIR}/io.veska.veska.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${VESKA_PACKAGING_DIR}/veska.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Menus that cannot draw SVG take the 64 px picture, rendered from the SVG
  # so that the two never differ.
  find_program(VESKA_RSVG_CONVERT rsvg-convert)
  if(VESKA_RSVG_CONVERT)
    add_custom_command(OUTPUT ${VESKA_GENERATED_DIR}/veska.png
      COMMAND ${VESKA_RSVG_CONVERT} --width=64 --height=64 --format=png
              --output=${VESKA_GENERATED_DIR}/veska.png ${VESKA_PACKAGING_DIR}/veska.svg
      DEPENDS ${VESKA_PACKAGING_DIR}/veska.svg
      COMMENT "Rendering the 64 px icon")
    add_custom_target(veska_icon ALL DEPENDS ${VESKA_GENERATED_DIR}/veska.png)
    install(FILES ${VESKA_GENERATED_DIR}/veska.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
  else()
    message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): the 64 px icon is not installed")
  endif()
endif()

# Manual pages, their header carrying the project's version. They are
# installed as they are; the Debian build compresses them.
set(veska_manual_pages veska-console)
if(TARGET veska)
  list(APPEND veska_manual_pages veska)
endif()
foreach(page IN LISTS veska_manual_pages)
  configure_file(${PROJECT_SOURCE_DIR}/man/${page}.1.in ${VESKA_GENERATED_DIR}/${page}.1 @ONLY)
  install(FILES ${VESKA_GENERATED_DIR}/${page}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
