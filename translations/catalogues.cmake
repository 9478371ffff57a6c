# The window's catalogues: each translations/zandor_<lang>.ts is compiled by
# lrelease into a .qm and the .qm files into one resource that zandor_app_lib
# holds, so that the program finds them wherever it is installed or built.
# Included from app/CMakeLists.txt: the generated sources must belong to a
# target of the folder whose custom commands make them.
find_program(ZANDOR_LRELEASE NAMES lrelease lrelease-qt6
  HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin REQUIRED)

set(ZANDOR_LANGUAGES de)
set(qm_dir ${CMAKE_CURRENT_BINARY_DIR}/i18n)
set(qrc_entries "")
set(qm_files "")
foreach(lang IN LISTS ZANDOR_LANGUAGES)
  set(ts ${PROJECT_SOURCE_DIR}/translations/zandor_${lang}.ts)
  set(qm ${qm_dir}/zandor_${lang}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${qm_dir}
    COMMAND ${ZANDOR_LRELEASE} -silent -nounfinished -removeidentical ${ts} -qm ${qm}
    DEPENDS ${ts}
    COMMENT "Compiling the ${lang} catalogue")
  list(APPEND qm_files ${qm})
  string(APPEND qrc_entries "    <file>zandor_${lang}.qm</file>\n")
endforeach()

set(qrc ${qm_dir}/zandor_translations.qrc)
file(CONFIGURE OUTPUT ${qrc} CONTENT
  "<RCC>\n  <qresource prefix=\"/i18n\">\n${qrc_entries}  </qresource>\n</RCC>\n")
set(ZANDOR_CATALOGUES_CPP ${CMAKE_CURRENT_BINARY_DIR}/qrc_zandor_translations.cpp)
add_custom_command(OUTPUT ${ZANDOR_CATALOGUES_CPP}
  COMMAND Qt6::rcc --name zandor_translations -o ${ZANDOR_CATALOGUES_CPP} ${qrc}
  DEPENDS ${qm_files} ${qrc}
  COMMENT "Building the catalogues into a resource")
