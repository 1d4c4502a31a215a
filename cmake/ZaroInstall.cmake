# The programs live in one folder with libZaroMath.so and the manual, because
# the program loads the library and opens the manual from its own folder;
# PREFIX/bin holds links to them.
include(GNUInstallDirs)
set(ZARO_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/zarosim)

#   zaro_install_program(TARGET)
function(zaro_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${ZARO_PROGRAM_DIR})
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(RELATIVE_PATH target \"/${CMAKE_INSTALL_BINDIR}\" \"/${ZARO_PROGRAM_DIR}/${target}\")
    message(STATUS \"Linking: \${bin}/${target} -> \${target}\")
    file(CREATE_LINK \"\${target}\" \"\${bin}/${target}\" SYMBOLIC)")
endfunction()
