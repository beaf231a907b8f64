# What `cmake --install` puts beside the program: the plotting script (next
# to the executable, where users look for it, and with the example data), the
# manual page and the user guide.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/examples/wave.m DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/wave.m DESTINATION ${CMAKE_INSTALL_DATADIR}/siteresp)
install(FILES ${PROJECT_SOURCE_DIR}/examples/wave.csv
              ${PROJECT_SOURCE_DIR}/examples/soil.csv
              ${PROJECT_SOURCE_DIR}/examples/answers.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/siteresp/examples)
install(FILES ${PROJECT_SOURCE_DIR}/docs/siteresp.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# sitekit beside siteresp (it finds siteresp in its own directory), with its
# manual page.
if(TARGET sitekit)
  install(TARGETS sitekit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/docs/sitekit.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
