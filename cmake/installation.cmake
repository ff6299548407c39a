# The build target keeps its name (build/ui/plotter, which tests and scripts run);
# it is installed as the program the desktop and the man page know.
install(PROGRAMS $<TARGET_FILE:plotter> DESTINATION ${CMAKE_INSTALL_BINDIR}
  RENAME ${PLOTTER_PROGRAMM})
# install(PROGRAMS) does not strip as install(TARGETS) does; `cmake --install --strip`
# and the package ask for it through CMAKE_INSTALL_DO_STRIP.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${PLOTTER_PROGRAMM}\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
add_subdirectory(data)
include(cmake/paket.cmake)
