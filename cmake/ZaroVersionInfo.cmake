# Version information of a program file, embedded at build time and read back
# by TVersionInf:
#   zaro_embed_version_info(TARGET DESCRIPTION_JA "..." DESCRIPTION_EN "...")
set(ZARO_VERSION_PRODUCT "ZaroSim")
set(ZARO_VERSION_COMPANY_JA "ZaroSim プロジェクト")
set(ZARO_VERSION_COMPANY_EN "The ZaroSim Project")
set(ZARO_VERSION_COPYRIGHT_JA "Copyright (C) 2026 ZaroSim プロジェクト")
set(ZARO_VERSION_COPYRIGHT_EN "Copyright (C) 2026 The ZaroSim Project")

function(zaro_embed_version_info target)
  cmake_parse_arguments(ARG "" "DESCRIPTION_JA;DESCRIPTION_EN" "" ${ARGN})
  set(ZARO_VERSION_TARGET ${target})
  set(ZARO_VERSION_FILE_NAME ${target})
  set(ZARO_VERSION_DESCRIPTION_JA "${ARG_DESCRIPTION_JA}")
  set(ZARO_VERSION_DESCRIPTION_EN "${ARG_DESCRIPTION_EN}")
  set(ZARO_VERSION_PRODUCT_VERSION ${PROJECT_VERSION})
  set(ZARO_VERSION_FILE_VERSION ${PROJECT_VERSION}.0)
  # The texts go into C++ string literals.
  foreach(text TARGET FILE_NAME DESCRIPTION_JA DESCRIPTION_EN PRODUCT COMPANY_JA COMPANY_EN
               COPYRIGHT_JA COPYRIGHT_EN)
    string(REPLACE "\\" "\\\\" escaped "${ZARO_VERSION_${text}}")
    string(REPLACE "\"" "\\\"" ZARO_VERSION_${text} "${escaped}")
  endforeach()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_info.cpp)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.cpp.in ${source} @ONLY)
  target_sources(${target} PRIVATE ${source})
endfunction()
