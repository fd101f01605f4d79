# Lays out beside the Windows programs what they need on a machine that has nothing
# else, as Qt's own deployment tool would: Qt's DLLs, mingw's runtime DLLs, the Windows
# platform plugin and the style plugin. Builds copy them into the programs' folder (where
# the tests run too, with Qt's test DLL and the offscreen platform); installing puts the
# programs' share beside the installed programs.
set(runtime_dir ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

set(qt_dlls)
foreach(module Core Gui Widgets Network)
  list(APPEND qt_dlls $<TARGET_FILE:Qt6::${module}>)
endforeach()
set(mingw_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    find_file(found_${dll} ${dll} PATHS /usr/${MINGW_TRIPLE}/lib NO_DEFAULT_PATH REQUIRED)
    set(found ${found_${dll}})
  endif()
  list(APPEND mingw_dlls ${found})
endforeach()
set(platform_plugin $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>)
set(style_plugin $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)

add_custom_target(windows_runtime ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${runtime_dir}/platforms ${runtime_dir}/styles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_dlls} $<TARGET_FILE:Qt6::Test> ${mingw_dlls} ${runtime_dir}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${platform_plugin} $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>
          ${runtime_dir}/platforms
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${style_plugin} ${runtime_dir}/styles
  VERBATIM)

install(FILES ${qt_dlls} ${mingw_dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${platform_plugin} DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${style_plugin} DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
