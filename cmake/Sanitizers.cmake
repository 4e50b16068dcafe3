# AddressSanitizer and UndefinedBehaviorSanitizer builds of the libraries and their tests,
# beside the plain ones in the same tree: each library gets an "_asan" twin.
option(TALLYVANE_SANITIZERS "Also build and test everything under ASan and UBSan" ON)

# The suffixes of the builds beside the plain one.
set(TALLYVANE_VARIANTS "")
if(TALLYVANE_SANITIZERS)
  set(TALLYVANE_VARIANTS _asan)
  add_library(tallyvane_sanitize INTERFACE)
  target_compile_options(tallyvane_sanitize INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tallyvane_sanitize INTERFACE -fsanitize=address,undefined)
endif()

# tallyvane_library(NAME [QT] SOURCES ... LIBRARIES ...): the library, and its sanitized twin
# NAME_asan linking the twins of the libraries named (those of ours end in _stats, _calc,
# _report or _window) when sanitizers are on.
function(tallyvane_library name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBRARIES;RESOURCES" ${ARGN})
  foreach(variant "" ${TALLYVANE_VARIANTS})
    set(target ${name}${variant})
    if(ARG_QT)
      qt_add_library(${target} STATIC ${ARG_SOURCES})
    else()
      add_library(${target} STATIC ${ARG_SOURCES})
    endif()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    if(ARG_RESOURCES)
      # Stored as they are: reading them at start then needs no decompressor (zstd's code and
      # buffers), and bare pixels are read straight from the program's own pages.
      qt_add_resources(${target} ${target}_resources PREFIX / FILES ${ARG_RESOURCES}
        OPTIONS --no-compress)
    endif()
    foreach(lib ${ARG_LIBRARIES})
      if(lib MATCHES "^tallyvane_")
        target_link_libraries(${target} PUBLIC ${lib}${variant})
      else()
        target_link_libraries(${target} PUBLIC ${lib})
      endif()
    endforeach()
    if(variant STREQUAL "_asan")
      target_link_libraries(${target} PUBLIC tallyvane_sanitize)
    endif()
  endforeach()
endfunction()
