# Fails when a folder includes from a layer it must not depend on. Run by ctest as
#   cmake -DSOURCE_DIR=<src> -P layers.cmake
# Each rule: the folder, then the include prefixes forbidden there.
set(rules
    "core/support|colour/;i18n/;model/;storage/;imaging/;adding/;generator/;verify/"
    "core/colour|i18n/;model/;storage/;imaging/;adding/;generator/;verify/"
    "core/i18n|colour/;model/;storage/;imaging/;adding/;generator/;verify/"
    "core/imaging|colour/;model/;storage/;adding/;generator/;verify/"
    "core/model|imaging/;adding/;generator/;storage/;verify/;gui/"
    "core|gui/;cli/"
    "cli|gui/"
    "gui/dialogs|gui/app/;gui/editor/;gui/verify/"
    "gui/editor|gui/app/;gui/verify/"
    "gui/verify|gui/app/"
    "gui/controls|gui/app/;gui/dialogs/;gui/editor/;gui/verify/")
set(broken "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(REMOVE_AT parts 0)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include \"")
        foreach(line IN LISTS includes)
            foreach(prefix IN LISTS parts)
                if(line MATCHES "^#include \"${prefix}")
                    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                    string(APPEND broken "  ${shown}: ${line} (${folder} must not depend on ${prefix})\n")
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()
if(broken)
    message(FATAL_ERROR "Includes across layers:\n${broken}")
endif()
message(STATUS "Every folder keeps to its layer")
